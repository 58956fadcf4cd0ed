#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <cstring>

#include "MapdataFiles.h"
#include "core/Exception.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "tests/support/ThrownText.h"

using namespace Vell3D;
using TestSupport::thrownMessage;
using namespace MapdataFiles;

namespace {

Bytes text(const char* s) { return Bytes(s, s + std::strlen(s)); }

class GroupEntryStreamTest : public ::testing::Test {
protected:
    // The archive may refuse destruction; gtest fixtures may not.
    ~GroupEntryStreamTest() noexcept override {}

    void SetUp() override
    {
        std::string path = scratch.path("test.grp");
        writeFile(path, archiveWith({{"FIRST", text("0123456789")},
                                     {"EMPTY", {}},
                                     {"SECOND", text("abcdef")}}));
        archive.open(path.c_str());
    }

    ScratchFolder scratch;
    GroupArchive archive;
};

} // namespace

TEST_F(GroupEntryStreamTest, ReadsAtTheEndOfTheEntry)
{
    GroupEntryStream stream("first", archive);
    char buffer[16];
    stream.seek(0, 2);
    EXPECT_EQ(stream.read(buffer, 0), 0);
    EXPECT_EQ(thrownMessage([&] { stream.read(buffer, 1); }), "bad size while read");
    EXPECT_EQ(stream.tell(), 10);

    stream.seek(-5, 2);
    EXPECT_EQ(stream.read(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), "56789");
    EXPECT_TRUE(stream.eof());
}

TEST_F(GroupEntryStreamTest, ReadsAreNeverShortened)
{
    GroupEntryStream stream("first", archive);
    char buffer[16];
    stream.seek(4, 0);
    EXPECT_EQ(thrownMessage([&] { stream.read(buffer, 7); }), "bad size while read");
    EXPECT_EQ(stream.tell(), 4);
    EXPECT_EQ(thrownMessage([&] { stream.read(buffer, INT_MAX); }), "bad size while read");
    EXPECT_EQ(thrownMessage([&] { stream.read(buffer, -5); }), "bad size while read");
    // A negative length that still ends inside the entry is refused as well.
    stream.seek(7, 0);
    EXPECT_EQ(thrownMessage([&] { stream.read(buffer, -3); }), "bad size while read");
    EXPECT_EQ(stream.tell(), 7);
}

TEST_F(GroupEntryStreamTest, BadPositionsAreFoundByTheNextRead)
{
    GroupEntryStream stream("first", archive);
    char byte;
    EXPECT_EQ(stream.seek(1, 2), 11);
    EXPECT_EQ(thrownMessage([&] { stream.read(&byte, 1); }), "bad position while read");
    EXPECT_EQ(stream.seek(-12, 1), -1);
    EXPECT_EQ(thrownMessage([&] { stream.read(&byte, 0); }), "bad position while read");
    EXPECT_EQ(thrownMessage([&] { stream.seek(0, 3); }), "unknown seek mode");
    stream.seek(INT_MAX, 0);
    EXPECT_EQ(thrownMessage([&] { stream.seek(1, 1); }), "bad position while seek");
    EXPECT_EQ(stream.tell(), INT_MAX);
}

TEST_F(GroupEntryStreamTest, EntriesStayInsideTheirOwnBytes)
{
    GroupEntryStream first("FIRST", archive);
    GroupEntryStream second("SECOND", archive);
    char a[3], b[3];
    first.seek(7, 0);
    second.read(b, 3);
    first.read(a, 3);
    EXPECT_EQ(std::string(a, 3), "789");
    EXPECT_EQ(std::string(b, 3), "abc");
    EXPECT_EQ(second.size(), 6);
    EXPECT_EQ(second.tell(), 3);
    EXPECT_EQ(thrownMessage([&] { first.readByte(); }), "bad size while read");
}

TEST_F(GroupEntryStreamTest, EmptyEntryIsAtItsEnd)
{
    GroupEntryStream stream("empty", archive);
    EXPECT_EQ(stream.size(), 0);
    EXPECT_TRUE(stream.eof());
}

TEST_F(GroupEntryStreamTest, TypedReadsGoThroughRead)
{
    GroupEntryStream stream("first", archive);
    std::int32_t value;
    stream >> value;
    EXPECT_EQ(value, 0x33323130);
    stream.seek(8, 0);
    EXPECT_EQ(thrownMessage([&] { stream >> value; }), "bad size while read");
}

TEST_F(GroupEntryStreamTest, EntriesAreReadOnly)
{
    GroupEntryStream stream("first", archive);
    std::int32_t value = 1;
    EXPECT_EQ(thrownMessage([&] { stream.write("x", 1); }), "not supported");
    EXPECT_EQ(thrownMessage([&] { stream << value; }), "not supported");
    EXPECT_EQ(thrownMessage([&] { stream.length(); }), "not supported");
}

TEST_F(GroupEntryStreamTest, MissingEntryMakesNoStream)
{
    EXPECT_EQ(thrownMessage([&] { GroupEntryStream stream("third", archive); }), "can't find grp entry third");
    EXPECT_EQ(archive.usageCount(), 0);
}
