// Loading "large.map" (the format's largest tables) from a file and from an
// archive entry, against reading the same bytes with one plain read.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchFile.h"
#include "core/File.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "tools/DemoMaps.h"
#include "tools/GroupWriter.h"
#include "tools/MapWriter.h"

using namespace Vell3D;

namespace {

const VellTools::Bytes& largeMapBytes()
{
    static const VellTools::Bytes bytes = VellTools::MapWriter::bytes(VellTools::largeMap());
    return bytes;
}

const BenchFile& mapFile()
{
    static BenchFile file("large.map", largeMapBytes());
    return file;
}

const BenchFile& archiveFile()
{
    static BenchFile file("large.grp", [] {
        VellTools::GroupWriter writer;
        writer.add("LARGE.MAP", largeMapBytes());
        return writer.bytes();
    }());
    return file;
}

void loadFromFile(benchmark::State& state)
{
    for (auto _ : state) {
        Vell::File file(mapFile().path(), Vell::File::readOnly);
        Map map;
        map.load(file);
        benchmark::DoNotOptimize(map.wallCount());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(largeMapBytes().size()));
}
BENCHMARK(loadFromFile);

void readBytesFromFile(benchmark::State& state)
{
    std::vector<char> buffer(largeMapBytes().size());
    for (auto _ : state) {
        Vell::File file(mapFile().path(), Vell::File::readOnly);
        file.readFully(buffer.data(), int(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(buffer.size()));
}
BENCHMARK(readBytesFromFile);

void loadFromEntry(benchmark::State& state)
{
    GroupArchive archive;
    archive.open(archiveFile().path());
    for (auto _ : state) {
        GroupEntryStream stream("large.map", archive);
        Map map;
        map.load(stream);
        benchmark::DoNotOptimize(map.wallCount());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(largeMapBytes().size()));
}
BENCHMARK(loadFromEntry);

void readBytesFromEntry(benchmark::State& state)
{
    GroupArchive archive;
    archive.open(archiveFile().path());
    std::vector<char> buffer(largeMapBytes().size());
    for (auto _ : state) {
        GroupEntryStream stream("large.map", archive);
        stream.readFully(buffer.data(), int(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(buffer.size()));
}
BENCHMARK(readBytesFromEntry);

} // namespace

BENCHMARK_MAIN();
