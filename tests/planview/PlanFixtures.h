// Worlds for the plan view tests: maps through the real writer and loader,
// built as the plan viewer builds them, and a checker for the visible fan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../world/WorldFixtures.h"
#include "planview/PlanPlayerNode.h"
#include "tools/MapContent.h"
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

using WorldFixtures::mapZ;
using WorldFixtures::roomRow;

// The far and near view windows the view gives its player.
std::vector<Vell3D::Segment> viewWindows();

// A plan player in its own plan world, with the view's windows, at the
// map's start.
struct Walker {
    World world;
    PlanPlayerNode player;

    explicit Walker(const VellTools::MapContent& content);
    // At world (x, y) in sector s, looking along world -x (map +x).
    void placeAt(double x, double y, int s);
    Vector3 at() const { return player.position(); }
};

// Where the fan shows through a solid wall: a piece of a solid wall of the
// reached sectors or their neighbours lies inside a triangle of the fan, in
// front of its far edge, more than tolerance units from the wall's ends, and
// the far edge reaches more than tolerance units past the wall's line there.
// Empty when the fan is sound.
std::string fanLeak(const Vell3D::PlanPlayerNode& player, double tolerance = 1.0);

} // namespace PlanFixtures
