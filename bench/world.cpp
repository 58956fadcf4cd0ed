// The world on the largest maps, "large.map" (1024 sectors, 8192 walls,
// 4096 sprites: version 7's limits) and "huge.map" (4096, 16384 and 16384:
// those of versions 8 and 9): building the 3D world with its texture
// coordinates, the plan view's world with its pieces, one player move and
// one ray. The first argument is 0 for large.map, 1 for huge.map. Texture
// coordinates need only the tile sizes, so no GL context is made.
#include <benchmark/benchmark.h>

#include "BenchFile.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

Map loadedMap(const VellTools::MapContent& content)
{
    BenchFile file("world.map", VellTools::MapWriter::bytes(content));
    Vell::File stream(file.path(), Vell::File::readOnly);
    Map loaded;
    loaded.load(stream);
    return loaded;
}

const Map& bigMap(const benchmark::State& state)
{
    static const Map large = loadedMap(VellTools::largeMap());
    static const Map huge = loadedMap(VellTools::hugeMap());
    return state.range(0) == 0 ? large : huge;
}

// One 3D world per map, built once, for the move and the ray.
World& builtWorld(const benchmark::State& state)
{
    static World worlds[2];
    World& world = worlds[state.range(0)];
    if (!world.built)
        world.build(bigMap(state));
    return world;
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
    const Map& map = bigMap(state);
    TileSet& tiles = demoTiles();
    World world;
    for (auto _ : state) {
        world.build(map);
        world.attachTextures(tiles);
        benchmark::DoNotOptimize(world.points.data());
    }
}
BENCHMARK(buildWithTextures)->ArgName("huge")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void buildPlanWorld(benchmark::State& state)
{
    const Map& map = bigMap(state);
    World world;
    for (auto _ : state) {
        world.build(map, planOnly());
        world.buildPieces();
        benchmark::DoNotOptimize(world.pieceIndices.data());
    }
}
BENCHMARK(buildPlanWorld)->ArgName("huge")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void buildPieces(benchmark::State& state)
{
    World world;
    world.build(bigMap(state), planOnly());
    for (auto _ : state) {
        world.buildPieces();
        benchmark::DoNotOptimize(world.pieceIndices.data());
    }
    state.counters["pieces"] = double(world.pieceIndices.size());
}
BENCHMARK(buildPieces)->ArgName("huge")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One step as the view takes it (100 units), and one long enough to cross
// several rooms; each from the start placement turned half round, through
// the openings between rooms (large.map's rows, huge.map's open hall).
void move(benchmark::State& state)
{
    World& world = builtWorld(state);
    const double distance = double(state.range(1));
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
BENCHMARK(move)->ArgNames({"huge", "distance"})->ArgsProduct({{0, 1}, {100, 3000}})
    ->Unit(benchmark::kMicrosecond);

// A ray from the start along the grid's columns: a short one that stays in
// the start room and one through the openings to the first solid wall
// (large.map's far wall, the start hall's wall in huge.map).
void castRay(benchmark::State& state)
{
    World& world = builtWorld(state);
    Vell3D::Vector3 start = world.camera.position();
    const double reach = double(state.range(1));
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
BENCHMARK(castRay)->ArgNames({"huge", "reach"})->ArgsProduct({{0, 1}, {300, 20000}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
