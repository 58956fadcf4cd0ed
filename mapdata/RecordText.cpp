#include "mapdata/RecordText.h"

#include "core/Formatted.h"
#include "mapdata/Map.h"

namespace Vell3D::RecordText {

namespace {

using Vell::formatted;

std::string tags(int low, int high, int extra)
{
    return formatted("  tags    low %d, high %d, extra %d", low, high, extra);
}

std::string behind(const Wall& wall)
{
    if (wall.otherSector == -1 && wall.otherWall == -1)
        return "solid";
    return formatted("behind: sector %d, wall %d", int(wall.otherSector), int(wall.otherWall));
}

std::vector<std::string> sectorLines(const Map& map, int index)
{
    const Sector& s = map.sectors()[std::size_t(index)];
    return {
        formatted("sector %d: %d walls from wall %d, visibility %d", index, int(s.wallCount), int(s.firstWall),
               int(s.visibility)),
        formatted("  floor   z %d, tile %d, palette %d, shade %d, panning %d %d, slope %d", int(s.floorZ),
               int(s.floorTile), int(s.floorPalette), int(s.floorShade), int(s.floorPanX), int(s.floorPanY),
               int(s.floorSlope)),
        "          status " + status(s.floorFlags, surfaceBitWords),
        formatted("  ceiling z %d, tile %d, palette %d, shade %d, panning %d %d, slope %d", int(s.ceilingZ),
               int(s.ceilingTile), int(s.ceilingPalette), int(s.ceilingShade), int(s.ceilingPanX),
               int(s.ceilingPanY), int(s.ceilingSlope)),
        "          status " + status(s.ceilingFlags, surfaceBitWords),
        tags(s.lowTag, s.highTag, s.extra),
    };
}

std::vector<std::string> wallLines(const Map& map, int index)
{
    const Wall& w = map.walls()[std::size_t(index)];
    return {
        formatted("wall %d of sector %d: from %d %d to wall %d, ", index, sectorOfWall(map, index), int(w.x), int(w.y),
               int(w.nextPoint)) +
            behind(w),
        formatted("  tile %d, over-tile %d, palette %d, shade %d", int(w.tile), int(w.overTile), int(w.palette),
               int(w.shade)),
        formatted("  repeat %d %d, panning %d %d", int(w.repeatX), int(w.repeatY), int(w.panX), int(w.panY)),
        tags(w.lowTag, w.highTag, w.extra),
        "  status " + status(w.flags, wallBitWords),
    };
}

std::vector<std::string> spriteLines(const Map& map, int index)
{
    const Sprite& s = map.sprites()[std::size_t(index)];
    return {
        formatted("sprite %d of sector %d: at %d %d z %d, angle %d", index, int(s.sector), int(s.x), int(s.y), int(s.z),
               int(s.angle)),
        formatted("  tile %d, palette %d, shade %d", int(s.tile), int(s.palette), int(s.shade)),
        formatted("  repeat %d %d, offset %d %d", int(s.repeatX), int(s.repeatY), int(s.offsetX), int(s.offsetY)),
        tags(s.lowTag, s.highTag, s.extra),
        "  status " + status(s.flags, spriteBitWords),
    };
}

} // namespace

const char* tableName(Table table)
{
    switch (table) {
    case Table::sector: return "sector";
    case Table::wall: return "wall";
    default: return "sprite";
    }
}

int count(const Map& map, Table table)
{
    switch (table) {
    case Table::sector: return map.sectorCount();
    case Table::wall: return map.wallCount();
    default: return map.spriteCount();
    }
}

std::vector<std::string> lines(const Map& map, Table table, int index)
{
    if (index < 0 || index >= count(map, table))
        return {formatted("no %s %d: the map holds %d", tableName(table), index, count(map, table))};
    switch (table) {
    case Table::sector: return sectorLines(map, index);
    case Table::wall: return wallLines(map, index);
    default: return spriteLines(map, index);
    }
}

std::string status(std::uint16_t word, std::span<const BitWord> words)
{
    std::string text = formatted("0x%04X: ", unsigned(word));
    std::uint16_t rest = word;
    const char* separator = "";
    for (const BitWord& named : words) {
        if (!(word & named.bit))
            continue;
        text += separator;
        text += named.word;
        separator = ", ";
        rest &= std::uint16_t(~named.bit);
    }
    if (rest)
        text += separator + formatted("other 0x%04X", unsigned(rest));
    else if (!word)
        text += "none";
    return text;
}

int sectorOfWall(const Map& map, int wall)
{
    for (int s = 0; s < map.sectorCount(); ++s) {
        const Sector& sector = map.sectors()[std::size_t(s)];
        if (wall >= sector.firstWall && wall < int(sector.firstWall) + int(sector.wallCount))
            return s;
    }
    return -1;
}

} // namespace Vell3D::RecordText
