// Placement: a player put down somewhere by hand instead of walked there,
// as mapshot's --at, --angle, --tilt and --eye ask, and as the render tests
// and benchmarks drop in at seeded places. What is left unset keeps what
// the player and his eye have: after a reset, the map's start, the eye 500
// units up and level.
#pragma once

#include <optional>

namespace Vell3D {

class PlayerNode;
class WalkScene;

struct Placement {
    std::optional<double> x, y;      // world x and y, set together
    std::optional<double> heading;   // degrees, as the overlays show the angle
    std::optional<double> tilt;      // degrees, looking up when positive
    std::optional<double> eye;       // the eye's height above the player
    // The sector to stand in at (x, y), when the caller knows it (sectors
    // may overlap in plan); unset: the first sector found there.
    std::optional<int> sector;

    // The player at (x, y) on the floor of the sector of his world found
    // there (-1 outside every sector) or of the sector given, as a move
    // leaves him, turned to the heading. Both views' players stand this way.
    void placePlayer(PlayerNode& player) const;
    // The scene's player as placePlayer puts him, its eye at the height and
    // tilt, and the visible sectors from there. The scene is not reset
    // first: the caller chooses what unset values keep.
    void placeView(WalkScene& scene) const;
};

} // namespace Vell3D
