// PlanPointer: what lies under a pixel of the plan. The plan is drawn in
// perspective from the camera above the player, every wall and piece at
// its own floor height, so a pixel is taken as the ray from the eye through
// it: the sector under it is the one whose floor that ray meets first
// inside the sector, and the walls are measured in pixels where they are
// drawn. The plan turns with the player, never with the mouse, so only the
// pointer's place in the view counts.
#pragma once

#include "3d/Vector3.h"
#include "gui/Size.h"

namespace Vell3D {

class Camera;
class PlayerNode;
class World;

class PlanPointer {
public:
    // The view's camera, the player it hangs from and the world drawn under
    // him, in a view of the given size; all as they are at the call.
    PlanPointer(const Camera& camera, const PlayerNode& player, const World& world, const Vell::Size& view);

    // The sector under the pixel (x, y from the view's top left; pixel
    // centres at .5), or -1; floor: where the ray meets its floor.
    int sectorAt(double x, double y, Vector3* floor = nullptr) const;
    // The wall drawn nearest the pixel, no further than maxPixels, or -1.
    // Of two walls drawn on one line (an opening seen from both sides) the
    // one of the preferred sector wins.
    int wallNear(double x, double y, double maxPixels, int preferred) const;

    // Where a world point is drawn; false behind the eye.
    bool toView(const Vector3& point, double& x, double& y) const;

private:
    // The ray from the eye through the pixel, to the far plane.
    void rayThrough(double x, double y, Vector3& from, Vector3& to) const;

    const Camera& camera;
    const PlayerNode& player;
    const World& world;
    Vell::Size view;
};

} // namespace Vell3D
