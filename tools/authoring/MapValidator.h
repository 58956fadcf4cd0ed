// MapValidator: checks that map content is something the viewers can walk
// and draw without guessing: a version they read with tables inside its
// limits, every index in range, every sector's walls
// stored as consecutive closed loops (the outer one clockwise on screen, the
// inner ones the other way), every opening answered by the wall behind it,
// and sprites and the start inside their sectors.
#pragma once

#include <string>
#include <vector>

#include "tools/authoring/MapContent.h"

namespace VellTools {

class MapValidator {
public:
    // tileCount > 0 also checks that every tile number used is below it.
    explicit MapValidator(const MapContent& map, int tileCount = 0);

    // One line per fault; empty for a valid map.
    std::vector<std::string> problems();

    // The world's even-odd rule over all loops of the sector (World::holds,
    // in map coordinates); points on a wall count as outside here. The
    // sector's wall range must be valid.
    static bool inside(const MapContent& map, int sector, double x, double y);

private:
    void report(const std::string& text);
    void checkLimits();
    void checkSectorRanges();
    void checkLoops(int sector);
    void checkOpening(int wall);
    void checkSprites();
    void checkStart();
    void checkTiles();
    bool sectorUsable(int sector) const;

    const MapContent& map;
    int tileCount;
    std::vector<int> owner; // sector of each wall, -1 when none
    std::vector<std::string> found;
};

} // namespace VellTools
