// Opening an archive of 4096 entries, against reading the same header and
// directory bytes with one plain read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "BenchFile.h"
#include "core/File.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "tools/authoring/GroupWriter.h"

using namespace Vell3D;

namespace {

constexpr int entryCount = 4096;
constexpr int entryBytes = 64;

const BenchFile& bigArchive()
{
    static BenchFile file("4096.grp", [] {
        VellTools::GroupWriter writer;
        for (int i = 0; i < entryCount; ++i) {
            char name[13];
            std::snprintf(name, sizeof name, "TILE%04d.ART", i);
            writer.add(name, VellTools::Bytes(entryBytes, std::uint8_t(i)));
        }
        return writer.bytes();
    }());
    return file;
}

void openArchive(benchmark::State& state)
{
    const char* path = bigArchive().path();
    for (auto _ : state) {
        GroupArchive archive;
        archive.open(path);
        benchmark::DoNotOptimize(archive.entryTable().size());
    }
}
BENCHMARK(openArchive);

// The floor for open: the header and directory bytes read in one go.
void readDirectoryBytes(benchmark::State& state)
{
    const char* path = bigArchive().path();
    std::vector<char> buffer(16 + 16 * entryCount);
    for (auto _ : state) {
        Vell::File file(path, Vell::File::readOnly);
        file.readFully(buffer.data(), int(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(readDirectoryBytes);

void findAndReadEntry(benchmark::State& state)
{
    GroupArchive archive;
    archive.open(bigArchive().path());
    char buffer[entryBytes];
    int i = 0;
    for (auto _ : state) {
        char name[13];
        std::snprintf(name, sizeof name, "tile%04d.art", i++ % entryCount);
        GroupEntryStream stream(name, archive);
        stream.readFully(buffer, entryBytes);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(findAndReadEntry);

} // namespace

BENCHMARK_MAIN();
