#include "tools/MapSummary.h"

#include <cstdio>
#include <string>

#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace VellTools {

using namespace Vell3D;

namespace {

bool sloped(std::uint16_t flags, std::int16_t slope)
{
    return (flags & SurfaceBits::sloped) && slope != 0;
}

} // namespace

template <typename... Values>
void MapSummary::warn(const char* pattern, Values... values)
{
    if (warnings.size() < warningLines) {
        char line[160];
        std::snprintf(line, sizeof line, pattern, values...);
        warnings.push_back(line);
    }
    ++warningCount;
}

MapSummary::MapSummary(const Map& map, const World& planWorld, const TileSet& tiles)
{
    checkTiles(tiles);
    for (const WorldSector& sector : planWorld.sectors) {
        if (sector.pieceStarts.size() > 1)
            pieces += int(sector.pieceStarts.size()) - 1;
    }
    countSectors(map, planWorld);
    countSprites(map);
    checkStart(map, planWorld);
}

// First among the warnings, so that no number of broken references in the
// map can push it out of the lines written.
void MapSummary::checkTiles(const TileSet& tiles)
{
    tileBase = tiles.baseName().text();
    tileCount = tiles.tileCount();
    if (!tiles.artProblem().isEmpty())
        warn("%s; tiles from %d on not loaded", tiles.artProblem().text(), tileCount);
}

void MapSummary::countSectors(const Map& map, const World& world)
{
    for (int s = 0; s < map.sectorCount() && std::size_t(s) < world.sectors.size(); ++s) {
        const Sector& sector = map.sectors()[std::size_t(s)];
        skyCeilings += (sector.ceilingFlags & SurfaceBits::sky) ? 1 : 0;
        skyFloors += (sector.floorFlags & SurfaceBits::sky) ? 1 : 0;
        slopedSurfaces += sloped(sector.ceilingFlags, sector.ceilingSlope) ? 1 : 0;
        slopedSurfaces += sloped(sector.floorFlags, sector.floorSlope) ? 1 : 0;
        for (int w : world.sectors[std::size_t(s)].walls) {
            const Wall& wall = map.walls()[std::size_t(w)];
            bool claimsOpening = wall.otherSector != -1 || wall.otherWall != -1;
            if (!world.walls[std::size_t(w)].isOpening()) {
                if (claimsOpening)
                    warn("wall %d of sector %d: opening to sector %d, wall %d does not lead back; drawn solid",
                         w, s, int(wall.otherSector), int(wall.otherWall));
                continue;
            }
            ++openings;
            if (isMirror(wall))
                ++mirrors;
            if (wall.flags & WallBits::masked) {
                ++masked;
                if (wall.flags & WallBits::translucent)
                    ++translucent;
            }
        }
    }
}

void MapSummary::countSprites(const Map& map)
{
    for (int i = 0; i < map.spriteCount(); ++i) {
        const Sprite& sprite = map.sprites()[std::size_t(i)];
        ++spritesByKind[spriteKind(sprite.flags)];
        if (sprite.sector < 0 || sprite.sector >= map.sectorCount())
            warn("sprite %d: sector %d out of range; never drawn", i, int(sprite.sector));
    }
}

void MapSummary::checkStart(const Map& map, const World& world)
{
    int s = map.startSector();
    if (s < 0 || s >= map.sectorCount() || std::size_t(s) >= world.sectors.size()) {
        warn("start sector %d out of range; the player moves freely", s);
        return;
    }
    // The start in world coordinates (x mirrored), by the world's own rule.
    if (!world.holds(s, -map.start().x, map.start().y))
        warn("start position %.0f %.0f lies outside its sector %d", map.start().x, map.start().y, s);
}

void MapSummary::print(Vell::TextStream& out) const
{
    out << "tile base  : " << tileBase.c_str() << "\n"
        << "tiles      : " << tileCount << "\n"
        << "pieces     : " << pieces << "\n"
        << "openings   : " << openings << "\n"
        << "sky ceiling: " << skyCeilings << "\n"
        << "sky floor  : " << skyFloors << "\n"
        << "sloped     : " << slopedSurfaces << "\n"
        << "mirrors    : " << mirrors << "\n"
        << "masked     : " << masked << " (" << translucent << " translucent)\n"
        << "sprite kind: face " << spritesByKind[1] << ", wall " << spritesByKind[2] << ", floor "
        << spritesByKind[3] << ", other " << spritesByKind[0] << "\n"
        << "warnings   : " << warningCount << "\n";
    for (const std::string& warning : warnings)
        out << "warning    : " << warning.c_str() << "\n";
    if (warningCount > long(warnings.size()))
        out << "warning    : " << warningCount - long(warnings.size()) << " more\n";
}

} // namespace VellTools
