// The info panel of the 3D view: what the line of sight meets first, with
// the map's own numbers, drawn over the picture but not into it.
#include <gtest/gtest.h>

#include "WalkviewFixture.h"
#include "../world/WorldFixtures.h"
#include "mapdata/RecordText.h"
#include "tools/demo/DemoTiles.h"

using namespace Vell3D;
using WalkviewFixture::ViewScene;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Two rooms 1024 high; the player starts in the first looking into the
// second, where a brick face sprite stands straight ahead of the eye in
// front of the far wall. The first room's ceiling is a sky.
VellTools::MapContent roomsWithSprite()
{
    WorldFixtures::TwoRooms rooms = WorldFixtures::twoRooms(0, 1024, 0, 1024);
    rooms.builder.addSprite(1, 1800, 512, 0, VellTools::DemoTiles::brick, 0);
    rooms.builder.sprite(0).lowTag = 12;
    VellTools::MapContent content = WorldFixtures::finish(rooms);
    content.sectors[0].ceilingFlags |= SurfaceBits::sky;
    return content;
}

struct PanelScene {
    PanelScene() { scene.view->records = &records; }

    VellTools::MapContent content = roomsWithSprite();
    Map records = WorldFixtures::loadMap(content);
    ViewScene scene{content};
};

std::vector<std::string> spriteText(const Map& records)
{
    std::vector<std::string> lines{"aim: sprite 0 in sector 1"};
    for (const std::string& line : RecordText::lines(records, RecordText::Table::sprite, 0))
        lines.push_back(line);
    return lines;
}

} // namespace

// I turns the panel on: the sprite ahead is named with its record, and the
// text goes to standard output once, not again for a frame that names the
// same thing. I again turns it off.
TEST(WalkViewPanel, namesTheSpriteAheadAndWritesItOnce)
{
    PanelScene panel;
    WalkView& view = *panel.scene.view;
    EXPECT_TRUE(view.panelLines().empty());
    CaptureStdout();
    panel.scene.key('I');
    panel.scene.picture();
    view.repaint();
    panel.scene.picture();
    const std::string written = GetCapturedStdout();
    EXPECT_EQ(view.panelLines(), spriteText(panel.records));
    std::string expected;
    for (const std::string& line : spriteText(panel.records))
        expected += line + "\n";
    EXPECT_EQ(written, expected);

    panel.scene.key('I');
    EXPECT_TRUE(view.panelLines().empty());
}

// Turned aside the eye meets the side wall; looking straight up it runs
// out into the sky of the first room.
TEST(WalkViewPanel, namesTheWallAsideAndNothingInTheSky)
{
    PanelScene panel;
    WalkView& view = *panel.scene.view;
    panel.scene.key('I');
    panel.scene.mouse(900, 0);   // a quarter turn to the right
    panel.scene.picture();
    std::vector<std::string> lines = view.panelLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("aim: wall ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(" of sector 0, solid"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].rfind("wall ", 0), 0u);

    panel.scene.mouse(0, -900);  // tilted straight up
    panel.scene.picture();
    EXPECT_EQ(view.panelLines(), std::vector<std::string>{"aim: nothing (a sky, or past the far plane)"});
}

// The panel is a black box at the bottom left, clear of the overlay's text,
// which stays as it was; a picture taken (F12) has neither.
TEST(WalkViewPanel, drawnBelowTheOverlayAndLeftOutOfPictures)
{
    PanelScene panel;
    WalkView& view = *panel.scene.view;
    const Vell::Picture without = view.takePicture();
    const WalkviewFixture::Picture before = panel.scene.picture();
    panel.scene.key('I');
    const WalkviewFixture::Picture after = panel.scene.picture();
    int changedAbove = 0, black = 0, white = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            // Row 6, the frame time, changes from frame to frame.
            const bool frameTimeRow = y >= 16 * 6 && y < 16 * 7;
            if (y < 420 && !frameTimeRow && after.at(x, y) != before.at(x, y))
                ++changedAbove;
            if (y >= 520 && x < 300) {
                black += after.at(x, y) == 0;
                white += after.at(x, y) == 0xFFFFFF;
            }
        }
    EXPECT_EQ(changedAbove, 0) << "the overlay and the picture above the panel";
    EXPECT_GT(black, 5000);
    EXPECT_GT(white, 300);
    const Vell::Picture with = view.takePicture();
    EXPECT_EQ(with.pixels, without.pixels);
}
