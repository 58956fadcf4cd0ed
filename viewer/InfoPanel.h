// InfoPanel: what the info panel (key I, both viewers) says and how it is
// drawn. A view tells what it points at (a PanelSubject: what the 3D view's
// line of sight meets, the sector and wall under the plan's pointer); the
// panel gives a heading for it and then the map records involved, in the
// words of RecordText, so the text is the one mapinfo prints for the same
// record. It is drawn with the DC on the overlay surface, white on a black
// box so it reads on any picture, at the bottom left, clear of the status
// overlay; pictures (F12, mapshot) are taken without it, as without the
// overlay.
#pragma once

#include <string>
#include <vector>

namespace Vell {
class DC;
class Size;
}

namespace Vell3D {

class Map;
class World;
struct RayHit;

struct PanelSubject {
    enum class Kind {
        nothing,    // the line of sight runs out (a sky, past the far plane)
        upper,      // wall pieces: wall, sector, behind
        lower,
        middle,
        mirror,
        floor,      // sector
        ceiling,    // sector
        sprite,     // sprite, sector
        pointer,    // the plan's pointer: sector (-1: none), wall (-1: none near)
    };
    Kind kind = Kind::nothing;
    int sector = -1;
    int wall = -1;
    int behind = -1;     // the sector behind a wall piece (3D), -1 for a solid wall
    int sprite = -1;

    bool operator==(const PanelSubject&) const = default;
};

namespace InfoPanel {

// What World::castSight met, as the panel names it.
PanelSubject fromSight(const RayHit& hit, const World& world);
// The plan's pointer over a sector and near a wall (-1 for none).
PanelSubject pointer(int sector, int wall);
// The heading for the subject, then its records from the map (null: the
// records are not at hand, which the panel says).
std::vector<std::string> lines(const Map* map, const PanelSubject& subject);
// The lines on their box at the bottom left of a view of that size.
void draw(Vell::DC& dc, const std::vector<std::string>& lines, const Vell::Size& view);

} // namespace InfoPanel

} // namespace Vell3D
