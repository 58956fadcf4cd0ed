// Byte layouts of the four writers, checked against the file formats.
#include <gtest/gtest.h>

#include <cstring>

#include "core/Exception.h"
#include "tests/support/ByteReads.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/authoring/PaletteWriter.h"

using namespace VellTools;
using TestSupport::le16;
using TestSupport::le32;

namespace {

std::string text(const Bytes& b, std::size_t at, std::size_t count)
{
    return std::string(b.begin() + at, b.begin() + at + count);
}

} // namespace

TEST(GroupWriter, WritesHeaderDirectoryAndDataBackToBack)
{
    GroupWriter group;
    group.add("A.DAT", {1, 2, 3});
    group.add("TWELVECHARSX", {});
    group.add("B", {9});
    Bytes b = group.bytes();
    ASSERT_EQ(b.size(), 16u + 3 * 16 + 4);
    EXPECT_EQ(text(b, 0, 12), "Quorvelindas");
    EXPECT_EQ(le32(b, 12), 3);
    EXPECT_EQ(text(b, 16, 6), std::string("A.DAT\0", 6));
    EXPECT_EQ(le32(b, 28), 3);
    // A 12-character name fills its field with no terminator.
    EXPECT_EQ(text(b, 32, 12), "TWELVECHARSX");
    EXPECT_EQ(le32(b, 44), 0);
    EXPECT_EQ(le32(b, 60), 1);
    EXPECT_EQ(b[64], 1);
    EXPECT_EQ(b[66], 3);
    EXPECT_EQ(b[67], 9);
}

TEST(GroupWriter, KeepsNamesAsGivenAndRejectsLongOnes)
{
    GroupWriter group;
    group.add("lower.map", {});
    EXPECT_EQ(text(group.bytes(), 16, 9), "lower.map");
    EXPECT_THROW(group.add("THIRTEENCHARS", {}), Vell::Exception);
    EXPECT_EQ(group.count(), 1u);
}

TEST(MapWriter, WritesHeaderAndTablesAtTheirOffsets)
{
    MapContent map;
    map.startX = -5;
    map.startY = 70000;
    map.startZ = -17;
    map.startAngle = -1;
    map.startSector = 1;
    map.sectors.resize(2, Sector{});
    map.sectors[1].floorZ = 4096;
    map.sectors[1].visibility = 7;
    map.walls.resize(1, Wall{});
    map.walls[0].nextPoint = 0;
    map.walls[0].otherWall = -1;
    map.walls[0].overTile = 560;
    map.walls[0].extra = 0x1234;
    map.sprites.resize(1, Sprite{});
    map.sprites[0].sector = 1;
    map.sprites[0].extra = -2;
    Bytes b = MapWriter::bytes(map);
    ASSERT_EQ(b.size(), 26u + 40 * 2 + 32 + 44);
    EXPECT_EQ(le32(b, 0), 7);
    EXPECT_EQ(le32(b, 4), -5);
    EXPECT_EQ(le32(b, 8), 70000);
    EXPECT_EQ(le32(b, 12), -17);
    EXPECT_EQ(le16(b, 16), -1);
    EXPECT_EQ(le16(b, 18), 1);
    EXPECT_EQ(le16(b, 20), 2);
    EXPECT_EQ(le32(b, 22 + 40 + 8), 4096);
    EXPECT_EQ(b[22 + 40 + 32], 7);
    std::size_t walls = 22 + 80;
    EXPECT_EQ(le16(b, walls), 1);
    EXPECT_EQ(le16(b, walls + 2 + 10), -1);
    EXPECT_EQ(le16(b, walls + 2 + 18), 560);
    EXPECT_EQ(le16(b, walls + 2 + 30), 0x1234);
    std::size_t sprites = walls + 2 + 32;
    EXPECT_EQ(le16(b, sprites), 1);
    EXPECT_EQ(le16(b, sprites + 2 + 24), 1);
    EXPECT_EQ(le16(b, sprites + 2 + 42), -2);
}

TEST(MapWriter, EmptyMapIsHeaderAndThreeZeroCounts)
{
    Bytes b = MapWriter::bytes(MapContent{});
    ASSERT_EQ(b.size(), 26u);
    EXPECT_EQ(le16(b, 20), 0);
    EXPECT_EQ(le16(b, 22), 0);
    EXPECT_EQ(le16(b, 24), 0);
}

TEST(ArtWriter, WritesHeaderTablesAndColumnMajorPixels)
{
    ArtWriter art(100);
    art.add({2, 3, 0xDEADBEEF, {1, 2, 3, 4, 5, 6}});
    art.add({0, 5, 7, {}});
    art.add({1, 1, 0, {255}});
    Bytes b = art.bytes();
    ASSERT_EQ(b.size(), 16u + 8 * 3 + 7);
    EXPECT_EQ(le32(b, 0), 1);
    EXPECT_EQ(le32(b, 8), 100);
    EXPECT_EQ(le32(b, 12), 102);
    EXPECT_EQ(le16(b, 16), 2);
    EXPECT_EQ(le16(b, 18), 0);
    EXPECT_EQ(le16(b, 20), 1);
    EXPECT_EQ(le16(b, 22), 3);
    EXPECT_EQ(le16(b, 24), 5);
    EXPECT_EQ(static_cast<std::uint32_t>(le32(b, 28)), 0xDEADBEEFu);
    EXPECT_EQ(le32(b, 32), 7);
    EXPECT_EQ(b[40], 1);
    EXPECT_EQ(b[45], 6);
    EXPECT_EQ(b[46], 255);
}

TEST(ArtWriter, EmptyFileHasLastBelowFirst)
{
    Bytes b = ArtWriter(10).bytes();
    ASSERT_EQ(b.size(), 16u);
    EXPECT_EQ(le32(b, 12), 9);
}

TEST(ArtWriter, RejectsPixelsThatDoNotMatchTheSize)
{
    ArtWriter art;
    EXPECT_THROW(art.add({2, 2, 0, {1, 2, 3}}), Vell::Exception);
    EXPECT_THROW(art.add({-1, 0, 0, {}}), Vell::Exception);
    EXPECT_THROW(art.add({40000, 0, 0, {}}), Vell::Exception);
    EXPECT_EQ(art.count(), 0u);
}

TEST(PaletteWriter, WritesColoursCountAndTables)
{
    PaletteWriter palette;
    palette.setColor(0, 63, 0, 1);
    palette.setColor(255, 1, 2, 200); // out of range on purpose: written as given
    ShadeTable first{};
    first[3] = 4;
    palette.addShadeTable(first);
    palette.addShadeTable(ShadeTable{});
    Bytes b = palette.bytes();
    ASSERT_EQ(b.size(), 768u + 2 + 512);
    EXPECT_EQ(b[0], 63);
    EXPECT_EQ(b[2], 1);
    EXPECT_EQ(b[767], 200);
    EXPECT_EQ(le16(b, 768), 2);
    EXPECT_EQ(b[770 + 3], 4);
    EXPECT_THROW(palette.setColor(256, 0, 0, 0), Vell::Exception);
}
