// The tiles of a parallax sky around the horizon: the sky bases that mix the
// tiles after them, each with the offsets from its base of the eight tiles,
// in order round the ring. Any other base repeats itself.
#pragma once

#include "mapdata/MapFlags.h"

namespace Vell3D::SkyRows {

constexpr int dayOffsets[8] = {0, 1, 0, 0, 2, 3, 0, 2};
constexpr int duskOffsets[8] = {0, 1, 2, 3, 0, 0, 4, 0};
constexpr int nightOffsets[8] = {0, 2, 3, 1, 2, 1, 3, 4};

} // namespace Vell3D::SkyRows
