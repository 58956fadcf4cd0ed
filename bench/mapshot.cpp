// Where a snapshot's time goes, step by step, headless at 800 x 600 on Mesa's
// software renderer: the window and its GL context, the tile set, the world
// (map read, build, texture coordinates), the whole picture (map, world,
// display lists, frame, read back) and the PNG encoding. The display lists
// alone are bench_render's prepare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchFile.h"
#include "gui/PngFile.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "tools/demo/DemoArchive.h"
#include "tools/mapshot/MapShooter.h"
#include "viewer/ViewerStartup.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

const BenchFile& archiveFile()
{
    static const BenchFile file("mapshot.grp", VellTools::demoArchive(true));
    return file;
}

const char* mapName(int index)
{
    static const char* names[] = {"e3l1.map", "demo.map", "large.map"};
    return names[index];
}

void glStart(benchmark::State& state)
{
    VellTools::ShotOptions options;
    for (auto _ : state)
        VellTools::MapShooter shooter(options);
}

void tileSet(benchmark::State& state)
{
    GroupArchive archive;
    ViewerStartup::openArchive(archive, archiveFile().path());
    for (auto _ : state) {
        TileSet tiles;
        ViewerStartup::loadTiles(tiles, archive);
    }
}

// As mapshot and the viewers start a map, through the 3D view's own world
// building.
void worldBuild(benchmark::State& state)
{
    GroupArchive archive;
    ViewerStartup::openArchive(archive, archiveFile().path());
    TileSet tiles;
    ViewerStartup::loadTiles(tiles, archive);
    const auto window = std::make_unique<ViewerWindow>("bench");
    const auto view = std::make_unique<WalkView>(Vell::Rect(0, 0, ViewerWindow::viewWidth, ViewerWindow::viewHeight),
                                                 window.get());
    const char* name = mapName(int(state.range(0)));
    for (auto _ : state) {
        World world;
        const Map map = loadMapByName(archive, name);
        ViewerStartup::buildWorld(*view, world, map, tiles, name);
    }
    state.SetLabel(name);
}

// The demo archive with its tile set loaded, and a snapshot stage.
struct Stage {
    GroupArchive archive;
    TileSet tiles;
    std::unique_ptr<VellTools::MapShooter> shooter;
    VellTools::MapCounts counts;

    Stage()
    {
        ViewerStartup::openArchive(archive, archiveFile().path());
        ViewerStartup::loadTiles(tiles, archive);
        shooter = std::make_unique<VellTools::MapShooter>(VellTools::ShotOptions());
    }
    Vell::Picture shoot(const char* map) { return shooter->shoot(archive, tiles, map, counts); }
};

void wholePicture(benchmark::State& state)
{
    Stage stage;
    for (auto _ : state)
        benchmark::DoNotOptimize(stage.shoot(mapName(int(state.range(0)))));
    state.SetLabel(mapName(int(state.range(0))));
}

void pngEncoding(benchmark::State& state)
{
    Stage stage;
    const Vell::Picture picture = stage.shoot("e3l1.map");
    const std::string path = std::string(archiveFile().path()) + ".png";
    for (auto _ : state)
        Vell::writePng(path, picture);
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(glStart)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(tileSet)->Unit(benchmark::kMillisecond);
BENCHMARK(worldBuild)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(wholePicture)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(pngEncoding)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
