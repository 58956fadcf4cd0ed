// StatusOverlay: the white text both viewers write over the picture after
// each frame, on a grid of 10 x 16 pixel cells. A view lists its lines; the
// overlay draws them. The first four lines, the player's position, heading
// and sector, are the same in both viewers.
#pragma once

#include <string>
#include <vector>

namespace Vell {
class DC;
}

namespace Vell3D {

class PlayerNode;

struct StatusLine {
    int column;
    int row;
    std::string text;
};

namespace StatusOverlay {

// "Player position:", then x and y, the angle and the sector, on rows 1 to 4.
std::vector<StatusLine> playerLines(const PlayerNode& player);
// White on a transparent background, at x = 10 * column, y = 16 * row.
void draw(Vell::DC& dc, const std::vector<StatusLine>& lines);

} // namespace StatusOverlay

} // namespace Vell3D
