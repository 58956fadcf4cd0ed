// mapinfo end to end: the built program on archives and maps made by the
// writers, found by the viewers' rule.
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"
#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/FileOutput.h"
#include "mapdata/TileSet.h"
#include "tests/support/ScratchFolder.h"
#include "tools/MapSummary.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/authoring/MapWriter.h"
#include "tools/authoring/PaletteWriter.h"

namespace {

using VellTools::Bytes;

using Outcome = TestSupport::ProgramRun;

// Runs in the given folder so that bare map names can be files there.
Outcome runMapinfo(const std::string& folder, const std::string& arguments)
{
    return TestSupport::runCommand("cd '" + folder + "' && '" + MAPINFO_PATH + "' " + arguments);
}

Bytes mapBytes(int sectors, int walls, int sprites, std::int32_t x, std::int32_t z, std::int16_t angle,
               std::int32_t version = 7)
{
    VellTools::MapContent map;
    map.version = version;
    map.startX = x;
    map.startY = -200;
    map.startZ = z;
    map.startAngle = angle;
    map.startSector = 1;
    map.sectors.resize(std::size_t(sectors));
    map.walls.resize(std::size_t(walls));
    map.sprites.resize(std::size_t(sprites));
    return VellTools::MapWriter::bytes(map);
}

Bytes paletteBytes()
{
    VellTools::PaletteWriter palette;
    palette.addShadeTable(VellTools::ShadeTable{});
    return palette.bytes();
}

// The first lines, which the map alone decides.
std::string head(const std::string& output, int lines = 6)
{
    std::size_t end = 0;
    for (int i = 0; i < lines; ++i) {
        end = output.find('\n', end);
        if (end == std::string::npos)
            return output;
        ++end;
    }
    return output.substr(0, end);
}

// Everything after the map's own lines.
std::string tail(const std::string& output)
{
    return output.substr(head(output).size());
}

std::string report(const char* className, const char* message)
{
    return std::string("unhandled exception: ") + className + "\n[exception message: " + message + " ]\n";
}

// A palette and tiles000.art with three tiles, then the given art files.
VellTools::GroupWriter tileArchive(const std::vector<Bytes>& moreArtFiles)
{
    VellTools::ArtWriter art(0);
    for (int i = 0; i < 3; ++i)
        art.add(VellTools::ArtTile{8, 8, 0, Bytes(64, 1)});
    VellTools::GroupWriter writer;
    writer.add("PALETTE.DAT", paletteBytes());
    writer.add("TILES000.ART", art.bytes());
    for (std::size_t i = 0; i < moreArtFiles.size(); ++i) {
        std::string name = Vell3D::TileSet::artFileName("tiles", int(i) + 1).text();
        for (char& c : name)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        writer.add(name, moreArtFiles[i]);
    }
    return writer;
}

class MapinfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VellTools::GroupWriter writer;
        writer.add("E3L1.MAP", mapBytes(2, 8, 3, 1536, -40, 512));
        writer.add("E1L2.MAP", mapBytes(1, 4, 0, 7, 16, -1));
        writer.add("PALETTE.DAT", paletteBytes());
        scratch.write("game.grp", writer.bytes());
    }
    Outcome run(const std::string& arguments) { return runMapinfo(scratch.path(""), arguments); }
    // The output of a run that ends with the given status.
    std::string output(const std::string& arguments, int status = 0)
    {
        Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, status) << arguments << ": " << outcome.output;
        return outcome.output;
    }

    TestSupport::ScratchFolder scratch{"mapinfo"};
};

} // namespace

TEST_F(MapinfoTest, DefaultMapFromTheArchive)
{
    EXPECT_EQ(head(output("game.grp '$'")),
              "sectors    : 2\nwalls      : 8\nsprites    : 3\n"
              "start      : 1536.000000 -200.000000 -2.000000\n"
              "angle      : 512\nsector     : 1\n");
}

// The version is the last line, after everything mapinfo printed before.
TEST_F(MapinfoTest, FileOnDiskBeforeTheArchiveEntry)
{
    scratch.write("e1l2.map", mapBytes(0, 0, 5, -3, -8, 100, 9));
    std::string fromDisk = output("game.grp e1l2.map");
    EXPECT_EQ(head(fromDisk),
              "sectors    : 0\nwalls      : 0\nsprites    : 5\n"
              "start      : -3.000000 -200.000000 0.000000\n"
              "angle      : 100\nsector     : 1\n");
    EXPECT_TRUE(fromDisk.ends_with(" out of range; the player moves freely\nversion    : 9\n")) << fromDisk;
    std::filesystem::remove(scratch.path("e1l2.map"));
    const std::string fromArchive = output("game.grp e1l2.map");
    EXPECT_EQ(fromArchive.substr(0, 14), "sectors    : 1");
    EXPECT_NE(fromArchive.find("angle      : -1\n"), std::string::npos);
    EXPECT_TRUE(fromArchive.ends_with("\nversion    : 7\n")) << fromArchive;
}

TEST_F(MapinfoTest, FailuresAreReportedAsUnhandledExceptions)
{
    EXPECT_EQ(output("game.grp e9l9.map", 1), report("Exception", "can't find grp entry e9l9.map"));
    EXPECT_EQ(output("none.grp '$'", 1), report("IOException", "can't open none.grp: No such file or directory"));

    Bytes badVersion = mapBytes(1, 1, 1, 0, 0, 0);
    badVersion[0] = 6;
    scratch.write("e1l2.map", badVersion);
    EXPECT_EQ(output("game.grp e1l2.map", 1), report("Exception", "bad map format in e1l2.map"));
}

TEST_F(MapinfoTest, WrongCommandLinePrintsUsage)
{
    for (const char* arguments : {"", "game.grp", "game.grp '$' extra", "--wall game.grp '$'",
                                  "--wall 1x game.grp '$'", "--wall 99999999999 game.grp '$'",
                                  "game.grp '$' --sector", "--sectors 1 game.grp '$'"}) {
        Outcome outcome = TestSupport::runCommandWithErrors("cd '" + scratch.path("") + "' && '" + MAPINFO_PATH +
                                                            "' " + arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(outcome.output, "") << arguments;
        EXPECT_EQ(outcome.errors.rfind("use: mapinfo [--sector N] [--wall N] [--sprite N] <grpfile> <mapname>\n", 0),
                  0u)
            << arguments;
    }
}

TEST_F(MapinfoTest, TileSetPiecesAndSummaryFollowTheMapLines)
{
    VellTools::MapBuilder builder;
    // A square room and an L-shaped room joined by one opening; the L needs
    // more than one convex piece.
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -4096);
    builder.addSector({{1024, 0}, {1536, 0}, {1536, 512}, {2048, 512}, {2048, 1024}, {1024, 1024}}, 0, -4096);
    builder.sector(0).ceilingFlags = Vell3D::SurfaceBits::sky;
    builder.sector(1).floorFlags = Vell3D::SurfaceBits::sloped;
    builder.sector(1).floorSlope = 512;
    builder.addSprite(0, 100, 100, 0, 0, 0);
    builder.addSprite(1, 1100, 100, 0, 0, Vell3D::SpriteBits::wallKind);
    builder.setStart(512, 512, 0, 0, 0);
    scratch.write("rooms.map", VellTools::MapWriter::bytes(builder.build()));

    scratch.write("tiles.grp", tileArchive({}).bytes());

    // tiles001.art is missing: the normal end of a tile set, not a warning.
    std::string rest = tail(output("tiles.grp rooms.map"));
    EXPECT_EQ(rest.rfind("tile base  : tiles\ntiles      : 3\npieces     : ", 0), 0u) << rest;
    int pieces = std::atoi(rest.c_str() + rest.find("pieces     : ") + 13);
    EXPECT_GE(pieces, 3);   // one for the square, at least two for the L
    EXPECT_NE(rest.find("openings   : 2\n"), std::string::npos) << rest;
    EXPECT_NE(rest.find("sky ceiling: 1\n"), std::string::npos);
    EXPECT_NE(rest.find("sloped     : 1\n"), std::string::npos);
    EXPECT_NE(rest.find("sprite kind: face 1, wall 1, floor 0, other 0\n"), std::string::npos);
    EXPECT_NE(rest.find("warnings   : 0\n"), std::string::npos);
}

TEST_F(MapinfoTest, BrokenReferencesAreWarnedAbout)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -4096);
    builder.addSprite(0, 100, 100, 0, 0, 0);
    builder.setStart(5000, 512, 0, 0, 0);
    VellTools::MapContent map = builder.build();
    map.walls[1].otherSector = 0;   // an opening into itself, not pointing back
    map.walls[1].otherWall = 3;
    map.sprites[0].sector = 9;
    scratch.write("broken.map", VellTools::MapWriter::bytes(map));
    std::string rest = tail(output("game.grp broken.map"));
    EXPECT_NE(rest.find("warnings   : 3\n"), std::string::npos) << rest;
    EXPECT_NE(rest.find("warning    : wall 1 of sector 0:"), std::string::npos) << rest;
    EXPECT_NE(rest.find("warning    : sprite 0: sector 9 out of range"), std::string::npos) << rest;
    EXPECT_NE(rest.find("warning    : start position 5000 512 lies outside its sector 0"), std::string::npos);

    map.startSector = 4;
    scratch.write("broken.map", VellTools::MapWriter::bytes(map));
    EXPECT_NE(output("game.grp broken.map").find("warning    : start sector 4 out of range"), std::string::npos);
}

// The tiles before a bad art file stay and loading stops there; the warning
// says which file stopped the set and where, ahead of the map's own warnings.
TEST_F(MapinfoTest, BadArtFileIsTheFirstWarning)
{
    VellTools::ArtWriter art(3);
    art.add(VellTools::ArtTile{8, 8, 0, Bytes(64, 1)});
    Bytes badArt = art.bytes();
    badArt[0] = 2;   // a version the loader does not read
    VellTools::GroupWriter writer = tileArchive({badArt, art.bytes()});
    writer.add("E3L1.MAP", mapBytes(1, 0, 0, 0, 0, 0));   // start sector 1 of 1
    scratch.write("tiles.grp", writer.bytes());

    const std::string rest = tail(output("tiles.grp '$'"));
    EXPECT_EQ(rest.rfind("tile base  : tiles\ntiles      : 3\n", 0), 0u) << rest;
    EXPECT_NE(rest.find("warnings   : 2\n"
                        "warning    : tiles001.art: bad art file; tiles from 3 on not loaded\n"
                        "warning    : start sector 1 out of range"),
              std::string::npos)
        << rest;
}

// Maps may lie far beyond 100000: a start inside its sector is not
// reported outside, and the sector still makes its pieces.
TEST_F(MapinfoTest, FarOutStartInsideItsSectorIsNotWarnedAbout)
{
    VellTools::MapBuilder builder;
    builder.addSector({{300000, 0}, {301024, 0}, {301024, 1024}, {300000, 1024}}, 0, -4096);
    builder.setStart(300512, 512, 0, 0, 0);
    scratch.write("far.map", VellTools::MapWriter::bytes(builder.build()));
    std::string rest = tail(output("game.grp far.map"));
    EXPECT_NE(rest.find("pieces     : 1\n"), std::string::npos) << rest;
    EXPECT_NE(rest.find("warnings   : 0\n"), std::string::npos) << rest;
}

TEST_F(MapinfoTest, WarningsStopAfterAScreenfulAndCountTheRest)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -4096);
    builder.setStart(512, 512, 0, 0, 0);
    for (int i = 0; i < 4000; ++i)
        builder.addSprite(0, 100, 100, 0, 0, 0);
    VellTools::MapContent map = builder.build();
    for (auto& sprite : map.sprites)
        sprite.sector = -7;
    scratch.write("sprites.map", VellTools::MapWriter::bytes(map));
    std::string rest = tail(output("game.grp sprites.map"));
    EXPECT_NE(rest.find("warnings   : 4000\n"), std::string::npos) << rest;
    std::size_t lines = 0;
    for (std::size_t at = rest.find("warning    : sprite "); at != std::string::npos;
         at = rest.find("warning    : sprite ", at + 1))
        ++lines;
    EXPECT_EQ(lines, VellTools::MapSummary::warningLines);
    EXPECT_NE(rest.find("warning    : sprite 19: sector -7 out of range"), std::string::npos) << rest;
    EXPECT_TRUE(rest.ends_with("warning    : " + std::to_string(4000 - VellTools::MapSummary::warningLines) +
                               " more\nversion    : 7\n"))
        << rest;
}

TEST_F(MapinfoTest, UnbuildableMapOrMissingPaletteFailsBeforeAnyLine)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -4096);
    VellTools::MapContent map = builder.build();
    map.sectors[0].wallCount = 9;   // beyond the wall table
    scratch.write("bad.map", VellTools::MapWriter::bytes(map));
    EXPECT_EQ(output("game.grp bad.map", 1),
              report("Exception", "bad map format in bad.map: sector 0: 9 walls from wall 0, outside the 4 walls "
                                  "of the map"));

    VellTools::GroupWriter writer;
    writer.add("E3L1.MAP", mapBytes(1, 0, 0, 0, 0, 0));
    scratch.write("nopalette.grp", writer.bytes());
    EXPECT_EQ(output("nopalette.grp '$'", 1), report("Exception", "can't find grp entry palette.dat"));
}

// The records alone, in the order asked, as the info panel shows them; the
// map is found by the same rule as without them.
TEST_F(MapinfoTest, RecordsAskedForArePrintedAlone)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -8192);
    builder.addSector({{1024, 0}, {2048, 0}, {2048, 1024}, {1024, 1024}}, 512, -8192);
    builder.sector(1).floorFlags = Vell3D::SurfaceBits::sloped;
    builder.sector(1).lowTag = 7;
    builder.wall(1, 3).flags = Vell3D::WallBits::masked | Vell3D::WallBits::oneWay;
    builder.addSprite(1, 1500, 500, 0, 3, Vell3D::SpriteBits::floorKind);
    builder.setStart(512, 512, 0, 0, 0);
    scratch.write("rooms.map", VellTools::MapWriter::bytes(builder.build()));
    const std::string out = output("--sprite 0 game.grp --sector 1 rooms.map --wall 7");
    EXPECT_EQ(out, "sprite 0 of sector 1: at 1500 500 z 0, angle 0\n"
                   "  tile 3, palette 0, shade 0\n"
                   "  repeat 64 64, offset 0 0\n"
                   "  tags    low 0, high 0, extra 0\n"
                   "  status 0x0020: floor kind\n"
                   "sector 1: 4 walls from wall 4, visibility 0\n"
                   "  floor   z 512, tile 0, palette 0, shade 0, panning 0 0, slope 0\n"
                   "          status 0x0002: sloped\n"
                   "  ceiling z -8192, tile 0, palette 0, shade 0, panning 0 0, slope 0\n"
                   "          status 0x0000: none\n"
                   "  tags    low 7, high 0, extra 0\n"
                   "wall 7 of sector 1: from 1024 1024 to wall 4, behind: sector 0, wall 1\n"
                   "  tile 0, over-tile 0, palette 0, shade 0\n"
                   "  repeat 8 8, panning 0 0\n"
                   "  tags    low 0, high 0, extra 0\n"
                   "  status 0x0030: masked, one-way\n");
}

// A number outside its table fails before any record is written, naming
// the map as found and the number; a negative one too.
TEST_F(MapinfoTest, RecordNumberOutsideItsTableIsAnError)
{
    EXPECT_EQ(output("--sector 0 --sector 2 game.grp '$'", 1),
              report("Exception", "no sector 2 in E3L1.MAP: it holds 2"));
    EXPECT_EQ(output("--wall -1 game.grp '$'", 1), report("Exception", "no wall -1 in E3L1.MAP: it holds 8"));
    EXPECT_EQ(output("--sprite 0 game.grp e1l2.map", 1), report("Exception", "no sprite 0 in E1L2.MAP: it holds 0"));
}
