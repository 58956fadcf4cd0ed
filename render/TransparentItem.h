// TransparentItem: a masked wall or a sprite waiting for the far-to-near
// pass. The code packs the kind with the index, so walls and sprites must
// have indices below 16384 (the map limits are 8192 walls, 4096 sprites).
#pragma once

#include <cstdint>

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

} // namespace Vell3D
