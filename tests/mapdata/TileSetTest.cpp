#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>

#include "MapdataFiles.h"
#include "3d/Texture.h"
#include "core/Exception.h"
#include "core/String.h"
#include "core/TextStream.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "tests/support/SharedGL.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/ByteBuffer.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/PaletteWriter.h"

using namespace Vell3D;
using VellTools::Bytes;

namespace {

Bytes artFile(std::vector<std::pair<int, int>> sizes, std::uint8_t fill = 1)
{
    VellTools::ArtWriter art(0);
    for (auto [w, h] : sizes) {
        VellTools::ArtTile tile;
        tile.width = w;
        tile.height = h;
        tile.pixels.assign(std::size_t(w) * std::size_t(h), fill);
        art.add(tile);
    }
    return art.bytes();
}

// An art file written field by field, for headers no writer would make.
Bytes rawArt(std::int32_t version, std::int32_t first, std::int32_t last, const std::vector<std::int16_t>& widths,
             const std::vector<std::int16_t>& heights, std::size_t pixelBytes)
{
    VellTools::ByteBuffer out;
    out.put32(std::uint32_t(version));
    out.put32(0);
    out.put32(std::uint32_t(first));
    out.put32(std::uint32_t(last));
    for (auto w : widths)
        out.put16(std::uint16_t(w));
    for (auto h : heights)
        out.put16(std::uint16_t(h));
    for (std::size_t i = 0; i < widths.size(); ++i)
        out.put32(0xABCD0000u + std::uint32_t(i));
    for (std::size_t i = 0; i < pixelBytes; ++i)
        out.put8(7);
    return out.take();
}

Bytes palette(std::uint16_t shadeTables = 1)
{
    VellTools::PaletteWriter writer;
    for (int i = 0; i < 256; ++i)
        writer.setColor(i, std::uint8_t(i % 64), 63, 0);
    writer.addPlainShadeTables(shadeTables);
    return writer.bytes();
}

class TileSetFiles : public ::testing::Test {
protected:
    // Opens an archive of the given entries and loads the tile set from it.
    void load(std::vector<std::pair<std::string, Bytes>> entries,
              TileSet::Index255 index255 = TileSet::Index255::grey)
    {
        VellTools::GroupWriter group;
        for (auto& [name, bytes] : entries)
            group.add(name, bytes);
        std::string path = scratch.path("t.grp");
        MapdataFiles::writeFile(path, group.bytes());
        archive = std::make_unique<GroupArchive>();
        archive->open(path.c_str());
        tiles = std::make_unique<TileSet>();
        tiles->load(*archive, "tiles", "palette.dat", index255);
    }
    void TearDown() override
    {
        tiles.reset();
        archive.reset();
    }

    MapdataFiles::ScratchFolder scratch;
    std::unique_ptr<GroupArchive> archive;
    std::unique_ptr<TileSet> tiles;
};

class TileSetTextures : public TileSetFiles {
protected:
    void SetUp() override { TestSupport::makeSharedGLCurrent(); }
};

} // namespace

TEST(TileSetNames, artFileNamesHaveAtLeastThreeDigits)
{
    EXPECT_STREQ(TileSet::artFileName("tiles", 0).text(), "tiles000.art");
    EXPECT_STREQ(TileSet::artFileName("tiles", 42).text(), "tiles042.art");
    EXPECT_STREQ(TileSet::artFileName("tiles", 1000).text(), "tiles1000.art");
}

TEST_F(TileSetFiles, aMissingArtFileEndsTheSet)
{
    load({{"PALETTE.DAT", palette()},
          {"TILES000.ART", artFile({{1, 1}, {2, 2}})},
          {"TILES001.ART", artFile({{3, 3}})},
          {"TILES003.ART", artFile({{4, 4}})}});
    ASSERT_EQ(tiles->tileCount(), 3);
    EXPECT_EQ(tiles->tile(2).width, 3);
    EXPECT_STREQ(tiles->tile(2).artFile.text(), "tiles001.art");
    EXPECT_EQ(tiles->tile(2).dataOffset, 16 + 8);
    EXPECT_EQ(tiles->tile(1).dataOffset, 16 + 16 + 1);
    EXPECT_EQ(tiles->tile(0).texture, nullptr);
    EXPECT_STREQ(tiles->artProblem().text(), "") << "a missing file is the normal end";
}

TEST_F(TileSetFiles, aBadVersionEndsTheSetKeepingEarlierFilesAndSaysWhich)
{
    load({{"PALETTE.DAT", palette()},
          {"TILES000.ART", artFile({{1, 1}})},
          {"TILES001.ART", rawArt(2, 0, 0, {1}, {1}, 1)},
          {"TILES002.ART", artFile({{4, 4}})}});
    EXPECT_EQ(tiles->tileCount(), 1);
    EXPECT_STREQ(tiles->artProblem().text(), "tiles001.art: bad art file");
    // A truncated table fails the read itself; a later good load forgets it.
    Bytes cut = artFile({{1, 1}});
    cut.resize(10);
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", cut}});
    EXPECT_EQ(tiles->tileCount(), 0);
    EXPECT_STRNE(tiles->artProblem().text(), "");
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{1, 1}})}});
    EXPECT_STREQ(tiles->artProblem().text(), "");
}

TEST_F(TileSetFiles, lastBelowFirstOrTablesPastTheEntryEndTheSet)
{
    load({{"PALETTE.DAT", palette()},
          {"TILES000.ART", artFile({{1, 1}})},
          {"TILES001.ART", rawArt(1, 5, 3, {}, {}, 0)}});
    EXPECT_EQ(tiles->tileCount(), 1);
    load({{"PALETTE.DAT", palette()},
          {"TILES000.ART", artFile({{1, 1}})},
          {"TILES001.ART", rawArt(1, 0, 0x7FFFFFFF, {1}, {1}, 1)}});
    EXPECT_EQ(tiles->tileCount(), 1);
}

TEST_F(TileSetFiles, moreThan1024TilesInOneFileAreRead)
{
    std::vector<std::pair<int, int>> sizes(1100, {0, 0});
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile(sizes)}});
    EXPECT_EQ(tiles->tileCount(), 1100);
}

TEST_F(TileSetFiles, negativeSidesCountAsEmpty)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", rawArt(1, 0, 1, {-5, 2}, {3, -1}, 0)}});
    ASSERT_EQ(tiles->tileCount(), 2);
    EXPECT_EQ(tiles->tile(0).width, 0);
    EXPECT_EQ(tiles->tile(0).height, 3);
    EXPECT_EQ(tiles->tile(1).height, 0);
    EXPECT_EQ(tiles->tile(1).dataOffset, 16 + 16);   // the first adds no pixels
    EXPECT_EQ(tiles->tile(1).animation, 0xABCD0001u);
}

TEST_F(TileSetFiles, paletteIsScaledAndIndex255GreyedOnRequest)
{
    load({{"PALETTE.DAT", palette(32)}});
    EXPECT_EQ(tiles->tileCount(), 0);
    EXPECT_EQ(tiles->shadeCount(), 32);
    EXPECT_EQ(tiles->paletteColor(63), Vell::Color(252, 252, 0));
    EXPECT_EQ(tiles->paletteColor(0), Vell::Color(0, 252, 0));
    EXPECT_EQ(tiles->paletteColor(255), Vell::Color(128, 128, 128));
    load({{"PALETTE.DAT", palette()}}, TileSet::Index255::asStored);
    EXPECT_EQ(tiles->paletteColor(255), Vell::Color(63 * 4, 252, 0));
}

TEST_F(TileSetFiles, missingPaletteFailsTheLoad)
{
    try {
        load({{"TILES000.ART", artFile({{1, 1}})}});
        FAIL() << "loaded without a palette";
    } catch (Vell::Exception& e) {
        EXPECT_STREQ(e.message(), "can't find grp entry palette.dat");
    }
}

TEST_F(TileSetFiles, surfaceColorDarkensTheTintByShade)
{
    load({{"PALETTE.DAT", palette(32)}});
    EXPECT_EQ(tiles->surfaceColor(1, 0), Vell::Color(146, 146, 233));
    EXPECT_EQ(tiles->surfaceColor(1, -7), Vell::Color(160, 160, 255));
    EXPECT_EQ(tiles->surfaceColor(20, -1), Vell::Color(255, 255, 255));
    EXPECT_EQ(tiles->surfaceColor(2, 32), Vell::Color(0, 0, 0));
    EXPECT_EQ(tiles->surfaceColor(2, 1000), Vell::Color(0, 0, 0));
}

TEST_F(TileSetFiles, printNamesBaseAndCount)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{1, 1}, {1, 1}, {1, 1}})}});
    Vell::String text;
    {
        Vell::TextStream out(text);
        out << *tiles;
    }
    EXPECT_STREQ(text.text(), "base name   : tilestiles count : 3\n");
}

TEST_F(TileSetTextures, pixelsAreTurnedFromColumnsIntoRows)
{
    VellTools::ArtWriter art(0);
    VellTools::ArtTile tile;
    tile.width = 2;
    tile.height = 2;
    tile.pixels = {1, 2, 3, 255};   // column 0 top-down, then column 1
    art.add(tile);
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", art.bytes()}});
    Tile t = tiles->textureFor(0);
    ASSERT_NE(t.texture, nullptr);
    const std::uint8_t* p = t.texture->pixels();
    EXPECT_EQ(p[0], 4);        // (0, 0): index 1
    EXPECT_EQ(p[4], 12);       // (1, 0): index 3
    EXPECT_EQ(p[8], 8);        // (0, 1): index 2
    EXPECT_EQ(p[3], 255);
    EXPECT_EQ(p[15], 0);       // index 255 is transparent
    EXPECT_EQ(p[12], 128);     // and grey
    EXPECT_EQ(tiles->textureFor(0).texture, t.texture);   // made once
    EXPECT_EQ(&tiles->textureFor(0), &tiles->tile(0));    // the stored record, not a copy
}

TEST_F(TileSetTextures, outOfRangeNumbersGiveTileZero)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{4, 4}, {8, 8}})}});
    Tile low = tiles->textureFor(-1);
    Tile high = tiles->textureFor(2);
    EXPECT_EQ(low.width, 4);
    EXPECT_EQ(high.texture, low.texture);
    EXPECT_EQ(tiles->tile(1).texture, nullptr);
}

TEST_F(TileSetTextures, emptyTilesGetATextureWithoutReading)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{0, 5}, {3, 0}})}});
    Tile t = tiles->textureFor(1);
    ASSERT_NE(t.texture, nullptr);
    EXPECT_EQ(t.texture->width(), 4);
    EXPECT_EQ(t.texture->height(), 1);
}

TEST_F(TileSetTextures, emptySetGivesAGreyPixelOfSizeZero)
{
    load({{"PALETTE.DAT", palette()}});
    Tile t = tiles->textureFor(5);
    EXPECT_EQ(t.width, 0);
    EXPECT_EQ(t.height, 0);
    ASSERT_NE(t.texture, nullptr);
    EXPECT_EQ(t.texture->width(), 1);
    EXPECT_EQ(t.texture->height(), 1);
    EXPECT_EQ(t.texture->pixels()[0], 128);
}

TEST_F(TileSetTextures, pixelsOutsideTheEntryFailTheTexture)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", rawArt(1, 0, 0, {16}, {16}, 10)}});
    ASSERT_EQ(tiles->tileCount(), 1);
    try {
        tiles->textureFor(0);
        FAIL() << "texture made from missing pixels";
    } catch (Vell::Exception& e) {
        EXPECT_STREQ(e.message(), "bad size while read");
    }
    EXPECT_EQ(tiles->tile(0).texture, nullptr);

    // A tile claiming 32767 x 32767 pixels in a tiny entry is refused before
    // a gigabyte is set aside for its picture.
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", rawArt(1, 0, 0, {32767}, {32767}, 10)}});
    EXPECT_THROW(tiles->textureFor(0), Vell::Exception);
    EXPECT_EQ(tiles->tile(0).texture, nullptr);
}

TEST_F(TileSetTextures, loadingAgainLetsGoOfTheTexturesMade)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{4, 4}, {8, 8}})}});
    tiles->textureFor(0);
    tiles->textureFor(1);
    tiles->load(*archive, "tiles", "palette.dat");
    EXPECT_EQ(tiles->tile(0).texture, nullptr);
    EXPECT_EQ(tiles->tile(1).texture, nullptr);
    ASSERT_NE(tiles->textureFor(1).texture, nullptr);
    EXPECT_EQ(tiles->textureFor(1).texture->width(), 8);
}

// A view that turns to another map keeps the textures both maps bind (the
// same objects, not made again) and gives the GL back the others.
TEST_F(TileSetTextures, onlyTheTexturesAskedForSinceTheMarkAreKept)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{4, 4}, {8, 8}, {2, 2}})}});
    Texture* kept = tiles->textureFor(1).texture;
    const unsigned int keptName = kept->name();
    const unsigned int droppedName = tiles->textureFor(2).texture->name();
    tiles->textureFor(0);
    EXPECT_EQ(tiles->textureCount(), 3);

    tiles->beginTextureUse();
    tiles->textureFor(1);
    tiles->textureFor(9);   // outside the set: tile 0
    tiles->releaseUnusedTextures();
    EXPECT_EQ(tiles->textureCount(), 2);
    EXPECT_EQ(tiles->tile(1).texture, kept);
    EXPECT_NE(tiles->tile(0).texture, nullptr);
    EXPECT_EQ(tiles->tile(2).texture, nullptr);
    EXPECT_TRUE(glIsTexture(keptName));
    EXPECT_FALSE(glIsTexture(droppedName));

    // Nothing asked for since the mark: nothing stays.
    tiles->beginTextureUse();
    tiles->releaseUnusedTextures();
    EXPECT_EQ(tiles->textureCount(), 0);
    EXPECT_FALSE(glIsTexture(keptName));
    ASSERT_NE(tiles->textureFor(2).texture, nullptr);   // made again when asked
    EXPECT_EQ(tiles->textureFor(2).texture->width(), 2);
}

TEST_F(TileSetTextures, releasingAllLetsGoOfTheEmptySetsTextureToo)
{
    load({{"PALETTE.DAT", palette()}});
    const unsigned int name = tiles->textureFor(5).texture->name();
    tiles->beginTextureUse();
    tiles->textureFor(3);
    tiles->releaseUnusedTextures();
    EXPECT_EQ(tiles->textureCount(), 1);
    EXPECT_TRUE(glIsTexture(name));
    tiles->releaseTextures();
    EXPECT_EQ(tiles->textureCount(), 0);
    EXPECT_EQ(tiles->tile(0).texture, nullptr);
    EXPECT_FALSE(glIsTexture(name));
}

// A texture that something still draws with refuses to go ("server busy"),
// and the tile set's destruction says so rather than ending the program.
TEST_F(TileSetTextures, aTextureStillInUseIsReportedWhenTheSetGoes)
{
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", artFile({{4, 4}})}});
    tiles->textureFor(0).texture->attach();
    TileSet* set = tiles.release();
    try {
        delete set;
        FAIL() << "a texture in use was destroyed silently";
    } catch (Vell::InternalException& e) {
        EXPECT_STREQ(e.message(), "server busy");
    }
}

// Pixels are stored column by column: in a 2 x 3 tile the byte at x * 3 + y
// is the pixel in column x, row y. Index 255 is the transparent one.
TEST_F(TileSetFiles, opaqueAtReadsThePixelsColumnByColumnWithoutGL)
{
    VellTools::ArtWriter art(0);
    art.add({2, 3, 0, Bytes{1, 255, 1, 255, 255, 2}});
    art.add({1, 1, 0, Bytes{255}});
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", art.bytes()}});
    const bool expected[2][3] = {{true, false, true}, {false, false, true}};
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(tiles->opaqueAt(0, x, y), expected[x][y]) << x << "," << y;
    EXPECT_FALSE(tiles->opaqueAt(0, 2, 0)) << "outside the tile";
    EXPECT_FALSE(tiles->opaqueAt(0, 0, -1));
    EXPECT_FALSE(tiles->opaqueAt(1, 0, 0));
    // A number the set lacks is its tile 0, as for tile().
    EXPECT_TRUE(tiles->opaqueAt(-7, 0, 0));
    EXPECT_EQ(tiles->tile(0).texture, nullptr) << "no texture made";
}

// Many tiles asked for in turn: only a few are kept, and the answers stay
// right when an old one comes back.
TEST_F(TileSetFiles, opaqueAtKeepsAnsweringRightPastItsKeptTiles)
{
    VellTools::ArtWriter art(0);
    for (int i = 0; i < 20; ++i)
        art.add({1, 2, 0, Bytes{std::uint8_t(i % 2 ? 255 : 3), std::uint8_t(i % 2 ? 3 : 255)}});
    load({{"PALETTE.DAT", palette()}, {"TILES000.ART", art.bytes()}});
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(tiles->opaqueAt(i, 0, 0), i % 2 == 0) << i;
            EXPECT_EQ(tiles->opaqueAt(i, 0, 1), i % 2 == 1) << i;
        }
}
