// Inclusive corners, pixel for pixel.
#include <gtest/gtest.h>

#include <memory>

#include "DCTestSupport.h"
#include "core/Exception.h"

using namespace Vell;
using namespace DCTestSupport;

namespace {

class DCShapeTest : public ::testing::Test {
protected:
    WhiteCanvas surface;
    std::unique_ptr<DC> owned = std::make_unique<DC>(&surface.canvas, false);
    DC& dc = *owned;
};

TEST_F(DCShapeTest, LineSetsBothEndPointsInEitherDirection)
{
    dc.line(0, 0, 3, 0);
    EXPECT_EQ(countPixels(dc, Colors::black), 4);
    EXPECT_EQ(countPixels(dc, Colors::black, 0, 0, 4, 1), 4);

    dc.fillRect(0, 0, 39, 39, white);
    dc.line(3, 0, 0, 0);
    EXPECT_EQ(countPixels(dc, Colors::black), 4);
    EXPECT_EQ(countPixels(dc, Colors::black, 0, 0, 4, 1), 4);
}

TEST_F(DCShapeTest, DiagonalAndVerticalLinesIncludeTheEndPoint)
{
    dc.line(Point(2, 2), Point(7, 7));
    EXPECT_EQ(countPixels(dc, Colors::black), 6);
    for (int i = 2; i <= 7; ++i)
        EXPECT_EQ(dc.getPixel(i, i), Colors::black) << i;

    dc.fillRect(0, 0, 39, 39, white);
    dc.line(10, 20, 10, 5);
    EXPECT_EQ(countPixels(dc, Colors::black, 10, 5, 11, 21), 16);
    EXPECT_EQ(countPixels(dc, Colors::black), 16);
}

TEST_F(DCShapeTest, MoveToDrawsNothingAndSetsTheStart)
{
    dc.moveTo(5, 5);
    EXPECT_EQ(countPixels(dc, Colors::black), 0);
    EXPECT_EQ(surface.canvas.position(), (Platform::IntPoint{5, 5}));
}

TEST_F(DCShapeTest, RectangleWithEqualCornersIsPassedUnchanged)
{
    // Equal corners are not extended, so the shape is empty and draws nothing.
    dc.rectangle(5, 5, 5, 5);
    EXPECT_EQ(countPixels(dc, Colors::black), 0);
}

TEST_F(DCShapeTest, RectangleOutlineWithPenAndInteriorWithBrush)
{
    dc.select(Pen(red));
    dc.select(Brush(blue));
    dc.rectangle(Point(2, 2), Point(6, 6));
    EXPECT_EQ(countPixels(dc, red), 16);
    EXPECT_EQ(countPixels(dc, blue, 3, 3, 6, 6), 9);
    EXPECT_EQ(dc.getPixel(7, 7), white);
    EXPECT_EQ(dc.getPixel(6, 6), red);
}

TEST_F(DCShapeTest, ReversedCornersCoverTheSamePixels)
{
    dc.select(Pen(red));
    dc.rectangle(6, 6, 2, 2);
    EXPECT_EQ(countPixels(dc, red), 16);
    EXPECT_EQ(dc.getPixel(2, 2), red);
    EXPECT_EQ(dc.getPixel(6, 6), red);
    EXPECT_EQ(dc.getPixel(1, 1), white);
}

TEST_F(DCShapeTest, FillOfTenByTenCoversZeroToNine)
{
    dc.fillRect(Rect(0, 0, 10, 10), red);
    EXPECT_EQ(countPixels(dc, red), 100);
    EXPECT_EQ(countPixels(dc, red, 0, 0, 10, 10), 100);
    EXPECT_EQ(dc.getBackgroundColor(), red);
}

TEST_F(DCShapeTest, FormsAgree)
{
    dc.fillRect(Point(1, 1), Size(3, 4), red);
    EXPECT_EQ(countPixels(dc, red, 1, 1, 4, 5), 12);
    dc.fillRect(Point(20, 20), Point(22, 23), blue);
    EXPECT_EQ(countPixels(dc, blue, 20, 20, 23, 24), 12);
    EXPECT_EQ(countPixels(dc, blue), 12);
}

TEST_F(DCShapeTest, EllipseStaysInsideItsBoxAndIsSymmetric)
{
    dc.select(Pen(red));
    dc.select(Brush(blue));
    dc.ellipse(Rect(10, 10, 11, 11));
    EXPECT_EQ(countPixels(dc, red, 10, 10, 21, 21) + countPixels(dc, blue, 10, 10, 21, 21),
              countPixels(dc, red) + countPixels(dc, blue));
    EXPECT_EQ(dc.getPixel(15, 10), red);
    EXPECT_EQ(dc.getPixel(15, 20), red);
    EXPECT_EQ(dc.getPixel(10, 15), red);
    EXPECT_EQ(dc.getPixel(20, 15), red);
    EXPECT_EQ(dc.getPixel(15, 15), blue);
    EXPECT_EQ(dc.getPixel(10, 10), white);
    for (int y = 10; y <= 20; ++y)
        for (int x = 10; x <= 20; ++x)
            EXPECT_EQ(dc.getPixel(x, y), dc.getPixel(30 - x, y)) << x << "," << y;
}

TEST_F(DCShapeTest, NullPenAndNullBrushDrawNothing)
{
    dc.select(Pen(red, 0, Pen::null));
    dc.select(Brush(blue, Brush::null));
    dc.rectangle(1, 1, 20, 20);
    dc.roundRect(1, 1, 20, 20, 6, 6);
    dc.line(0, 0, 30, 30);
    EXPECT_EQ(countPixels(dc, white), 1600);
}

TEST_F(DCShapeTest, DashedLineLeavesGaps)
{
    dc.setBackgroundMode(DC::transparent);
    dc.select(Pen(red, 0, Pen::dot));
    dc.line(0, 0, 11, 0);
    int drawn = countPixels(dc, red, 0, 0, 12, 1);
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 12);
}

TEST_F(DCShapeTest, SetAndGetPixelOutsideTheSurface)
{
    dc.setPixel(-1, 3, red);
    dc.setPixel(40, 3, red);
    dc.setPixel(Point(3, 3), red);
    EXPECT_EQ(countPixels(dc, red), 1);
    EXPECT_EQ(dc.getPixel(3, 3), red);
    EXPECT_NO_THROW(dc.getPixel(1000, 1000));
}

TEST_F(DCShapeTest, ViewportOriginMovesDrawingAndClipBox)
{
    dc.setViewportOrigin(Point(10, 5));
    dc.setPixel(0, 0, red);
    EXPECT_EQ(dc.getPixel(0, 0), red);   // reading goes through the same mapping
    EXPECT_EQ(dc.logicalToDevice(Point(0, 0)), Point(10, 5));
    EXPECT_EQ(dc.deviceToLogical(Point(10, 5)), Point(0, 0));
    Rect clip = dc.clipBox();
    EXPECT_EQ(clip.origin, Point(-10, -5));
    EXPECT_EQ(clip.size, Size(40, 40));
    dc.setViewportOrigin(Point(0, 0));
    EXPECT_EQ(dc.getPixel(10, 5), red);
}

TEST_F(DCShapeTest, AnisotropicMappingScales)
{
    EXPECT_EQ(dc.getMapMode(), DC::mapText);
    dc.setMapMode(DC::mapAnisotropic);
    dc.setWindowExtent(Size(1, 1));
    dc.setViewportExtent(Size(2, 2));
    dc.fillRect(1, 1, 2, 2, red);    // logical 1..2 -> device 2..5
    dc.setMapMode(DC::mapText);
    EXPECT_EQ(countPixels(dc, red, 2, 2, 6, 6), 16);
    EXPECT_EQ(countPixels(dc, red), 16);
}

} // namespace
