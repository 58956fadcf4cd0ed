// The plan view in a real (offscreen) window: the picture, the key table and
// the reset.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>

#include "FanReach.h"
#include "PlanFixtures.h"
#include "gui/platform/Platform.h"
#include "planview/PlanView.h"
#include "tests/support/MessagePump.h"
#include "tools/demo/DemoMaps.h"
#include "viewer/ViewerWindow.h"

using namespace PlanFixtures;
using namespace Vell;
using Vell3D::PlanView;

namespace {

void pump() { TestSupport::pumpMessages(); }

struct Rgb {
    int r, g, b;
};

class PlanViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        // Two rooms along world -x; the start faces the far wall of the
        // second room, 2038 ahead, with the side walls 512 to either side.
        buildPlan(*world, roomRow({0, 1024, 2048}, {0, 0}));
        main = new Vell3D::ViewerWindow("planview test");
        Platform::setFrameCapture(main->handle(), true);
        main->show(true);
        view = new PlanView(Rect(0, 0, 800, 600), main);
        view->setWorld(world.get());
        pump();
    }
    void TearDown() override
    {
        main->close(true);
        pump();
    }
    Rgb pixel(int x, int y)
    {
        int width = 0, height = 0;
        std::vector<std::uint32_t> frame = Platform::readFrame(main->handle(), width, height);
        if (x >= width || y >= height)
            return {-1, -1, -1};
        std::uint32_t p = frame[std::size_t(y) * std::size_t(width) + std::size_t(x)];
        return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }
    // A wall of the map within two pixels of (x, y).
    bool green(int x, int y)
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                Rgb p = pixel(x + dx, y + dy);
                if (p.g > 100 && p.r < p.g - 40 && p.b < p.g - 40)
                    return true;
            }
        return false;
    }
    int countWhite(int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                Rgb p = pixel(x, y);
                n += p.r > 200 && p.g > 200 && p.b > 200;
            }
        return n;
    }

    std::unique_ptr<World> world = std::make_unique<World>();
    Vell3D::ViewerWindow* main = nullptr;
    PlanView* view = nullptr;
};

} // namespace

// 16 world units to a pixel at the camera's height of 8000; the view's
// centre (400, 300) is the player.
TEST_F(PlanViewTest, mapFanAndMarkerTurnedSoTheHeadingPointsUp)
{
    EXPECT_TRUE(green(400, 173) && green(380, 173) && green(420, 173));   // far wall across, ahead
    EXPECT_TRUE(green(368, 250) && green(432, 250));                     // side walls along
    EXPECT_FALSE(green(400, 250));
    Rgb fan = pixel(400, 240);
    EXPECT_GT(fan.b, fan.r + 20);          // the translucent blue fan ahead
    Rgb beyond = pixel(400, 150);          // nothing past the far wall
    EXPECT_LT(beyond.b, 20);
    EXPECT_GT(countWhite(399, 276, 401, 299), 15);   // the marker's shaft, pointing up
    EXPECT_GT(countWhite(10, 16, 200, 80), 30);      // the status text

    // A quarter turn left: the far wall now lies to the right of the player.
    for (int i = 0; i < 18; ++i)
        view->onKeyDown(Platform::VK_LEFT, 0);
    pump();
    EXPECT_TRUE(green(527, 300));
    EXPECT_FALSE(green(400, 173));
}

TEST_F(PlanViewTest, keysMoveTurnAndZoomAndResetRestoresTheStart)
{
    const Vell3D::Vector3 start = world->camera.position();
    view->onKeyDown(Platform::VK_UP, 0);
    view->onKeyDown(Platform::VK_UP, 0);
    view->onKeyDown(Platform::VK_DOWN, 0);
    EXPECT_NEAR(view->playerNode.position().x, start.x - 300, 1e-9);
    view->onKeyDown(Platform::VK_RIGHT, 0);
    // Facing world -x, a turn to the right swings the heading towards +y.
    EXPECT_NEAR(view->playerNode.matrix()[4], -std::cos(5 * M_PI / 180), 1e-9);
    EXPECT_NEAR(view->playerNode.matrix()[5], std::sin(5 * M_PI / 180), 1e-9);
    for (int i = 0; i < 3; ++i)
        view->onKeyDown('A', 0);
    view->onKeyDown('Z', 0);
    EXPECT_NEAR(view->viewCamera.position().z, 7800, 1e-9);
    pump();
    EXPECT_FALSE(Platform::isInvalid(view->handle()));
    view->onKeyDown('Q', 0);               // no action, but a repaint
    EXPECT_TRUE(Platform::isInvalid(view->handle()));

    view->onKeyDown('R', 0);
    EXPECT_NEAR(view->playerNode.position().x, start.x, 1e-9);
    EXPECT_NEAR(view->playerNode.position().y, start.y, 1e-9);
    EXPECT_EQ(view->playerNode.sector, world->camera.sector);
    EXPECT_NEAR(view->viewCamera.position().z, 8000, 1e-9);
    EXPECT_EQ(view->viewCamera.xScale(), 0.1);
    EXPECT_EQ(view->viewCamera.far(), 100000);
}

// huge.map in the plan view, from a room deep in it (sector 2340, in hall
// (4, 4)): the fan reaches on through the open hall and its gates, each
// sector listed once, and ends exactly at the first solid wall or the
// window, here or after a few steps; the picture holds the rooms' walls, the
// fan and the marker.
TEST_F(PlanViewTest, hugeMapFanDeepInTheMap)
{
    VellTools::MapContent huge = VellTools::hugeMap();
    huge.startX = huge.startY = 36 * 512 + 256;
    huge.startSector = 36 * 64 + 36;
    buildPlan(*world, huge);
    view->setWorld(world.get());
    pump();
    const Vell3D::PlanPlayerNode& player = view->playerNode;
    ASSERT_EQ(player.sector, 2340);
    const std::vector<int>& reached = player.visibleSectors;
    EXPECT_GT(reached.size(), 8u);
    EXPECT_EQ(reached.front(), 2340);
    EXPECT_EQ(std::set<int>(reached.begin(), reached.end()).size(), reached.size());
    FanReach reach = checkReach(player);
    EXPECT_TRUE(reach.exact()) << reach.firstShort << reach.firstLong;
    // The rooms' walls every 32 pixels, a room's half-width from the marker.
    EXPECT_TRUE(green(100, 252) && green(700, 252) && green(704, 150));
    Rgb fan = pixel(400, 200);
    EXPECT_GT(fan.b, fan.r + 20);
    EXPECT_GT(countWhite(399, 276, 401, 299), 15);

    for (int i = 0; i < 5; ++i)
        view->onKeyDown(Platform::VK_UP, 0);
    EXPECT_EQ(player.sector, 2342);
    reach = checkReach(player);
    EXPECT_TRUE(reach.exact()) << reach.firstShort << reach.firstLong;
}
