// A small program on the window library, run headless by the end-to-end
// test: a main window with a GL view that clears to blue and writes white
// text after the swap. It feeds itself input through the platform's event
// queue, prints what its handlers receive, checks the presented pixels and
// closes on Esc. "throw" as argument makes start-up fail instead.
#include "core/Exception.h"
#include "gui/DC.h"
#include "gui/GLWidget.h"
#include "gui/GUIApplication.h"
#include "gui/platform/Platform.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

using namespace Vell;

namespace {

class View : public GLWidget {
public:
    View(const Rect& placement, Window* parentWindow) : GLWidget(placement, parentWindow) {}

    void render() override
    {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void paintContents(DC& dc) override
    {
        GLWidget::paintContents(dc);
        glFlush();
        dc.setBackgroundMode(DC::transparent);
        dc.setTextColor(Color(255, 255, 255));
        dc.fillRect(Rect(10, 16, 60, 12), Color(255, 255, 255));
        dc.textOut(10, 40, "elapsed: 0");
    }

    void onKeyDown(int key, std::int64_t) override
    {
        std::printf("keydown %d\n", key);
        if (key == 27)
            dynamic_cast<Window*>(getParent())->close(false);
        else
            repaint();
    }
    void onKeyUp(int key, std::int64_t) override { std::printf("keyup %d\n", key); }
    void onChar(int c, int) override { std::printf("char %d\n", c); }
    void onMouseEnter() override { std::printf("mouseenter\n"); }
    void onMouseMove(const Point& p, int) override { std::printf("mousemove %d %d\n", p.x, p.y); }
    void onLeftButtonDown(const Point& p, int) override { std::printf("lbuttondown %d %d\n", p.x, p.y); }
    void onLeftButtonUp(const Point& p, int) override { std::printf("lbuttonup %d %d\n", p.x, p.y); }
    void onSetFocus(Window*) override { std::printf("setfocus\n"); }
};

class MainWindow : public Window {
public:
    MainWindow() : Window("test window", 0x02CF0000, useDefault, useDefault, useDefault, useDefault, nullptr)
    {
        setMinimumSize(810, 630);
        setMaximumSize(810, 630);
        setSize(810, 630);
    }
    void onActivate() override
    {
        std::printf("activate\n");
        if (view)
            view->focus();
    }
    void onDestroy() override { std::printf("destroy\n"); }
    View* view = nullptr;
};

class Quitter : public Listener {
public:
    void notify() override
    {
        std::printf("close listener\n");
        dynamic_cast<GUIApplication*>(theApplication)->quit();
    }
};

// Checks a pixel of the presented frame.
bool pixelIs(Platform::Handle top, int x, int y, std::uint32_t want)
{
    int width, height;
    std::vector<std::uint32_t> frame = Platform::readFrame(top, width, height);
    if (x >= width || y >= height)
        return false;
    std::uint32_t got = frame[std::size_t(y) * width + x] & 0xFFFFFF;
    std::printf("pixel %d %d %06x\n", x, y, got);
    return got == want;
}

int countWhite(Platform::Handle top, const Rect& area)
{
    int width, height, count = 0;
    std::vector<std::uint32_t> frame = Platform::readFrame(top, width, height);
    for (int y = area.top(); y <= area.bottom() && y < height; ++y)
        for (int x = area.left(); x <= area.right() && x < width; ++x)
            count += (frame[std::size_t(y) * width + x] & 0xFFFFFF) == 0xFFFFFF;
    return count;
}

class TestApplication : public GUIApplication {
public:
    bool init() override
    {
        if (arguments.count() > 1 && std::strcmp(arguments.at(1).text(), "throw") == 0)
            throw IOException("x");
        auto* main = new MainWindow;
        main->closeListeners.append(&quitter);
        mainWindow = main;
        Platform::setFrameCapture(main->handle(), true);
        main->show(true);
        view = new View(Rect(0, 0, 800, 600), main);
        main->view = view;
        Rect client = main->clientRect();
        Rect outer = main->windowRect();
        std::printf("client %d %d outer %d %d\n", client.width(), client.height(), outer.width(), outer.height());
        view->capture();
        Platform::showCursor(false);
        Platform::setCursorPos(300, 300);
        view->focus();
        return true;
    }

    bool onIdle(int count) override
    {
        GUIApplication::onIdle(count);
        Platform::Handle top = mainWindow->handle();
        if (step == 0 && Platform::presentCount(top) > 0) {
            bool gl = pixelIs(top, 400, 300, 0x0000FF);
            bool text = pixelIs(top, 20, 20, 0xFFFFFF);
            std::printf("frame gl %s text %s\n", gl ? "ok" : "bad", text ? "ok" : "bad");
            std::printf("text pixels %s\n", countWhite(top, Rect(10, 40, 100, 16)) > 20 ? "ok" : "bad");
            Platform::Box vp = Platform::glViewportFor(view->handle());
            std::printf("viewport %d %d %d %d\n", vp.x, vp.y, vp.width, vp.height);
            Platform::simulateKey('W', true);
            Platform::simulateKey('W', true, true);
            Platform::simulateKey('W', false);
            Platform::simulateMouseMotion(10, -5);
            Platform::simulateMouseButton(1, true);
            Platform::simulateMouseButton(1, false);
            Platform::simulateKey(112, true);
            step = 1;
        } else if (step == 1) {
            Platform::simulateKey(27, true);
            step = 2;
        }
        return false;
    }

    int step = 0;
    View* view = nullptr;
    Quitter quitter;
};

TestApplication application;

} // namespace
