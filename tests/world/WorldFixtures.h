// Maps and tile sets for the world tests: maps go through the real map
// writer and loader, tile sets through a real archive in a scratch folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mapdata/Map.h"
#include "world/World.h"
#include "tests/support/MapLoading.h"
#include "tests/support/TileArchive.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/authoring/MapContent.h"

namespace WorldFixtures {

// The map as the viewers would read it from a file.
using TestSupport::loadMap;

// A square sector 1024 wide, floor at world height floor, ceiling at ceiling
// (map z = -16 * world z); the map start in its middle.
VellTools::MapContent squareRoom(double floor = 0.0, double ceiling = 256.0);

// Two squares side by side (sector 0 at map x 0..1024, sector 1 at
// 1024..2048) joined by one opening; heights in world units.
struct TwoRooms {
    VellTools::MapBuilder builder;
    int opening0;   // index of the opening wall of sector 0 in the map
    int opening1;
};
TwoRooms twoRooms(double floor0, double ceiling0, double floor1, double ceiling1);
// Finds the opening walls after build() and fills the indices.
VellTools::MapContent finish(TwoRooms& rooms);

// Two rooms as twoRooms makes them, built into a world as the viewers build
// it.
struct BuiltRooms {
    BuiltRooms(double floor0, double ceiling0, double floor1, double ceiling1);
    TwoRooms rooms;
    Vell3D::World world;
};

std::int32_t mapZ(double worldZ);

// Rooms in a row along map x (world x = -map x), each 1024 deep, joined by
// whole-width openings; floors in world units.
VellTools::MapContent roomRow(const std::vector<int>& edges, const std::vector<double>& floors);

// A tile set of one art file with tiles of the given sizes, all of colour 1,
// and a palette of one plain shade table.
class TileFixture : public TestSupport::TileArchive {
public:
    explicit TileFixture(const std::vector<std::pair<int, int>>& sizes);
};

} // namespace WorldFixtures
