// The info panel's cost on "large.map" (1024 sectors, 8192 walls, 4096
// sprites): whole frames of the 3D view through its paint path (render,
// overlay, swap, finish) in an offscreen window, without the panel and with
// it, at the map's start and after turns of 90, 180 and 270 degrees. With
// the panel each frame also casts the line of sight (walls, middles, the
// visible sectors' sprites with their pixels) and draws the panel's text.
// One view draws runs of ten frames with the panel and ten without in
// turn, so that whatever else the machine does weighs on both alike (two
// windows would not do: the one made first presents more slowly); the
// counters are the median frame of each (ms) and their ratio.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchFile.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "tools/demo/DemoArchive.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"
#include "world/World.h"

namespace {

using namespace Vell3D;

// One view of the map in a window of its own.
struct Shown {
    Shown(Map& map, TileSet& tiles)
    {
        window = std::make_unique<ViewerWindow>("bench");
        window->show(true);
        view = new WalkView(Vell::Rect(0, 0, 800, 600), window.get());
        view->records = &map;
        view->buildWorld(world, map, tiles);
        view->setWorld(&world);
        frame();
    }
    // Milliseconds from asking for the frame to its end.
    double frame()
    {
        const auto start = std::chrono::steady_clock::now();
        view->repaint();
        view->update();
        glFinish();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    void turn(int quarters)
    {
        view->resetCamera();
        view->scene.playerCamera.rotate(90.0 * quarters, 0.0, 0.0, 1.0);
        view->scene.portalCamera.updateVisibility();
        frame();
    }

    World world;
    std::unique_ptr<ViewerWindow> window;
    WalkView* view = nullptr;   // a child of the window
};

struct Stage {
    Stage()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        archive.open(file.path());
        tiles.load(archive, "tiles", "palette.dat");
        map = loadMapByName(archive, "large.map");
        shown = std::make_unique<Shown>(map, tiles);
    }

    BenchFile file{"panel-large.grp", VellTools::demoArchive(true)};
    GroupArchive archive;
    TileSet tiles;
    Map map;
    std::unique_ptr<Shown> shown;
};

Stage& stage()
{
    static Stage s;
    return s;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The argument: quarter turns from the start.
void largeMapFrames(benchmark::State& state)
{
    Shown& shown = *stage().shown;
    shown.turn(int(state.range(0)));
    std::vector<double> times[2];
    int frames = 0;
    for (auto _ : state) {
        const bool panel = frames++ / 10 % 2 != 0;
        if (panel != shown.view->showsPanel())
            shown.view->showPanel(panel);
        times[panel].push_back(shown.frame());
    }
    const std::vector<double>& off = times[0];
    const std::vector<double>& on = times[1];
    state.counters["no_panel_ms"] = median(off);
    state.counters["panel_ms"] = median(on);
    state.counters["ratio"] = median(on) / median(off);
}
BENCHMARK(largeMapFrames)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
