// The demo palette: 16 colour ramps of 16 levels each, from dark to bright,
// and 32 shade tables that darken within a ramp. Index 255 is the
// transparent index of the art and keeps its place in every table.
#pragma once

#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

enum class Ramp { grey, brick, stone, wood, metal, grass, water, sky, sand, red, purple, cyan, orange, leaf, warm, pink };

constexpr int transparentIndex = 255;
constexpr int demoShadeTables = 32;

// Colour index of a ramp at a level (clamped to 0..15).
inline int colorIndex(Ramp ramp, int level)
{
    level = level < 0 ? 0 : (level > 15 ? 15 : level);
    return static_cast<int>(ramp) * 16 + level;
}

Bytes demoPaletteFile();

} // namespace VellTools
