// The demo archive read back through the viewers' own loaders.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "tests/support/ScratchFolder.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoTiles.h"

using namespace Vell3D;
using namespace VellTools;

namespace {

// The archive is opened by each test itself: its destructor may throw, which
// a fixture member's destructor may not.
class DemoRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { path = scratch.write("demo.grp", demoArchive(true)); }

    static void expectSame(GroupArchive& archive, const char* entry, const MapContent& expected)
    {
        Map map;
        {
            GroupEntryStream stream(entry, archive);
            map.load(stream);
        }
        ASSERT_EQ(map.sectorCount(), static_cast<int>(expected.sectors.size()));
        ASSERT_EQ(map.wallCount(), static_cast<int>(expected.walls.size()));
        ASSERT_EQ(map.spriteCount(), static_cast<int>(expected.sprites.size()));
        EXPECT_EQ(std::memcmp(map.walls().data(), expected.walls.data(), expected.walls.size() * sizeof(Wall)), 0);
        EXPECT_EQ(std::memcmp(map.sprites().data(), expected.sprites.data(), expected.sprites.size() * sizeof(Sprite)), 0);
        EXPECT_EQ(map.version(), expected.version);
        EXPECT_EQ(map.startSector(), expected.startSector);
        EXPECT_EQ(map.start().x, expected.startX);
    }

    TestSupport::ScratchFolder scratch{"demo"};
    std::string path;
};

} // namespace

TEST_F(DemoRoundTrip, MapsLoadAsWritten)
{
    GroupArchive archive;
    archive.open(path.c_str());
    expectSame(archive, "e3l1.map", firstLevelMap());
    expectSame(archive, "demo.map", showcaseMap());
    expectSame(archive, "large.map", largeMap());
    expectSame(archive, "huge.map", hugeMap());
}

TEST_F(DemoRoundTrip, TileSetFindsEveryTileAndTheShadeTables)
{
    GroupArchive archive;
    archive.open(path.c_str());
    TileSet tiles;
    tiles.load(archive, "tiles", "palette.dat");
    EXPECT_EQ(tiles.tileCount(), DemoTiles::tileCount);
    EXPECT_EQ(tiles.shadeCount(), 32);
    EXPECT_EQ(tiles.tile(DemoTiles::nightSky).width, 128);
    EXPECT_EQ(tiles.tile(DemoTiles::mirror).width, 64);
}
