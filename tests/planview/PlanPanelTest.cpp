// The info panel over the plan: the sector under the pointer and the wall
// drawn nearest to it, with the map's own numbers, and a click that puts
// the player on the sector clicked. The plan is seen in perspective: a
// floor 64 units up is drawn a little larger.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "PlanFixtures.h"
#include "gui/platform/Platform.h"
#include "mapdata/RecordText.h"
#include "planview/PlanView.h"
#include "tests/support/MessagePump.h"
#include "viewer/ViewerWindow.h"

using namespace PlanFixtures;
using namespace Vell;
using Vell3D::PlanView;

namespace {

// Two rooms along world -x (map x 0..1024 and 1024..2048, map y 0..1024),
// the start at map (10, 512) facing the second. At 16 world units to a
// pixel the opening between them is drawn across y = 236.6, the far wall
// at y = 173, the side walls at x = 368 and 432.
class PlanPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        content = roomRow({0, 1024, 2048}, {0, 64});
        records = WorldFixtures::loadMap(content);
        buildPlan(world, content);
        main = std::make_unique<Vell3D::ViewerWindow>("planview panel test");
        Platform::setFrameCapture(main->handle(), true);
        main->show(true);
        view = new PlanView(Rect(0, 0, 800, 600), main.get());
        view->records = &records;
        view->setWorld(&world);
        TestSupport::pumpMessages();
    }
    void TearDown() override
    {
        main.reset();
        TestSupport::dropMessages();
    }
    void send(std::uint32_t message, int x, int y)
    {
        Platform::postMessage({view->handle(), message, 0, Platform::packPoint(x, y)});
        TestSupport::pumpMessages();
    }
    // The wall of sector `of` that leads into sector `into`.
    int opening(int of, int into) const
    {
        for (int w = 0; w < records.wallCount(); ++w)
            if (records.walls()[std::size_t(w)].otherSector == into && world.walls[std::size_t(w)].sector == of)
                return w;
        return -1;
    }

    VellTools::MapContent content;
    Vell3D::Map records;
    World world;
    std::unique_ptr<Vell3D::ViewerWindow> main;
    PlanView* view = nullptr;   // a child of main
};

} // namespace

TEST_F(PlanPanelTest, namesTheSectorUnderThePointerWithItsRecord)
{
    send(Platform::WM_MOUSEMOVE, 400, 205);
    EXPECT_TRUE(view->panelLines().empty()) << "the panel is off";
    view->onKeyDown('I', 0);
    std::vector<std::string> lines = view->panelLines();
    std::vector<std::string> want{"pointer: sector 1"};
    for (const std::string& line : Vell3D::RecordText::lines(records, Vell3D::RecordText::Table::sector, 1))
        want.push_back(line);
    want.push_back("nearest wall: none close to the pointer");
    EXPECT_EQ(lines, want);

    send(Platform::WM_MOUSEMOVE, 300, 300);
    EXPECT_EQ(view->panelLines().front(), "pointer: no sector");
    view->onKeyDown('I', 0);
    EXPECT_TRUE(view->panelLines().empty());
}

// On the opening both rooms' walls are drawn on one line: the one of the
// room under the pointer is named, on either side of the line.
TEST_F(PlanPanelTest, namesTheWallNearestThePointerOfTheRoomUnderIt)
{
    view->onKeyDown('I', 0);
    send(Platform::WM_MOUSEMOVE, 410, 234);
    std::vector<std::string> lines = view->panelLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "pointer: sector 1");
    const int ofRoom1 = opening(1, 0);
    EXPECT_EQ(lines[7], "nearest wall: " + std::to_string(ofRoom1));
    EXPECT_EQ(lines[8], Vell3D::RecordText::lines(records, Vell3D::RecordText::Table::wall, ofRoom1)[0]);

    send(Platform::WM_MOUSEMOVE, 410, 239);
    lines = view->panelLines();
    EXPECT_EQ(lines[0], "pointer: sector 0");
    EXPECT_EQ(lines[7], "nearest wall: " + std::to_string(opening(0, 1)));

    // A side wall 4 pixels away is named; 8 pixels away it is not.
    send(Platform::WM_MOUSEMOVE, 428, 205);
    EXPECT_NE(view->panelLines()[7].find("nearest wall: "), std::string::npos);
    EXPECT_EQ(view->panelLines()[7].find("none"), std::string::npos);
    send(Platform::WM_MOUSEMOVE, 424, 205);
    EXPECT_EQ(view->panelLines()[7], "nearest wall: none close to the pointer");
}

// The wall named is marked in yellow where the plan draws it, over the
// picture like the panel; with nothing named nothing is marked.
TEST_F(PlanPanelTest, theWallNamedIsMarkedOverThePlan)
{
    auto yellowAlongTheSideWall = [&] {
        TestSupport::pumpMessages();
        int width = 0, height = 0;
        const std::vector<std::uint32_t> frame = Platform::readFrame(main->handle(), width, height);
        int yellow = 0;
        for (int y = 180; y < 230; ++y)
            for (int x = 429; x < 436; ++x)
                yellow += (frame[std::size_t(y * width + x)] & 0xFFFFFF) == 0xFFFF00;
        return yellow;
    };
    send(Platform::WM_MOUSEMOVE, 428, 205);
    EXPECT_EQ(yellowAlongTheSideWall(), 0) << "the panel is off";
    view->onKeyDown('I', 0);
    EXPECT_GT(yellowAlongTheSideWall(), 100);
    send(Platform::WM_MOUSEMOVE, 400, 205);
    EXPECT_EQ(yellowAlongTheSideWall(), 0);
}

// A click with the panel on stands the player on the floor of the room
// clicked, facing as before; without the panel a click does nothing.
TEST_F(PlanPanelTest, clickPutsThePlayerOnTheSectorClicked)
{
    const Vector3 start = view->playerNode.position();
    const double heading = view->playerNode.heading();
    send(Platform::WM_LBUTTONDOWN, 400, 205);
    EXPECT_EQ(view->playerNode.sector, 0);
    EXPECT_NEAR(view->playerNode.position().x, start.x, 1e-9);

    view->onKeyDown('I', 0);
    send(Platform::WM_LBUTTONDOWN, 400, 205);
    EXPECT_EQ(view->playerNode.sector, 1);
    // 94.5 pixels ahead of the player, on a floor 64 units up: the camera
    // is 7936 above it, at 500 pixels' distance.
    EXPECT_NEAR(view->playerNode.position().x, start.x - 94.5 * 7936 / 500, 1);
    // The pixel's centre lies half a pixel right of the view's centre.
    EXPECT_NEAR(view->playerNode.position().y, start.y + 0.5 * 7936 / 500, 1);
    EXPECT_NEAR(view->playerNode.position().z, 64, 1e-9) << "on the second room's floor";
    EXPECT_NEAR(view->playerNode.heading(), heading, 1e-9);

    send(Platform::WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(view->playerNode.sector, 1) << "a click on no sector leaves him";
}
