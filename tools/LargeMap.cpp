// "large.map": a 32 x 32 grid of 512-unit rooms at the format's limits, 1024
// sectors, 8192 walls and 4096 sprites. Rows are joined by doorways in the
// east and west walls, columns by whole-width openings, so every room can be
// reached; floors and ceilings vary so the openings show steps.
#include "tools/DemoMaps.h"
#include "tools/DemoTiles.h"
#include "tools/MapBuilder.h"
#include "tools/MapFeatures.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

constexpr int grid = 32;
constexpr std::int32_t size = 512;
constexpr std::int32_t doorFrom = 192, doorTo = 320; // along the room's side
constexpr int pillarRow = 16; // one row of rooms has pillars: 8064 + 32 * 4 walls

std::vector<MapPoint> gridRoom(int i, int j)
{
    std::int32_t x0 = i * size, y0 = j * size, x1 = x0 + size, y1 = y0 + size;
    std::vector<MapPoint> loop{{x0, y0}, {x1, y0}};
    if (i + 1 < grid) {
        loop.push_back({x1, y0 + doorFrom});
        loop.push_back({x1, y0 + doorTo});
    }
    loop.push_back({x1, y1});
    loop.push_back({x0, y1});
    if (i > 0) {
        loop.push_back({x0, y0 + doorTo});
        loop.push_back({x0, y0 + doorFrom});
    }
    return loop;
}

void decorate(MapBuilder& b, int s, int i, int j)
{
    static const int wallTiles[4] = {brick, stone, wood, metal};
    static const int floorTiles[3] = {floorPlates, stone, grass};
    Sector& sector = b.sector(s);
    sector.floorTile = static_cast<std::int16_t>(floorTiles[(i + j) % 3]);
    sector.ceilingTile = ceilingPanel;
    sector.visibility = static_cast<std::uint8_t>((i * 8 + j * 3) % 160);
    if ((i + 2 * j) % 9 == 0) {
        sector.ceilingFlags = SurfaceBits::sky;
        sector.ceilingTile = static_cast<std::int16_t>((i + j) % 2 ? daySky : duskSky);
    }
    for (int w = 0; w < b.wallCount(s); ++w)
        b.wall(s, w).tile = static_cast<std::int16_t>(wallTiles[(i * 3 + j + w) % 4]);
}

void addSprites(MapBuilder& b, int s, int i, int j)
{
    static const std::uint16_t looks[4] = {0, SpriteBits::centred, SpriteBits::floorKind, SpriteBits::translucent};
    static const int pictures[4] = {barrel, lamp, emblem, ghost};
    const std::int32_t spots[4][2] = {{96, 96}, {416, 96}, {96, 416}, {416, 416}};
    std::int32_t floor = b.sector(s).floorZ;
    for (int k = 0; k < 4; ++k) {
        int look = (i + j + k) % 4;
        std::int32_t z = looks[look] == SpriteBits::centred ? floor - 64 * 16 : floor;
        b.addSprite(s, i * size + spots[k][0], j * size + spots[k][1], z, static_cast<std::int16_t>(pictures[look]),
                    looks[look]);
    }
}

} // namespace

MapContent largeMap()
{
    MapBuilder b;
    useDemoDefaults(b);
    for (int j = 0; j < grid; ++j) {
        for (int i = 0; i < grid; ++i) {
            std::int32_t floor = ((i * 7 + j * 13) % 5) * 16 * 16;
            std::int32_t ceiling = floor - (640 + (i * 5 + j) % 4 * 64) * 16;
            int s = b.addSector(gridRoom(i, j), floor, ceiling);
            if (j == pillarRow) {
                std::int32_t c = size / 2;
                b.addInnerLoop(s, {{i * size + c - 32, j * size + c - 32},
                                   {i * size + c - 32, j * size + c + 32},
                                   {i * size + c + 32, j * size + c + 32},
                                   {i * size + c + 32, j * size + c - 32}});
            }
            decorate(b, s, i, j);
            addSprites(b, s, i, j);
            // The jambs beside each doorway stay solid, back to back with the
            // neighbour's; only the doorway itself is an opening.
            std::int32_t x0 = i * size, y0 = j * size;
            if (i + 1 < grid) {
                b.keepSolid(s, x0 + size, y0);
                b.keepSolid(s, x0 + size, y0 + doorTo);
            }
            if (i > 0) {
                b.keepSolid(s, x0, y0 + size);
                b.keepSolid(s, x0, y0 + doorFrom);
            }
        }
    }
    b.setStart(256, 300, 0, 1536, 0);
    return b.build();
}

} // namespace VellTools
