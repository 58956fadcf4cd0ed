// FanReach: the plan view's fan checked ray by ray against a walk through
// the sectors that shares nothing with the clipping. From the player the walk
// follows one ray out of his sector, through every opening it leaves by into
// the sector behind, and stops at the first solid wall or at the view window.
// The fan must end there too, within a unit: never before (short) and never
// after (through the wall).
#pragma once

#include <string>

#include "planview/PlanPlayerNode.h"

namespace PlanFixtures {

struct FanReach {
    int shortRays = 0;   // the fan ends more than a unit before the wall or the window
    int longRays = 0;    // the fan reaches more than a unit past the wall
    // Short or long rays inside a wedge under a unit wide at its far end:
    // they count here only.
    int slivers = 0;
    int lostRays = 0;    // rays the walk cannot follow: the player is outside his sector
    std::string firstShort;   // what the first short ray saw
    std::string firstLong;    // and the first long one

    bool exact() const { return shortRays == 0 && longRays == 0 && lostRays == 0; }
    bool clean() const { return exact() && slivers == 0; }
};

// Rays go evenly over each window and close to either side of every wall
// corner and every corner of the fan, where the reach changes.
FanReach checkReach(const Vell3D::PlanPlayerNode& player);

} // namespace PlanFixtures
