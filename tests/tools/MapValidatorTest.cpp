// The map builder's joins and loops, and the faults the validator catches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/Exception.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/authoring/MapValidator.h"

using namespace VellTools;

namespace {

// Two rooms side by side sharing the wall x = 512, the first with a pillar.
MapContent twoRooms()
{
    MapBuilder b;
    int a = b.addSector({{0, 0}, {512, 0}, {512, 512}, {0, 512}}, 0, -4096);
    b.addInnerLoop(a, {{200, 200}, {200, 300}, {300, 300}, {300, 200}});
    int c = b.addSector({{512, 0}, {1024, 0}, {1024, 512}, {512, 512}}, -256, -4096);
    b.addSprite(c, 700, 100, -256, 1, 0);
    b.setStart(100, 100, 0, 0, a);
    return b.build();
}

bool mentions(const std::vector<std::string>& problems, const std::string& part)
{
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(part) != std::string::npos; });
}

// A fault made in the two rooms, and what the validator says about it.
struct Fault {
    const char* said;
    std::function<void(MapContent&)> make;
};

void expectCaught(std::initializer_list<Fault> faults)
{
    for (const Fault& fault : faults) {
        MapContent map = twoRooms();
        fault.make(map);
        EXPECT_TRUE(mentions(MapValidator(map).problems(), fault.said)) << fault.said;
    }
}

} // namespace

TEST(MapBuilder, StoresLoopsConsecutivelyAndJoinsBothWays)
{
    MapContent map = twoRooms();
    ASSERT_EQ(map.walls.size(), 12u);
    EXPECT_EQ(map.sectors[0].firstWall, 0);
    EXPECT_EQ(map.sectors[0].wallCount, 8);
    EXPECT_EQ(map.sectors[1].firstWall, 8);
    EXPECT_EQ(map.walls[3].nextPoint, 0);  // outer loop closes
    EXPECT_EQ(map.walls[4].nextPoint, 5);
    EXPECT_EQ(map.walls[7].nextPoint, 4);  // pillar loop closes
    // Wall 1 runs (512,0)->(512,512); wall 11 runs (512,512)->(512,0).
    EXPECT_EQ(map.walls[1].otherWall, 11);
    EXPECT_EQ(map.walls[1].otherSector, 1);
    EXPECT_EQ(map.walls[11].otherWall, 1);
    EXPECT_EQ(map.walls[11].otherSector, 0);
    EXPECT_EQ(map.walls[0].otherSector, -1);
    EXPECT_TRUE(MapValidator(map).problems().empty());
}

TEST(MapBuilder, RejectsWrongWindingAndDuplicateWalls)
{
    MapBuilder b;
    EXPECT_THROW(b.addSector({{0, 0}, {0, 512}, {512, 512}, {512, 0}}, 0, -1), Vell::Exception);
    int s = b.addSector({{0, 0}, {512, 0}, {512, 512}, {0, 512}}, 0, -1);
    EXPECT_THROW(b.addInnerLoop(s, {{1, 1}, {2, 1}, {2, 2}}), Vell::Exception);
    b.addSector({{0, 0}, {512, 0}, {512, 512}, {0, 512}}, 0, -1);
    EXPECT_THROW(b.build(), Vell::Exception);
}

TEST(MapBuilder, KeepSolidLeavesBackToBackWallsClosed)
{
    MapBuilder b;
    int a = b.addSector({{0, 0}, {512, 0}, {512, 256}, {512, 512}, {0, 512}}, 0, -1);
    int c = b.addSector({{512, 0}, {1024, 0}, {1024, 512}, {512, 512}, {512, 256}}, 0, -1);
    b.keepSolid(a, 512, 0);
    b.setStart(10, 10, 0, 0, a);
    MapContent map = b.build();
    EXPECT_EQ(map.walls[1].otherSector, -1);
    EXPECT_EQ(map.walls[2].otherSector, c);
    EXPECT_TRUE(MapValidator(map).problems().empty());
}

TEST(MapBuilder, FitsRepeatToLengthWhenAskedTo)
{
    MapBuilder b;
    b.wallDefaults.repeatX = 0;
    b.addSector({{0, 0}, {2048, 0}, {2048, 8}, {0, 8}}, 0, -1);
    MapContent map = b.build();
    EXPECT_EQ(map.walls[0].repeatX, 128);
    EXPECT_EQ(map.walls[1].repeatX, 1);
}

TEST(MapValidator, InsideHonoursPillars)
{
    MapContent map = twoRooms();
    EXPECT_TRUE(MapValidator::inside(map, 0, 100, 100));
    EXPECT_FALSE(MapValidator::inside(map, 0, 250, 250)); // in the pillar
    EXPECT_FALSE(MapValidator::inside(map, 0, 700, 100));
    EXPECT_FALSE(MapValidator::inside(map, 0, 0, 100));   // on a wall
    EXPECT_TRUE(MapValidator::inside(map, 1, 700, 100));
}

TEST(MapValidator, CatchesBrokenLoops)
{
    expectCaught({
        {"nextPoint leaves its loop", [](MapContent& map) { map.walls[2].nextPoint = 0; }},
        {"nextPoint leaves its loop", [](MapContent& map) { map.walls[3].nextPoint = 9000; }},
        {"wall range outside", [](MapContent& map) { map.sectors[1].wallCount = 40; }},
        // The pillar's walls then belong to nobody.
        {"belongs to no sector", [](MapContent& map) { map.sectors[0].wallCount = 4; }},
    });
}

TEST(MapValidator, CatchesWrongWinding)
{
    expectCaught({{"outer loop winds the wrong way", [](MapContent& map) {
                       std::swap(map.walls[1].x, map.walls[3].x);
                       std::swap(map.walls[1].y, map.walls[3].y);
                   }}});
}

TEST(MapValidator, CatchesOneSidedAndMismatchedOpenings)
{
    expectCaught({
        {"does not point back",
         [](MapContent& map) {
             map.walls[11].otherWall = -1;
             map.walls[11].otherSector = -1;
         }},
        {"does not own", [](MapContent& map) { map.walls[1].otherSector = 0; }},
        {"not the same segment",
         [](MapContent& map) {
             map.walls[1].otherWall = 8;
             map.walls[8].otherWall = 1;
             map.walls[8].otherSector = 0;
         }},
        {"out of range", [](MapContent& map) { map.walls[1].otherWall = 12; }},
    });
}

TEST(MapValidator, CatchesStartAndSpritesOutsideTheirSectors)
{
    expectCaught({
        {"start position not inside",
         [](MapContent& map) {
             map.startX = 250;
             map.startY = 250;
         }},
        {"start sector out of range", [](MapContent& map) { map.startSector = 2; }},
        {"sprite 0: not inside", [](MapContent& map) { map.sprites[0].sector = 0; }},
        {"sprite 0: sector out of range", [](MapContent& map) { map.sprites[0].sector = -1; }},
    });
}

TEST(MapValidator, CatchesLimitsAndMissingTiles)
{
    MapContent map = twoRooms();
    EXPECT_TRUE(MapValidator(map, 2).problems().empty());
    EXPECT_TRUE(mentions(MapValidator(map, 1).problems(), "tile 1 does not exist"));
    map.sprites.resize(4097, map.sprites[0]);
    EXPECT_TRUE(mentions(MapValidator(map).problems(), "more than 4096 sprites"));
    map.version = 8;   // the same records, larger tables
    EXPECT_TRUE(MapValidator(map).problems().empty());
    map.sprites.resize(16385, map.sprites[0]);
    EXPECT_TRUE(mentions(MapValidator(map).problems(), "more than 16384 sprites in version 8"));
    map.version = 10;
    EXPECT_TRUE(mentions(MapValidator(map).problems(), "version 10 is not 7, 8 or 9"));
}
