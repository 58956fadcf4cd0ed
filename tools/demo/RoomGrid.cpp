#include "tools/demo/RoomGrid.h"

#include "tools/demo/DemoTiles.h"

namespace VellTools {

using namespace DemoTiles;

void RoomGrid::furnish(int s, int i, int j)
{
    decorate(s, i, j);
    addSprites(s, i, j);
}

void RoomGrid::decorate(int s, int i, int j)
{
    static const int wallTiles[4] = {brick, stone, wood, metal};
    static const int floorTiles[3] = {floorPlates, stone, grass};
    Sector& sector = builder.sector(s);
    sector.floorTile = static_cast<std::int16_t>(floorTiles[(i + j) % 3]);
    sector.ceilingTile = ceilingPanel;
    sector.visibility = static_cast<std::uint8_t>((i * 8 + j * 3) % 160);
    if ((i + 2 * j) % 9 == 0) {
        sector.ceilingFlags |= SurfaceBits::sky;
        sector.ceilingTile = static_cast<std::int16_t>((i + j) % 2 ? daySky : duskSky);
    }
    for (int w = 0; w < builder.wallCount(s); ++w)
        builder.wall(s, w).tile = static_cast<std::int16_t>(wallTiles[(i * 3 + j + w) % 4]);
}

void RoomGrid::addSprites(int s, int i, int j)
{
    static const std::uint16_t looks[spritesPerRoom] = {0, SpriteBits::centred, SpriteBits::floorKind,
                                                        SpriteBits::translucent};
    static const int pictures[spritesPerRoom] = {barrel, lamp, emblem, ghost};
    const std::int32_t spots[spritesPerRoom][2] = {{96, 96}, {416, 96}, {96, 416}, {416, 416}};
    const std::int32_t floor = builder.sector(s).floorZ;
    const MapPoint at = corner(i, j);
    for (int k = 0; k < spritesPerRoom; ++k) {
        int look = (i + j + k) % spritesPerRoom;
        std::int32_t z = looks[look] == SpriteBits::centred ? floor - 64 * 16 : floor;
        builder.addSprite(s, at.x + spots[k][0], at.y + spots[k][1], z, static_cast<std::int16_t>(pictures[look]),
                          looks[look]);
    }
}

} // namespace VellTools
