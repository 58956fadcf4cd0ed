// The demo data: valid maps that together show every drawing feature, art
// files that hold every tile the maps use, and a real palette.
#include <gtest/gtest.h>

#include <map>

#include "MapFeatures.h"
#include "tests/support/ByteReads.h"
#include "tools/authoring/MapValidator.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoArt.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoPalette.h"
#include "tools/demo/DemoTiles.h"

using namespace VellTools;
using TestSupport::le32;

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const auto& line : lines)
        all += line + "\n";
    return all;
}

// Entry name -> data, read the way the archive format lays it out.
std::map<std::string, Bytes> entries(const Bytes& grp)
{
    std::map<std::string, Bytes> out;
    int count = le32(grp, 12);
    std::size_t offset = 16 + 16 * std::size_t(count);
    for (int i = 0; i < count; ++i) {
        const char* name = reinterpret_cast<const char*>(&grp[16 + 16 * i]);
        std::size_t size = static_cast<std::size_t>(le32(grp, 16 + 16 * i + 12));
        out[std::string(name, strnlen(name, 12))] = Bytes(grp.begin() + offset, grp.begin() + offset + size);
        offset += size;
    }
    EXPECT_EQ(offset, grp.size());
    return out;
}

} // namespace

TEST(DemoMaps, AllAreValidWithTheDemoTiles)
{
    for (const MapContent& map : {firstLevelMap(), showcaseMap(), largeMap(), hugeMap()})
        EXPECT_EQ(joined(MapValidator(map, DemoTiles::tileCount).problems()), "");
}

TEST(DemoMaps, TogetherTheyUseEveryFeature)
{
    std::set<std::string> used = mapFeatures(firstLevelMap());
    std::set<std::string> more = mapFeatures(showcaseMap());
    used.insert(more.begin(), more.end());
    for (const std::string& feature : allFeatures())
        EXPECT_TRUE(used.count(feature)) << "no demo map shows: " << feature;
}

TEST(DemoMaps, DefaultMapHasMirrorsPillarSlopesAndSkyOnItsOwn)
{
    std::set<std::string> used = mapFeatures(firstLevelMap());
    for (const char* feature : {"facing mirrors", "pillar", "sloped floor", "sloped ceiling", "sky floor and ceiling",
                                "translucent masked wall", "more translucent masked wall", "swapped bottoms",
                                "floor step", "face sprite", "wall sprite", "floor sprite"})
        EXPECT_TRUE(used.count(feature)) << feature;
}

// large.map fills version 7, huge.map versions 8 and 9 exactly; every room
// of both can be reached from the start.
TEST(DemoMaps, LargeAndHugeMapsSitAtTheirVersionsLimitsAndAreConnected)
{
    for (const MapContent& map : {largeMap(), hugeMap()}) {
        const MapLimits limits = mapLimits(map.version);
        EXPECT_EQ(map.sectors.size(), std::size_t(limits.sectors)) << map.version;
        EXPECT_EQ(map.walls.size(), std::size_t(limits.walls));
        EXPECT_EQ(map.sprites.size(), std::size_t(limits.sprites));
        std::vector<bool> seen(map.sectors.size());
        std::vector<int> todo{map.startSector};
        seen[map.startSector] = true;
        while (!todo.empty()) {
            const Sector& s = map.sectors[todo.back()];
            todo.pop_back();
            for (int w = s.firstWall; w < s.firstWall + s.wallCount; ++w) {
                int next = map.walls[w].otherSector;
                if (next >= 0 && !seen[next]) {
                    seen[next] = true;
                    todo.push_back(next);
                }
            }
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), true), limits.sectors);
    }
    EXPECT_EQ(largeMap().version, 7);
    EXPECT_EQ(hugeMap().version, 8);
}

// What the biggest map must put in the viewers' way at its size.
TEST(DemoMaps, HugeMapHasOpenAreasMaskedWallsAMirrorSlopesAndSprites)
{
    std::set<std::string> used = mapFeatures(hugeMap());
    for (const char* feature : {"opening", "floor step", "masked wall", "translucent masked wall",
                                "more translucent masked wall", "mirror", "sloped floor", "sloped ceiling",
                                "sky ceiling", "face sprite", "floor sprite", "centred sprite", "translucent sprite",
                                "several visibilities"})
        EXPECT_TRUE(used.count(feature)) << feature;
}

TEST(DemoArchive, HoldsTheNamedEntriesInUpperCase)
{
    auto small = entries(demoArchive(false));
    EXPECT_EQ(small.size(), 5u);
    for (const char* name : {"PALETTE.DAT", "TILES000.ART", "TILES001.ART", "E3L1.MAP", "DEMO.MAP"})
        EXPECT_TRUE(small.count(name)) << name;
    auto large = entries(demoArchive(true));
    EXPECT_EQ(large.at("LARGE.MAP").size(), 26u + 40 * 1024 + 32 * 8192 + 44 * 4096);
    EXPECT_EQ(large.at("HUGE.MAP").size(), 26u + 40 * 4096 + 32 * 16384 + 44 * 16384);
    EXPECT_EQ(le32(large.at("HUGE.MAP"), 0), 8);
}

TEST(DemoArt, FilesNumberTilesOnFromEachOther)
{
    Bytes first = demoArtFile(0), second = demoArtFile(1);
    EXPECT_EQ(le32(first, 0), 1);
    EXPECT_EQ(le32(first, 8), 0);
    EXPECT_EQ(le32(first, 12), DemoTiles::firstFileTiles - 1);
    EXPECT_EQ(le32(second, 8), DemoTiles::firstFileTiles);
    EXPECT_EQ(le32(second, 12), DemoTiles::tileCount - 1);
}

TEST(DemoArt, SkiesGlassMirrorAndSpritesAreDrawn)
{
    for (int sky = DemoTiles::daySky; sky <= DemoTiles::lastSkyTile; ++sky)
        EXPECT_EQ(demoTile(sky).width, 128) << sky;
    EXPECT_EQ(demoTile(DemoTiles::glass).width, 64);
    EXPECT_EQ(demoTile(DemoTiles::mirror).width, 64);
    for (int sprite = DemoTiles::lamp; sprite <= DemoTiles::ghost; ++sprite) {
        ArtTile tile = demoTile(sprite);
        auto transparent = std::count(tile.pixels.begin(), tile.pixels.end(), transparentIndex);
        EXPECT_GT(transparent, 0) << sprite;
        EXPECT_LT(transparent, static_cast<long>(tile.pixels.size())) << sprite;
    }
    // Solid surfaces have no holes; the grate does.
    ArtTile brick = demoTile(DemoTiles::brick);
    EXPECT_EQ(std::count(brick.pixels.begin(), brick.pixels.end(), transparentIndex), 0);
    ArtTile grate = demoTile(DemoTiles::grate);
    EXPECT_GT(std::count(grate.pixels.begin(), grate.pixels.end(), transparentIndex), 0);
}

TEST(DemoPalette, IsARealPaletteWithShadeTables)
{
    Bytes palette = demoPaletteFile();
    ASSERT_EQ(palette.size(), 768u + 2 + 256 * demoShadeTables);
    std::set<int> distinct;
    for (int i = 0; i < 768; ++i)
        EXPECT_LE(palette[i], 63);
    for (int i = 0; i < 256; ++i)
        distinct.insert(palette[3 * i] << 16 | palette[3 * i + 1] << 8 | palette[3 * i + 2]);
    EXPECT_GT(distinct.size(), 200u);
    EXPECT_EQ(palette[768] | palette[769] << 8, demoShadeTables);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(palette[770 + i], i); // shade 0 shows every colour as itself
    // The darkest table keeps every ramp but darkens it; transparency stays.
    std::size_t last = 770 + 256 * (demoShadeTables - 1);
    EXPECT_EQ(palette[last + colorIndex(Ramp::brick, 15)] / 16, static_cast<int>(Ramp::brick));
    EXPECT_LT(palette[last + colorIndex(Ramp::brick, 15)], colorIndex(Ramp::brick, 15));
    EXPECT_EQ(palette[last + transparentIndex], transparentIndex);
}
