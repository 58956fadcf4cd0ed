// PlayerMarks: what both viewers draw to show the player and where he
// stands: his arrow, the world's axes beside the line of sight (the 3D
// view's debug drawing), and the outline of a sector with a tick on the
// inner side of each wall (the 3D view's debug drawing and the plan view's
// walls of the player's sector).
#pragma once

#include "3d/Node.h"
#include "world/World.h"

namespace Vell3D {

// In the frame of the player's node: an arrow along +y with a short stroke
// to the right.
void drawPlayerArrow();
// The world's axes, drawn in the frame of node, beside its line of sight.
void drawAxesMarker(const Node& node);

struct OutlineStyle {
    // The points are brought into this node's frame from its parent's (the
    // world), or drawn in world coordinates when null.
    const Node* frame = nullptr;
    // The sector's first wall in its own colours (cyan when solid, yellow
    // when an opening), so that the loop's start shows.
    bool markFirstWall = false;
};

// Solid walls white, openings red, each with a green tick on the sector's
// inner side, 2 pixels wide and translucent. A sector outside the world
// draws nothing.
void drawSectorOutline(const World& world, int sector, OutlineStyle style = {});

// A point of node's frame in world coordinates (through every ancestor),
// and back.
Vector3 nodeToWorld(const Node& node, const Vector3& p);
Vector3 worldToNode(const Node& node, const Vector3& p);

} // namespace Vell3D
