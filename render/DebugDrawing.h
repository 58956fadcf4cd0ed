// Debug drawing (F2): the player's arrow, the world's axes seen from a
// camera, and the outline of one sector with a tick on the inner side of
// each wall.
#pragma once

#include "3d/Node.h"
#include "world/World.h"

namespace Vell3D {

// In the frame of the player's node: an arrow along +y.
void drawPlayerArrow();
// The world's axes, drawn in the frame of node, beside its line of sight.
void drawAxesMarker(const Node& node);
// World coordinates; a sector outside the world draws nothing.
void drawSectorOutline(const World& world, int sector);

// A point of node's frame in world coordinates (through every ancestor),
// and back.
Vector3 nodeToWorld(const Node& node, const Vector3& p);
Vector3 worldToNode(const Node& node, const Vector3& p);

} // namespace Vell3D
