// Tile numbers the renderer gives a meaning of its own: the glass laid over
// every mirror and the parallax skies, whose base tile is followed by the
// tiles of the other directions.
#pragma once

namespace Vell3D::SpecialTiles {

constexpr int mirrorGlass = 504;

// Sky bases with a row of their own; any other base repeats itself.
constexpr int skyDay = 80;
constexpr int skyDusk = 84;
constexpr int skyNight = 89;

// Offsets from the base for the eight tiles around the horizon.
constexpr int skyOffsetsDay[8] = {0, 1, 0, 0, 2, 3, 0, 2};
constexpr int skyOffsetsDusk[8] = {0, 1, 2, 3, 0, 0, 4, 0};
constexpr int skyOffsetsNight[8] = {0, 2, 3, 1, 2, 1, 3, 4};

} // namespace Vell3D::SpecialTiles
