// PlanPlayerNode: the player of the plan view. It moves like the 3D
// viewer's player (stops five units before solid walls, passes through
// openings) but stands on the floor rather than above it, and after every
// change of placement it works out the area it can see: two view windows,
// one far ahead and one short behind, clipped against the walls met through
// the chain of openings. The result is a fan of triangles (the origin and a
// segment) in the player's own frame.
//
// The node's children are drawn in world coordinates: its draw undoes its
// own matrix for the surroundings, which are drawn in the camera's frame,
// and then applies the inverse, so the world turns and slides under the
// player.
#pragma once

#include <deque>
#include <vector>

#include "3d/Vector3.h"
#include "world/PlayerNode.h"

namespace Vell3D {

// A far edge of the visible fan, in the player's frame (z = 0).
struct Segment {
    Vector3 a;
    Vector3 b;
};

class PlanPlayerNode : public PlayerNode {
public:
    explicit PlanPlayerNode(Node* parent = nullptr);

    // The plain translation is the collision move.
    void translate(double x, double y, double z) override;
    // Places the node without any wall test.
    void setPosition(double x, double y, double z) override;
    // Every change of placement recomputes the visible area.
    void changed() override;
    // The walls of the sector, the fan and the marker in the camera's frame;
    // then the world frame for the children.
    void draw() override;

    // The visible area for the present placement (PlanVisibility.cpp).
    void updateVisibility();

    std::vector<Segment> viewWindows;
    std::vector<int> visibleSectors;     // each once, in order of first reach
    std::vector<Segment> visibleSegments;
    // Whether covers too small for the first pass are cut in a second one
    // (see PlanVisibility.cpp); off gives the plain clipping, for comparison.
    bool mendSmallCovers = true;

protected:
    double floorOffset() const override { return 0.0; }

private:
    void queueSector(int s);
    void clipWindow(const Segment& window);
    // Returns whether a cover too small for the first pass was passed over.
    bool clipAgainstWall(std::vector<Segment>& working, int w, bool smallCovers);
    void drawFan() const;

    std::vector<unsigned char> queued;   // per sector, cleared for each window
    std::vector<unsigned char> reached;  // per sector, cleared per computation
    std::deque<int> sectorQueue;
};

} // namespace Vell3D
