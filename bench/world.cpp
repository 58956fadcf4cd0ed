// The world on "large.map" (1024 sectors, 8192 walls, 4096 sprites): building
// the 3D world with its texture coordinates, the plan view's world with its
// pieces, one player move and one ray. Texture coordinates need only the
// tile sizes, so no GL context is made.
#include <benchmark/benchmark.h>

#include "BenchFile.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "tools/DemoArchive.h"
#include "tools/DemoMaps.h"
#include "tools/MapWriter.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

const Map& largeMap()
{
    static const Map map = [] {
        BenchFile file("world-large.map", VellTools::MapWriter::bytes(VellTools::largeMap()));
        Vell::File stream(file.path(), Vell::File::readOnly);
        Map loaded;
        loaded.load(stream);
        return loaded;
    }();
    return map;
}

struct DemoTiles {
    BenchFile file{"world-demo.grp", VellTools::demoArchive(false)};
    GroupArchive archive;
    TileSet tiles;
    DemoTiles()
    {
        archive.open(file.path());
        tiles.load(archive, "tiles", "palette.dat");
    }
};

TileSet& demoTiles()
{
    static DemoTiles demo;
    return demo.tiles;
}

World::BuildOptions planOnly()
{
    World::BuildOptions options;
    options.planOnly = true;
    return options;
}

void buildWithTextures(benchmark::State& state)
{
    const Map& map = largeMap();
    TileSet& tiles = demoTiles();
    World world;
    for (auto _ : state) {
        world.build(map);
        world.attachTextures(tiles);
        benchmark::DoNotOptimize(world.points.data());
    }
}
BENCHMARK(buildWithTextures)->Unit(benchmark::kMillisecond);

void buildPlanWorld(benchmark::State& state)
{
    const Map& map = largeMap();
    World world;
    for (auto _ : state) {
        world.build(map, planOnly());
        world.buildPieces();
        benchmark::DoNotOptimize(world.pieceIndices.data());
    }
}
BENCHMARK(buildPlanWorld)->Unit(benchmark::kMillisecond);

void buildPieces(benchmark::State& state)
{
    World world;
    world.build(largeMap(), planOnly());
    for (auto _ : state) {
        world.buildPieces();
        benchmark::DoNotOptimize(world.pieceIndices.data());
    }
    state.counters["pieces"] = double(world.pieceIndices.size());
}
BENCHMARK(buildPieces)->Unit(benchmark::kMillisecond);

// One step as the view takes it (100 units), and one long enough to cross
// several rooms; each from the start placement turned to face along the
// grid's columns, through the whole-width openings between rows.
void move(benchmark::State& state)
{
    static World world;
    if (!world.built)
        world.build(largeMap());
    const double distance = double(state.range(0));
    PlayerNode player;
    player.world = &world;
    for (auto _ : state) {
        player.takePlacement(world.camera);
        player.rotate(180.0, 0.0, 0.0, 1.0);
        player.move(0.0, distance, 0.0);
        benchmark::DoNotOptimize(player.sector);
    }
    state.counters["sector"] = player.sector;
}
BENCHMARK(move)->Arg(100)->Arg(3000)->Unit(benchmark::kMicrosecond);

// A ray from the start along the grid's columns: a short one that stays in
// the start room and one through every row to the far wall of the map.
void castRay(benchmark::State& state)
{
    static World world;
    if (!world.built)
        world.build(largeMap());
    Vell3D::Vector3 start = world.camera.position();
    const double reach = double(state.range(0));
    int kind = 0;
    for (auto _ : state) {
        RayHit hit;
        hit.origin = Vell3D::Vector3(start.x, start.y, start.z + 200.0);
        hit.target = Vell3D::Vector3(start.x, start.y + reach, start.z + 200.0);
        hit.sector = world.camera.sector;
        world.castRay(hit);
        kind = hit.kind;
        benchmark::DoNotOptimize(hit.point);
    }
    state.counters["kind"] = kind;
}
BENCHMARK(castRay)->Arg(300)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
