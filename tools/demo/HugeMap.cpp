// "huge.map": a version 8 map at the limits of versions 8 and 9, 4096
// sectors, 16384 walls and 16384 sprites. It is laid out like large.map
// (RoomGrid), but from plain square rooms of four walls: 64 x 64 of them.
// Eight by eight rooms make a hall, one open area whose rooms are joined by
// whole-width openings. The wall between two halls is solid but for two
// gates a room wide: an open one and a masked one (a grate, glass, or
// fainter glass). The wall east of the start hall holds a two-sided mirror
// straight ahead of the start, and the hall south of it is a ramp whose
// sloped floors and ceilings climb from row to row.
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoTiles.h"
#include "tools/demo/RoomGrid.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

constexpr int grid = 64;
constexpr int hall = 8;                     // rooms along a hall's side
constexpr std::int32_t size = RoomGrid::roomSize;
constexpr int openGate = 5, maskedGate = 2; // along the wall between two halls
constexpr int mirrorRow = 4;                // in the wall east of hall (0, 0)
constexpr int rampHallI = 0, rampHallJ = 1;
constexpr std::int32_t rampRise = 64;       // map units per room
constexpr std::int16_t rampSlope = -4096 * rampRise / size;

enum class Gate { solid, open, masked, mirror };

// The wall between room (i, j) and its neighbour east (east) or south.
Gate gateBetween(int i, int j, bool east)
{
    const int along = east ? j % hall : i % hall;
    const int across = east ? i % hall : j % hall;
    if (across != hall - 1)
        return Gate::open;   // inside a hall
    if (east && i / hall == 0 && j / hall == 0 && along == mirrorRow)
        return Gate::mirror;
    if (along == (east ? openGate : maskedGate))
        return Gate::open;
    if (along == (east ? maskedGate : openGate))
        return Gate::masked;
    return Gate::solid;
}

void setGate(MapBuilder& b, int s, MapPoint from, Gate gate, int hallI, int hallJ)
{
    static const int pictures[3] = {grate, stainedGlass, stainedGlass};
    static const std::uint16_t looks[3] = {WallBits::masked, WallBits::masked | WallBits::translucent,
                                           WallBits::masked | WallBits::translucent | WallBits::moreTranslucent};
    Wall& wall = b.wallFrom(s, from.x, from.y);
    const int look = (hallI + hallJ) % 3;
    switch (gate) {
    case Gate::solid: b.keepSolid(s, from.x, from.y); break;
    case Gate::open: break;
    case Gate::masked:
        wall.flags |= looks[look];
        wall.overTile = static_cast<std::int16_t>(pictures[look]);
        break;
    case Gate::mirror:
        wall.flags |= WallBits::oneWay;
        wall.overTile = mirror;
        break;
    }
}

// Both sides of a wall between halls are set alike, each by its own room;
// the hall named is the one west of or north of the wall, for both.
void setGates(MapBuilder& b, int s, int i, int j)
{
    const MapPoint nw = RoomGrid::corner(i, j), se = RoomGrid::corner(i + 1, j + 1);
    if (i + 1 < grid)
        setGate(b, s, {se.x, nw.y}, gateBetween(i, j, true), i / hall, j / hall);
    if (i > 0)
        setGate(b, s, {nw.x, se.y}, gateBetween(i - 1, j, true), (i - 1) / hall, j / hall);
    if (j + 1 < grid)
        setGate(b, s, se, gateBetween(i, j, false), i / hall, j / hall);
    if (j > 0)
        setGate(b, s, nw, gateBetween(i, j - 1, false), i / hall, (j - 1) / hall);
}

bool inRamp(int i, int j)
{
    return i / hall == rampHallI && j / hall == rampHallJ;
}

// Every hall has one floor and one ceiling; the ramp's rows climb by
// rampRise each, their sloped floors and ceilings meeting at the openings.
int addRoom(MapBuilder& b, int i, int j)
{
    const int hi = i / hall, hj = j / hall;
    std::int32_t floor = ((hi * 7 + hj * 13) % 5) * 16 * 16;
    if (inRamp(i, j))
        floor -= (j % hall) * rampRise * 16;
    const std::int32_t ceiling = floor - (1024 + (hi * 5 + hj) % 4 * 128) * 16;
    const MapPoint nw = RoomGrid::corner(i, j), se = RoomGrid::corner(i + 1, j + 1);
    int s = b.addSector({nw, {se.x, nw.y}, se, {nw.x, se.y}}, floor, ceiling);
    if (inRamp(i, j)) {
        Sector& sector = b.sector(s);
        sector.floorFlags |= SurfaceBits::sloped;
        sector.ceilingFlags |= SurfaceBits::sloped;
        sector.floorSlope = sector.ceilingSlope = rampSlope;
    }
    return s;
}

// Sprites on the ramp stand on its slope, not on the height of the room's
// first wall.
void liftSpritesOnRamp(MapBuilder& b, int s, int j)
{
    const std::int32_t top = RoomGrid::corner(0, j).y;
    for (int k = s * RoomGrid::spritesPerRoom; k < (s + 1) * RoomGrid::spritesPerRoom; ++k) {
        Sprite& sprite = b.sprite(k);
        sprite.z -= (sprite.y - top) * rampRise * 16 / size;
    }
}

} // namespace

MapContent hugeMap()
{
    MapBuilder b;
    useDemoDefaults(b);
    RoomGrid rooms(b);
    for (int j = 0; j < grid; ++j) {
        for (int i = 0; i < grid; ++i) {
            int s = addRoom(b, i, j);
            rooms.furnish(s, i, j);
            setGates(b, s, i, j);
            if (inRamp(i, j))
                liftSpritesOnRamp(b, s, j);
        }
    }
    // In the middle of room (4, 4), facing the mirror east of the hall.
    b.setStart(4 * size + size / 2, 4 * size + size / 2, 0, 0, 4 * grid + 4);
    MapContent map = b.build();
    map.version = 8;
    return map;
}

} // namespace VellTools
