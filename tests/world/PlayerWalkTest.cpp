// The rule that every move keeps: the player stands inside the sector he is
// tracked in, or on its outline. Checked after each step of seeded random
// walks, with an even-odd test of its own, on the demo maps and on maps
// whose start lies exactly on an opening's line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "WorldFixtures.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

constexpr double outlineReach = 0.01;

double distanceToSegment(const WallPoint& a, const WallPoint& b, const Vector3& p)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Empty when the point is inside sector s (all loops, even-odd) or within
// outlineReach of its outline; otherwise what went wrong.
std::string standing(const World& world, int s, const Vector3& p)
{
    if (s < 0 || std::size_t(s) >= world.sectors.size())
        return "tracked in no sector";
    if (world.holds(s, p.x, p.y))
        return "";
    double nearest = INFINITY;
    for (int w : world.sectors[std::size_t(s)].walls)
        nearest = std::min(nearest, distanceToSegment(world.wallStart(w), world.wallEnd(w), p));
    if (nearest <= outlineReach)
        return "";
    return "at " + std::to_string(p.x) + " " + std::to_string(p.y) + ", " + std::to_string(nearest) +
           " outside sector " + std::to_string(s);
}

// The world of the map, and the player at its start.
void startIn(World& world, PlayerNode& player, const VellTools::MapContent& content)
{
    world.build(loadMap(content));
    player.world = &world;
    player.takePlacement(world.camera);
}

// Turns and moves of 100 and 3000 units, forward, back and sideways.
void walk(const VellTools::MapContent& content, unsigned seed, int steps)
{
    World world;
    PlayerNode player;
    startIn(world, player, content);
    ASSERT_EQ(standing(world, player.sector, player.position()), "") << "the start";
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> turn(-180.0, 180.0);
    for (int i = 0; i < steps; ++i) {
        player.rotate(turn(random), 0, 0, 1);
        double length = random() % 2 ? 100.0 : 3000.0;
        double sign = random() % 2 ? 1.0 : -1.0;
        bool sideways = random() % 4 == 0;
        const Vector3 from = player.position();
        const int was = player.sector;
        player.move(sideways ? sign * length : 0.0, sideways ? 0.0 : sign * length, 0.0);
        std::string fault = standing(world, player.sector, player.position());
        ASSERT_EQ(fault, "") << "seed " << seed << ", step " << i << ", from " << from.x << " " << from.y
                             << " in sector " << was;
    }
}

// Two quadrilaterals sharing a slanted opening from (1024, 0) to (1536,
// 1024), and a square room beside the second one; the start is the middle
// of the slanted line, in sector 0, facing the given map angle.
VellTools::MapContent slantedOpening(std::int16_t angle)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1536, 1024}, {0, 1024}}, 0, mapZ(512));
    builder.addSector({{1024, 0}, {2048, 0}, {2048, 1024}, {1536, 1024}}, mapZ(24), mapZ(512));
    builder.addSector({{2048, 0}, {3072, 0}, {3072, 1024}, {2048, 1024}}, mapZ(-8), mapZ(512));
    builder.setStart(1280, 512, 0, angle, 0);
    return builder.build();
}

} // namespace

// A wall carried into a turned frame keeps a hair of x extent where it had
// none; the parameter along it must not turn into noise.
TEST(PlayerWalk, intersectTakesTheWallsLargerComponent)
{
    const Vector3 from(0.1, 0.3, 0), to(100.7, 0.3, 0);
    for (double hair : {0.0, 1e-13, -3e-14, 2e-12}) {
        LineCrossing c = intersect(from, to, Vector3(33.3, -250.1, 0), Vector3(33.3 + hair, 749.9, 0));
        EXPECT_NEAR(c.r, 33.2 / 100.6, 1e-9) << hair;
        EXPECT_NEAR(c.s, 0.2504, 1e-9) << hair;
    }
}

// A start snapped onto the line of an opening, heading into the neighbour
// at angles that are not axis aligned: the first step is seen to cross.
TEST(PlayerWalk, aStepFromAnOpeningsLineIntoTheNeighbourCrossesIt)
{
    for (std::int16_t angle : {100, 300, -200, 450, 37}) {
        // From sector 0 into 1, and the same line from the other side,
        // heading back.
        for (auto [startSector, into] : {std::pair{0, 1}, std::pair{1, 0}}) {
            TwoRooms rooms = twoRooms(0, 512, 16, 512);
            rooms.builder.setStart(1024, 512, 0, std::int16_t(angle + 1024 * startSector), std::int16_t(startSector));
            World world;
            PlayerNode player;
            startIn(world, player, finish(rooms));
            player.move(0, 100, 0);
            EXPECT_EQ(player.sector, into) << angle;
            EXPECT_EQ(standing(world, player.sector, player.position()), "") << angle;
        }
    }
    for (std::int16_t angle : {0, 200, -300}) {
        World world;
        PlayerNode player;
        startIn(world, player, slantedOpening(angle));
        player.move(0, 100, 0);
        EXPECT_EQ(player.sector, 1) << angle;
    }
}

TEST(PlayerWalk, randomWalksStayInTheTrackedSector)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        walk(VellTools::firstLevelMap(), seed, 300);
        walk(VellTools::showcaseMap(), seed, 300);
        walk(slantedOpening(std::int16_t(seed * 150)), seed, 300);
        TwoRooms rooms = twoRooms(0, 512, 16, 512);
        rooms.builder.setStart(1024, 512, 0, std::int16_t(seed * 170), 0);
        walk(finish(rooms), seed, 300);
    }
    walk(VellTools::largeMap(), 99, 1000);
    // Deep in huge.map, among sectors and walls past version 7's limits.
    VellTools::MapContent huge = VellTools::hugeMap();
    huge.startX = huge.startY = 36 * 512 + 256;
    huge.startSector = 36 * 64 + 36;
    walk(huge, 99, 1000);
}
