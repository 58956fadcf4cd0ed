#include "render/Placement.h"

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

} // namespace

void Placement::placePlayer(PlayerNode& player) const
{
    if (x && y) {
        // Through a copy, so that the place and the sector change together
        // and the player's change hook runs once, on both.
        PlayerNode spot;
        spot.takePlacement(player);
        spot.setPosition(*x, *y, spot.position().z);
        spot.sector = player.world ? player.world->sectorAt(*x, *y) : -1;
        player.takePlacement(spot);
    }
    if (heading)
        player.rotate(clockwiseTurn(player) - *heading, 0.0, 0.0, 1.0);
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
