// The plan player's move and its bookkeeping: the view's steps, the stop
// before a wall, the floor height of the sector reached and the visible
// area recomputed after every change of placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "PlanFixtures.h"

using namespace PlanFixtures;
using Vell3D::PlanPlayerNode;
using Vell3D::Segment;
using Vell3D::Vector3;

namespace {

// The ends of the fan's cuts ahead of the player (y > 0 in his frame).
std::vector<double> aheadEnds(const PlanPlayerNode& player)
{
    std::vector<double> ends;
    for (const Segment& s : player.visibleSegments)
        for (const Vector3& end : {s.a, s.b})
            if (end.y > 0)
                ends.push_back(end.y);
    return ends;
}

// The fan reaches ahead, and every end there lies at the distance.
::testing::AssertionResult endsAheadAt(const PlanPlayerNode& player, double distance)
{
    const std::vector<double> ends = aheadEnds(player);
    if (ends.empty())
        return ::testing::AssertionFailure() << "nothing ahead";
    for (double end : ends)
        if (std::fabs(end - distance) > 1e-6)
            return ::testing::AssertionFailure() << "an end ahead at " << end;
    return ::testing::AssertionSuccess();
}

} // namespace

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

// A turn, a move and a placement each give the fan of the new place: the
// cuts ahead end on the wall he now faces, at its new distance.
TEST(PlanMove, everyChangeOfPlacementRecomputesTheFan)
{
    Walker walker(roomRow({0, 1024, 2048}, {0, 0}));
    walker.placeAt(-100, 512, 0);
    // Looking down the row: both rooms are seen, the front fan ends on the
    // far wall of the second room at x = -2048.
    EXPECT_EQ(walker.player.visibleSectors, (std::vector<int>{0, 1}));
    const std::vector<double> ends = aheadEnds(walker.player);
    ASSERT_FALSE(ends.empty());
    EXPECT_NEAR(*std::max_element(ends.begin(), ends.end()), 1948, 1e-6);

    walker.player.rotate(180, 0, 0, 1);   // facing the near wall 100 behind
    EXPECT_EQ(walker.player.visibleSectors, (std::vector<int>{0, 1}));
    EXPECT_TRUE(endsAheadAt(walker.player, 100));

    walker.player.move(0, 50, 0);
    EXPECT_TRUE(endsAheadAt(walker.player, 50));

    // Placed, not moved: no wall stops him, the placement starts from an
    // unturned node (facing world +y), and the fan is that of the middle of
    // room 1: its side walls 512 ahead and behind, nothing beyond.
    walker.player.sector = 1;
    walker.player.setPosition(-1500, 512, 0);
    EXPECT_NEAR(walker.at().x, -1500, 1e-9);
    EXPECT_EQ(walker.player.visibleSectors, (std::vector<int>{1}));
    EXPECT_TRUE(endsAheadAt(walker.player, 512));
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
