#include <gtest/gtest.h>

#include "core/Exception.h"
#include "core/String.h"
#include "core/TextStream.h"

using namespace Vell;

namespace {

struct Point3 : Printable {
    int x = 1, y = 2, z = 3;
    void print(TextStream& out) const override { out << "<" << x << " " << y << " " << z << ">"; }
};

} // namespace

TEST(TextStream, WritesValuesAsText)
{
    String s;
    {
        TextStream out(s);
        out << true << 42 << 'x' << 1.5;
        out << "" << false << -7L << 123456789012LL << 3u << Point3();
    }
    EXPECT_STREQ(s.text(), "true42x1.500000false-71234567890123<1 2 3>");
}

TEST(TextStream, HugeDoubleIsNotCut)
{
    String s;
    TextStream out(s);
    out << 1e300;
    EXPECT_EQ(s.length(), 301 + 7);
}

TEST(TextStream, ReadsIntAndConsumesTheSeparator)
{
    String s("  12abc\nz");
    TextStream in(s);
    int value = 0;
    in >> value;
    EXPECT_EQ(value, 12);
    char next;
    in >> next;
    EXPECT_EQ(next, 'z');
}

TEST(TextStream, ReadsTokensOfEachType)
{
    String s("word\t-3.25 2.5e1\r\n70000 -9 99999999999 x ");
    TextStream in(s);
    String word;
    float f;
    double d;
    short h;
    int i;
    long l;
    in >> word >> f >> d >> h >> i >> l;
    EXPECT_STREQ(word.text(), "word");
    EXPECT_EQ(word.position(), 0);
    EXPECT_FLOAT_EQ(f, -3.25f);
    EXPECT_DOUBLE_EQ(d, 25.0);
    EXPECT_EQ(h, 32767);   // clamped, not wrapped
    EXPECT_EQ(i, -9);
    EXPECT_EQ(l, 99999999999L);
    in >> i;
    EXPECT_EQ(i, 0);   // no leading number
}

TEST(TextStream, ReadsBooleans)
{
    String s("TRUE false yes\n");
    TextStream in(s);
    bool a = false, b = true, c = false;
    in >> a >> b;
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    EXPECT_THROW(in >> c, ScannerException);
}

TEST(TextStream, SeparatorsThenEndRaiseTheStreamError)
{
    String s(" \t\r\n ");
    TextStream in(s);
    String token;
    EXPECT_THROW(in >> token, IOException);
}

TEST(TextStream, TokenWithDistinctSets)
{
    String s("..ab..,..c.d.,");
    TextStream in(s);
    EXPECT_STREQ(in.readToken(".", ",").text(), "ab");
    EXPECT_STREQ(in.readToken(".", ",").text(), "c.d");
}

TEST(TextStream, LastTokenEndsAtEndOfString)
{
    String s("7");
    TextStream in(s);
    int value = 0;
    // A string reports its end by throwing, which reaches the caller.
    EXPECT_THROW(in >> value, IOException);
}
