// Selection copies, state saved at wrapping, edges.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "DCTestSupport.h"
#include "core/Exception.h"

using namespace Vell;
using namespace DCTestSupport;

namespace {

TEST(DCStateTest, SelectingTheSamePenTwiceKeepsOneOwnCopy)
{
    WhiteCanvas surface;
    DC dc(&surface.canvas, false);
    auto pen = std::make_unique<Pen>(red, 1, Pen::solid);
    dc.select(*pen);
    dc.select(*pen);
    ASSERT_NE(dc.selectedPen(), nullptr);
    EXPECT_NE(dc.selectedPen(), pen.get());
    EXPECT_EQ(*dc.selectedPen(), *pen);
    pen.reset();
    dc.line(0, 0, 9, 0);
    EXPECT_EQ(countPixels(dc, red), 10);
}

TEST(DCStateTest, DestructionRestoresPenBrushFontAndColours)
{
    WhiteCanvas surface;
    Platform::PenStyle pen = surface.canvas.pen();
    Platform::BrushStyle brush = surface.canvas.brush();
    Platform::FontStyle font = surface.canvas.font();
    {
        DC dc(&surface.canvas, false);
        dc.select(Pen(red, 3, Pen::dash));
        dc.select(Brush(blue, Brush::hatched, Brush::cross));
        Font big;
        big.setHeight(-30);
        dc.select(big);
        dc.setTextColor(red);
        dc.save();   // left unbalanced on purpose
        dc.setBackgroundMode(DC::transparent);
    }
    EXPECT_EQ(surface.canvas.pen(), pen);
    EXPECT_EQ(surface.canvas.brush(), brush);
    EXPECT_EQ(surface.canvas.font(), font);
    EXPECT_EQ(surface.canvas.textColor(), 0u);
    EXPECT_EQ(surface.canvas.bkMode(), Platform::Canvas::opaque);
    EXPECT_EQ(surface.canvas.saveDepth(), 0);
    DC again(&surface.canvas, false);
    again.line(0, 5, 4, 5);
    EXPECT_EQ(countPixels(again, Colors::black), 5);
}

TEST(DCStateTest, RestoreStopsAtTheWrappedState)
{
    WhiteCanvas surface;
    DC dc(&surface.canvas, false);
    EXPECT_FALSE(dc.restore());
    dc.save();
    dc.setTextColor(red);
    EXPECT_TRUE(dc.restore());
    EXPECT_EQ(dc.getTextColor(), Colors::black);
    EXPECT_FALSE(dc.restore());
}

TEST(DCStateTest, ScaledMappingModes)
{
    using Vell::Platform::Canvas;
    WhiteCanvas surface;
    DC dc(&surface.canvas, false);
    dc.setMapMode(Canvas::anisotropic);
    dc.setWindowExtent(Size(10, 10));
    dc.setViewportExtent(Size(20, 30));
    dc.setPixel(2, 1, red);
    EXPECT_EQ(dc.getPixel(2, 1), red);   // read back through the same mapping

    // A zero window extent would divide by zero: it is refused.
    dc.setWindowExtent(Size(0, 0));
    dc.setPixel(5, 6, blue);

    dc.setMapMode(Canvas::text);
    EXPECT_EQ(dc.getPixel(4, 3), red);   // device pixel (2 * 2, 1 * 3)
    EXPECT_EQ(dc.getPixel(10, 18), blue);
}

TEST(DCStateTest, OwnedCanvasIsDeletedAndNullIsRefused)
{
    EXPECT_THROW(DC(nullptr, false), ResourceException);
    DC owned(new Platform::Canvas(4, 4), true);
    EXPECT_EQ(owned.ownership(), 2);
    bool released = false;
    {
        WhiteCanvas surface;
        DC windowDC(&surface.canvas, [&] { released = true; });
        EXPECT_EQ(windowDC.ownership(), 1);
    }
    EXPECT_TRUE(released);
}

TEST(DCStateTest, DestroyingWhileAttachedIsServerBusy)
{
    WhiteCanvas surface;
    DC* dc = new DC(&surface.canvas, false);
    dc->attach();
    try {
        delete dc;
        FAIL() << "no exception";
    } catch (const InternalException& e) {
        EXPECT_STREQ(e.message(), "server busy");
    }
}

class DCEdgeTest : public ::testing::Test {
protected:
    WhiteCanvas surface{12, 12};
    std::unique_ptr<DC> owned = std::make_unique<DC>(&surface.canvas, false);
    DC& dc = *owned;

    // The colour of every pixel of the ring at distance d from the border
    // of the 10 x 10 box (1,1)-(10,10), checked against top-left and
    // bottom-right colours.
    void expectRing(int d, const Color& topLeft, const Color& bottomRight)
    {
        int lo = 1 + d, hi = 10 - d;
        for (int i = lo; i <= hi; ++i) {
            EXPECT_EQ(dc.getPixel(i, lo), i == hi ? bottomRight : topLeft) << "top " << i;
            EXPECT_EQ(dc.getPixel(lo, i), i == hi ? bottomRight : topLeft) << "left " << i;
            EXPECT_EQ(dc.getPixel(hi, i), bottomRight) << "right " << i;
            EXPECT_EQ(dc.getPixel(i, hi), bottomRight) << "bottom " << i;
        }
    }
};

TEST_F(DCEdgeTest, StyleZeroDrawsNothing)
{
    dc.drawEdge(1, 1, 10, 10, 0);
    EXPECT_EQ(countPixels(dc, white), 144);
}

TEST_F(DCEdgeTest, FlatIsDarkAllRound)
{
    dc.drawEdge(Rect(1, 1, 10, 10), 1);
    expectRing(0, Colors::darkGrey, Colors::darkGrey);
    EXPECT_EQ(countPixels(dc, Colors::darkGrey), 36);
    EXPECT_EQ(countPixels(dc, white, 2, 2, 10, 10), 64);
}

TEST_F(DCEdgeTest, RaisedAndSunken)
{
    dc.drawEdge(Point(1, 1), Point(10, 10), 2);
    expectRing(0, Colors::lightGrey, Colors::darkGrey);
    EXPECT_EQ(*dc.selectedPen(), Pen(Colors::darkGrey, 0, Pen::solid));
    dc.drawEdge(Point(1, 1), Size(10, 10), 3);
    expectRing(0, Colors::darkGrey, Colors::lightGrey);
    EXPECT_EQ(*dc.selectedPen(), Pen(Colors::lightGrey, 0, Pen::solid));
}

TEST_F(DCEdgeTest, DoubleEdges)
{
    dc.drawEdge(1, 1, 10, 10, 4);
    expectRing(0, Colors::lightGrey, Colors::darkGrey);
    expectRing(1, Colors::darkGrey, Colors::lightGrey);
    EXPECT_EQ(countPixels(dc, white, 3, 3, 9, 9), 36);
    dc.drawEdge(1, 1, 10, 10, 5);
    expectRing(0, Colors::darkGrey, Colors::lightGrey);
    expectRing(1, Colors::lightGrey, Colors::darkGrey);
}

TEST_F(DCEdgeTest, UnknownStyleThrows)
{
    for (int style : {6, -1, 100}) {
        try {
            dc.drawEdge(1, 1, 10, 10, style);
            FAIL() << style;
        } catch (const InternalException& e) {
            EXPECT_STREQ(e.message(), "unknown edge style");
        }
    }
    EXPECT_EQ(countPixels(dc, white), 144);
}

} // namespace
