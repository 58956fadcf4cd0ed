// Text through the system's fonts: drawn, measured, laid out.
#include <gtest/gtest.h>

#include <memory>

#include <cstring>
#include <string>

#include "DCTestSupport.h"
#include "core/Exception.h"
#include "gui/TextLayout.h"

using namespace Vell;
using namespace DCTestSupport;

namespace {

class DCTextTest : public ::testing::Test {
protected:
    WhiteCanvas surface{120, 60};
    std::unique_ptr<DC> owned = std::make_unique<DC>(&surface.canvas, false);
    DC& dc = *owned;
};

TEST_F(DCTextTest, TextDrawsInTheTextColourInsideItsExtent)
{
    dc.setTextColor(red);
    dc.setBackgroundMode(DC::transparent);
    dc.textOut(5, 5, "Hello");
    Size extent = dc.textExtent("Hello");
    ASSERT_GT(extent.width, 0);
    ASSERT_GT(extent.height, 0);
    int inside = countPixels(dc, red, 5, 5, 5 + extent.width, 5 + extent.height);
    EXPECT_GT(inside, 10);
    EXPECT_EQ(countPixels(dc, red), inside);
    // Antialiasing is off: only text colour and background, nothing between.
    EXPECT_EQ(countPixels(dc, red) + countPixels(dc, white), 120 * 60);
}

TEST_F(DCTextTest, OpaqueBackgroundFillsTheTextBox)
{
    dc.setTextColor(Colors::black);
    dc.setBackgroundColor(blue);
    dc.setBackgroundMode(DC::opaque);
    dc.textOut(Point(2, 3), "Ag");
    Size e = dc.textExtent("Ag");
    EXPECT_EQ(countPixels(dc, blue) + countPixels(dc, Colors::black, 2, 3, 2 + e.width, 3 + e.height),
              e.width * e.height);
    EXPECT_EQ(dc.getPixel(2 + e.width, 3), white);
}

TEST_F(DCTextTest, ExtentGrowsWithTheTextAndTheFont)
{
    Size one = dc.textExtent("W");
    Size three = dc.textExtent("WWW");
    EXPECT_GT(three.width, 2 * one.width);
    EXPECT_EQ(three.height, one.height);
    EXPECT_EQ(dc.textExtent("").width, 0);
    Font big;
    big.setHeight(-30);
    dc.select(big);
    EXPECT_GT(dc.textExtent("W").height, 2 * one.height);
    EXPECT_EQ(DC::display().textExtent("W"), one);
}

TEST_F(DCTextTest, BytesThatAreNotUtf8StillDraw)
{
    dc.setBackgroundMode(DC::transparent);
    dc.textOut(0, 0, "caf\xe9 \xff\xfe");
    EXPECT_GT(countPixels(dc, Colors::black), 0);
    dc.fillRect(0, 0, 119, 59, white);
    dc.textOut(0, 0, "ok");   // the drawing context is still usable
    EXPECT_GT(countPixels(dc, Colors::black), 0);
}

TEST_F(DCTextTest, AlignmentMovesTheReferencePoint)
{
    dc.setBackgroundMode(DC::transparent);
    dc.setTextAlign(DC::alignRight | DC::alignBottom);
    dc.textOut(60, 40, "X");
    Size e = dc.textExtent("X");
    EXPECT_GT(countPixels(dc, Colors::black, 60 - e.width, 40 - e.height, 60, 40), 0);
    EXPECT_EQ(countPixels(dc, Colors::black, 60, 0, 120, 60), 0);
    EXPECT_EQ(countPixels(dc, Colors::black, 0, 40, 120, 60), 0);
}

TEST_F(DCTextTest, DrawTextCentresAndClips)
{
    dc.setBackgroundMode(DC::transparent);
    Rect box(10, 10, 100, 30);
    int height = dc.drawText(box, "Mid", DC::center | DC::vcenter | DC::singleLine);
    EXPECT_EQ(height, dc.textExtent("Mid").height);
    int inBox = countPixels(dc, Colors::black, 10, 10, 110, 40);
    EXPECT_GT(inBox, 0);
    EXPECT_EQ(countPixels(dc, Colors::black), inBox);
    EXPECT_EQ(countPixels(dc, Colors::black, 10, 10, 50, 40), 0);   // centred, not at the left

    dc.fillRect(0, 0, 119, 59, white);
    dc.drawText(Rect(0, 0, 8, 8), "Clipped text", DC::left);
    EXPECT_EQ(countPixels(dc, Colors::black, 8, 0, 120, 60) + countPixels(dc, Colors::black, 0, 8, 8, 60), 0);
    EXPECT_EQ(dc.drawText(Rect(0, 0, 8, 8), "a\nb", DC::calcRect), 2 * dc.textExtent("a").height);
}

TEST(TextLayoutTest, PrefixesLinesAndWrapping)
{
    auto measure = [](const std::string& s) { return int(s.size()) * 10; };
    EXPECT_EQ(TextLayout::lines("&File && more", 0, 1000, measure), std::vector<std::string>{"File & more"});
    EXPECT_EQ(TextLayout::lines("&x", TextLayout::noPrefix, 1000, measure), std::vector<std::string>{"&x"});
    EXPECT_EQ(TextLayout::lines("a\r\nb", 0, 1000, measure), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(TextLayout::lines("a\nb", TextLayout::singleLine, 1000, measure), std::vector<std::string>{"a b"});
    EXPECT_EQ(TextLayout::lines("one two three", TextLayout::wordBreak, 70, measure),
              (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(TextLayout::lines("enormous", TextLayout::wordBreak, 10, measure), std::vector<std::string>{"enormous"});
}

TEST_F(DCTextTest, GreyedTextUsesHighlightAndGrey)
{
    dc.greyText(Point(5, 5), "Off");
    EXPECT_GT(countPixels(dc, Color(128, 128, 128)), 0);
    EXPECT_GT(countPixels(dc, Colors::highlight), 0);
    EXPECT_EQ(dc.getBackgroundMode(), DC::opaque);   // the caller's mode comes back
    EXPECT_EQ(dc.getTextColor(), Colors::black);
}

TEST(FontTest, DefaultIsTheSystemSansFace)
{
    Font font;
    EXPECT_STRNE(font.faceName(), "");
    EXPECT_EQ(font.height(), -11);
    EXPECT_EQ(font.weight(), 400);
    EXPECT_EQ(font, Font::defaultFont());
    EXPECT_STREQ(font.className(), "Font");
}

TEST(FontTest, FaceNamesOfThirtyTwoCharactersAreRefused)
{
    Font font;
    std::string before = font.faceName();
    std::string name31(31, 'a'), name32(32, 'a');
    try {
        font.setFaceName(name32.c_str());
        FAIL() << "no exception";
    } catch (const InternalException& e) {
        EXPECT_STREQ(e.message(), "invalid parameter");
    }
    EXPECT_EQ(before, font.faceName());
    EXPECT_THROW(font.setFaceName(nullptr), InternalException);
    font.setFaceName(name31.c_str());
    EXPECT_EQ(name31, font.faceName());
}

TEST(FontTest, SettersAndEquality)
{
    Font a, b;
    a.setAngle(900);
    EXPECT_EQ(a.angle(), 900);
    EXPECT_EQ(a.handle().orientation, 900);
    EXPECT_NE(a, b);
    b.setAngle(900);
    EXPECT_EQ(a, b);
    a.setPitch(0x1F);
    EXPECT_EQ(a.pitch(), 3);
    EXPECT_NE(a, b);
    EXPECT_THROW(b.setWeight(2000), ResourceException);
    EXPECT_EQ(b.weight(), 400);
    b.setItalic(true);
    b.setUnderline(true);
    b.setStrikeOut(true);
    EXPECT_TRUE(b.italic() && b.underline() && b.strikeOut());
}

TEST(FontTest, UnderlinedRotatedAndBoldTextDraws)
{
    WhiteCanvas surface(80, 80);
    DC dc(&surface.canvas, false);
    Font font;
    font.setUnderline(true);
    font.setWeight(700);
    dc.select(font);
    dc.setBackgroundMode(DC::transparent);
    dc.textOut(5, 5, "u");
    Size e = dc.textExtent("u");
    // The underline runs the whole advance width.
    bool fullRow = false;
    for (int y = 5; y < 5 + e.height; ++y)
        fullRow = fullRow || countPixels(dc, Colors::black, 5, y, 5 + e.width, y + 1) == e.width;
    EXPECT_TRUE(fullRow);

    dc.fillRect(0, 0, 79, 79, white);
    Font up;
    up.setAngle(900);
    dc.select(up);
    dc.textOut(40, 70, "WWWW");
    // Turned a quarter counter-clockwise, the text runs up from (40, 70).
    EXPECT_GT(countPixels(dc, Colors::black, 40, 30, 40 + e.height + 2, 70), 0);
    EXPECT_EQ(countPixels(dc, Colors::black, 0, 71, 80, 80), 0);
}

TEST(PenBrushTest, ValidationAndEquality)
{
    EXPECT_THROW(Pen(red, 1, 7), ResourceException);
    EXPECT_THROW(Pen(red, -1), ResourceException);
    Pen pen(red, 2, Pen::dash);
    EXPECT_THROW(pen.setStyle(9), ResourceException);
    EXPECT_EQ(pen.style(), Pen::dash);
    EXPECT_EQ(pen, Pen(red, 2, Pen::dash));
    pen.setWidth(1);
    EXPECT_NE(pen, Pen(red, 2, Pen::dash));
    EXPECT_STREQ(pen.className(), "Pen");

    EXPECT_THROW(Brush(red, 3), ResourceException);
    EXPECT_THROW(Brush(red, Brush::hatched, 6), ResourceException);
    Brush brush(blue, Brush::hatched, Brush::cross);
    EXPECT_EQ(brush, Brush(blue, Brush::hatched, Brush::cross));
    EXPECT_NE(brush, Brush(blue, Brush::hatched, Brush::vertical));
    brush.setColor(red);
    EXPECT_EQ(brush.color(), red);
    EXPECT_STREQ(brush.className(), "Brush");
}

} // namespace
