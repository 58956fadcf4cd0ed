#include "viewer/InfoPanel.h"

#include <algorithm>

#include "core/Formatted.h"
#include "gui/Color.h"
#include "gui/DC.h"
#include "gui/Size.h"
#include "mapdata/RecordText.h"
#include "world/World.h"

namespace Vell3D::InfoPanel {

namespace {

using Kind = PanelSubject::Kind;
using RecordText::Table;
using Vell::formatted;

constexpr int lineHeight = 16;   // the overlay's rows
constexpr int margin = 6;        // between the box's edge and its text
constexpr int edge = 4;          // between the box and the view's edge

const char* pieceName(Kind kind)
{
    switch (kind) {
    case Kind::upper: return "upper piece";
    case Kind::lower: return "lower piece";
    case Kind::middle: return "middle piece";
    default: return "mirror";
    }
}

std::string wallHeading(const PanelSubject& s)
{
    if (s.behind < 0)
        return formatted("aim: wall %d of sector %d, solid", s.wall, s.sector);
    return formatted("aim: %s of wall %d of sector %d, sector %d behind", pieceName(s.kind), s.wall, s.sector,
                  s.behind);
}

// The heading, and the records that follow it.
struct Part {
    std::string heading;
    Table table;
    int index;   // -1: no record follows
};

std::vector<Part> partsOf(const PanelSubject& s)
{
    switch (s.kind) {
    case Kind::nothing: return {{"aim: nothing (a sky, or past the far plane)", Table::sector, -1}};
    case Kind::upper:
    case Kind::lower:
    case Kind::middle:
    case Kind::mirror: return {{wallHeading(s), Table::wall, s.wall}};
    case Kind::floor: return {{formatted("aim: floor of sector %d", s.sector), Table::sector, s.sector}};
    case Kind::ceiling: return {{formatted("aim: ceiling of sector %d", s.sector), Table::sector, s.sector}};
    case Kind::sprite: return {{formatted("aim: sprite %d in sector %d", s.sprite, s.sector), Table::sprite, s.sprite}};
    default: break;
    }
    std::vector<Part> parts;
    parts.push_back(s.sector < 0 ? Part{"pointer: no sector", Table::sector, -1}
                                 : Part{formatted("pointer: sector %d", s.sector), Table::sector, s.sector});
    parts.push_back(s.wall < 0 ? Part{"nearest wall: none close to the pointer", Table::wall, -1}
                               : Part{formatted("nearest wall: %d", s.wall), Table::wall, s.wall});
    return parts;
}

} // namespace

PanelSubject fromSight(const RayHit& hit, const World& world)
{
    PanelSubject s;
    s.sector = hit.sector;
    switch (hit.kind) {
    case surfaceFloor: s.kind = Kind::floor; break;
    case surfaceCeiling: s.kind = Kind::ceiling; break;
    case surfaceSprite:
        s.kind = Kind::sprite;
        s.sprite = hit.sprite;
        break;
    case surfaceUpper:
    case surfaceLower:
    case surfaceMiddle: {
        const WorldWall* wall = inRange(hit.wall, world.walls.size()) ? &world.walls[std::size_t(hit.wall)] : nullptr;
        const bool mirror = hit.kind == surfaceMiddle && wall && (wall->middle.flags & pieceMirror);
        s.kind = mirror ? Kind::mirror : hit.kind == surfaceUpper ? Kind::upper
                                       : hit.kind == surfaceLower ? Kind::lower
                                                                  : Kind::middle;
        s.wall = hit.wall;
        // The sector behind as the world draws it.
        s.behind = wall ? wall->nextSector : -1;
        break;
    }
    default: return PanelSubject();
    }
    return s;
}

PanelSubject pointer(int sector, int wall)
{
    PanelSubject s;
    s.kind = Kind::pointer;
    s.sector = sector;
    s.wall = wall;
    return s;
}

std::vector<std::string> lines(const Map* map, const PanelSubject& subject)
{
    std::vector<std::string> text;
    for (const Part& part : partsOf(subject)) {
        text.push_back(part.heading);
        if (part.index < 0)
            continue;
        if (!map) {
            text.push_back("(the map's records are not at hand)");
            continue;
        }
        for (std::string& line : RecordText::lines(*map, part.table, part.index))
            text.push_back(std::move(line));
    }
    return text;
}

void draw(Vell::DC& dc, const std::vector<std::string>& lines, const Vell::Size& view)
{
    if (lines.empty())
        return;
    int width = 0;
    for (const std::string& line : lines)
        width = std::max(width, dc.textExtent(line.c_str()).width);
    const int height = lineHeight * int(lines.size()) + 2 * margin;
    const int left = edge;
    const int top = view.height - edge - height;
    dc.fillRect(left, top, left + width + 2 * margin - 1, top + height - 1, Vell::Color(0, 0, 0));
    dc.setBackgroundMode(Vell::DC::transparent);
    dc.setTextColor(Vell::Color(255, 255, 255));
    for (std::size_t i = 0; i < lines.size(); ++i)
        dc.textOut(left + margin, top + margin + lineHeight * int(i), lines[i].c_str());
}

} // namespace Vell3D::InfoPanel
