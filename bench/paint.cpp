// The paint path of a GL view headless at 800 x 600: one GL clear, then the
// present (the layer lays the overlay over the frame and swaps), with and
// without seven lines of status text on the overlay. The difference is
// what the overlay costs.
#include "gui/DC.h"
#include "gui/GLWidget.h"
#include "gui/Window.h"
#include "gui/platform/Platform.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Vell;

namespace {

class View : public GLWidget {
public:
    View(const Rect& r, Window* parentWindow) : GLWidget(r, parentWindow) {}
    void render() override
    {
        glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void paintContents(DC& dc) override
    {
        GLWidget::paintContents(dc);
        if (!withText)
            return;
        dc.setBackgroundMode(DC::transparent);
        dc.setTextColor(Color(255, 255, 255));
        char line[64];
        for (int row = 1; row <= 7; ++row) {
            std::snprintf(line, sizeof line, "x: %.3f, y: %.3f", row * 1.5, row * 2.5);
            dc.textOut(10, 16 * row, line);
        }
    }
    bool withText = false;
};

struct Scene {
    Scene()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        main = std::make_unique<Window>("bench", 0, 0, 0, 810, 630, nullptr);
        main->show(true);
        view = new View(Rect(0, 0, 800, 600), main.get());
        frame();
    }
    void frame()
    {
        view->repaint();
        view->update();
    }
    std::unique_ptr<Window> main;
    View* view;
};

Scene& scene()
{
    static Scene s;
    return s;
}

void paintFrames(benchmark::State& state, bool withText)
{
    Scene& s = scene();
    s.view->withText = withText;
    // Each frame is finished, as a visible window's swap would force.
    for (auto _ : state) {
        s.frame();
        glFinish();
    }
}

void BM_GLFrame(benchmark::State& state) { paintFrames(state, false); }
void BM_GLFrameWithOverlayText(benchmark::State& state) { paintFrames(state, true); }

} // namespace

BENCHMARK(BM_GLFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GLFrameWithOverlayText)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
