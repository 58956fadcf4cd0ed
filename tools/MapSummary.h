// MapSummary: what mapinfo adds after a map's tables and start: the tile
// set, the number of convex pieces the plan view cuts the map into, a short
// count of what the map holds (openings, skies, slopes, mirrors, masked
// walls, sprites by kind) and a warning for every reference the viewers have
// to work around, and for an art file that ended the tile set early.
#pragma once

#include <string>
#include <vector>

#include "core/TextStream.h"

namespace Vell3D {
class Map;
class TileSet;
class World;
}

namespace VellTools {

class MapSummary {
public:
    // planWorld: the plan view's world built from map, with its pieces;
    // tiles: the archive's tile set, as the viewers load it.
    MapSummary(const Vell3D::Map& map, const Vell3D::World& planWorld, const Vell3D::TileSet& tiles);

    void print(Vell::TextStream& out) const;

    // At most this many warnings are written one by one; the rest are counted.
    static constexpr std::size_t warningLines = 20;

    std::string tileBase;
    int tileCount = 0;
    int pieces = 0;
    int openings = 0;
    int skyCeilings = 0;
    int skyFloors = 0;
    int slopedSurfaces = 0;
    int mirrors = 0;
    int masked = 0;
    int translucent = 0;
    int spritesByKind[4] = {0, 0, 0, 0};   // by SpriteKind: other, face, wall, floor
    // The first warningLines warnings; warningCount counts them all, so a
    // map with millions of broken references costs no more than a screenful.
    std::vector<std::string> warnings;
    long warningCount = 0;

private:
    template <typename... Values>
    void warn(const char* pattern, Values... values);
    void checkTiles(const Vell3D::TileSet& tiles);
    void countSectors(const Vell3D::Map& map, const Vell3D::World& world);
    void countSprites(const Vell3D::Map& map);
    void checkStart(const Vell3D::Map& map, const Vell3D::World& world);
};

} // namespace VellTools
