#include "render/Placement.h"

#include <algorithm>
#include <cmath>

#include "render/WalkScene.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

// The turn of a node about z, clockwise from the unturned heading, in
// degrees: the angle the overlays show at every quarter turn.
double clockwiseTurn(const Node& node)
{
    return std::atan2(node.matrix()[4], node.matrix()[5]) * 180.0 / M_PI;
}

// The clockwise turn the overlays show as `shown`. Their angle is not the
// turn a itself but 90 - 90 cos a on the way round to 180 and 270 + 90 cos a
// on to 360 (Node::heading); it agrees with the turn at every quarter.
double turnShownAs(double shown)
{
    shown = std::fmod(shown, 360.0);
    if (shown <= 0.0)
        shown += 360.0;
    const double degrees = 180.0 / M_PI;
    if (shown <= 180.0)
        return std::acos(std::clamp((90.0 - shown) / 90.0, -1.0, 1.0)) * degrees;
    return 360.0 - std::acos(std::clamp((shown - 270.0) / 90.0, -1.0, 1.0)) * degrees;
}

} // namespace

void Placement::placePlayer(PlayerNode& player) const
{
    if (x && y) {
        // Through a copy, so that the place and the sector change together
        // and the player's change hook runs once, on both.
        // Moved, not set: setting a node's position resets its turn too, and
        // an unset heading keeps the one he has.
        PlayerNode spot;
        spot.takePlacement(player);
        const Vector3 from = spot.position();
        spot.translateGlobal(*x - from.x, *y - from.y, 0.0);
        spot.sector = sector ? *sector : player.world ? player.world->sectorAt(*x, *y) : -1;
        player.takePlacement(spot);
    }
    if (heading)
        player.rotate(clockwiseTurn(player) - turnShownAs(*heading), 0.0, 0.0, 1.0);
    // A zero move stands the player on his sector's floor, as any move does.
    player.move(0.0, 0.0, 0.0);
}

void Placement::placeView(WalkScene& scene) const
{
    placePlayer(scene.playerCamera);
    if (eye)
        scene.portalCamera.translate(0.0, *eye - WalkScene::eyeHeight, 0.0);
    if (tilt)
        scene.portalCamera.setPitch(*tilt);
    // Turning the player moves the eye without touching the eye's own
    // transform, so its visible set would stay that of the old place.
    scene.portalCamera.updateVisibility();
}

} // namespace Vell3D
