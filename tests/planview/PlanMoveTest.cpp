// The plan player's move and its bookkeeping: the view's steps, the stop
// before a wall, the floor height of the sector reached and the visible
// area recomputed after every change of placement.
#include <gtest/gtest.h>

#include <cmath>

#include "PlanFixtures.h"

using namespace PlanFixtures;
using Vell3D::PlanPlayerNode;
using Vell3D::Segment;
using Vell3D::Vector3;

// Three rooms along world -x with floors at 0, 40 and 24.
TEST(PlanMove, stepsStopsOpeningsAndTheFloorOfTheSectorReached)
{
    Walker walker(roomRow({0, 1024, 2048, 3072}, {0, 40, 24}));

    // Up 250 then Down 200 does not come back.
    walker.placeAt(-100, 512, 0);
    walker.player.move(0, 250, 0);
    EXPECT_NEAR(walker.at().x, -350, 1e-9);
    walker.player.move(0, -200, 0);
    EXPECT_NEAR(walker.at().x, -150, 1e-9);
    EXPECT_NEAR(walker.at().z, 0, 1e-9);   // on the floor, not above it

    // Through the opening at x = -1024: the sector and the height change in
    // the same move.
    walker.placeAt(-900, 512, 0);
    walker.player.move(0, 250, 0);
    EXPECT_EQ(walker.player.sector, 1);
    EXPECT_NEAR(walker.at().x, -1150, 1e-9);
    EXPECT_NEAR(walker.at().z, 40, 1e-9);

    // A solid wall 100 ahead (the far end at x = -3072) stops him 5 short;
    // from further than a step away he makes the whole step.
    walker.placeAt(-2972, 512, 2);
    walker.player.move(0, 250, 0);
    EXPECT_NEAR(walker.at().x, -3067, 1e-9);
    EXPECT_NEAR(walker.at().z, 24, 1e-9);
    walker.placeAt(-2700, 512, 2);
    walker.player.move(0, 250, 0);
    EXPECT_NEAR(walker.at().x, -2950, 1e-9);
}

TEST(PlanMove, everyChangeOfPlacementRecomputesTheFan)
{
    Walker walker(roomRow({0, 1024, 2048}, {0, 0}));
    walker.placeAt(-100, 512, 0);
    // Looking down the row: both rooms are seen, the front fan ends on the
    // far wall of the second room at x = -2048.
    EXPECT_EQ(walker.player.visibleSectors, (std::vector<int>{0, 1}));
    double furthest = 0;
    for (const Segment& s : walker.player.visibleSegments)
        furthest = std::max({furthest, s.a.y, s.b.y});
    EXPECT_NEAR(furthest, 1948, 1e-6);

    walker.player.rotate(180, 0, 0, 1);   // facing the near wall 100 behind
    for (const Segment& s : walker.player.visibleSegments) {
        if (s.a.y > 0) {
            EXPECT_NEAR(s.a.y, 100, 1e-6);
        }
    }
    walker.player.move(0, 50, 0);
    for (const Segment& s : walker.player.visibleSegments) {
        if (s.a.y > 0) {
            EXPECT_NEAR(s.a.y, 50, 1e-6);
        }
    }
    walker.player.setPosition(-1500, 512, 0);   // placed, not moved: no walls
    EXPECT_NEAR(walker.at().x, -1500, 1e-9);
}

// A bad start sector: free moves and the two windows unclipped.
TEST(PlanMove, withoutASectorMovesFreelyAndSeesBothWindows)
{
    Walker walker(roomRow({0, 1024}, {16}));
    walker.placeAt(-100, 512, -1);
    walker.player.move(0, 5000, 7);
    EXPECT_NEAR(walker.at().x, -5100, 1e-9);
    EXPECT_NEAR(walker.at().z, 7, 1e-9);
    EXPECT_EQ(walker.player.sector, -1);
    ASSERT_EQ(walker.player.visibleSegments.size(), 2u);
    EXPECT_EQ(walker.player.visibleSegments[0].a.y, 60000);
    EXPECT_EQ(walker.player.visibleSegments[1].a.y, -4000);
    EXPECT_TRUE(walker.player.visibleSectors.empty());
}
