// What the panel's heading says for each kind of thing the sight meets, as
// the world has it (mirror or not, the sector behind).
#include <gtest/gtest.h>

#include "viewer/InfoPanel.h"
#include "world/World.h"

using namespace Vell3D;

TEST(InfoPanel, headingsNameThePieceAndTheSectorBehind)
{
    World world;
    world.walls.resize(3);
    world.walls[1].nextSector = 4;
    world.walls[2].nextSector = 1;
    world.walls[2].middle.flags = pieceMirror;
    auto heading = [&](int kind, int wall) {
        RayHit hit;
        hit.kind = kind;
        hit.wall = wall;
        hit.sector = 0;
        return InfoPanel::lines(nullptr, InfoPanel::fromSight(hit, world));
    };
    const std::string missing = "(the map's records are not at hand)";
    EXPECT_EQ(heading(surfaceMiddle, 2),
              (std::vector<std::string>{"aim: mirror of wall 2 of sector 0, sector 1 behind", missing}));
    EXPECT_EQ(heading(surfaceLower, 1)[0], "aim: lower piece of wall 1 of sector 0, sector 4 behind");
    EXPECT_EQ(heading(surfaceUpper, 0)[0], "aim: wall 0 of sector 0, solid");
    // A wall number the world lacks is said as it came, behind nothing.
    EXPECT_EQ(heading(surfaceMiddle, 7)[0], "aim: wall 7 of sector 0, solid");
    EXPECT_EQ(heading(surfaceCeiling, -1)[0], "aim: ceiling of sector 0");
}
