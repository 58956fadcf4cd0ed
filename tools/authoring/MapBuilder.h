// MapBuilder: authoring help for valid maps. A sector is given as its outer
// loop of points plus any inner loops (pillars); build() stores each sector's
// walls one after the other (outer loop first), links every loop through
// nextPoint and turns every pair of coincident, opposite walls of two sectors
// into an opening, both ways.
//
// Winding: in map coordinates (x to the right, y down the screen) an outer
// loop runs clockwise on the screen, i.e. its shoelace sum
// sum(x[i] * y[i+1] - x[i+1] * y[i]) is positive, and inner loops run the
// other way, so the sector's inside is always on the same side of each wall.
// The viewers mirror x (world x = -map x), which makes these loops turn
// counter-clockwise seen from above: the floor faces up and an opening is seen
// from the sector that owns it. build() rejects loops of the wrong sense.
#pragma once

#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "tools/authoring/MapContent.h"

namespace VellTools {

struct MapPoint {
    std::int32_t x;
    std::int32_t y;
};

class MapBuilder {
public:
    MapBuilder();

    // Copied into every sector, wall and sprite made afterwards; positions,
    // heights and links are set by the builder. A wall whose repeatX is 0
    // when the map is built gets one fitted to its length (one 64-texel
    // tile per 128 units, as a repeatY of 64 gives upright).
    Sector sectorDefaults;
    Wall wallDefaults;
    Sprite spriteDefaults;

    // Returns the new sector's index.
    int addSector(const std::vector<MapPoint>& loop, std::int32_t floorZ, std::int32_t ceilingZ);
    void addInnerLoop(int sector, const std::vector<MapPoint>& loop);

    Sector& sector(int index);
    int sectorCount() const { return static_cast<int>(sectors.size()); }
    int wallCount(int sector) const;
    // Walls are numbered within their sector across its loops in order.
    Wall& wall(int sector, int wallInSector);
    // The wall of the sector that starts at (x, y); throws when there is none.
    Wall& wallFrom(int sector, std::int32_t x, std::int32_t y);

    // Keeps the wall of the sector that starts at (x, y) solid even where
    // another sector's wall lies on it reversed (walls back to back).
    void keepSolid(int sector, std::int32_t x, std::int32_t y);

    // Returns the new sprite's index.
    int addSprite(int sector, std::int32_t x, std::int32_t y, std::int32_t z, std::int16_t tile,
                  std::uint16_t flags);
    Sprite& sprite(int index);

    void setStart(std::int32_t x, std::int32_t y, std::int32_t z, std::int16_t angle, int sector);

    // Throws Vell::Exception on loops of the wrong winding, duplicate walls or
    // tables beyond 16-bit counts.
    MapContent build() const;

private:
    struct SectorDraft {
        Sector record;
        std::vector<std::vector<Wall>> loops;
    };
    std::vector<Wall> makeLoop(const std::vector<MapPoint>& points) const;
    void layOutWalls(MapContent& map) const;
    void joinOpenings(MapContent& map) const;

    std::vector<SectorDraft> sectors;
    std::vector<Sprite> sprites;
    std::set<std::tuple<int, std::int32_t, std::int32_t>> solidWalls;
    MapContent header;
};

// Twice the signed area of a loop (the shoelace sum); positive for outer loops.
std::int64_t loopArea2(const std::vector<MapPoint>& loop);

} // namespace VellTools
