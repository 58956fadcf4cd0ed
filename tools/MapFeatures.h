// mapFeatures: names the drawing features that a map uses (sky, mirrors,
// masked walls, slopes, texture alignment bits, sprite kinds, ...), so the
// demo maps can be shown to exercise everything the viewers draw.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tools/MapContent.h"

namespace VellTools {

// Bits of the status words as the viewers read them.
namespace SurfaceBits {
constexpr std::uint16_t sky = 0x01, sloped = 0x02, swapped = 0x04, doubleSize = 0x08, flipX = 0x10,
                        flipY = 0x20, alignToWall = 0x40;
}
namespace WallBits {
constexpr std::uint16_t swapBottoms = 0x02, bottomAligned = 0x04, flipX = 0x08, masked = 0x10,
                        oneWay = 0x20, translucent = 0x80, flipY = 0x100, moreTranslucent = 0x200;
}
namespace SpriteBits {
constexpr std::uint16_t translucent = 0x02, flipX = 0x04, flipY = 0x08, wallKind = 0x10, floorKind = 0x20,
                        oneSided = 0x40, centred = 0x80, moreTranslucent = 0x200, invisible = 0x8000;
}
constexpr int mirrorOverTile = 560; // a one-way wall with this over-tile is a mirror
constexpr int mirrorGlassTile = 504; // laid over every mirror

std::set<std::string> mapFeatures(const MapContent& map);

// Every feature that the demo maps together have to show.
const std::vector<std::string>& allFeatures();

} // namespace VellTools
