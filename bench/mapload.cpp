// Loading the largest maps, "large.map" (version 7's limits) and "huge.map"
// (those of versions 8 and 9), from a file and from an archive entry,
// against reading the same bytes with one plain read. Argument 0 is
// large.map, 1 huge.map.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "BenchFile.h"
#include "core/File.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoMaps.h"

using namespace Vell3D;

namespace {

const char* const names[] = {"large.map", "huge.map"};

// The map's bytes, a file of them and an archive holding them.
struct MapFiles {
    VellTools::Bytes bytes;
    std::unique_ptr<BenchFile> file;
    std::unique_ptr<BenchFile> archive;

    explicit MapFiles(int which)
        : bytes(VellTools::MapWriter::bytes(which == 0 ? VellTools::largeMap() : VellTools::hugeMap()))
    {
        file = std::make_unique<BenchFile>(names[which], bytes);
        VellTools::GroupWriter writer;
        writer.add(which == 0 ? "LARGE.MAP" : "HUGE.MAP", bytes);
        archive = std::make_unique<BenchFile>(std::string(names[which]) + ".grp", writer.bytes());
    }
};

const MapFiles& files(const benchmark::State& state)
{
    static const MapFiles large(0), huge(1);
    return state.range(0) == 0 ? large : huge;
}

void countBytes(benchmark::State& state, std::size_t size)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// What an iteration does with the opened stream: load the map, or read its
// bytes with one read.
void loadMap(Vell::Stream& stream, std::vector<char>&)
{
    Map loaded;
    loaded.load(stream);
    benchmark::DoNotOptimize(loaded.wallCount());
}

void readBytes(Vell::Stream& stream, std::vector<char>& buffer)
{
    stream.readFully(buffer.data(), int(buffer.size()));
    benchmark::DoNotOptimize(buffer.data());
}

using StreamUse = void (*)(Vell::Stream&, std::vector<char>&);

void fromFile(benchmark::State& state, StreamUse use)
{
    const MapFiles& map = files(state);
    std::vector<char> buffer(map.bytes.size());
    for (auto _ : state) {
        Vell::File file(map.file->path(), Vell::File::readOnly);
        use(file, buffer);
    }
    countBytes(state, map.bytes.size());
}

void fromEntry(benchmark::State& state, StreamUse use)
{
    const MapFiles& map = files(state);
    GroupArchive archive;
    archive.open(map.archive->path());
    std::vector<char> buffer(map.bytes.size());
    for (auto _ : state) {
        GroupEntryStream stream(names[state.range(0)], archive);
        use(stream, buffer);
    }
    countBytes(state, map.bytes.size());
}

void loadFromFile(benchmark::State& state) { fromFile(state, loadMap); }
void readBytesFromFile(benchmark::State& state) { fromFile(state, readBytes); }
void loadFromEntry(benchmark::State& state) { fromEntry(state, loadMap); }
void readBytesFromEntry(benchmark::State& state) { fromEntry(state, readBytes); }
BENCHMARK(loadFromFile)->ArgName("huge")->Arg(0)->Arg(1);
BENCHMARK(readBytesFromFile)->ArgName("huge")->Arg(0)->Arg(1);
BENCHMARK(loadFromEntry)->ArgName("huge")->Arg(0)->Arg(1);
BENCHMARK(readBytesFromEntry)->ArgName("huge")->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
