// The visible fan as geometry: at many placements on generated mazes, on
// lanes between rows of walls seen nearly edge on, and on the demo maps, the
// fan ends where a walk along each ray through the openings stops, at the
// first solid wall or at the window: never short of it and never through
// it. Through an opening it reaches the sector behind; where nothing stops
// it, it reaches the view windows. Degenerate walls never produce a point
// that is not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "FanReach.h"
#include "PlanFixtures.h"
#include "planview/PlanView.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"

using namespace PlanFixtures;
using Vell3D::PlanPlayerNode;
using Vell3D::Segment;
using Vell3D::Vector3;

namespace {

bool finite(const Segment& s)
{
    return std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) && std::isfinite(s.b.y);
}

// A long random walk with the view's own steps and arbitrary turns; calls
// check at every placement inside a sector.
int walk(Walker& walker, unsigned seed, int steps, const std::function<void(int step)>& check)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> angle(-180.0, 180.0);
    int placements = 0;
    for (int step = 0; step < steps && walker.player.sector >= 0; ++step) {
        switch (random() % 4) {
        case 0: walker.player.rotate(angle(random), 0, 0, 1); break;
        case 1: walker.player.move(0, -200, 0); break;
        default: walker.player.move(0, 250, 0); break;
        }
        ++placements;
        check(step);
    }
    return placements;
}

// What the reach check found over many placements.
struct Tally {
    int placements = 0;
    int shortOnes = 0;    // placements where the fan is short of a wall or window
    int longOnes = 0;     // ... where it reaches through a wall
    int sliversOnly = 0;  // ... where it is off only in wedges under a unit wide
    int lostOnes = 0;     // ... where the walk cannot follow a ray
    std::string firstShort, firstLong;

    void add(const FanReach& reach, const std::string& where)
    {
        ++placements;
        if (reach.shortRays > 0 && shortOnes++ == 0)
            firstShort = where + ": " + reach.firstShort;
        if (reach.longRays > 0 && longOnes++ == 0)
            firstLong = where + ": " + reach.firstLong;
        sliversOnly += reach.exact() && reach.slivers > 0;
        lostOnes += reach.lostRays > 0;
    }
    std::string summary() const
    {
        std::ostringstream text;
        text << placements << " placements, " << shortOnes << " short, " << longOnes << " through a wall, "
             << sliversOnly << " off in slivers only, " << lostOnes << " with rays lost\n" << firstShort << "\n" << firstLong;
        return text.str();
    }
};

// Slivers are reported apart, in the test's properties, and do not fail.
void expectExact(const Tally& tally, const std::string& name)
{
    ::testing::Test::RecordProperty(name + "_placements", tally.placements);
    ::testing::Test::RecordProperty(name + "_off_in_slivers_only", tally.sliversOnly);
    EXPECT_EQ(tally.shortOnes, 0) << tally.summary();
    EXPECT_EQ(tally.longOnes, 0) << tally.summary();
    EXPECT_EQ(tally.lostOnes, 0) << tally.summary();
}

// Walks and checks the reach at every placement.
void walkAndCheck(const VellTools::MapContent& content, unsigned seed, int steps, Tally& tally)
{
    Walker walker(content);
    walk(walker, seed, steps, [&](int step) {
        for (const Segment& s : walker.player.visibleSegments)
            ASSERT_TRUE(finite(s));
        tally.add(checkReach(walker.player), "seed " + std::to_string(seed) + " step " + std::to_string(step));
    });
}

// Placements looking along the lanes, up to 25 degrees off either way, so
// that the rows between the lanes run nearly edge on, down the middle of the
// fan or along its sides, where they hide only slivers of its far edge.
void checkAlongLanes(unsigned seed, int count, Tally& tally)
{
    Walker walker(lanes(seed));
    std::mt19937 random(seed);
    const double width = laneWidth(seed);
    std::uniform_real_distribution<double> along(1, 4 * laneLength - 1), across(1, width - 1), turn(-25, 25);
    for (int i = 0; i < count; ++i) {
        const int lane = int(random() % 5);
        const double x = along(random), y = lane * width + across(random);
        const double off = turn(random), back = random() % 2 ? 180 : 0;
        walker.placeAt(-x, y, lane * 4 + int(x / laneLength));
        walker.player.rotate(off + back, 0, 0, 1);
        tally.add(checkReach(walker.player), "lanes " + std::to_string(seed) + " placement " + std::to_string(i));
    }
}

VellTools::MapContent mazeFor(unsigned seed)
{
    return maze(12, 12, 256 + 64 * int(seed % 3), seed);
}

} // namespace

TEST(PlanFan, reachesExactlyWhatIsInViewOnMazesAndLanes)
{
    Tally mazes, rows;
    for (unsigned seed = 1; seed <= 8; ++seed)
        walkAndCheck(mazeFor(seed), seed, 1000, mazes);
    for (unsigned seed = 1; seed <= 3; ++seed)
        checkAlongLanes(seed, 400, rows);
    EXPECT_GT(mazes.placements, 7500);
    expectExact(mazes, "mazes");
    expectExact(rows, "lanes");
}

TEST(PlanFan, reachesExactlyWhatIsInViewOnTheDemoMaps)
{
    Tally tally;
    for (const auto& content : {VellTools::firstLevelMap(), VellTools::showcaseMap()})
        walkAndCheck(content, 7, 2000, tally);
    EXPECT_GT(tally.placements, 1000);
    expectExact(tally, "demo_maps");
}

// The plain clipping passes over walls that hide less than a thousandth of
// a long segment; a sliver then reaches past them. The second pass mends
// those fans and leaves every other fan as it was.
TEST(PlanFan, secondPassMendsSliversAndKeepsSoundFans)
{
    int plainLeaks = 0, sound = 0;
    for (unsigned seed : {25u, 42u}) {
        Walker walker(mazeFor(seed));
        PlanPlayerNode plain;
        plain.viewWindows = Vell3D::PlanView::viewWindows();
        plain.world = &walker.world;
        plain.mendSmallCovers = false;
        walk(walker, seed, 2500, [&](int) {
            plain.takePlacement(walker.player);
            if (!checkReach(plain).clean()) {
                ++plainLeaks;
                return;
            }
            ++sound;
            EXPECT_EQ(plain.visibleSectors, walker.player.visibleSectors);
            ASSERT_EQ(plain.visibleSegments.size(), walker.player.visibleSegments.size());
            for (std::size_t i = 0; i < plain.visibleSegments.size(); ++i) {
                const Segment &p = plain.visibleSegments[i], &m = walker.player.visibleSegments[i];
                EXPECT_NEAR(std::hypot(p.a.x - m.a.x, p.a.y - m.a.y), 0, 1e-6);
                EXPECT_NEAR(std::hypot(p.b.x - m.b.x, p.b.y - m.b.y), 0, 1e-6);
            }
        });
    }
    EXPECT_GT(plainLeaks, 0);
    EXPECT_GT(sound, 4000);
}

// In a room wider than the windows reach nothing stops the fan: it is the
// two windows, 60000 ahead and 4000 behind.
TEST(PlanFan, reachesTheWindowsWhereNothingIsMet)
{
    VellTools::MapBuilder builder;
    builder.addSector({{-200000, -200000}, {200000, -200000}, {200000, 200000}, {-200000, 200000}}, 0, mapZ(256));
    builder.setStart(0, 0, 0, 0, 0);
    Walker walker(builder.build());
    ASSERT_EQ(walker.player.visibleSegments.size(), 2u);
    EXPECT_EQ(walker.player.visibleSegments[0].a.y, 60000);
    EXPECT_EQ(walker.player.visibleSegments[0].b.x, -20000);
    EXPECT_EQ(walker.player.visibleSegments[1].a.y, -4000);
    EXPECT_EQ(walker.player.visibleSectors, std::vector<int>{0});
}

// A wall of no length, a player standing on the line of an opening and of
// a wall, and walls parallel to the windows: nothing becomes infinite and
// the fan stays inside the rooms, also through the opening he stands on.
TEST(PlanFan, degenerateWallsAndPlacementsStaySound)
{
    Walker walker(roomRow({0, 1024, 2048}, {0, 0}));
    World& world = walker.world;
    // A zero-length solid wall in the first room: both ends one point.
    WorldWall degenerate = world.walls[std::size_t(world.sectors[0].walls[0])];
    degenerate.nextPoint = degenerate.index;
    degenerate.nextSector = -1;
    world.walls.push_back(degenerate);
    world.sectors[0].walls.insert(world.sectors[0].walls.begin(), int(world.walls.size() - 1));

    PlanPlayerNode& player = walker.player;
    for (double turn : {0.0, 90.0, 180.0, 270.0, 33.0}) {
        // On the opening's line at x = -1024, in either sector.
        for (int s : {0, 1}) {
            player.reset();
            player.sector = s;
            player.rotate(turn, 0, 0, 1);
            player.translateGlobal(-1024, 512, 0);
            for (const Segment& seg : player.visibleSegments)
                EXPECT_TRUE(finite(seg));
            const FanReach reach = checkReach(player);
            EXPECT_TRUE(reach.exact()) << turn << " in " << s << ": " << reach.firstShort << reach.firstLong;
        }
        // On the line of the rooms' side wall y = 0, just inside.
        player.reset();
        player.sector = 0;
        player.rotate(turn, 0, 0, 1);
        player.translateGlobal(-300, 0.1, 0);
        for (const Segment& seg : player.visibleSegments)
            EXPECT_TRUE(finite(seg));
        const FanReach reach = checkReach(player);
        EXPECT_TRUE(reach.exact()) << turn << ": " << reach.firstShort << reach.firstLong;
    }
}
