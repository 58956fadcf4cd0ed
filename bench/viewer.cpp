// The viewers' shell on the real application in an offscreen window: the
// time from PageDown to the next map's first presented frame (each map of
// the demo archive with the large maps beside it), the same for Tab to the
// other view, and the process's resident memory after each of two rounds
// through the demo archive in both views.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BenchFile.h"
#include "ProcessMemory.h"
#include "ViewerSession.h"
#include "gui/platform/Platform.h"
#include "programs/WalkApplication.h"
#include "tools/demo/DemoArchive.h"
#include "viewer/ViewerWindow.h"

namespace {

using namespace Vell3D;
namespace Platform = Vell::Platform;

// walkview on the archive at "$", timed from a key to the frame it brings.
class Session : public ViewerSession<WalkApplication> {
public:
    explicit Session(const char* archive) : ViewerSession(archive, "$", false) {}
};

BenchFile& archiveWithLargeMaps()
{
    static BenchFile file("viewer-large.grp", VellTools::demoArchive(true));
    return file;
}

// PageDown from the map before: the argument is the map's place in the
// archive (0 E3L1, 1 DEMO, 2 LARGE, 3 HUGE).
void pageDownToFrame(benchmark::State& state)
{
    Session session(archiveWithLargeMaps().path());
    const int target = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        while (session.application.mapName() != std::array<const char*, 4>{"HUGE.MAP", "E3L1.MAP", "DEMO.MAP",
                                                                            "LARGE.MAP"}[std::size_t(target)])
            session.key(Platform::VK_NEXT);
        state.ResumeTiming();
        session.key(Platform::VK_NEXT);
    }
    state.SetLabel(session.application.mapName());
}
BENCHMARK(pageDownToFrame)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(5);

// Tab to the other view and back, on the demo's first map: both worlds
// are built by then, so this is what a switch costs.
void tabToFrame(benchmark::State& state)
{
    Session session(archiveWithLargeMaps().path());
    session.key(Platform::VK_TAB);
    session.key(Platform::VK_TAB);
    for (auto _ : state)
        session.key(Platform::VK_TAB);
}
BENCHMARK(tabToFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

// Resident memory at the start and after each round through the demo
// archive, each map shown in both views (the argument: how many rounds).
void memoryOverRounds(benchmark::State& state)
{
    const int rounds = int(state.range(0));
    static BenchFile demo("viewer-demo.grp", VellTools::demoArchive(false));
    for (auto _ : state) {
        Session session(demo.path());
        state.counters["start_KiB"] = double(processMemoryKiB("VmRSS"));
        for (int round = 1; round <= rounds; ++round) {
            for (int i = 0; i < 2; ++i) {
                session.key(Platform::VK_NEXT);
                session.key(Platform::VK_TAB);
                session.key(Platform::VK_TAB);
            }
            state.counters["round" + std::to_string(round) + "_KiB"] = double(processMemoryKiB("VmRSS"));
        }
    }
}
BENCHMARK(memoryOverRounds)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
