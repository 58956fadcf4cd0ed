// The plan view on the largest maps, "large.map" (1024 sectors, 8192 walls)
// and "huge.map" (4096 sectors, 16384 walls): the visible-area computation
// at 1000 random placements (median and worst as counters), one key press to
// the presented frame through the real view in an offscreen window, and the
// whole start-up to the first frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdlib>
#include <random>
#include <vector>

#include "BenchFile.h"
#include "core/File.h"
#include "gui/platform/Platform.h"
#include "mapdata/Map.h"
#include "planview/PlanView.h"
#include "programs/PlanApplication.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "viewer/ViewerWindow.h"
#include "world/World.h"

namespace {

using namespace Vell3D;

// The plan world of large.map (big 0) or huge.map (big 1).
World& bigWorld(int big)
{
    static World worlds[2];
    World& world = worlds[big];
    if (!world.built) {
        BenchFile file("planview-big.map",
                       VellTools::MapWriter::bytes(big == 0 ? VellTools::largeMap() : VellTools::hugeMap()));
        Vell::File stream(file.path(), Vell::File::readOnly);
        Map map;
        map.load(stream);
        World::BuildOptions options;
        options.planOnly = true;
        world.build(map, options);
        world.buildPieces();
    }
    return world;
}

double threadMicroseconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

struct Placement {
    int sector;
    double x, y, heading;
};

std::vector<Placement> randomPlacements(const World& world, int count)
{
    std::mt19937 random(2024);
    std::vector<Placement> placements;
    while (int(placements.size()) < count) {
        int s = int(random() % world.sectors.size());
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (int w : world.sectors[std::size_t(s)].walls) {
            const WallPoint& p = world.points[std::size_t(w)];
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        std::uniform_real_distribution<double> ux(x0, x1), uy(y0, y1), turn(0.0, 360.0);
        double x = ux(random), y = uy(random);
        if (world.holds(s, x, y))
            placements.push_back({s, x, y, turn(random)});
    }
    return placements;
}

void visibility(benchmark::State& state)
{
    World& world = bigWorld(int(state.range(0)));
    const std::vector<Placement> placements = randomPlacements(world, 1000);
    PlanPlayerNode player;
    player.viewWindows = Vell3D::PlanView::viewWindows();
    player.world = &world;
    std::vector<double> times;
    std::size_t sectors = 0;
    std::size_t worstSectors = 0, worstSegments = 0;
    double worst = 0;
    for (auto _ : state) {
        times.clear();
        sectors = 0;
        for (const Placement& p : placements) {
            player.setPosition(p.x, p.y, 0.0);   // computes once; the timed run is the next
            player.rotate(p.heading, 0.0, 0.0, 1.0);
            player.sector = p.sector;
            // The thread's own processor time: the machine may be shared,
            // and a preempted run says nothing about the computation.
            double start = threadMicroseconds();
            player.updateVisibility();
            times.push_back(threadMicroseconds() - start);
            sectors += player.visibleSectors.size();
            if (times.back() > worst) {
                worst = times.back();
                worstSectors = player.visibleSectors.size();
                worstSegments = player.visibleSegments.size();
            }
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times[times.size() / 2];
    state.counters["worst_us"] = times.back();
    state.counters["worst_sectors"] = double(worstSectors);
    state.counters["worst_segments"] = double(worstSegments);
    state.counters["mean_sectors"] = double(sectors) / double(placements.size());
}
BENCHMARK(visibility)->ArgName("huge")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// One Left key through the platform's event queue, the loop's dispatch and
// the view's paint, until the frame is presented.
void keyToFrame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    World& world = bigWorld(int(state.range(0)));
    auto* main = new Vell3D::ViewerWindow("planview benchmark");
    Vell::Platform::setFrameCapture(main->handle(), false);
    main->show(true);
    auto* view = new Vell3D::PlanView(Vell::Rect(0, 0, 800, 600), main);
    view->setWorld(&world);
    view->focus();
    Vell::Platform::Handle top = main->handle();
    auto pumpUntilPresented = [&](int presented) {
        Vell::Platform::Message m;
        while (Vell::Platform::presentCount(top) <= presented) {
            if (Vell::Platform::peekMessage(m)) {
                Vell::Platform::translateMessage(m);
                Vell::Platform::dispatchMessage(m);
            }
        }
    };
    pumpUntilPresented(0);
    for (auto _ : state) {
        int presented = Vell::Platform::presentCount(top);
        Vell::Platform::simulateKey(Vell::Platform::VK_LEFT, true);
        Vell::Platform::simulateKey(Vell::Platform::VK_LEFT, false);
        pumpUntilPresented(presented);
    }
    main->close(true);
}
BENCHMARK(keyToFrame)->ArgName("huge")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plan viewer's whole start-up in this process, as its application runs
// it: archive, tile set, windows, map, world with pieces, then the message
// loop until the first frame is presented. Argument 0 shows the demo map
// "$" from the archive, 1 large.map and 2 huge.map from a file. Starting the
// process itself (loading the program and its libraries) is not included.
void startToFirstFrame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    static BenchFile archive("planview-demo.grp", VellTools::demoArchive(false));
    static BenchFile large("planview-large-start.map", VellTools::MapWriter::bytes(VellTools::largeMap()));
    static BenchFile huge("planview-huge-start.map", VellTools::MapWriter::bytes(VellTools::hugeMap()));
    const char* names[] = {"$", large.path(), huge.path()};
    const char* mapName = names[state.range(0)];
    for (auto _ : state) {
        auto* application = new Vell3D::PlanApplication;
        application->arguments.append(Vell::String("planview"));
        application->arguments.append(Vell::String(archive.path()));
        application->arguments.append(Vell::String(mapName));
        application->init();
        Vell::Platform::Handle top = application->mainWindow->handle();
        Vell::Platform::Message m;
        while (Vell::Platform::presentCount(top) == 0) {
            if (Vell::Platform::peekMessage(m)) {
                Vell::Platform::translateMessage(m);
                Vell::Platform::dispatchMessage(m);
            }
        }
        state.PauseTiming();
        application->mainWindow->close(true);
        delete application;
        state.ResumeTiming();
    }
}
BENCHMARK(startToFirstFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
