#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Exception.h"
#include "core/String.h"
#include "core/TextStream.h"
#include "gui/Color.h"
#include "tests/support/MemoryStream.h"

using namespace Vell;
using TestSupport::MemoryStream;

TEST(Color, PrintsAndStores)
{
    Color navy(0, 0, 160);
    String text;
    {
        TextStream out(text);
        out << navy;
    }
    EXPECT_STREQ(text.text(), "(0,0,160)");
    MemoryStream bytes;
    bytes << navy;
    EXPECT_EQ(bytes.text(), std::string("\0\0\xa0", 3));
    Color back(1, 1, 1);
    bytes >> back;
    EXPECT_EQ(back, navy);
    EXPECT_STREQ(navy.className(), "Object");
}

TEST(Color, ShortStreamLeavesColourUnchanged)
{
    MemoryStream bytes(std::string_view("ab"));
    Color colour(9, 9, 9);
    EXPECT_THROW(bytes >> colour, IOException);
    EXPECT_EQ(colour, Color(9, 9, 9));
}

TEST(Color, Fractions)
{
    EXPECT_EQ(Color::fromFractions(1, 0.5, 0), Color(255, 127, 0));
    EXPECT_EQ(Color::fromFractions(-1, 7, std::numeric_limits<double>::quiet_NaN()), Color(0, 255, 0));
    double r, g, b;
    Color(255, 0, 51).toFractions(r, g, b);
    EXPECT_DOUBLE_EQ(r, 1.0);
    EXPECT_DOUBLE_EQ(g, 0.0);
    EXPECT_DOUBLE_EQ(b, 0.2);
}

TEST(Color, Win32Value)
{
    std::uint32_t value = Color(1, 2, 3).value();
    EXPECT_EQ(value, 0x030201u);
    EXPECT_EQ(Color::fromValue(value), Color(1, 2, 3));
    EXPECT_EQ(Color::fromValue(0xff030201u), Color(1, 2, 3));
    EXPECT_NE(Color(1, 2, 3), Color(1, 2, 4));
    EXPECT_EQ(Color(), Color(0, 0, 0));
}
