#include <gtest/gtest.h>

#include "core/Exception.h"
#include "core/String.h"
#include "tests/support/MemoryStream.h"

using namespace Vell;
using TestSupport::MemoryStream;

TEST(String, PersistentForm)
{
    String abc("abc"), empty;
    // Zero bytes would end the text of a String stream, so the form is
    // checked through a memory stream.
    MemoryStream buffer;
    buffer << abc << empty;
    EXPECT_EQ(buffer.text(), std::string("\x03\x00\x00\x00" "abc" "\x00\x00\x00\x00", 11));
    String back("old"), back2("old");
    buffer >> back >> back2;
    EXPECT_STREQ(back.text(), "abc");
    EXPECT_STREQ(back2.text(), "");

    buffer.refill(std::string("\xff\xff\xff\xff", 4));
    String keep("keep");
    try {
        buffer >> keep;
        FAIL();
    } catch (InternalException& e) {
        EXPECT_STREQ(e.message(), "bad persistent string length");
    }
    EXPECT_STREQ(keep.text(), "keep");

    // A count far beyond the data fails on the data, not on memory.
    buffer.refill(std::string("\xff\xff\xff\x7f" "ab", 6));
    EXPECT_THROW(buffer >> keep, IOException);
    EXPECT_STREQ(keep.text(), "keep");
}

TEST(String, StreamWritesAppendAndOverwrite)
{
    String s;
    s.writeByte('x');
    s.writeByte('y');
    EXPECT_STREQ(s.text(), "xy");
    EXPECT_EQ(s.position(), 2);
    s.seek(0, 0);
    s.writeByte('Z');
    EXPECT_STREQ(s.text(), "Zy");
    s.seek(5, 0);
    EXPECT_THROW(s.writeByte('q'), IOException);
    EXPECT_THROW(s.seek(0, 3), InternalException);
    EXPECT_EQ(s.seek(-1, 2), 1);
}

TEST(String, ReadAtEndKeepsPosition)
{
    String s("a");
    EXPECT_EQ(s.readByte(), 'a');
    EXPECT_THROW(s.readByte(), IOException);
    EXPECT_EQ(s.position(), 1);
    s.writeByte('b');   // the failed read did not move past the end
    EXPECT_STREQ(s.text(), "ab");
}

TEST(String, SubstringsCheckTheirRange)
{
    String hello("hello");
    EXPECT_STREQ(hello.substring(1, 2).text(), "el");
    EXPECT_THROW(hello.substring(4, 2), InternalException);
    EXPECT_THROW(hello.substring(-1, 1), InternalException);
    EXPECT_THROW(hello.substring(1, -1), InternalException);
    EXPECT_THROW(hello.substring(2, 0x7fffffff), InternalException);
    EXPECT_STREQ(hello.right(0).text(), "");
    EXPECT_STREQ(hello.right(2).text(), "lo");
    EXPECT_STREQ(hello.left(5).text(), "hello");
    EXPECT_THROW(hello.left(6), InternalException);
    EXPECT_THROW(hello.charAt(5), InternalException);
    EXPECT_THROW(hello.charAt(-1), InternalException);
}

TEST(String, Compare)
{
    EXPECT_GT(String("abc").compare(String("ABC"), true), 0);
    EXPECT_EQ(String("abc").compare(String("ABC"), false), 0);
    EXPECT_EQ(String("ab").compare(String("abc")), -1);
    EXPECT_EQ(String("\xe0").compare(String("a")), 1);   // unsigned bytes
    EXPECT_LT(String("Apple").compare(String("banana"), false), 0);
    EXPECT_TRUE(String("a") < String("b"));
    EXPECT_TRUE(String("a") == String("a"));
}

TEST(String, EditingOperations)
{
    String s("held");
    s.insertChar('l', 3);
    EXPECT_STREQ(s.text(), "helld");
    s.remove(4, 1);
    s.append(String("o!"));
    EXPECT_STREQ(s.text(), "hello!");
    s.removeChar(5);
    s.insert(String(", you"), 5);
    EXPECT_STREQ(s.text(), "hello, you");
    EXPECT_EQ(s.position(), 0);
    EXPECT_THROW(s.insert(String("x"), 11), InternalException);
    EXPECT_THROW(s.remove(8, 3), InternalException);
    s.replaceChar('l', 'L');
    EXPECT_STREQ(s.text(), "heLLo, you");
    EXPECT_STREQ(s.toUpper().text(), "HELLO, YOU");
    EXPECT_STREQ(String("A\xc4z").toLower().text(), "a\xc4z");
    EXPECT_STREQ((String("ab") + 'c').text(), "abc");
    EXPECT_STREQ(String("ab").concat(String("cd")).text(), "abcd");
    s.clear();
    EXPECT_TRUE(s.isEmpty());
}

TEST(String, CopiesOwnCharactersAndPosition)
{
    String a("abc");
    a.seek(2, 0);
    String b(a);
    b.charAt(0) = 'x';
    EXPECT_STREQ(a.text(), "abc");
    EXPECT_EQ(b.position(), 2);
    String c;
    c = a;
    EXPECT_EQ(c.position(), 2);
    c = c;
    EXPECT_STREQ(c.text(), "abc");
    EXPECT_STREQ(String(static_cast<const char*>(nullptr)).text(), "");
}

TEST(String, CopyFromExpandsTabsWithinBudget)
{
    String source("\tx"), target;
    EXPECT_EQ(target.copyFrom(source, 5), 4);
    EXPECT_STREQ(target.text(), "    ");

    String source2("a\tb"), target2;
    EXPECT_EQ(target2.copyFrom(source2, 100), 10);
    EXPECT_STREQ(target2.text(), "a        b");
}

TEST(String, ManyByteWritesStayLinear)
{
    String s;
    for (int i = 0; i < 200000; ++i)
        s.writeByte('a' + i % 26);
    EXPECT_EQ(s.length(), 200000);
    EXPECT_EQ(s.charAt(199999), 'a' + 199999 % 26);
}
