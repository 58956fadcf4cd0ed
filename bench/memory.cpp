// Resident memory of the viewers, headless on Mesa's software GL, on an
// archive with maps of every size (the demo's two, large.map, huge.map):
//
//   peakAlone/<view>/<map>  each map opened alone in a fresh process: its
//                           first frame, five repaints and five steps
//                           forward; the peak resident memory, and how far
//                           it lies above the same for a map of one empty
//                           room (the process itself: libraries, window,
//                           GL context); what the view's world takes, and
//                           the tile textures' texels (the GL holds the
//                           same again with a third more for mipmaps), the
//                           surfaces the 3D view keeps besides its lists.
//   paging/<view>           one process pages through the archive three
//                           rounds, each map shown in both views (PageDown,
//                           Tab, Tab), back at the first map after each
//                           round; the resident memory at the start and
//                           after each round, the third against the first,
//                           and a fresh process on the first map shown in
//                           both views.
//
// Every figure comes from a process of its own, forked before anything
// opens a window: a child inherits its parent's pages, so a process that had
// drawn once would measure its past.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>

#include "BenchFile.h"
#include "ProcessMemory.h"
#include "ViewerSession.h"
#include "3d/Texture.h"
#include "gui/platform/Platform.h"
#include "programs/PlanApplication.h"
#include "programs/WalkApplication.h"
#include "render/SectorRenderer.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "walkview/WalkView.h"

namespace {

using namespace Vell3D;
namespace Platform = Vell::Platform;

using Figures = std::map<std::string, double>;

// A field of the kernel's account of this process, in MiB.
double statusMiB(const char* field)
{
    return double(processMemoryKiB(field)) / 1024.0;
}

// Runs the work in a child process and returns the figures it reported.
Figures inChild(const std::function<void(Figures&)>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Figures figures;
        work(figures);
        std::ostringstream text;
        for (const auto& [name, value] : figures)
            text << name << ' ' << value << '\n';
        const std::string bytes = text.str();
        [[maybe_unused]] ssize_t written = write(channel[1], bytes.data(), bytes.size());
        _exit(0);
    }
    close(channel[1]);
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, std::size_t(n));
    close(channel[0]);
    waitpid(child, nullptr, 0);
    Figures figures;
    std::istringstream text(bytes);
    std::string name;
    double value;
    while (text >> name >> value)
        figures[name] = value;
    return figures;
}

BenchFile& archive()
{
    static BenchFile file("memory.grp", VellTools::demoArchive(true));
    return file;
}

// The smallest map there is: one room, nothing in it.
BenchFile& emptyRoom()
{
    static BenchFile file("room.map", VellTools::MapWriter::bytes(VellTools::emptyRoomMap()));
    return file;
}

const std::array<const char*, 4> archiveMaps = {"E3L1.MAP", "DEMO.MAP", "LARGE.MAP", "HUGE.MAP"};

// What the world's tables take, with each sector's lists.
double worldMiB(const World& world)
{
    std::size_t bytes = world.sectors.capacity() * sizeof(WorldSector) + world.walls.capacity() * sizeof(WorldWall) +
                        world.points.capacity() * sizeof(WallPoint) + world.sprites.capacity() * sizeof(WorldSprite) +
                        world.bspNodes.capacity() * sizeof(BspNode) + world.pieceIndices.capacity() * sizeof(int);
    for (const WorldSector& sector : world.sectors) {
        bytes += (sector.walls.capacity() + sector.maskedWalls.capacity() + sector.sprites.capacity() +
                  sector.pieceStarts.capacity()) * sizeof(int);
        bytes += sector.surfacesByTile.capacity() * sizeof(SurfaceEntry);
        for (const SurfaceEntry& entry : sector.surfacesByTile)
            bytes += entry.uses.capacity() * sizeof(SurfaceUse);
    }
    return double(bytes) / (1024.0 * 1024.0);
}

// The tile textures' texels as the tile set keeps them; the GL keeps the
// same again with its mipmaps, a third more.
double textureMiB(const TileSet& tiles)
{
    std::size_t bytes = 0;
    for (int i = 0; i < tiles.tileCount(); ++i)
        if (const Texture* texture = tiles.tile(i).texture)
            bytes += std::size_t(texture->width()) * std::size_t(texture->height()) * 4;
    return double(bytes) / (1024.0 * 1024.0);
}

// The surfaces the 3D view's renderer keeps besides its lists: the masked
// and translucent pieces it draws frame by frame.
double surfaceMiB(const SurfaceMesh& mesh)
{
    return double(mesh.vertices.capacity() * sizeof(SurfaceVertex) + mesh.surfaces.capacity() * sizeof(Surface)) /
           (1024.0 * 1024.0);
}

template <class Application>
double peakAlone(const char* map, Figures* parts = nullptr)
{
    Figures figures = inChild([map](Figures& figures) {
        ViewerSession<Application> session(archive().path(), map);
        for (int i = 0; i < 5; ++i)
            session.repaint();
        // A step forward: W in the 3D view, the Up arrow in the plan.
        const int forward = std::is_same_v<Application, WalkApplication> ? 'W' : Platform::VK_UP;
        for (int i = 0; i < 5; ++i)
            session.key(forward);
        figures["peak"] = statusMiB("VmHWM");
        figures["world"] = worldMiB(session.application.world());
        figures["textures"] = textureMiB(session.application.tiles);
        figures["texture_count"] = session.application.tiles.textureCount();
        if (auto* walk = dynamic_cast<WalkView*>(session.application.pane()))
            if (auto* sectors = dynamic_cast<const SectorRenderer*>(walk->currentRenderer()))
                figures["surfaces"] = surfaceMiB(sectors->middles());
    });
    if (parts)
        *parts = figures;
    return figures["peak"];
}

// The argument: the map's place in archiveMaps.
template <class Application>
void peakAlone(benchmark::State& state)
{
    static const double empty = peakAlone<Application>(emptyRoom().path());
    const char* map = archiveMaps[std::size_t(state.range(0))];
    double peak = 0.0;
    Figures parts;
    for (auto _ : state)
        peak = peakAlone<Application>(map, &parts);
    state.counters["peak_MiB"] = peak;
    state.counters["world_MiB"] = parts["world"];
    state.counters["textures_MiB"] = parts["textures"];
    state.counters["textures"] = parts["texture_count"];
    if (parts.count("surfaces"))
        state.counters["surfaces_MiB"] = parts["surfaces"];
    state.counters["empty_MiB"] = empty;
    state.counters["above_empty_MiB"] = peak - empty;
    state.SetLabel(map);
}
BENCHMARK_TEMPLATE(peakAlone, WalkApplication)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(peakAlone, PlanApplication)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);

template <class Application>
void paging(benchmark::State& state)
{
    constexpr int rounds = 3;
    Figures figures;
    for (auto _ : state) {
        figures = inChild([](Figures& out) {
            ViewerSession<Application> session(archive().path(), "$");
            session.key(Platform::VK_TAB);
            session.key(Platform::VK_TAB);
            out["start"] = statusMiB("VmRSS");
            for (int round = 1; round <= rounds; ++round) {
                for (std::size_t i = 0; i < archiveMaps.size(); ++i) {
                    session.key(Platform::VK_NEXT);
                    session.key(Platform::VK_TAB);
                    session.key(Platform::VK_TAB);
                }
                out["round" + std::to_string(round)] = statusMiB("VmRSS");
            }
            out["peak"] = statusMiB("VmHWM");
        });
        figures["fresh"] = inChild([](Figures& out) {
            ViewerSession<Application> session(archive().path(), "$");
            session.key(Platform::VK_TAB);
            session.key(Platform::VK_TAB);
            out["fresh"] = statusMiB("VmRSS");
        })["fresh"];
    }
    for (const auto& [name, value] : figures)
        state.counters[name + "_MiB"] = value;
    if (figures["round1"] > 0.0)
        state.counters["round3_vs_round1_pct"] = 100.0 * (figures["round3"] / figures["round1"] - 1.0);
    state.counters["round3_above_fresh_MiB"] = figures["round3"] - figures["fresh"];
}
BENCHMARK_TEMPLATE(paging, WalkApplication)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(paging, PlanApplication)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
