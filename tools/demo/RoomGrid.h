// RoomGrid: how the big demo maps are made. Square rooms 512 units wide lie
// in a grid, room (i, j) with its top-left corner at map (512 i, 512 j); each
// takes its tiles, fog and now and then a sky from its place in the grid, and
// holds four sprites, one of each look. "large.map" and "huge.map" differ
// only in how their rooms are shaped, raised and joined.
#pragma once

#include <cstdint>

#include "tools/authoring/MapBuilder.h"

namespace VellTools {

class RoomGrid {
public:
    static constexpr std::int32_t roomSize = 512;
    static constexpr int spritesPerRoom = 4;

    explicit RoomGrid(MapBuilder& builder) : builder(builder) {}

    // The top-left corner of room (i, j).
    static MapPoint corner(int i, int j) { return {i * roomSize, j * roomSize}; }

    // Tiles, fog and sky of sector s as room (i, j), and its four sprites,
    // standing on the sector's floor height. Call it once the sector has all
    // its loops.
    void furnish(int s, int i, int j);

private:
    void decorate(int s, int i, int j);
    void addSprites(int s, int i, int j);

    MapBuilder& builder;
};

} // namespace VellTools
