#include <fcntl.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstring>

#include "MapdataFiles.h"
#include "core/Exception.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "tests/support/ThrownText.h"
#include "tools/authoring/ByteBuffer.h"

using namespace Vell3D;
using namespace MapdataFiles;

namespace {

Bytes text(const char* s) { return Bytes(s, s + std::strlen(s)); }

// A raw archive: magic, the given count, then the given directory and data
// bytes as they are, for archives the writer would never produce.
Bytes rawArchive(std::int32_t count, const std::vector<std::pair<std::string, std::int32_t>>& directory,
                 std::size_t dataBytes)
{
    VellTools::ByteBuffer out;
    out.putBytes("Quorvelindas", 12);
    out.put32(std::uint32_t(count));
    for (const auto& [name, size] : directory) {
        char field[12] = {};
        name.copy(field, 12);
        out.putBytes(field, 12);
        out.put32(std::uint32_t(size));
    }
    out.putBytes(Bytes(dataBytes, 0xAB));
    return out.take();
}

std::string messageOfOpen(const std::string& path)
{
    return TestSupport::thrownReport([&] { GroupArchive().open(path.c_str()); }, "opened");
}

class GroupArchiveTest : public ::testing::Test {
protected:
    std::string write(const Bytes& bytes)
    {
        std::string path = scratch.path("test.grp");
        writeFile(path, bytes);
        return path;
    }
    ScratchFolder scratch;
};

} // namespace

TEST_F(GroupArchiveTest, EmptyArchiveFindsNothing)
{
    GroupArchive archive;
    archive.open(write(archiveWith({})).c_str());
    EXPECT_TRUE(archive.entryTable().empty());
    try {
        archive.findEntry("PALETTE.DAT");
        FAIL() << "found an entry in an empty archive";
    } catch (Vell::Exception& e) {
        EXPECT_STREQ(e.message(), "can't find grp entry PALETTE.DAT");
    }
}

TEST_F(GroupArchiveTest, TwelveCharacterNameIsFoundWhole)
{
    GroupArchive archive;
    archive.open(write(archiveWith({{"ABCDEFGH.IJK", text("x")}, {"B", text("yy")}})).c_str());
    GroupEntry entry = archive.findEntry("abcdefgh.ijk");
    EXPECT_EQ(entry.offset, 16 + 2 * 16);
    EXPECT_EQ(entry.size, 1);
    // The size field that follows an unterminated name is not part of it.
    EXPECT_THROW(archive.findEntry("ABCDEFGH.IJ"), Vell::Exception);
}

TEST_F(GroupArchiveTest, LookupUpperCasesOnlyTheRequest)
{
    GroupArchive archive;
    archive.open(write(archiveWith({{"PALETTE.DAT", text("p")}, {"lower.dat", text("l")}})).c_str());
    for (const char* name : {"palette.dat", "Palette.Dat", "PALETTE.DAT"})
        EXPECT_EQ(archive.findEntry(name).size, 1) << name;
    for (const char* name : {"lower.dat", "LOWER.DAT", "Lower.dat"})
        EXPECT_THROW(archive.findEntry(name), Vell::Exception) << name;
}

TEST_F(GroupArchiveTest, LaterDuplicateWinsAndOffsetsCountBoth)
{
    GroupArchive archive;
    archive.open(write(archiveWith({{"Z", text("1")}, {"A", text("111")}, {"B", text("3")}, {"A", text("22222")}}))
                     .c_str());
    int data = 16 + 4 * 16;
    EXPECT_EQ(archive.findEntry("A").offset, data + 5);
    EXPECT_EQ(archive.findEntry("A").size, 5);
    EXPECT_EQ(archive.findEntry("B").offset, data + 4);
    EXPECT_EQ(archive.entryTable().size(), 3u);
    // The directory's own order, not the names' order; the duplicate where
    // the entry found stands.
    EXPECT_EQ(archive.entryNames(), (std::vector<std::string>{"Z", "B", "A"}));
}

TEST_F(GroupArchiveTest, MoreThan4096EntriesAreRead)
{
    std::vector<std::pair<std::string, Bytes>> entries;
    for (int i = 0; i < 5000; ++i)
        entries.push_back({"E" + std::to_string(i), Bytes(2, std::uint8_t(i))});
    GroupArchive archive;
    archive.open(write(archiveWith(entries)).c_str());
    EXPECT_EQ(archive.entryTable().size(), 5000u);
    EXPECT_EQ(archive.findEntry("e4999").offset, 16 + 5000 * 16 + 4999 * 2);
}

// The directory is read in bounded pieces up to maxEntries; a header that
// claims more is refused even when the file is large enough to hold it, as a
// sparse file of a few bytes on disk can be.
TEST_F(GroupArchiveTest, DirectoryCountIsCappedWhateverTheFileSize)
{
    const std::int32_t most = GroupArchive::maxEntries;
    std::vector<std::pair<std::string, std::int32_t>> empties(std::size_t(most), {"", 0});
    empties.back() = {"LAST", 3};
    GroupArchive archive;
    archive.open(write(rawArchive(most, empties, 3)).c_str());
    EXPECT_EQ(archive.findEntry("last").offset, 16 + 16 * most);

    std::string sparse = write(rawArchive(most + 1, {}, 0));
    ASSERT_EQ(truncate(sparse.c_str(), 16 + 16 * std::int64_t(most + 1)), 0);
    EXPECT_EQ(messageOfOpen(sparse), "Exception: bad grp archive " + sparse);
}

TEST_F(GroupArchiveTest, BadHeadersAreRejected)
{
    Bytes badMagic = archiveWith({{"A", text("a")}});
    badMagic[0] = 'q';
    const std::string bad = "Exception: bad grp archive " + scratch.path("test.grp");
    EXPECT_EQ(messageOfOpen(write(badMagic)), bad);
    EXPECT_EQ(messageOfOpen(write(rawArchive(-1, {}, 0))), bad);
    // A count far beyond the file must fail before any directory is allocated.
    EXPECT_EQ(messageOfOpen(write(rawArchive(0x7fffffff, {}, 0))), bad);
    EXPECT_EQ(messageOfOpen(write(rawArchive(3, {{"A", 0}, {"B", 0}}, 0))), bad);
}

TEST_F(GroupArchiveTest, ShortOrMissingFilesFailWithIOException)
{
    const std::string missing = scratch.path("missing.grp");
    EXPECT_EQ(messageOfOpen(missing), "IOException: can't open " + missing + ": No such file or directory");
    const std::string ended = "IOException: can't read " + scratch.path("test.grp") + ": the file ends early";
    EXPECT_EQ(messageOfOpen(write({})), ended);
    Bytes header = archiveWith({});
    header.resize(10);
    EXPECT_EQ(messageOfOpen(write(header)), ended);
}

TEST_F(GroupArchiveTest, EntrySizesMustStayInsideTheFile)
{
    const std::string bad = "Exception: bad grp archive " + scratch.path("test.grp");
    EXPECT_EQ(messageOfOpen(write(rawArchive(1, {{"A", -1}}, 4))), bad);
    EXPECT_EQ(messageOfOpen(write(rawArchive(1, {{"A", 5}}, 4))), bad);
    // Two sizes whose 32-bit sum wraps round to a small offset.
    EXPECT_EQ(messageOfOpen(write(rawArchive(3, {{"A", 0x7fffffff}, {"B", 0x7fffffff}, {"C", 2}}, 8))),
              bad);
    EXPECT_EQ(messageOfOpen(write(rawArchive(1, {{"A", 4}}, 4))), "opened");
}

TEST_F(GroupArchiveTest, FailedOpenKeepsThePreviousDirectory)
{
    GroupArchive archive;
    archive.open(write(archiveWith({{"KEEP", text("k")}})).c_str());
    EXPECT_THROW(archive.open(scratch.path("missing.grp").c_str()), Vell::IOException);
    EXPECT_THROW(archive.open(write(rawArchive(-5, {}, 0)).c_str()), Vell::Exception);
    EXPECT_EQ(archive.findEntry("keep").size, 1);
}

TEST_F(GroupArchiveTest, ArchiveIsOpenedReadOnly)
{
    std::string path = write(archiveWith({{"A", text("a")}}));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    GroupArchive archive;
    archive.open(path.c_str());
    int flags = fcntl(archive.archiveFile().descriptor(), F_GETFL);
    EXPECT_EQ(flags & O_ACCMODE, O_RDONLY);
    GroupEntryStream stream("a", archive);
    EXPECT_EQ(stream.readByte(), 'a');
}

TEST_F(GroupArchiveTest, DestructionWhileStreamsAreOpenIsRefused)
{
    GroupArchive archive;
    archive.open(write(archiveWith({{"A", text("a")}})).c_str());
    {
        GroupEntryStream first("A", archive);
        GroupEntryStream second("A", archive);
        EXPECT_EQ(archive.usageCount(), 2);
        EXPECT_THROW(archive.open(scratch.path("test.grp").c_str()), Vell::InternalException);
    }
    EXPECT_EQ(archive.usageCount(), 0);

    auto* busy = new GroupArchive;
    busy->attach();
    try {
        delete busy;
        FAIL() << "busy archive destroyed";
    } catch (Vell::InternalException& e) {
        EXPECT_STREQ(e.message(), "server busy");
    }
}
