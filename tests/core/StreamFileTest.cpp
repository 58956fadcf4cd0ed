#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Exception.h"
#include "core/File.h"
#include "core/String.h"
#include "core/TextStream.h"
#include "tests/support/MemoryStream.h"
#include "tests/support/ScratchFolder.h"

using namespace Vell;

namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeRaw(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A stream that hands out its bytes a few at a time, as a pipe or socket might.
class TrickleStream : public Stream {
public:
    explicit TrickleStream(std::string bytes) : bytes(std::move(bytes)) {}
    int read(void* buffer, int length) override
    {
        int n = std::min({length, 2, int(bytes.size() - at)});
        if (n < 1)
            throw IOException();
        std::memcpy(buffer, bytes.data() + at, size_t(n));
        at += size_t(n);
        return n;
    }
    std::uint8_t readByte() override { throw IOException(); }
    void writeByte(std::uint8_t) override { throw IOException(); }

    std::string bytes;
    size_t at = 0;
};

} // namespace

TEST(Exceptions, ClassNamesAndHierarchy)
{
    try {
        throw MemoryException();
    } catch (IOException&) {
        FAIL() << "caught by the wrong handler";
    } catch (ResourceException& e) {
        const Exception& base = e;
        EXPECT_STREQ(base.className(), "MemoryException");
        EXPECT_STREQ(base.message(), "");
    }
    InternalException original("server busy");
    Exception copy(original);
    EXPECT_STREQ(copy.message(), "server busy");
    std::string longText(300, 'x');
    EXPECT_EQ(std::strlen(Exception(longText.c_str()).message()), 127u);
}

TEST(Exceptions, DefaultSerializationRefuses)
{
    String sink;
    Object plain;
    try {
        sink << plain;
        FAIL();
    } catch (InternalException& e) {
        EXPECT_STREQ(e.message(), "this object don't support serialization");
    }
}

TEST(Exceptions, StreamRefusesDestructionWhileAttached)
{
    {
        String stream("abc");
        { TextStream text(stream); }
    }   // detached first: destruction succeeds

    // The refused destruction still ends the object, so the text stream left
    // behind is abandoned in its storage, never destroyed.
    alignas(String) unsigned char streamStorage[sizeof(String)];
    alignas(TextStream) unsigned char textStorage[sizeof(TextStream)];
    auto* stream = new (streamStorage) String("abc");
    new (textStorage) TextStream(*stream);
    try {
        stream->~String();
        FAIL();
    } catch (InternalException& e) {
        EXPECT_STREQ(e.message(), "server busy");
    }
}

TEST(Streams, TypedValuesAreLittleEndian)
{
    TestSupport::MemoryStream s;
    s << std::int32_t(1) << std::int16_t(-2) << std::uint8_t(0xab) << true << 'z' << 1.0 << 0.5f;
    EXPECT_EQ(s.text(), std::string("\x01\0\0\0\xfe\xff\xab\x01z"
                                   "\0\0\0\0\0\0\xf0\x3f" "\0\0\0\x3f", 21));
    std::int32_t i; std::int16_t h; std::uint8_t b; bool flag; char c; double d; float f;
    s >> i >> h >> b >> flag >> c >> d >> f;
    EXPECT_EQ(i, 1); EXPECT_EQ(h, -2); EXPECT_EQ(b, 0xab); EXPECT_TRUE(flag); EXPECT_EQ(c, 'z');
    EXPECT_EQ(d, 1.0); EXPECT_EQ(f, 0.5f);
    EXPECT_THROW(s >> c, IOException);
}

TEST(Streams, CopyFromStopsQuietlyAtTheEnd)
{
    String source("abc"), target;
    EXPECT_EQ(target.Stream::copyFrom(source, 10), 3);
    EXPECT_STREQ(target.text(), "abc");
}

TEST(Streams, ReadFullyGathersShortReads)
{
    TrickleStream stream("abcdefg");
    char buffer[8] = {};
    stream.readFully(buffer, 7);
    EXPECT_STREQ(buffer, "abcdefg");
    TrickleStream shortOne("abc");
    EXPECT_THROW(shortOne.readFully(buffer, 4), IOException);
}

class FileTest : public ::testing::Test {
protected:
    TestSupport::ScratchFolder dir{"core"};
};

TEST_F(FileTest, WritesLittleEndianValues)
{
    std::string path = dir.path("a.bin");
    {
        File file(path.c_str(), File::create);
        file << std::int32_t(1);
    }
    EXPECT_EQ(contents(path), std::string("\x01\x00\x00\x00", 4));
}

TEST_F(FileTest, SizeKeepsPositionAndEofOnEmptyFile)
{
    std::string path = dir.path("b.bin");
    writeRaw(path, "hello");
    File file(path.c_str(), 0);
    file.seek(2, 0);
    EXPECT_EQ(file.size(), 5);
    EXPECT_EQ(file.tell(), 2);
    EXPECT_THROW(file.length(), InternalException);

    File empty(dir.path("empty").c_str(), File::create);
    EXPECT_TRUE(empty.eof());
}

TEST_F(FileTest, ReadingPastTheEndThrows)
{
    std::string path = dir.path("c.bin");
    writeRaw(path, "xy");
    File file(path.c_str(), File::readOnly);
    char buffer[4] = {};
    EXPECT_EQ(file.read(buffer, 4), 2);   // one read; a short count is no error
    EXPECT_THROW(file.readByte(), IOException);
    EXPECT_THROW(file.read(buffer, 1), IOException);
    EXPECT_EQ(file.read(buffer, 0), 0);
}

TEST_F(FileTest, ReadFullyOnShortFileThrows)
{
    std::string path = dir.path("short.bin");
    writeRaw(path, "abc");
    File file(path.c_str(), File::readOnly);
    char buffer[8];
    EXPECT_THROW(file.readFully(buffer, 8), IOException);
    std::int32_t value;
    file.seek(0, 0);
    EXPECT_THROW(file >> value, IOException);
}

// A failure names the file and the system's reason; a path too long for an
// exception's 127 characters loses its front, never its own name.
TEST_F(FileTest, FailuresNameTheFileAndTheReason)
{
    auto messageOf = [](auto action) -> std::string {
        try {
            action();
        } catch (IOException& e) {
            return e.message();
        }
        return "no exception";
    };
    std::string missing = dir.path("missing.bin");
    EXPECT_EQ(messageOf([&] { File(missing.c_str(), File::readOnly); }),
              "can't open " + missing + ": No such file or directory");

    std::string path = dir.path("two.bin");
    writeRaw(path, "xy");
    File file(path.c_str(), File::readOnly);
    char buffer[2];
    file.readFully(buffer, 2);
    EXPECT_EQ(messageOf([&] { file.readByte(); }), "can't read " + path + ": the file ends early");

    std::string deep = "/no/such/" + std::string(200, 'd') + "/level.map";
    std::string message = messageOf([&] { File(deep.c_str(), File::readOnly); });
    EXPECT_EQ(message.size(), 127u);
    EXPECT_EQ(message.rfind("can't open ...ddd", 0), 0u) << message;
    EXPECT_NE(message.find("ddd/level.map: No such file or directory"), std::string::npos) << message;
}

TEST_F(FileTest, OpenModes)
{
    std::string path = dir.path("d.bin");
    EXPECT_THROW(File(path.c_str(), 0), IOException);   // does not exist
    { File created(path.c_str(), File::create | File::exclusive); }
    EXPECT_THROW(File(path.c_str(), File::create | File::exclusive), IOException);
    writeRaw(path, "abcdef");
    {
        File file(path.c_str(), File::append);
        file.write("gh", 2);
    }
    EXPECT_EQ(contents(path), "abcdefgh");
    { File file(path.c_str(), File::truncate); }
    EXPECT_EQ(contents(path), "");
    std::string temp = dir.path("temp.bin");
    { File file(temp.c_str(), File::create | File::temporary); }
    EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST_F(FileTest, ReadOnlyFileNeedsReadOnlyMode)
{
    // Root may write any ordinary file, so a directory, which nobody may open
    // for writing, stands in for a read-only file then.
    std::string path = dir.path("ro.bin");
    writeRaw(path, "data");
    chmod(path.c_str(), 0444);
    const std::string folder = dir.path("");
    const char* readOnlyPath = geteuid() == 0 ? folder.c_str() : path.c_str();
    EXPECT_THROW(File(readOnlyPath, 0), IOException);
    File file(path.c_str(), File::readOnly);
    EXPECT_EQ(file.readByte(), 'd');
    EXPECT_THROW(file.writeByte('x'), IOException);
}

TEST_F(FileTest, BadSeekThrows)
{
    std::string path = dir.path("e.bin");
    File file(path.c_str(), File::create);
    EXPECT_THROW(file.seek(-1, 0), IOException);
    EXPECT_THROW(file.seek(0, 7), IOException);
}
