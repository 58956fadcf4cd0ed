#include "WindowTestSupport.h"

#include "core/Exception.h"
#include "gui/GLWidget.h"
#include "gui/Window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Vell;
using namespace WindowTest;

namespace {

std::vector<std::string>* journal = nullptr;

class Note : public Listener {
public:
    explicit Note(std::string text) : text(std::move(text)) {}
    void notify() override { journal->push_back(text); }
    std::string text;
};

class Recorder : public Window {
public:
    Recorder() : Window("test", 0, 10, 10, 200, 150, nullptr) {}
    void onDestroy() override { journal->push_back("destroy"); }
    void onMouseEnter() override { journal->push_back("enter"); }
    void onMouseMove(const Point& p, int) override
    {
        journal->push_back("move " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
};

class Fixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        useOffscreen();
        journal = &lines;
    }
    void TearDown() override
    {
        pump();
        journal = nullptr;
    }
    std::vector<std::string> lines;
};

class ViewportProbe : public GLWidget {
public:
    ViewportProbe(const Rect& r, Window* parentWindow) : GLWidget(r, parentWindow) {}
    void render() override { glGetIntegerv(GL_VIEWPORT, viewport); }
    GLint viewport[4] = {};
};

} // namespace

using WindowBehaviour = Fixture;

TEST_F(WindowBehaviour, MinimumSizeAppliesAtOnceMaximumDoesNot)
{
    Recorder window;
    Note moved("moved"), resized("resized");
    window.moveListeners.append(&moved);
    window.resizeListeners.append(&resized);
    window.setMinimumSize(100, 100);
    lines.clear();
    window.setRect(Rect(window.getRect().origin, Size(50, 200)));
    EXPECT_EQ(window.getRect().size, Size(100, 200));
    EXPECT_EQ(lines, std::vector<std::string>{"resized"});
    window.setSize(6000, 6000);
    EXPECT_EQ(window.getRect().size, Size(6000, 6000));
    window.moveListeners.clear();
    window.resizeListeners.clear();
}

TEST_F(WindowBehaviour, CloseRequestNotifiesListenersThenDestroys)
{
    auto* window = new Recorder;   // destroyed through the window system, as programs do
    Note closing("close listener");
    window->closeListeners.append(&closing);
    window->close(false);
    EXPECT_TRUE(lines.empty());    // only posted so far
    pump();
    EXPECT_EQ(lines, (std::vector<std::string>{"close listener", "destroy"}));
    EXPECT_FALSE(Platform::isWindow(window->handle()));
    window->closeListeners.clear();
    delete window;                 // a window already gone is not destroyed twice
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Window::isClassRegistered());
}

TEST_F(WindowBehaviour, MouseEnterComesOnceBeforeTheFirstMove)
{
    Recorder window;
    Platform::postMessage({window.handle(), Platform::WM_MOUSEMOVE, 0, Platform::packPoint(3, 4)});
    Platform::postMessage({window.handle(), Platform::WM_MOUSEMOVE, 0, Platform::packPoint(-2, 5)});
    pump();
    EXPECT_EQ(lines, (std::vector<std::string>{"enter", "move 3 4", "move -2 5"}));
}

TEST_F(WindowBehaviour, SettersOfWidgetsRepaint)
{
    Recorder parent;
    Widget widget(Rect(0, 0, 50, 20), &parent);
    pump();
    EXPECT_TRUE(Platform::isInvalid(widget.handle()));   // hidden windows wait for their paint
    parent.show(true);
    pump();
    EXPECT_FALSE(Platform::isInvalid(widget.handle()));
    widget.setUserValue(7);
    EXPECT_TRUE(Platform::isInvalid(widget.handle()));
    EXPECT_EQ(widget.getUserValue(), 7);
    EXPECT_TRUE(UiElement::isRegistered(&widget.getUiElement()));
}

TEST_F(WindowBehaviour, UnregisteringAnUnknownElementFails)
{
    UiElement element;
    UiElement::unregisterElement(&element);
    try {
        UiElement::unregisterElement(&element);
        FAIL();
    } catch (const InternalException& e) {
        EXPECT_STREQ(e.message(), "ui element not registered");
    }
}

TEST_F(WindowBehaviour, ViewportFollowsTheClientSizeAtTheNextPaint)
{
    Recorder parent;
    parent.setSize(810, 630);
    parent.show(true);
    ViewportProbe view(Rect(0, 0, 640, 480), &parent);
    pump();
    EXPECT_EQ(view.viewport[2], 640);
    EXPECT_EQ(view.viewport[3], 480);
    // The frame's origin is bottom left: a 480-high view at the top of a
    // 600-high client starts 120 up.
    EXPECT_EQ(view.viewport[1], 120);
    view.setSize(800, 600);
    pump();
    EXPECT_EQ(view.viewport[0], 0);
    EXPECT_EQ(view.viewport[1], 0);
    EXPECT_EQ(view.viewport[2], 800);
    EXPECT_EQ(view.viewport[3], 600);
}

TEST_F(WindowBehaviour, RefusedPixelFormatIsReportedAndTheWidgetLives)
{
    Recorder parent;
    Platform::simulateGLFailure(Platform::GLStatus::noPixelFormat);
    testing::internal::CaptureStdout();
    ViewportProbe view(Rect(0, 0, 64, 64), &parent);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "can't set pixel format\nnull gl rc!\n");
    EXPECT_TRUE(Platform::isWindow(view.handle()));
    EXPECT_EQ(view.context(), 0u);
}

TEST_F(WindowBehaviour, RefusedContextIsReported)
{
    Recorder parent;
    Platform::simulateGLFailure(Platform::GLStatus::noContext);
    testing::internal::CaptureStdout();
    ViewportProbe view(Rect(0, 0, 64, 64), &parent);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "null gl rc!\n");
}

TEST_F(WindowBehaviour, PrintInfoWritesSevenLinesAfterTheTitle)
{
    Recorder parent;
    ViewportProbe view(Rect(0, 0, 64, 64), &parent);
    testing::internal::CaptureStdout();
    view.printInfo();
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(out.rfind("OpenGL information\n\n", 0), 0u);
    std::string rest = out.substr(20);
    const char* keys[] = {"vendor: ", "renderer: ", "version: ", "extensions: ", "GLU version: ", "GLU extensions: "};
    size_t at = 0;
    for (const char* key : keys) {
        EXPECT_EQ(rest.compare(at, strlen(key), key), 0) << key;
        at = rest.find('\n', at) + 1;
    }
    EXPECT_EQ(at, rest.size());
}
