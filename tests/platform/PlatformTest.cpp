// The window layer on its own, without the framework above it: how invalid
// areas merge into paints and where paints stand in the queue. Keys and the
// virtual cursor are tested through the framework (gui/WindowMessageTest).
#include <gtest/gtest.h>

#include <vector>

#include "gui/platform/Platform.h"

using namespace Vell::Platform;

namespace {

class PlatformLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        setWindowProcedure(defaultWindowProcedure);
        window = createWindow("platform", {useDefault, useDefault, 200, 150}, noWindow);
        ASSERT_NE(window, noWindow);
        showWindow(window, true);
        drain();
    }
    void TearDown() override
    {
        destroyWindow(window);
        drain();
    }

    // Dispatches everything pending; returns what was taken, in order.
    std::vector<Message> drain()
    {
        std::vector<Message> taken;
        Message message;
        while (peekMessage(message)) {
            taken.push_back(message);
            dispatchMessage(message);
        }
        return taken;
    }

    Handle window = noWindow;
};

TEST_F(PlatformLayer, InvalidAreasMergeIntoOnePaintOfTheirUnion)
{
    Box first{10, 10, 20, 20}, second{50, 40, 10, 30};
    invalidate(window, &first);
    invalidate(window, &second);
    Message paint;
    ASSERT_TRUE(peekMessage(paint));
    EXPECT_EQ(paint.message, WM_PAINT);
    EXPECT_EQ(paint.window, window);
    Box area;
    ASSERT_NE(beginPaint(window, area), nullptr);
    EXPECT_EQ(area, (Box{10, 10, 50, 60}));
    endPaint(window);
    EXPECT_FALSE(isInvalid(window));
    for (const Message& m : drain())
        EXPECT_NE(m.message, WM_PAINT);
}

TEST_F(PlatformLayer, PaintsWaitForPostedMessagesAndComeOncePerWindow)
{
    Handle child = createWindow("", {20, 20, 40, 40}, window);
    ASSERT_NE(child, noWindow);
    drain();
    invalidate(child, nullptr);
    invalidate(window, nullptr);
    invalidate(child, nullptr);
    postMessage({window, WM_NULL, 1, 0});
    // Whatever else the system sends meanwhile (focus, activation) is left out.
    std::vector<Message> taken;
    for (const Message& m : drain())
        if (m.message == WM_PAINT || m.message == WM_NULL)
            taken.push_back(m);
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].message, WM_NULL);
    EXPECT_EQ(taken[1].message, WM_PAINT);
    EXPECT_EQ(taken[2].message, WM_PAINT);
    EXPECT_NE(taken[1].window, taken[2].window);
    destroyWindow(child);
}

} // namespace
