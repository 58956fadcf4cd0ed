// grptool end to end: the built program on archives made by the writer.
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/FileOutput.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/GroupWriter.h"

namespace {

using VellTools::Bytes;

using Outcome = TestSupport::ProgramRun;

Outcome runGrptool(const std::string& arguments)
{
    return TestSupport::runCommand(std::string("'") + GRPTOOL_PATH + "' " + arguments);
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class GrptoolTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return scratch.path(name); }
    std::string quoted(const std::string& name) const { return "'" + path(name) + "'"; }

    std::string writeArchive(const std::vector<std::pair<std::string, std::string>>& entries)
    {
        VellTools::GroupWriter writer;
        for (const auto& [name, data] : entries)
            writer.add(name, bytesOf(data));
        Vell::writeFile(path("test.grp"), writer.bytes());
        return quoted("test.grp");
    }

    TestSupport::ScratchFolder scratch{"grptool"};
    const std::filesystem::path folder{scratch.path("")};
};

} // namespace

TEST_F(GrptoolTest, ListShowsEntriesAsLookupsSeeThem)
{
    std::string grp = writeArchive({{"B.DAT", "bbb"}, {"A.DAT", "aaaaa"}, {"B.DAT", "BB"}});
    Outcome outcome = runGrptool("list " + grp);
    EXPECT_EQ(outcome.status, 0);
    int data = 16 + 3 * 16;
    EXPECT_EQ(outcome.output, "A.DAT\t5\t" + std::to_string(data + 3) + "\nB.DAT\t2\t" +
                                  std::to_string(data + 8) + "\n");
}

TEST_F(GrptoolTest, ExtractLooksNamesUpLikeTheArchive)
{
    std::string grp = writeArchive({{"PALETTE.DAT", "colours"}, {"EMPTY", ""}});
    EXPECT_EQ(runGrptool("extract " + grp + " palette.dat " + quoted("out")).status, 0);
    EXPECT_EQ(contentsOf(path("out")), "colours");
    EXPECT_EQ(runGrptool("extract " + grp + " empty " + quoted("none")).status, 0);
    EXPECT_TRUE(std::filesystem::exists(path("none")));
    EXPECT_EQ(std::filesystem::file_size(path("none")), 0u);

    Outcome missing = runGrptool("extract " + grp + " other.dat " + quoted("x"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "unhandled exception: Exception\n[exception message: can't find grp entry other.dat ]\n");
}

TEST_F(GrptoolTest, ExtractNeverWritesOntoItsOwnArchive)
{
    std::string grp = writeArchive({{"A.DAT", "first entry"}, {"B.DAT", "second"}});
    const std::string original = contentsOf(path("test.grp"));
    std::filesystem::create_hard_link(path("test.grp"), path("linked.grp"));
    const std::string refused =
        "unhandled exception: Exception\n[exception message: can't extract onto the archive itself ]\n";
    for (const std::string& output : {grp, quoted("./test.grp"), quoted("linked.grp")}) {
        Outcome outcome = runGrptool("extract " + grp + " a.dat " + output);
        EXPECT_EQ(outcome.status, 1) << output;
        EXPECT_EQ(outcome.output, refused) << output;
    }
    EXPECT_EQ(contentsOf(path("test.grp")), original);

    // A device is written as it is, not replaced.
    Outcome shown = runGrptool("extract " + grp + " b.dat /dev/stdout");
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.output, "second");
}

// Past the file size limit (here 512 bytes) the write fails part-way: the
// file that was there survives whole and no temporary is left beside it.
TEST_F(GrptoolTest, FailedWritesKeepTheOldFile)
{
    std::string grp = writeArchive({{"BIG.DAT", std::string(4000, 'b')}});
    Vell::writeFile(path("big.dat"), Bytes(4000, 'x'));
    Vell::writeFile(path("old"), bytesOf("precious"));
    const std::string limited = "ulimit -f 1; '" + std::string(GRPTOOL_PATH) + "' ";
    for (const std::string& arguments :
         {"pack " + quoted("old") + " " + quoted("big.dat"), "extract " + grp + " big.dat " + quoted("old")}) {
        Outcome outcome = TestSupport::runCommand(limited + arguments);
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_EQ(outcome.output.rfind("unhandled exception: IOException\n[exception message: can't write " + path("old") +
                                           ": ", 0),
                  0u)
            << outcome.output;
        EXPECT_EQ(contentsOf(path("old")), "precious");
    }
    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        left.push_back(item.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"big.dat", "old", "test.grp"}));
}

// Archives that readers would refuse or misread are never written: two
// entries of one name (the first unreachable), and data past the format's
// 32-bit positions (sparse inputs, so the test costs no disk space).
TEST_F(GrptoolTest, PackRefusesArchivesReadersCannotUse)
{
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    Vell::writeFile(path("a/x.dat"), bytesOf("one"));
    Vell::writeFile(path("b/X.DAT"), bytesOf("two"));
    Outcome twice = runGrptool("pack " + quoted("out.grp") + " " + quoted("a/x.dat") + " " + quoted("b/X.DAT"));
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.output, "unhandled exception: Exception\n[exception message: duplicate grp entry name ]\n");

    for (const char* name : {"huge1", "huge2"}) {
        Vell::writeFile(path(name), {});
        std::filesystem::resize_file(path(name), 1100u * 1024 * 1024);
    }
    Outcome huge = runGrptool("pack " + quoted("out.grp") + " " + quoted("huge1") + " " + quoted("huge2"));
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.output, "unhandled exception: Exception\n[exception message: grp archive too large ]\n");
    EXPECT_FALSE(std::filesystem::exists(path("out.grp")));
}

TEST_F(GrptoolTest, PackUsesUpperCaseBaseNames)
{
    Vell::writeFile(path("tiles000.art"), bytesOf("art bytes"));
    Vell::writeFile(path("e1l1.map"), bytesOf("map"));
    std::string out = quoted("packed.grp");
    ASSERT_EQ(runGrptool("pack " + out + " " + quoted("tiles000.art") + " " + quoted("e1l1.map")).status, 0);
    Outcome listed = runGrptool("list " + out);
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.output, "E1L1.MAP\t3\t57\nTILES000.ART\t9\t48\n");
    ASSERT_EQ(runGrptool("extract " + out + " Tiles000.Art " + quoted("back")).status, 0);
    EXPECT_EQ(contentsOf(path("back")), "art bytes");
}

TEST_F(GrptoolTest, PackRefusesLongNamesAndMissingFiles)
{
    Vell::writeFile(path("thirteen.char"), bytesOf("x"));
    Outcome tooLong = runGrptool("pack " + quoted("a.grp") + " " + quoted("thirteen.char"));
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.output,
              "unhandled exception: Exception\n[exception message: grp entry name too long: THIRTEEN.CHAR ]\n");
    Outcome missing = runGrptool("pack " + quoted("a.grp") + " " + quoted("missing"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "unhandled exception: IOException\n[exception message: can't open " + path("missing") +
                                  ": No such file or directory ]\n");
}

TEST_F(GrptoolTest, BadArchiveIsReported)
{
    Vell::writeFile(path("bad.grp"), bytesOf("Not an archive at all"));
    Outcome outcome = runGrptool("list " + quoted("bad.grp"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.output, "unhandled exception: Exception\n[exception message: bad grp archive " + path("bad.grp") + " ]\n");
}

TEST_F(GrptoolTest, WrongCommandLinePrintsUsage)
{
    for (const char* arguments : {"", "list", "extract a b", "pack out.grp", "frobnicate x"}) {
        Outcome outcome = TestSupport::runCommandWithErrors(std::string("'") + GRPTOOL_PATH + "' " + arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(outcome.output, "") << arguments;
        EXPECT_EQ(outcome.errors.rfind("use: grptool", 0), 0u) << arguments;
    }
}
