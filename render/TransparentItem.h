// TransparentItem: a masked wall or a sprite waiting for the far-to-near
// pass. The code packs the kind with the index in 16 bits, so walls and
// sprites must have indices below 16384: exactly what the largest maps
// (16384 walls, 16384 sprites) use, and checked below.
#pragma once

#include <cstdint>

#include "mapdata/MapRecords.h"

namespace Vell3D {

struct TransparentItem {
    static constexpr std::int32_t wallBit = 0x8000;
    static constexpr std::int32_t spriteBit = 0x4000;
    static constexpr std::int32_t indexMask = 0x3FFF;

    std::int32_t code = 0;
    double distance = 0.0;    // x-y distance from the top-level eye

    bool isSprite() const { return (code & spriteBit) != 0; }
    int index() const { return code & indexMask; }
};

static_assert(largestMapLimits.walls - 1 <= TransparentItem::indexMask &&
                  largestMapLimits.sprites - 1 <= TransparentItem::indexMask,
              "every wall and sprite index of a readable map fits the item code");

} // namespace Vell3D
