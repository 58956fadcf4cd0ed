// The three record kinds of a map file, byte for byte as stored (little-endian,
// packed, no padding), so that a whole table is read with one read.
#pragma once

#include <cstdint>

#include "mapdata/MapFlags.h"

namespace Vell3D {

#pragma pack(push, 1)

struct Sector {
    std::int16_t firstWall;      // index of the sector's first wall
    std::int16_t wallCount;      // walls stored one after the other from firstWall
    std::int32_t ceilingZ;       // z units, 16 per x/y unit, growing downwards
    std::int32_t floorZ;
    std::uint16_t ceilingFlags;  // SurfaceBits
    std::uint16_t floorFlags;    // SurfaceBits
    std::int16_t ceilingTile;
    std::int16_t ceilingSlope;
    std::int8_t ceilingShade;
    std::uint8_t ceilingPalette;
    std::uint8_t ceilingPanX;
    std::uint8_t ceilingPanY;
    std::int16_t floorTile;
    std::int16_t floorSlope;
    std::int8_t floorShade;
    std::uint8_t floorPalette;
    std::uint8_t floorPanX;
    std::uint8_t floorPanY;
    std::uint8_t visibility;
    std::uint8_t reserved;
    std::int16_t lowTag;
    std::int16_t highTag;
    std::int16_t extra;
};

struct Wall {
    std::int32_t x;              // start point
    std::int32_t y;
    std::int16_t nextPoint;      // next wall of the loop; its start is this wall's end
    std::int16_t otherWall;      // wall on the other side of an opening, -1 for none
    std::int16_t otherSector;    // sector behind an opening, -1 for a solid wall
    std::uint16_t flags;         // the wall's status word: WallBits
    std::int16_t tile;
    std::int16_t overTile;       // second picture (masked walls, mirrors)
    std::int8_t shade;
    std::uint8_t palette;
    std::uint8_t repeatX;
    std::uint8_t repeatY;
    std::uint8_t panX;
    std::uint8_t panY;
    std::int16_t lowTag;
    std::int16_t highTag;
    std::int16_t extra;
};

struct Sprite {
    std::int32_t x;
    std::int32_t y;
    std::int32_t z;              // z units
    std::uint16_t flags;         // the sprite's status word: SpriteBits
    std::int16_t tile;
    std::int8_t shade;
    std::uint8_t palette;
    std::uint8_t clipDistance;
    std::uint8_t reserved;
    std::uint8_t repeatX;
    std::uint8_t repeatY;
    std::int8_t offsetX;
    std::int8_t offsetY;
    std::int16_t sector;
    std::int16_t status;
    std::int16_t angle;          // degreesPerAngleUnit
    std::int16_t owner;
    std::int16_t velocityX;
    std::int16_t velocityY;
    std::int16_t velocityZ;
    std::int16_t lowTag;
    std::int16_t highTag;
    std::int16_t extra;
};

#pragma pack(pop)

static_assert(sizeof(Sector) == 40, "sector records are 40 bytes");
static_assert(sizeof(Wall) == 32, "wall records are 32 bytes");
static_assert(sizeof(Sprite) == 44, "sprite records are 44 bytes");

// A mirror is an opening closed by its middle picture (one-way) whose
// picture is the mirror tile; the world, the renderer and the map summary
// all go by this.
constexpr bool isMirror(const Wall& wall)
{
    return wall.otherSector != -1 && (wall.flags & WallBits::oneWay) && wall.overTile == SpecialTiles::mirror;
}

// The largest tables a map file may hold. Versions 8 and 9 lay their
// records out exactly as version 7 and only allow more of them; version 7
// keeps its own limits, since other programs that read version 7 rely on
// them. Wall and sector indices stay signed 16-bit in every version.
struct MapLimits {
    int sectors;
    int walls;
    int sprites;
};

constexpr std::int32_t oldestMapVersion = 7;
constexpr std::int32_t newestMapVersion = 9;

constexpr bool readableMapVersion(std::int32_t version)
{
    return version >= oldestMapVersion && version <= newestMapVersion;
}

// The limits of a readable version.
constexpr MapLimits mapLimits(std::int32_t version)
{
    return version == oldestMapVersion ? MapLimits{1024, 8192, 4096} : MapLimits{4096, 16384, 16384};
}

// What any readable map may hold: every consumer has to cope with this much.
constexpr MapLimits largestMapLimits = mapLimits(newestMapVersion);

} // namespace Vell3D
