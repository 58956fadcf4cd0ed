// Heights are in file z units: 16 to a map unit, growing downwards, so a
// ceiling above the floor has the smaller value. The 3D viewer's eye stands
// 550 units above the floor (the player 50, the eye 500 above him), so every
// room the player can walk into is taller than that: a lower ceiling would
// leave the eye above it, looking over the walls.
#include "tools/demo/DemoMaps.h"

#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoTiles.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

constexpr std::int32_t unit = 16;

// Outer loop of an axis-aligned room, clockwise on screen from its top-left.
std::vector<MapPoint> room(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

std::vector<MapPoint> hole(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
}

void setSurfaces(MapBuilder& b, int s, int floorTile, int ceilingTile, int wallTile)
{
    Sector& sector = b.sector(s);
    sector.floorTile = static_cast<std::int16_t>(floorTile);
    sector.ceilingTile = static_cast<std::int16_t>(ceilingTile);
    for (int w = 0; w < b.wallCount(s); ++w)
        b.wall(s, w).tile = static_cast<std::int16_t>(wallTile);
}

void setSky(MapBuilder& b, int s, int skyTile)
{
    b.sector(s).ceilingFlags |= SurfaceBits::sky;
    b.sector(s).ceilingTile = static_cast<std::int16_t>(skyTile);
}

// A masked opening seen from both sides.
void maskWall(MapBuilder& b, int s, MapPoint from, int other, MapPoint to, std::uint16_t flags, int overTile)
{
    Wall& near = b.wallFrom(s, from.x, from.y);
    Wall& far = b.wallFrom(other, to.x, to.y);
    near.flags |= flags;
    far.flags |= flags;
    near.overTile = far.overTile = static_cast<std::int16_t>(overTile);
}

// Hall with a pillar, three alcoves behind masked walls, the corridor north.
int buildHall(MapBuilder& b)
{
    int hall = b.addSector({{0, 0}, {768, 0}, {1280, 0}, {2048, 0}, {2048, 512}, {2048, 1536}, {2048, 2048},
                            {0, 2048}, {0, 1792}, {0, 1536}, {0, 1280}, {0, 1024}, {0, 768}, {0, 512}},
                           0, -1024 * unit);
    b.addInnerLoop(hall, hole(896, 896, 1152, 1152));
    setSurfaces(b, hall, floorPlates, ceilingPanel, brick);
    for (int w = 14; w < 18; ++w)
        b.wall(hall, w).tile = darkStone;
    b.wallFrom(hall, 2048, 1536).panX = 32; // the brick courses of the east wall start half a brick on
    b.sector(hall).visibility = 16;

    const int heights[3] = {0, 0, -16 * unit};
    const int tiles[3] = {stainedGlass, stainedGlass, grate};
    const std::uint16_t flags[3] = {WallBits::masked | WallBits::translucent,
                                    WallBits::masked | WallBits::translucent | WallBits::moreTranslucent,
                                    WallBits::masked | WallBits::swapBottoms};
    for (int i = 0; i < 3; ++i) {
        std::int32_t y = 1536 - 512 * i;
        int alcove = b.addSector(room(-384, y, 0, y + 256), heights[i], -768 * unit);
        setSurfaces(b, alcove, sand, ceilingPanel, wood);
        b.sector(alcove).floorShade = static_cast<std::int8_t>(4 * i);
        maskWall(b, hall, {0, y + 256}, alcove, {0, y}, flags[i], tiles[i]);
    }
    return hall;
}

// Courtyard under the night sky with a chasm (sky below and above) and a pool.
void buildCourtyard(MapBuilder& b)
{
    int corridor = b.addSector(room(768, -1024, 1280, 0), -32 * unit, -896 * unit);
    setSurfaces(b, corridor, stone, ceilingPanel, stone);
    b.sector(corridor).ceilingShade = 6;

    int yard = b.addSector({{0, -3072}, {2048, -3072}, {2048, -1024}, {1280, -1024}, {768, -1024}, {0, -1024}},
                           -16 * unit, -1024 * unit);
    b.addInnerLoop(yard, hole(256, -2816, 768, -2304));
    b.addInnerLoop(yard, hole(1280, -2816, 1792, -2304));
    setSurfaces(b, yard, grass, nightSky, stone);
    setSky(b, yard, nightSky);
    b.sector(yard).visibility = 64;

    int chasm = b.addSector(room(256, -2816, 768, -2304), 1024 * unit, -1024 * unit);
    setSurfaces(b, chasm, nightSky, nightSky, darkStone);
    setSky(b, chasm, nightSky);
    b.sector(chasm).floorFlags |= SurfaceBits::sky;

    int pool = b.addSector(room(1280, -2816, 1792, -2304), 0, -1024 * unit);
    setSurfaces(b, pool, water, nightSky, stone);
    setSky(b, pool, nightSky);
    Sector& water = b.sector(pool);
    water.floorFlags |= SurfaceBits::alignToWall;
    water.floorPanX = 64;
    water.floorPanY = 32;
    water.floorPalette = 1;
    water.floorShade = 2;

    b.addSprite(yard, 1800, -1400, -16 * unit, tree, 0);
    b.addSprite(yard, 400, -1500, -16 * unit, tree, SpriteBits::flipX);
}

// A ramp down to the room of the two facing mirrors.
void buildMirrorWing(MapBuilder& b)
{
    int ramp = b.addSector({{2048, 1536}, {2048, 512}, {3072, 512}, {3072, 1536}}, 0, -1024 * unit);
    setSurfaces(b, ramp, stone, ceilingPanel, metal);
    Sector& r = b.sector(ramp);
    // Slope 1024 is a fall of a quarter unit per unit away from the first
    // wall: 256 units over the ramp's length, for floor and ceiling alike.
    r.floorFlags |= SurfaceBits::sloped | SurfaceBits::alignToWall;
    r.floorSlope = 1024;
    r.ceilingFlags |= SurfaceBits::sloped | SurfaceBits::alignToWall;
    r.ceilingSlope = 1024;

    std::int32_t floor = 256 * unit, ceiling = -768 * unit;
    int hall = b.addSector({{3072, 512}, {3328, 512}, {3840, 512}, {4096, 512}, {4096, 1536}, {3840, 1536},
                            {3328, 1536}, {3072, 1536}},
                           floor, ceiling);
    setSurfaces(b, hall, floorPlates, ceilingPanel, metal);
    b.sector(hall).visibility = 128;
    int north = b.addSector(room(3328, 448, 3840, 512), floor, ceiling);
    int south = b.addSector(room(3328, 1536, 3840, 1600), floor, ceiling);
    setSurfaces(b, north, floorPlates, ceilingPanel, metal);
    setSurfaces(b, south, floorPlates, ceilingPanel, metal);
    for (MapPoint p : {MapPoint{3328, 512}, MapPoint{3840, 1536}}) {
        Wall& m = b.wallFrom(hall, p.x, p.y);
        m.flags |= WallBits::oneWay;
        m.overTile = mirror;
    }
}

void addHallSprites(MapBuilder& b, int hall)
{
    Sprite& lampSprite = b.sprite(b.addSprite(hall, 1600, 1600, -64 * unit, lamp, SpriteBits::centred));
    lampSprite.repeatX = lampSprite.repeatY = 8;
    b.addSprite(hall, 400, 1800, 0, barrel, 0);
    int s = b.addSprite(hall, 1024, 2046, -96 * unit, sign, SpriteBits::wallKind);
    b.sprite(s).angle = 1536;
    s = b.addSprite(hall, 1024, 600, 0, emblem, SpriteBits::floorKind);
    b.sprite(s).angle = 0;
}

} // namespace

void useDemoDefaults(MapBuilder& builder)
{
    builder.spriteDefaults.repeatX = builder.spriteDefaults.repeatY = 8;
    builder.wallDefaults.repeatX = 0;
    builder.wallDefaults.repeatY = 64;
}

MapContent emptyRoomMap()
{
    MapBuilder builder;
    builder.addSector(room(0, 0, 2048, 2048), 0, -unit * 1024);
    builder.setStart(1024, 1024, 0, 0, 0);
    return builder.build();
}

MapContent firstLevelMap()
{
    MapBuilder b;
    useDemoDefaults(b);
    int hall = buildHall(b);
    buildCourtyard(b);
    buildMirrorWing(b);
    addHallSprites(b, hall);
    b.setStart(1024, 1792, 0, 1536, hall);
    return b.build();
}

} // namespace VellTools
