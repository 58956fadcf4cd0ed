// The visible fan as geometry: at many placements on the demo maps and on
// generated mazes no triangle reaches past a solid wall; through an opening
// it reaches the sector behind; where nothing stops it, it reaches the view
// windows. Degenerate walls never produce a point that is not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "PlanFixtures.h"
#include "tools/DemoMaps.h"
#include "tools/MapBuilder.h"

using namespace PlanFixtures;
using Vell3D::PlanPlayerNode;
using Vell3D::Segment;
using Vell3D::Vector3;

namespace {

struct Walker {
    World world;
    PlanPlayerNode player;

    explicit Walker(const VellTools::MapContent& content)
    {
        buildPlan(world, content);
        player.viewWindows = viewWindows();
        player.world = &world;
        player.takePlacement(world.camera);
    }
};

bool finite(const Segment& s)
{
    return std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) && std::isfinite(s.b.y);
}

// A long random walk with the view's own steps and arbitrary turns; counts
// the placements whose fan leaks and keeps the first report.
struct WalkResult {
    int placements = 0;
    int leaks = 0;
    std::string first;
};

WalkResult walk(const VellTools::MapContent& content, unsigned seed, int steps)
{
    Walker walker(content);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> angle(-180.0, 180.0);
    WalkResult result;
    for (int step = 0; step < steps; ++step) {
        switch (random() % 4) {
        case 0: walker.player.rotate(angle(random), 0, 0, 1); break;
        case 1: walker.player.move(0, -200, 0); break;
        default: walker.player.move(0, 250, 0); break;
        }
        if (walker.player.sector < 0)
            break;
        ++result.placements;
        for (const Segment& s : walker.player.visibleSegments)
            EXPECT_TRUE(finite(s));
        std::string leak = fanLeak(walker.player);
        if (!leak.empty() && result.leaks++ == 0)
            result.first = "step " + std::to_string(step) + ": " + leak;
    }
    return result;
}

} // namespace

TEST(PlanFan, neverShowsThroughASolidWallOnMazes)
{
    int placements = 0;
    for (unsigned seed = 1; seed <= (getenv("SEEDS") ? unsigned(atoi(getenv("SEEDS"))) : 6u); ++seed) {
        WalkResult r = walk(maze(12, 12, 256 + 64 * int(seed % 3), seed), seed, getenv("STEPS") ? atoi(getenv("STEPS")) : 400);
        placements += r.placements;
        EXPECT_EQ(r.leaks, 0) << "seed " << seed << " of " << r.placements << " " << r.first;
    }
    EXPECT_GT(placements, 2000);
}

TEST(PlanFan, neverShowsThroughASolidWallOnTheDemoMaps)
{
    for (const auto& content : {VellTools::firstLevelMap(), VellTools::showcaseMap()}) {
        WalkResult r = walk(content, 7, 600);
        EXPECT_GT(r.placements, 100);
        EXPECT_EQ(r.leaks, 0) << r.first;
    }
}
