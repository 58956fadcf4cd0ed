// One record as text: the record's own numbers and its status words in
// words, as the info panel and mapinfo print them.
#include <gtest/gtest.h>

#include "mapdata/RecordText.h"
#include "tests/support/MapLoading.h"

using namespace Vell3D;
using RecordText::Table;

namespace {

// Two sectors of two walls each (no real loops: the text reads records,
// it builds nothing), one sprite. mapinfo's test reads a sprite's lines.
VellTools::MapContent records()
{
    VellTools::MapContent map;
    map.sectors.resize(2, Sector{});
    map.walls.resize(4, Wall{});
    map.sprites.resize(1, Sprite{});
    map.sectors[0].wallCount = 2;
    map.sectors[1] = Sector{2, 2, -16384, 4096, SurfaceBits::sky, SurfaceBits::sloped | SurfaceBits::flipY, 12, 0,
                            -3, 4, 5, 6, 13, -200, 7, 8, 9, 10, 11, 0, 21, -22, 23};
    map.walls[3] = Wall{-64, 128, 2, 1, 0, WallBits::masked | WallBits::translucent | 0x4001, 30, 31, -5, 2,
                        16, 8, 1, 2, 40, 41, -42};
    map.walls[1].otherSector = -1;
    map.walls[1].otherWall = -1;
    return map;
}

} // namespace

TEST(RecordText, StatusWordsSpeltOutWithUnnamedBitsTogether)
{
    EXPECT_EQ(RecordText::status(0, wallBitWords), "0x0000: none");
    EXPECT_EQ(RecordText::status(WallBits::oneWay | WallBits::swapBottoms, wallBitWords),
              "0x0022: swapped bottoms, one-way");
    EXPECT_EQ(RecordText::status(0x8001, wallBitWords), "0x8001: other 0x8001");
    EXPECT_EQ(RecordText::status(SurfaceBits::sky | 0x0100, surfaceBitWords), "0x0101: sky, other 0x0100");
    EXPECT_EQ(RecordText::status(SpriteBits::invisible | SpriteBits::centred, spriteBitWords),
              "0x8080: centred, invisible");
}

TEST(RecordText, SectorLinesGiveTheRecordsOwnNumbers)
{
    const Map map = TestSupport::loadMap(records());
    EXPECT_EQ(RecordText::lines(map, Table::sector, 1),
              (std::vector<std::string>{
                  "sector 1: 2 walls from wall 2, visibility 11",
                  "  floor   z 4096, tile 13, palette 8, shade 7, panning 9 10, slope -200",
                  "          status 0x0022: sloped, y-flipped",
                  "  ceiling z -16384, tile 12, palette 4, shade -3, panning 5 6, slope 0",
                  "          status 0x0001: sky",
                  "  tags    low 21, high -22, extra 23",
              }));
}

TEST(RecordText, WallLinesNameItsSectorAndWhatLiesBehind)
{
    const Map map = TestSupport::loadMap(records());
    EXPECT_EQ(RecordText::lines(map, Table::wall, 3),
              (std::vector<std::string>{
                  "wall 3 of sector 1: from -64 128 to wall 2, behind: sector 0, wall 1",
                  "  tile 30, over-tile 31, palette 2, shade -5",
                  "  repeat 16 8, panning 1 2",
                  "  tags    low 40, high 41, extra -42",
                  "  status 0x4091: masked, translucent, other 0x4001",
              }));
    EXPECT_EQ(RecordText::lines(map, Table::wall, 1)[0], "wall 1 of sector 0: from 0 0 to wall 0, solid");
}

// The map's numbers may be anything: a wall no sector claims, a sector
// that claims no walls, an index past the table.
TEST(RecordText, NumbersOutsideTheTablesAreSaidNotRead)
{
    VellTools::MapContent content = records();
    content.sectors[0].wallCount = 0;
    content.sectors[1].firstWall = -5;
    const Map map = TestSupport::loadMap(content);
    EXPECT_EQ(RecordText::sectorOfWall(map, 0), -1);
    EXPECT_EQ(RecordText::lines(map, Table::wall, 0)[0].rfind("wall 0 of sector -1:", 0), 0u);
    EXPECT_EQ(RecordText::lines(map, Table::sector, 2), std::vector<std::string>{"no sector 2: the map holds 2"});
    EXPECT_EQ(RecordText::lines(map, Table::wall, -1), std::vector<std::string>{"no wall -1: the map holds 4"});
    EXPECT_EQ(RecordText::lines(map, Table::sprite, 1), std::vector<std::string>{"no sprite 1: the map holds 1"});
}
