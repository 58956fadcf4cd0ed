// The plan view's convex pieces of one sector of 16384 walls, the most a map
// holds (versions 8 and 9): a comb of 4095 long thin teeth and a star of
// 8192 spikes. Both make a partition tree that is one long chain, so every
// wall is tested against the lines of all walls before it, and every piece
// is clipped by the lines of all its ancestors.
#include <benchmark/benchmark.h>

#include <cmath>

#include "BenchFile.h"
#include "core/File.h"
#include "mapdata/Map.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/authoring/MapWriter.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

constexpr int wallCount = largestMapLimits.walls;

std::vector<VellTools::MapPoint> comb()
{
    std::vector<VellTools::MapPoint> loop{{0, 0}};
    std::int32_t x = 0;
    while (loop.size() + 4 <= wallCount - 1) {
        loop.push_back({x, 4608});
        loop.push_back({x + 16, 4608});
        loop.push_back({x + 16, 512});
        loop.push_back({x + 32, 512});
        x += 32;
    }
    while (loop.size() < wallCount - 1)
        loop.push_back({x, 512 - std::int32_t(loop.size() % 256)});
    loop.push_back({x, 0});
    return loop;
}

std::vector<VellTools::MapPoint> star()
{
    std::vector<VellTools::MapPoint> loop;
    for (int i = 0; i < wallCount; ++i) {
        double radius = i % 2 ? 20000.0 : 2000.0;
        double angle = 2.0 * M_PI * i / wallCount;
        loop.push_back({std::int32_t(std::lround(radius * std::cos(angle))),
                        std::int32_t(std::lround(radius * std::sin(angle)))});
    }
    return loop;
}

Map oneSector(std::vector<VellTools::MapPoint> loop)
{
    if (VellTools::loopArea2(loop) < 0)
        std::reverse(loop.begin(), loop.end());
    VellTools::MapBuilder builder;
    builder.addSector(loop, 0, -16384);
    builder.setStart(loop[0].x, loop[0].y, 0, 0, 0);
    VellTools::MapContent content = builder.build();
    content.version = newestMapVersion;
    BenchFile file("pieces.map", VellTools::MapWriter::bytes(content));
    Vell::File stream(file.path(), Vell::File::readOnly);
    Map map;
    map.load(stream);
    return map;
}

void buildPieces(benchmark::State& state, const Map& map)
{
    World world;
    World::BuildOptions plan;
    plan.planOnly = true;
    world.build(map, plan);
    for (auto _ : state) {
        world.buildPieces();
        benchmark::DoNotOptimize(world.pieceIndices.data());
    }
    state.counters["pieces"] = double(world.pieceIndices.size() - world.points.size() + world.walls.size() - 1);
}

void combSector(benchmark::State& state)
{
    static const Map map = oneSector(comb());
    buildPieces(state, map);
}
BENCHMARK(combSector)->Unit(benchmark::kMillisecond);

void starSector(benchmark::State& state)
{
    static const Map map = oneSector(star());
    buildPieces(state, map);
}
BENCHMARK(starSector)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
