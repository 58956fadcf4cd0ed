// The sector renderer headless at 800 x 600 on the demo maps, on
// "large.map" (1024 sectors, 8192 walls, 4096 sprites) and on "huge.map"
// (4096 sectors, 16384 walls, 16384 sprites): prepare (every display list,
// with and without making the textures), the visibility walk at a few
// places, and whole frames through the view's paint path (render, swap,
// finish) with the walk's visible set against every sector drawn. The
// floor is the same paint path with one full-screen textured quad.
// BM_placements sets frames at seeded placements against that floor, with
// the walk narrowed and over the whole view; BM_widest says where the time
// of the widest of them goes.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <ctime>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "3d/Texture.h"
#include "BenchFile.h"
#include "gui/GLWidget.h"
#include "gui/Window.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "render/Placement.h"
#include "render/PortalCamera.h"
#include "render/SectorRenderer.h"
#include "render/WalkScene.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"

using namespace Vell3D;

namespace {

class View : public Vell::GLWidget {
public:
    View(const Vell::Rect& r, Vell::Window* parent) : GLWidget(r, parent) {}
    void render() override
    {
        if (draw)
            draw();
    }
    std::function<void()> draw;
};

// One window and context for the whole run, and the demo archive's tiles.
struct Stage {
    Stage()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        window = std::make_unique<Vell::Window>("bench", 0, 0, 0, 810, 630, nullptr);
        window->show(true);
        view = new View(Vell::Rect(0, 0, 800, 600), window.get());
        view->makeCurrent();
        archive.open(file.path());
        tiles.load(archive, "tiles", "palette.dat");
    }
    void frame()
    {
        view->repaint();
        view->update();
        glFinish();
    }
    std::unique_ptr<Vell::Window> window;
    View* view;
    BenchFile file{"render-demo.grp", VellTools::demoArchive(false)};
    GroupArchive archive;
    TileSet tiles;
};

Stage& stage()
{
    static Stage s;
    return s;
}

// A map's world with the view's scene graph, prepared and reset as the
// view does it.
struct MapScene {
    explicit MapScene(const VellTools::MapContent& content)
    {
        BenchFile mapFile("render.map", VellTools::MapWriter::bytes(content));
        Vell::File stream(mapFile.path(), Vell::File::readOnly);
        Map map;
        map.load(stream);
        world.build(map);
        world.attachTextures(stage().tiles);
        walk.setWorld(&world);
        stage().view->makeCurrent();
        walk.useRenderer(&renderer);
        reset();
    }
    void reset() { walk.resetCamera(); }
    void draw() { walk.drawFrame(Vell::Size(800, 600)); }

    World world;
    WalkScene walk;
    PlayerCameraNode& player = walk.playerCamera;
    PortalCamera& camera = walk.portalCamera;
    SectorRenderer renderer;
};

MapScene& mapScene(const std::string& name)
{
    static std::map<std::string, std::unique_ptr<MapScene>> scenes;
    auto& scene = scenes[name];
    if (!scene) {
        if (name == "large")
            scene = std::make_unique<MapScene>(VellTools::largeMap());
        else if (name == "huge")
            scene = std::make_unique<MapScene>(VellTools::hugeMap());
        else if (name == "demo")
            scene = std::make_unique<MapScene>(VellTools::showcaseMap());
        else
            scene = std::make_unique<MapScene>(VellTools::firstLevelMap());
    }
    return *scene;
}

const char* mapNames[] = {"e3l1", "demo", "large", "huge"};

// On large.map (map 2) and huge.map (map 3).
void BM_prepare(benchmark::State& state)
{
    MapScene& scene = mapScene(mapNames[state.range(0)]);
    const bool withTextures = state.range(1) != 0;
    for (auto _ : state) {
        std::unique_ptr<TileSet> fresh;
        if (withTextures) {
            state.PauseTiming();
            fresh = std::make_unique<TileSet>();
            fresh->load(stage().archive, "tiles", "palette.dat");
            scene.world.textureCache = fresh.get();
            state.ResumeTiming();
        }
        scene.renderer.prepare();
        glFinish();
        if (withTextures) {
            state.PauseTiming();
            scene.world.textureCache = &stage().tiles;
            scene.renderer.prepare();
            fresh.reset();
            state.ResumeTiming();
        }
    }
    state.counters["sectors"] = double(scene.world.sectors.size());
}
BENCHMARK(BM_prepare)->ArgNames({"map", "textures"})->ArgsProduct({{2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The walk at the start and turned by 90, 180 and 270 degrees, narrowed or
// over the whole view (as it was before it narrowed).
void BM_visibility(benchmark::State& state)
{
    MapScene& scene = mapScene(mapNames[state.range(0)]);
    scene.reset();
    scene.player.rotate(90.0 * double(state.range(1)), 0.0, 0.0, 1.0);
    scene.camera.narrowing = state.range(2) != 0;
    scene.camera.setViewport(Vell::Size(800, 600));
    for (auto _ : state)
        scene.camera.updateVisibility();
    state.counters["visible"] = scene.camera.visibleCount();
    scene.camera.narrowing = true;
    scene.reset();
}
BENCHMARK(BM_visibility)->ArgNames({"map", "turn", "narrowed"})->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// One frame at the start view; allSectors draws every sector instead of
// the visible set (the walk is skipped since the camera does not move).
void BM_frame(benchmark::State& state)
{
    MapScene& scene = mapScene(mapNames[state.range(0)]);
    const bool allSectors = state.range(1) != 0;
    scene.reset();
    stage().view->draw = [&scene] { scene.draw(); };
    stage().frame();
    if (allSectors) {
        scene.camera.visible.resize(scene.world.sectors.size());
        std::iota(scene.camera.visible.begin(), scene.camera.visible.end(), 0);
    }
    for (auto _ : state)
        stage().frame();
    state.counters["visible"] = scene.camera.visibleCount();
    state.counters["mirrors"] = scene.renderer.mirrorCount();
    stage().view->draw = nullptr;
    scene.reset();
}
BENCHMARK(BM_frame)->ArgNames({"map", "all"})->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// The same frames without the paint path's present: the renderer's own
// share, finished.
void BM_render(benchmark::State& state)
{
    MapScene& scene = mapScene(mapNames[state.range(0)]);
    scene.reset();
    stage().view->makeCurrent();
    glViewport(0, 0, 800, 600);
    scene.draw();
    if (state.range(1) != 0) {
        scene.camera.visible.resize(scene.world.sectors.size());
        std::iota(scene.camera.visible.begin(), scene.camera.visible.end(), 0);
    }
    for (auto _ : state) {
        scene.draw();
        glFinish();
    }
    state.counters["visible"] = scene.camera.visibleCount();
    scene.reset();
}
BENCHMARK(BM_render)->ArgNames({"map", "all"})->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// The floor of this machine: clear, one full-screen textured quad, present
// (range 1) or only finished (range 0).
void floorQuad(Texture* texture)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_STENCIL_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    texture->bind(true, true);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2d(-1, -1);
    glTexCoord2d(8, 0);
    glVertex2d(1, -1);
    glTexCoord2d(8, 6);
    glVertex2d(1, 1);
    glTexCoord2d(0, 6);
    glVertex2d(-1, 1);
    glEnd();
}

void BM_floor(benchmark::State& state)
{
    Texture* texture = stage().tiles.textureFor(1).texture;
    if (state.range(0) == 0) {
        stage().view->makeCurrent();
        glViewport(0, 0, 800, 600);
        for (auto _ : state) {
            floorQuad(texture);
            glFinish();
        }
        return;
    }
    stage().view->draw = [texture] { floorQuad(texture); };
    for (auto _ : state)
        stage().frame();
    stage().view->draw = nullptr;
}
BENCHMARK(BM_floor)->ArgName("present")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Frames at 200 seeded placements on "large.map" and "huge.map", as a user
// drops in with mapshot --at and --angle (anywhere, or on opening lines):
// each frame through the paint path, against the floor measured in the
// same run (clear and one full-screen textured quad, presented), once with
// the walk over the whole view (before it narrowed) and once narrowed.
// Prints the ratios, the visible-set sizes, the walk times and how many
// narrowed walks looked past holes near the eye; the counters carry the
// same figures.
struct PlacementRun {
    std::vector<double> frameMs, walkUs, visible;
};

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return 0.0;
    return values[std::size_t(std::lround(p * double(values.size() - 1)))];
}

template <class Work>
double medianMs(int count, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return percentile(times, 0.5);
}

std::vector<Placement> seededPlacements(const World& world, int count)
{
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const WallPoint& p : world.points) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    std::mt19937 random(18);
    std::uniform_real_distribution<> x(x0, x1), y(y0, y1), angle(0.0, 360.0);
    std::vector<Placement> out;
    while (int(out.size()) < count) {
        Placement o;
        o.x = x(random);
        o.y = y(random);
        o.heading = angle(random);
        if (world.sectorAt(*o.x, *o.y) >= 0)
            out.push_back(o);
    }
    return out;
}

// Seeded places on the lines of openings (an end or the middle, as map
// starts on grid points and steps of 100 units land), any heading.
std::vector<Placement> onOpeningLines(const World& world, int count)
{
    std::vector<int> openings;
    for (std::size_t w = 0; w < world.walls.size(); ++w) {
        if (world.walls[w].isOpening() && world.hasPoints(int(w)))
            openings.push_back(int(w));
    }
    std::mt19937 random(24);
    std::uniform_real_distribution<> angle(0.0, 360.0);
    std::vector<Placement> out;
    while (int(out.size()) < count && !openings.empty()) {
        const int w = openings[std::size_t(random() % openings.size())];
        const WallPoint& a = world.wallStart(w);
        const WallPoint& b = world.wallEnd(w);
        const double t = 0.5 * double(random() % 3);
        Placement o;
        o.x = a.x + t * (b.x - a.x);
        o.y = a.y + t * (b.y - a.y);
        o.heading = angle(random);
        out.push_back(o);
    }
    return out;
}

void BM_placements(benchmark::State& state)
{
    const char* name = mapNames[state.range(0)];
    MapScene& scene = mapScene(name);
    const bool onLines = state.range(1) != 0;
    const auto placements = onLines ? onOpeningLines(scene.world, 200) : seededPlacements(scene.world, 200);
    Texture* texture = stage().tiles.textureFor(1).texture;
    PlacementRun runs[2];   // 0: whole view, 1: narrowed
    std::vector<double> floors;
    int withHoles = 0;   // of the narrowed walks
    for (auto _ : state) {
        for (std::size_t i = 0; i < placements.size(); ++i) {
            if (i % 20 == 0) {
                stage().view->draw = [texture] { floorQuad(texture); };
                floors.push_back(medianMs(5, [] { stage().frame(); }));
            }
            stage().view->draw = [&scene] { scene.draw(); };
            for (int narrowed = 0; narrowed < 2; ++narrowed) {
                scene.reset();
                placements[i].placePlayer(scene.player);
                scene.camera.narrowing = narrowed != 0;
                scene.camera.setViewport(Vell::Size(800, 600));
                PlacementRun& run = runs[narrowed];
                run.walkUs.push_back(1000.0 * medianMs(5, [&scene] { scene.camera.updateVisibility(); }));
                run.visible.push_back(double(scene.camera.visibleCount()));
                if (narrowed)
                    withHoles += !scene.camera.holes().empty();
                stage().frame();
                run.frameMs.push_back(medianMs(3, [] { stage().frame(); }));
            }
        }
    }
    stage().view->draw = nullptr;
    scene.camera.narrowing = true;
    scene.reset();
    const double floor = percentile(floors, 0.5);
    state.counters["floor_ms"] = floor;
    std::printf("\nfloor %.2f ms; frame time / floor over %zu placements %s on %s.map\n", floor, placements.size(),
                onLines ? "on opening lines" : "anywhere", name);
    std::printf("narrowed walks that looked past holes (near the eye, or above its ceiling): %d\n", withHoles);
    state.counters["with_holes"] = withHoles;
    std::printf("%-8s %7s %7s %7s %7s | %7s %7s %7s | %9s %9s\n", "walk", "median", "p90", "p99", "worst",
                "vis med", "vis p99", "vis max", "walk med", "walk max");
    const char* names[2] = {"whole", "narrowed"};
    for (int k = 0; k < 2; ++k) {
        const PlacementRun& r = runs[k];
        const double q[4] = {percentile(r.frameMs, 0.5), percentile(r.frameMs, 0.9), percentile(r.frameMs, 0.99),
                             percentile(r.frameMs, 1.0)};
        std::printf("%-8s %7.2f %7.2f %7.2f %7.2f | %7.0f %7.0f %7.0f | %7.1fus %7.1fus\n", names[k], q[0] / floor,
                    q[1] / floor, q[2] / floor, q[3] / floor, percentile(r.visible, 0.5), percentile(r.visible, 0.99),
                    percentile(r.visible, 1.0), percentile(r.walkUs, 0.5), percentile(r.walkUs, 1.0));
        const std::string n = names[k];
        state.counters[n + "_median_x"] = q[0] / floor;
        state.counters[n + "_p99_x"] = q[2] / floor;
        state.counters[n + "_visible_max"] = percentile(r.visible, 1.0);
    }
}
BENCHMARK(BM_placements)->ArgNames({"map", "on_lines"})->ArgsProduct({{2, 3}, {0, 1}})->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The twelve placements of BM_placements with the most sectors listed: the
// frame's time, the main thread's share of it (the software rasteriser
// draws on threads of its own, but takes each draw and state change on the
// caller's), and what the widest frame hands the GL.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::vector<std::uint64_t> pipelineCounts()
{
    const GLenum kinds[] = {GL_VERTICES_SUBMITTED_ARB, GL_PRIMITIVES_SUBMITTED_ARB,
                            GL_FRAGMENT_SHADER_INVOCATIONS_ARB};
    std::vector<std::uint64_t> counts;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || !std::strstr(extensions, "GL_ARB_pipeline_statistics_query"))
        return counts;
    for (GLenum kind : kinds) {
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(kind, query);
        stage().frame();
        glEndQuery(kind);
        GLuint64 value = 0;
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &value);
        glDeleteQueries(1, &query);
        counts.push_back(value);
    }
    return counts;
}

void BM_widest(benchmark::State& state)
{
    MapScene& scene = mapScene(mapNames[state.range(0)]);
    const auto placements = seededPlacements(scene.world, 200);
    auto place = [&scene, &placements](std::size_t i) {
        scene.reset();
        placements[i].placePlayer(scene.player);
        scene.camera.setViewport(Vell::Size(800, 600));
    };
    std::vector<std::pair<int, std::size_t>> widest;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        place(i);
        scene.camera.updateVisibility();
        widest.push_back({-scene.camera.visibleCount(), i});
    }
    std::sort(widest.begin(), widest.end());
    widest.resize(12);
    stage().view->draw = [&scene] { scene.draw(); };
    std::vector<double> frameMs, threadShare;
    for (auto _ : state) {
        for (const auto& [count, i] : widest) {
            place(i);
            stage().frame();
            const double before = threadMs();
            const double ms = medianMs(9, [] { stage().frame(); });
            frameMs.push_back(ms);
            threadShare.push_back((threadMs() - before) / 9.0 / ms);
        }
    }
    place(widest[0].second);
    stage().frame();
    const std::vector<std::uint64_t> counts = pipelineCounts();
    stage().view->draw = nullptr;
    scene.reset();
    state.counters["frame_ms_median"] = percentile(frameMs, 0.5);
    state.counters["main_thread_share"] = percentile(threadShare, 0.5);
    state.counters["visible_max"] = -widest[0].first;
    if (counts.size() == 3) {
        state.counters["vertices"] = double(counts[0]);
        state.counters["primitives"] = double(counts[1]);
        state.counters["fragments"] = double(counts[2]);
    }
}
BENCHMARK(BM_widest)->ArgName("map")->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
