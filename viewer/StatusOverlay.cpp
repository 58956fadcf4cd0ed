#include "viewer/StatusOverlay.h"

#include "core/Formatted.h"
#include "gui/Color.h"
#include "gui/DC.h"
#include "world/PlayerNode.h"

namespace Vell3D::StatusOverlay {

std::vector<StatusLine> playerLines(const PlayerNode& player)
{
    using Vell::formatted;
    const Vector3 position = player.position();
    return {
        {1, 1, "Player position:"},
        {2, 2, formatted("x: %.3f, y: %.3f", position.x, position.y)},
        {2, 3, formatted("angle: %.3f", player.heading())},
        {2, 4, formatted("sector: %d", player.sector)},
    };
}

void draw(Vell::DC& dc, const std::vector<StatusLine>& lines)
{
    dc.setBackgroundMode(Vell::DC::transparent);
    dc.setTextColor(Vell::Color(255, 255, 255));
    for (const StatusLine& line : lines)
        dc.textOut(10 * line.column, 16 * line.row, line.text.c_str());
}

} // namespace Vell3D::StatusOverlay
