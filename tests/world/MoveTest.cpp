// The collision-checked move: wall stops, openings, floor following and the
// free move of a node outside every sector.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "WorldFixtures.h"
#include "tools/authoring/MapBuilder.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

struct Walker {
    World world;
    PlayerNode player;

    explicit Walker(const VellTools::MapContent& content)
    {
        world.build(loadMap(content));
        player.world = &world;
    }
    void placeAt(double x, double y, int sector)
    {
        player.reset();
        player.translateGlobal(x, y, 0);
        player.sector = sector;
    }
    Vector3 at() const { return player.position(); }
};

} // namespace

TEST(PlayerMove, solidWallThirtyAwayEndsFiveShort)
{
    Walker walker(squareRoom(0, 256));
    walker.placeAt(-512, 994, 0);   // the wall at world y = 1024
    walker.player.move(0, 100, 0);
    EXPECT_NEAR(walker.at().x, -512, 1e-9);
    EXPECT_NEAR(walker.at().y, 1019, 1e-9);
    EXPECT_NEAR(walker.at().z, 50, 1e-9);
    EXPECT_EQ(walker.player.sector, 0);
}

TEST(PlayerMove, endingExactlyOnTheWallIsCutBackToo)
{
    Walker walker(squareRoom(0, 256));
    walker.placeAt(-512, 924, 0);
    walker.player.move(0, 100, 0);
    EXPECT_NEAR(walker.at().y, 1019, 1e-9);
}

TEST(PlayerMove, freeMoveWhenTheWallIsFurther)
{
    Walker walker(squareRoom(16, 256));
    walker.placeAt(-512, 512, 0);
    walker.player.move(0, 100, 0);
    EXPECT_NEAR(walker.at().y, 612, 1e-9);
    EXPECT_NEAR(walker.at().z, 66, 1e-9);
}

TEST(PlayerMove, movesInTheNodesOwnFrame)
{
    Walker walker(squareRoom(0, 256));
    walker.placeAt(-994, 512, 0);
    walker.player.rotate(90, 0, 0, 1);   // own +y is world -x
    walker.player.move(0, 100, 0);
    EXPECT_NEAR(walker.at().x, -1019, 1e-9);
    EXPECT_NEAR(walker.at().y, 512, 1e-9);
}

TEST(PlayerMove, throughAnOpeningIntoTheNextSector)
{
    Walker walker(roomRow({0, 1024, 2048}, {0, 40}));
    walker.placeAt(-1000, 512, 0);
    walker.player.move(-100, 0, 0);
    EXPECT_EQ(walker.player.sector, 1);
    EXPECT_NEAR(walker.at().x, -1100, 1e-9);
    EXPECT_NEAR(walker.at().z, 90, 1e-9);
}

TEST(PlayerMove, twoOpeningsInARowAndTheWallBeyond)
{
    Walker walker(roomRow({0, 100, 200, 300}, {0, 8, 16}));
    walker.placeAt(-50, 512, 0);
    walker.player.move(-200, 0, 0);
    EXPECT_EQ(walker.player.sector, 2);
    EXPECT_NEAR(walker.at().x, -250, 1e-9);
    EXPECT_NEAR(walker.at().z, 66, 1e-9);

    // The far wall of the last room stops a longer move.
    walker.placeAt(-50, 512, 0);
    walker.player.sector = 0;
    walker.player.move(-1000, 0, 0);
    EXPECT_EQ(walker.player.sector, 2);
    EXPECT_NEAR(walker.at().x, -295, 1e-9);
}

TEST(PlayerMove, standsFiftyAboveASlopedFloor)
{
    auto content = squareRoom(0, 2048);
    content.sectors[0].floorFlags = SurfaceBits::sloped;
    content.sectors[0].floorSlope = 2048;
    Walker walker(content);
    const WorldSector& sector = walker.world.sectors[0];
    walker.placeAt(-512, 300, 0);
    walker.player.move(0, 400, 0);
    Vector3 p = walker.at();
    double floor = sector.floorZAt(p.x, p.y);
    EXPECT_GT(std::fabs(floor), 100);   // really sloped here
    EXPECT_NEAR(p.z, floor + 50, 1e-9);
}

TEST(PlayerMove, noSectorMovesFreelyVerticalPartIncluded)
{
    for (int sector : {-1, 1, 5000}) {
        Walker walker(squareRoom(0, 256));
        walker.placeAt(-512, 994, sector);
        walker.player.move(0, 100, 7);
        EXPECT_NEAR(walker.at().y, 1094, 1e-9) << sector;
        EXPECT_NEAR(walker.at().z, 7, 1e-9) << sector;
        EXPECT_EQ(walker.player.sector, sector);
    }
    PlayerNode alone;   // no world at all
    alone.sector = 0;
    alone.move(3, 4, 5);
    EXPECT_NEAR(alone.position().x, 3, 1e-12);
    EXPECT_NEAR(alone.position().z, 5, 1e-12);
}

TEST(PlayerMove, verticalFloorPlaneLeavesTheHeightAlone)
{
    Walker walker(squareRoom(0, 256));
    walker.world.sectors[0].floorPlane = Vell3D::Plane(1, 0, 0, 5);
    walker.placeAt(-512, 512, 0);
    walker.player.translateGlobal(0, 0, 33);
    walker.player.move(0, 100, 0);
    EXPECT_NEAR(walker.at().y, 612, 1e-9);
    EXPECT_NEAR(walker.at().z, 33, 1e-9);
}

TEST(PlayerMove, brokenLinksNeitherLoopNorLeaveTheTables)
{
    Walker walker(roomRow({0, 100, 200}, {0, 0}));
    // Openings that do not point back, and a sector list with stray walls.
    for (WorldWall& wall : walker.world.walls)
        wall.nextWall = -1;
    walker.world.sectors[1].walls.push_back(99999);
    walker.world.sectors[1].walls.push_back(-3);
    walker.placeAt(-50, 512, 0);
    walker.player.move(-100, 0, 0);
    EXPECT_GE(walker.player.sector, 0);
    EXPECT_LE(walker.player.sector, 1);
    EXPECT_TRUE(std::isfinite(walker.at().x));
}

// A move can end exactly on an opening's line; the next one starts on it and
// meets the opening at parameter 0 whichever way it goes.
TEST(PlayerMove, fromAnOpeningsLineOnlyTheOutwardWayCrosses)
{
    Walker walker(roomRow({0, 1024, 2048}, {0, 40}));
    walker.placeAt(-924, 512, 0);
    walker.player.move(-100, 0, 0);
    ASSERT_EQ(walker.player.sector, 1);
    ASSERT_EQ(walker.at().x, -1024);

    walker.player.move(-100, 0, 0);      // on into the room entered
    EXPECT_EQ(walker.player.sector, 1);
    EXPECT_NEAR(walker.at().z, 90, 1e-9);
    walker.player.move(-2000, 0, 0);     // and its far wall still stops him
    EXPECT_EQ(walker.player.sector, 1);
    EXPECT_NEAR(walker.at().x, -2043, 1e-9);

    walker.placeAt(-1024, 512, 1);       // on the line, going back
    walker.player.move(100, 0, 0);
    EXPECT_EQ(walker.player.sector, 0);
    EXPECT_NEAR(walker.at().z, 50, 1e-9);
}

// The inner loop of a room can be the outline of a sector inside it: a move
// passes into that sector and out again through the loop's openings.
TEST(PlayerMove, inAndOutOfASectorInsideARoom)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(512));
    builder.addInnerLoop(0, {{400, 400}, {400, 600}, {600, 600}, {600, 400}});
    builder.addSector({{400, 400}, {600, 400}, {600, 600}, {400, 600}}, mapZ(16), mapZ(512));
    builder.setStart(100, 500, 0, 0, 0);
    Walker walker(builder.build());
    walker.placeAt(-300, 500, 0);
    walker.player.move(-200, 0, 0);
    EXPECT_EQ(walker.player.sector, 1);
    EXPECT_NEAR(walker.at().z, 66, 1e-9);
    walker.player.move(-200, 0, 0);
    EXPECT_EQ(walker.player.sector, 0);
    EXPECT_NEAR(walker.at().x, -700, 1e-9);
    EXPECT_NEAR(walker.at().z, 50, 1e-9);
}

// The stop five units short of a solid wall can lie before the opening just
// crossed, or behind the start; the player still ends in the sector he is
// tracked in.
TEST(PlayerMove, aStopShortOfAWallStaysInTheTrackedSector)
{
    // A room 3 units deep behind an opening: the stop lies 2 units before
    // the opening, back in the first room.
    Walker walker(roomRow({0, 1024, 1027}, {0, 0}));
    walker.placeAt(-1000, 512, 0);
    walker.player.move(-100, 0, 0);
    EXPECT_EQ(walker.player.sector, 0);
    EXPECT_NEAR(walker.at().x, -1022, 1e-9);

    // A corridor 4 units wide: backing off from one wall must not pass the
    // other, so the player stays; with room behind him he still backs off.
    Walker narrow(roomRow({0, 4}, {0}));
    narrow.placeAt(-1, 512, 0);
    narrow.player.move(100, 0, 0);
    EXPECT_EQ(narrow.player.sector, 0);
    EXPECT_NEAR(narrow.at().x, -1, 1e-9);
    Walker room(roomRow({0, 1024}, {0}));
    room.placeAt(-3, 512, 0);
    room.player.move(100, 0, 0);
    EXPECT_NEAR(room.at().x, -5, 1e-9);
}
