// Worlds for the plan view tests: maps through the real writer and loader,
// built as the plan viewer builds them, and a checker for the visible fan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../world/WorldFixtures.h"
#include "planview/PlanPlayerNode.h"
#include "tools/authoring/MapContent.h"
#include "world/World.h"

namespace PlanFixtures {

// The world's types, wherever their namespace.
using namespace Vell3D;

// The reduced build and the pieces, as planview's start-up makes them.
void buildPlan(World& world, const VellTools::MapContent& content);

// A maze of square cells (cell units wide) on a grid: a random spanning tree
// of passages, each a whole-width opening or a doorway in the middle third,
// plus a few extra passages that make loops. The start is in cell (0, 0).
VellTools::MapContent maze(int columns, int rows, std::int32_t cell, unsigned seed);

// Lanes side by side along map x, each cut across into sectors joined by
// whole-width openings. Between two lanes runs a row of solid pieces and
// openings of random lengths from 8 to 1024 units, which a player looking
// along a lane sees nearly edge on. The start is in the first sector;
// sector lane * 4 + column spans map x 4096 * column to 4096 * (column + 1).
VellTools::MapContent lanes(unsigned seed);
constexpr double laneLength = 4096;
std::int32_t laneWidth(unsigned seed);

using WorldFixtures::mapZ;
using WorldFixtures::roomRow;

// A plan player in its own plan world, with the view's windows
// (PlanView::viewWindows), at the map's start.
struct Walker {
    World world;
    PlanPlayerNode player;

    explicit Walker(const VellTools::MapContent& content);
    // At world (x, y) in sector s, looking along world -x (map +x).
    void placeAt(double x, double y, int s);
    Vector3 at() const { return player.position(); }
};

} // namespace PlanFixtures
