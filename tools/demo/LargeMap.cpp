// "large.map": a 32 x 32 grid of rooms at version 7's limits, 1024 sectors,
// 8192 walls and 4096 sprites. Rows are joined by doorways in the east and
// west walls, columns by whole-width openings, so every room can be
// reached; floors and ceilings vary so the openings show steps.
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/RoomGrid.h"

namespace VellTools {

namespace {

constexpr int grid = 32;
constexpr std::int32_t size = RoomGrid::roomSize;
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

} // namespace

MapContent largeMap()
{
    MapBuilder b;
    useDemoDefaults(b);
    RoomGrid rooms(b);
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
            rooms.furnish(s, i, j);
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
