// "demo.map": five rooms in a row, each showing a group of drawing options:
// texture alignment of floors and ceilings, wall flips and alignment, skies,
// fog of several strengths, and every kind and option of sprite.
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoTiles.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

constexpr std::int32_t unit = 16;

void paint(MapBuilder& b, int s, int floorTile, int ceilingTile, int wallTile, std::uint8_t visibility)
{
    Sector& sector = b.sector(s);
    sector.floorTile = static_cast<std::int16_t>(floorTile);
    sector.ceilingTile = static_cast<std::int16_t>(ceilingTile);
    sector.visibility = visibility;
    for (int w = 0; w < b.wallCount(s); ++w)
        b.wall(s, w).tile = static_cast<std::int16_t>(wallTile);
}

// An octagon whose first wall is a diagonal, so that surfaces aligned to the
// first wall turn visibly against the world.
int alignedRoom(MapBuilder& b)
{
    int s = b.addSector({{0, 256}, {256, 0}, {768, 0}, {1024, 256}, {1024, 768}, {768, 1024}, {256, 1024}, {0, 768}},
                        0, -1024 * unit);
    paint(b, s, floorPlates, ceilingPanel, brick, 0);
    Sector& sector = b.sector(s);
    sector.floorFlags = SurfaceBits::alignToWall;
    sector.ceilingFlags = SurfaceBits::alignToWall | SurfaceBits::doubleSize;
    for (int w = 0; w < b.wallCount(s); ++w) {
        b.wall(s, w).panX = static_cast<std::uint8_t>(8 * w);
        b.wall(s, w).panY = static_cast<std::uint8_t>(16 * w);
        b.wall(s, w).shade = static_cast<std::int8_t>(w);
    }
    return s;
}

int flippedSurfacesRoom(MapBuilder& b)
{
    int s = b.addSector(
        {{1024, 256}, {2048, 256}, {2048, 768}, {1024, 768}}, 32 * unit, -960 * unit); // a step down
    paint(b, s, wood, metal, stone, 128);
    Sector& sector = b.sector(s);
    sector.floorFlags = SurfaceBits::swapped | SurfaceBits::flipX | SurfaceBits::doubleSize;
    sector.ceilingFlags = SurfaceBits::swapped | SurfaceBits::flipY | SurfaceBits::flipX;
    sector.floorPanX = 100;
    sector.floorPanY = 20;
    sector.ceilingPanX = 40;
    sector.ceilingPanY = 200;
    sector.floorPalette = 7;
    sector.ceilingShade = 8;
    return s;
}

int flippedWallsRoom(MapBuilder& b)
{
    int s = b.addSector({{2048, 0}, {3072, 0}, {3072, 256}, {3072, 768}, {3072, 1024}, {2048, 1024}, {2048, 768},
                         {2048, 256}},
                        -16 * unit, -1280 * unit); // a step up from the room before
    paint(b, s, sand, daySky, marker, 64);
    b.sector(s).ceilingFlags = SurfaceBits::sky;
    const std::uint16_t looks[4] = {WallBits::bottomAligned, WallBits::flipX, WallBits::flipY,
                                    WallBits::flipX | WallBits::flipY | WallBits::bottomAligned};
    for (int w = 0; w < b.wallCount(s); ++w) {
        Wall& wall = b.wall(s, w);
        wall.flags = looks[w % 4];
        wall.repeatX = 16;
        wall.repeatY = 32;
        wall.panX = static_cast<std::uint8_t>(w % 2 ? 16 : 0);
    }
    return s;
}

int spriteRoom(MapBuilder& b)
{
    int s = b.addSector({{3072, 0}, {4096, 0}, {4096, 256}, {4096, 768}, {4096, 1024}, {3072, 1024}, {3072, 768},
                         {3072, 256}},
                        -16 * unit, -1280 * unit);
    paint(b, s, grass, duskSky, wood, 240);
    b.sector(s).ceilingFlags = SurfaceBits::sky;
    b.sector(s).floorShade = 2;
    const std::int32_t floor = -16 * unit;
    using namespace SpriteBits;
    b.addSprite(s, 3300, 300, floor - 64 * unit, lamp, centred);
    b.addSprite(s, 3500, 300, floor, tree, flipX);
    b.addSprite(s, 3700, 300, floor, barrel, translucent);
    b.addSprite(s, 3900, 300, floor, ghost, translucent | moreTranslucent);
    b.addSprite(s, 3900, 500, floor, ghost, invisible);
    // Wall sprites lie flat against the north and south walls, facing in.
    int north = b.addSprite(s, 3400, 2, floor - 160 * unit, sign, wallKind | oneSided);
    b.sprite(north).angle = 512;
    int south = b.addSprite(s, 3400, 1022, floor - 160 * unit, sign, wallKind | flipY);
    b.sprite(south).angle = 1536;
    int centredSign = b.addSprite(s, 3800, 1022, floor - 96 * unit, sign, wallKind | centred | flipX);
    b.sprite(centredSign).angle = 1536;
    int rug = b.addSprite(s, 3400, 700, floor, emblem, floorKind);
    b.sprite(rug).angle = 256;
    int turned = b.addSprite(s, 3800, 700, floor, emblem, floorKind | flipX | flipY | oneSided);
    b.sprite(turned).angle = 1024;
    b.sprite(turned).offsetX = 8;
    b.sprite(turned).offsetY = -8;
    return s;
}

// A slope up with both surfaces aligned to the entrance and thick fog.
int slopeRoom(MapBuilder& b)
{
    int s = b.addSector({{4096, 768}, {4096, 256}, {5120, 256}, {5120, 768}}, -16 * unit, -800 * unit);
    paint(b, s, stone, ceilingPanel, darkStone, 200);
    Sector& sector = b.sector(s);
    // Negative slopes rise away from the first wall: 1/8 unit per unit.
    sector.floorFlags = SurfaceBits::sloped | SurfaceBits::alignToWall | SurfaceBits::flipY;
    sector.floorSlope = -512;
    sector.ceilingFlags = SurfaceBits::sloped | SurfaceBits::alignToWall | SurfaceBits::flipY;
    sector.ceilingSlope = -512;
    sector.ceilingPalette = 2;
    return s;
}

} // namespace

MapContent showcaseMap()
{
    MapBuilder b;
    useDemoDefaults(b);
    int start = alignedRoom(b);
    flippedSurfacesRoom(b);
    flippedWallsRoom(b);
    spriteRoom(b);
    slopeRoom(b);
    b.setStart(300, 512, 0, 0, start);
    return b.build();
}

} // namespace VellTools
