// The meaning of the map records' status words, and the tile numbers that the
// viewers draw in a special way. The records keep their raw words; the world
// builder, the renderer and the tools all read them through these names, so a
// bit means the same thing everywhere.
#pragma once

#include <cstdint>

namespace Vell3D {

// A sector's floor or ceiling status word (Sector::floorFlags, ceilingFlags).
namespace SurfaceBits {
constexpr std::uint16_t sky = 0x01;          // parallax: drawn as the sky, not as a polygon
constexpr std::uint16_t sloped = 0x02;       // tilted by the sector's slope value
constexpr std::uint16_t swapped = 0x04;      // texture axes swapped
constexpr std::uint16_t doubleSize = 0x08;   // texture at twice the density
constexpr std::uint16_t flipX = 0x10;
constexpr std::uint16_t flipY = 0x20;
constexpr std::uint16_t alignToWall = 0x40;  // texture measured from the first wall
}

// A wall's status word (Wall::flags).
namespace WallBits {
constexpr std::uint16_t swapBottoms = 0x02;     // lower piece looks like the wall behind
constexpr std::uint16_t bottomAligned = 0x04;   // texture hangs from the floor side
constexpr std::uint16_t flipX = 0x08;
constexpr std::uint16_t masked = 0x10;          // opening with a see-through middle
constexpr std::uint16_t oneWay = 0x20;          // opening closed by its middle picture
constexpr std::uint16_t translucent = 0x80;
constexpr std::uint16_t flipY = 0x100;
constexpr std::uint16_t moreTranslucent = 0x200;
// What the lower piece of a wall with swapped bottoms takes from the wall behind.
constexpr std::uint16_t swappedLowerBits = bottomAligned | flipY;
}

// A sprite's status word (Sprite::flags). The kind bits hold face (neither),
// wallKind or floorKind; both together make no known kind.
namespace SpriteBits {
constexpr std::uint16_t translucent = 0x02;
constexpr std::uint16_t flipX = 0x04;
constexpr std::uint16_t flipY = 0x08;
constexpr std::uint16_t wallKind = 0x10;
constexpr std::uint16_t floorKind = 0x20;
constexpr std::uint16_t kindMask = wallKind | floorKind;
constexpr std::uint16_t oneSided = 0x40;
constexpr std::uint16_t centred = 0x80;
constexpr std::uint16_t moreTranslucent = 0x200;
constexpr std::uint16_t invisible = 0x8000;
}

// What the kind bits of a sprite's status word make of it. The world keeps
// it as WorldSprite::kind, the map summary counts sprites by it.
enum SpriteKind {
    spriteKindNone = 0,   // both kind bits: no known kind, drawn as nothing
    spriteKindFace = 1,   // always turned to the viewer
    spriteKindWall = 2,
    spriteKindFloor = 3,
};

constexpr SpriteKind spriteKind(std::uint16_t status)
{
    switch (status & SpriteBits::kindMask) {
    case 0: return spriteKindFace;
    case SpriteBits::wallKind: return spriteKindWall;
    case SpriteBits::floorKind: return spriteKindFloor;
    default: return spriteKindNone;
    }
}

// The words the info panel and mapinfo use for the status bits named above,
// in bit order. Bits not listed here mean nothing to the viewers.
struct BitWord {
    std::uint16_t bit;
    const char* word;
};

inline constexpr BitWord surfaceBitWords[] = {
    {SurfaceBits::sky, "sky"},           {SurfaceBits::sloped, "sloped"},
    {SurfaceBits::swapped, "swapped axes"}, {SurfaceBits::doubleSize, "double size"},
    {SurfaceBits::flipX, "x-flipped"},   {SurfaceBits::flipY, "y-flipped"},
    {SurfaceBits::alignToWall, "aligned to first wall"},
};

inline constexpr BitWord wallBitWords[] = {
    {WallBits::swapBottoms, "swapped bottoms"}, {WallBits::bottomAligned, "bottom aligned"},
    {WallBits::flipX, "x-flipped"},             {WallBits::masked, "masked"},
    {WallBits::oneWay, "one-way"},              {WallBits::translucent, "translucent"},
    {WallBits::flipY, "y-flipped"},             {WallBits::moreTranslucent, "more translucent"},
};

inline constexpr BitWord spriteBitWords[] = {
    {SpriteBits::translucent, "translucent"}, {SpriteBits::flipX, "x-flipped"},
    {SpriteBits::flipY, "y-flipped"},         {SpriteBits::wallKind, "wall kind"},
    {SpriteBits::floorKind, "floor kind"},    {SpriteBits::oneSided, "one-sided"},
    {SpriteBits::centred, "centred"},         {SpriteBits::moreTranslucent, "more translucent"},
    {SpriteBits::invisible, "invisible"},
};

// Tiles with a meaning of their own.
namespace SpecialTiles {
constexpr int mirror = 560;        // as the over-tile of a one-way wall: a mirror
constexpr int mirrorGlass = 504;   // laid faintly over every mirror
// Sky bases whose ring around the horizon mixes the tiles after them; any
// other sky tile repeats itself all the way round.
constexpr int daySky = 80;
constexpr int duskSky = 84;
constexpr int nightSky = 89;
}

// Map angles count a full turn in 2048 units.
constexpr double degreesPerAngleUnit = 360.0 / 2048;

} // namespace Vell3D
