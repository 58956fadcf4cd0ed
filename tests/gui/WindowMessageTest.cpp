// Messages reaching the handlers with the right arguments, widgets meeting
// their parents, size limits reaching the system window, and the two paint
// paths agreeing pixel for pixel.
#include "WindowTestSupport.h"

#include "gui/DC.h"
#include "gui/Widget.h"
#include "gui/Window.h"
#include "gui/platform/Canvas.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Vell;
using namespace WindowTest;
using Platform::packPoint;

namespace {

std::vector<std::string> seen;

std::string text(const char* name, int a, int b) { return std::string(name) + " " + std::to_string(a) + " " + std::to_string(b); }

class Probe : public Window {
public:
    Probe() : Window("probe", 0, 10, 10, 200, 150, nullptr) {}
    void onMove(const Point& p) override { seen.push_back(text("move", p.x, p.y)); }
    void onSize(const Size& s) override { seen.push_back(text("size", s.width, s.height)); }
    void onLeftButtonDown(const Point& p, int) override { seen.push_back(text("down", p.x, p.y)); }
    void onMouseMove(const Point& p, int) override { seen.push_back(text("mousemove", p.x, p.y)); }
    void onKeyDown(int key, std::int64_t lParam) override
    {
        seen.push_back(text("key", key, int(lParam >> 30 & 1)));
    }
    void onSetFocus(Window* lost) override { focusFrom.push_back(lost); }
    void onChildAdded(Window* child) override
    {
        auto* w = dynamic_cast<Widget*>(child);
        bool ready = w && UiElement::isRegistered(&w->getUiElement()) && w->getUserValue() == 0 &&
                     w->getEdgeStyle() == 0 && w->getForeground() == Color(0, 0, 160) &&
                     w->getBackground() == Color(176, 176, 176) && w->getFont() == Font::defaultFont();
        seen.push_back(ready ? "added ready" : "added early");
    }
    void onChildRemoved(Window* child) override
    {
        auto* w = dynamic_cast<Widget*>(child);
        seen.push_back(w && UiElement::isRegistered(&w->getUiElement()) ? "removed registered" : "removed late");
    }
    std::vector<Window*> focusFrom;
};

class Note : public Listener {
public:
    explicit Note(const char* name) : name(name) {}
    void notify() override { seen.push_back(name); }
    const char* name;
};

class Messages : public ::testing::Test {
protected:
    void SetUp() override
    {
        useOffscreen();
        seen.clear();
    }
    void TearDown() override { pump(); }
};

} // namespace

TEST_F(Messages, PositionHalvesAreUnsignedForMoveAndSizeSignedForTheMouse)
{
    Probe window;
    Platform::Handle h = window.handle();
    Platform::postMessage({h, Platform::WM_MOVE, 0, packPoint(-1, 5)});
    Platform::postMessage({h, Platform::WM_SIZE, 0, packPoint(40000, 3)});
    Platform::postMessage({h, Platform::WM_LBUTTONDOWN, 0, packPoint(-3, 40000)});
    pump();
    EXPECT_EQ(seen, (std::vector<std::string>{"move 65535 5", "size 40000 3", "down -3 -25536"}));
}

TEST_F(Messages, SetRectNotifiesMoveBeforeResize)
{
    Probe window;
    Note moved("moved"), resized("resized");
    window.moveListeners.append(&moved);
    window.resizeListeners.append(&resized);
    window.setRect(Rect(20, 30, 300, 200));
    window.moveListeners.clear();
    window.resizeListeners.clear();
    // The listeners hear first; the window's own handlers follow the system window.
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], "moved");
    EXPECT_EQ(seen[1], "resized");
}

TEST_F(Messages, SetFocusNamesTheWindowThatLostIt)
{
    Probe first, second;
    first.focus();
    second.focus();
    ASSERT_EQ(second.focusFrom.size(), 1u);
    EXPECT_EQ(second.focusFrom[0], &first);
    first.focus();
    EXPECT_EQ(first.focusFrom.back(), &second);
    first.dropFocus();
}

TEST_F(Messages, WidgetMeetsItsParentReadyAndLeavesBeforeUnregistering)
{
    Probe parent;
    {
        Widget widget(Rect(0, 0, 40, 20), &parent);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"added ready", "removed registered"}));
}

TEST_F(Messages, WidgetOutlivingItsParentObjectTouchesNothingOfIt)
{
    auto* parent = new Probe;
    auto* widget = new Widget(Rect(0, 0, 40, 20), parent);
    UiElement* element = &widget->getUiElement();
    delete parent;                 // takes the widget's window with it
    seen.clear();
    delete widget;                 // the parent object is gone: nobody to tell
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(UiElement::isRegistered(element));
}

TEST_F(Messages, SizeLimitsSetBeforeShowingHoldOnScreen)
{
    Probe window;
    window.setMinimumSize(200, 150);
    window.show(true);
    Platform::Box minimum, maximum;
    ASSERT_TRUE(Platform::trackingLimits(window.handle(), minimum, maximum));
    EXPECT_EQ(minimum.width, 200);
    EXPECT_EQ(minimum.height, 150);
    EXPECT_EQ(maximum.width, 5000);
    EXPECT_EQ(maximum.height, 5000);
    window.setFixedSize(810, 630);
    ASSERT_TRUE(Platform::trackingLimits(window.handle(), minimum, maximum));
    EXPECT_EQ(minimum, maximum);
    EXPECT_EQ(maximum.width, 810);
}

TEST_F(Messages, KeysArriveAsVirtualKeysAndRepeatAsKeyDowns)
{
    Probe window;
    window.show(true);
    window.focus();
    pump();
    seen.clear();
    for (int key : {27, 37, 38, 39, 40, 65, 90, 112, 113})
        Platform::simulateKey(key, true);
    Platform::simulateKey('W', true, true);
    pump();
    EXPECT_EQ(seen, (std::vector<std::string>{"key 27 0", "key 37 0", "key 38 0", "key 39 0", "key 40 0", "key 65 0",
                                              "key 90 0", "key 112 0", "key 113 0", "key 87 1"}));
    window.dropFocus();
}

TEST_F(Messages, CapturedHiddenCursorMovesTheVirtualCursor)
{
    Probe window;
    window.show(true);
    pump();
    window.capture();
    Platform::showCursor(false);
    EXPECT_TRUE(Platform::relativeMouseMode());
    Platform::setCursorPos(100, 100);
    Platform::simulateMouseMotion(7, -3);
    pump();
    int x, y;
    Platform::getCursorPos(x, y);
    EXPECT_EQ(x, 107);
    EXPECT_EQ(y, 97);
    // The client origin lies at (10 + 5, 10 + 25) on the screen.
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "mousemove 92 62");
    Platform::showCursor(true);
    window.releaseCapture();
    EXPECT_FALSE(Platform::relativeMouseMode());
}

namespace {

class Painted : public Window {
public:
    explicit Painted(bool buffered) : Window("painted", 0, 0, 0, 110, 130, nullptr)
    {
        setDoubleBuffered(buffered);
    }
    void paintContents(DC& dc) override
    {
        dc.fillRect(clientRect(), colour);
        dc.select(Pen(Color(0, 0, 0), 0, Pen::solid));
        dc.line(0, 0, 99, 99);
    }
    Color colour{255, 0, 0};
};

Color pixel(Window& w, int x, int y)
{
    Platform::ColorRef c = Platform::canvasOf(w.handle())->getPixel(x, y);
    return Color(std::uint8_t(c & 0xFF), std::uint8_t(c >> 8 & 0xFF), std::uint8_t(c >> 16 & 0xFF));
}

} // namespace

TEST_F(Messages, DoubleBufferedPaintMatchesDirectPaintInThePaintArea)
{
    Painted direct(false), buffered(true);
    for (Painted* w : {&direct, &buffered}) {
        w->show(true);
        pump();
        w->colour = Color(0, 255, 0);
        w->repaint(Rect(20, 10, 30, 20));     // pixels 20..49, 10..29
        pump();
    }
    const Color red(255, 0, 0), green(0, 255, 0), black(0, 0, 0);
    for (Painted* w : {&direct, &buffered}) {
        SCOPED_TRACE(w->isDoubleBuffered() ? "buffered" : "direct");
        EXPECT_EQ(pixel(*w, 20, 10), green);
        EXPECT_EQ(pixel(*w, 49, 29), green);
        EXPECT_EQ(pixel(*w, 25, 25), black);
        EXPECT_EQ(pixel(*w, 19, 10), red);
        EXPECT_EQ(pixel(*w, 50, 29), red);
        EXPECT_EQ(pixel(*w, 49, 30), red);
        EXPECT_EQ(pixel(*w, 60, 60), black);
    }
}

TEST_F(Messages, PresentingLeavesNoContextOfTheLayerCurrent)
{
    if (glGetString(GL_VERSION))
        GTEST_SKIP() << "a context is current already";
    Probe window;
    window.show(true);
    pump();
    ASSERT_GT(Platform::presentCount(window.handle()), 0);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);
}
