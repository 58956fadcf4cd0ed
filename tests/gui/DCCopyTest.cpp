// Transfers between DCs and bitmaps read from .bmp files.
#include <gtest/gtest.h>

#include <memory>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "DCTestSupport.h"
#include "core/Exception.h"
#include "gui/Bitmap.h"
#include "gui/platform/RasterOp.h"
#include "tests/support/ScratchFolder.h"

using namespace Vell;
using namespace DCTestSupport;

namespace {

// A 24-bit .bmp, rows bottom-up and padded to four bytes.
void writeBmp(const std::string& path, int w, int h, const std::vector<Color>& topDown)
{
    int rowBytes = (w * 3 + 3) & ~3;
    std::vector<std::uint8_t> f(54 + rowBytes * h, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = std::uint8_t(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, std::uint32_t(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(w));
    put32(22, std::uint32_t(h));
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Color& c = topDown[y * w + x];
            std::uint8_t* p = &f[54 + (h - 1 - y) * rowBytes + x * 3];
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
}

TEST(BitmapTest, LoadsABmpAtItsNaturalSize)
{
    const TestSupport::ScratchFolder scratch("bitmap");
    const std::string path = scratch.path("three.bmp");
    writeBmp(path, 3, 2, {red, green, blue, white, Colors::black, magenta});
    Bitmap bitmap;
    EXPECT_TRUE(bitmap.isEmpty());
    bitmap.load(path.c_str());
    EXPECT_EQ(bitmap.size(), Size(3, 2));
    DC& dc = bitmap.beginDraw(DC::display());
    EXPECT_TRUE(bitmap.isDrawing());
    EXPECT_EQ(dc.getPixel(0, 0), red);
    EXPECT_EQ(dc.getPixel(2, 0), blue);
    EXPECT_EQ(dc.getPixel(0, 1), white);
    EXPECT_EQ(dc.getPixel(2, 1), magenta);
    bitmap.endDraw();
    EXPECT_FALSE(bitmap.isDrawing());
}

TEST(BitmapTest, UnreadableFilesThrowIOException)
{
    Bitmap bitmap;
    EXPECT_THROW(bitmap.load("/nonexistent/picture.bmp"), IOException);
    EXPECT_THROW(bitmap.load(nullptr), IOException);
    const TestSupport::ScratchFolder scratch("bitmap");
    const std::string path = scratch.path("junk.bmp");
    std::ofstream(path) << "BM this is not a bitmap";
    EXPECT_THROW(bitmap.load(path.c_str()), IOException);
    // A header that claims a huge picture must not be believed.
    std::vector<Color> one{red};
    writeBmp(path, 1, 1, one);
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(18);
        const char huge[4] = {0, 0, 0, 0x40};
        f.write(huge, 4);
    }
    EXPECT_THROW(bitmap.load(path.c_str()), IOException);
    EXPECT_TRUE(bitmap.isEmpty());
}

TEST(BitmapTest, CompatibleBitmapIsBlackAndDrawable)
{
    Bitmap bitmap;
    EXPECT_THROW(bitmap.create(DC::display(), 0, 5), ResourceException);
    EXPECT_THROW(bitmap.beginDraw(DC::display()), ResourceException);
    bitmap.create(DC::display(), 6, 4);
    DC& dc = bitmap.beginDraw(DC::display());
    EXPECT_EQ(&dc, &bitmap.beginDraw(DC::display()));
    EXPECT_EQ(countPixels(dc, Colors::black), 24);
    dc.fillRect(Rect(0, 0, 6, 4), red);
    EXPECT_EQ(countPixels(dc, red), 24);
    EXPECT_STREQ(bitmap.className(), "Object");
}

class DCCopyTest : public ::testing::Test {
protected:
    // Source: magenta (the transparent colour) with a green 4 x 4 square
    // at (2, 2) and one white pixel at (0, 0).
    WhiteCanvas source{8, 8};
    WhiteCanvas target{20, 20};
    std::unique_ptr<DC> ownedSrc = std::make_unique<DC>(&source.canvas, false);
    std::unique_ptr<DC> ownedDst = std::make_unique<DC>(&target.canvas, false);
    DC& src = *ownedSrc;
    DC& dst = *ownedDst;

    void SetUp() override
    {
        src.fillRect(Rect(0, 0, 8, 8), magenta);
        src.fillRect(Rect(2, 2, 4, 4), green);
        src.setPixel(0, 0, white);
        dst.fillRect(Rect(0, 0, 20, 20), blue);
    }
};

TEST_F(DCCopyTest, SourceCopyAndStretch)
{
    src.copyTo(dst, Point(10, 10), Rect(2, 2, 4, 4));
    EXPECT_EQ(countPixels(dst, green), 16);
    EXPECT_EQ(countPixels(dst, green, 10, 10, 14, 14), 16);
    src.stretchCopyTo(dst, Rect(0, 0, 8, 8), Rect(2, 2, 4, 4));
    EXPECT_EQ(countPixels(dst, green, 0, 0, 8, 8), 64);
}

TEST_F(DCCopyTest, RasterOperationsWorkOnBits)
{
    src.copyTo(dst, Point(0, 0), Rect(2, 2, 1, 1), DC::srcInvert);   // blue ^ green
    EXPECT_EQ(dst.getPixel(0, 0), Color(0, 255, 255));
    src.copyTo(dst, Point(1, 0), Rect(2, 2, 1, 1), DC::srcPaint);    // blue | green
    EXPECT_EQ(dst.getPixel(1, 0), Color(0, 255, 255));
    src.copyTo(dst, Point(2, 0), Rect(2, 2, 1, 1), DC::srcAnd);      // blue & green
    EXPECT_EQ(dst.getPixel(2, 0), Colors::black);
    using Platform::RasterOp;
    // B8074A: the pattern where the source is 0, the destination where it is 1.
    EXPECT_EQ(RasterOp::rop3(0xB8, 0x123456, 0x000000, 0xABCDEF), 0x123456u);
    EXPECT_EQ(RasterOp::rop3(0xB8, 0x123456, 0xFFFFFF, 0xABCDEF), 0xABCDEFu);
}

TEST_F(DCCopyTest, MonochromeTransfersFollowTheColours)
{
    Platform::Canvas mask(8, 8, true);
    DC maskDC(&mask, false);
    src.setBackgroundColor(magenta);
    src.copyTo(maskDC, Point(0, 0), Rect(0, 0, 8, 8));
    EXPECT_EQ(maskDC.getPixel(0, 0), Colors::black);   // white is not the background colour
    EXPECT_EQ(maskDC.getPixel(7, 7), white);           // magenta is
    EXPECT_EQ(maskDC.getPixel(3, 3), Colors::black);
    dst.setTextColor(red);
    dst.setBackgroundColor(green);
    maskDC.copyTo(dst, Point(0, 0), Rect(0, 0, 8, 8));
    EXPECT_EQ(dst.getPixel(7, 7), green);
    EXPECT_EQ(dst.getPixel(3, 3), red);
}

TEST_F(DCCopyTest, TransparentCopyLeavesTransparentPixelsAlone)
{
    src.transparentCopyTo(dst, Point(5, 5), Rect(0, 0, 8, 8), magenta);
    EXPECT_EQ(countPixels(dst, green, 7, 7, 11, 11), 16);
    EXPECT_EQ(dst.getPixel(5, 5), white);
    EXPECT_EQ(countPixels(dst, blue), 400 - 17);
    EXPECT_EQ(dst.getPixel(6, 5), blue);
}

TEST_F(DCCopyTest, GreyedCopyPaintsShapesGreyWithHighlight)
{
    src.greyedCopyTo(dst, Point(5, 5), Rect(0, 0, 8, 8), magenta);
    // The green square becomes grey in place; its highlight shows one
    // pixel right and down where the grey does not cover it.
    EXPECT_EQ(countPixels(dst, Color(128, 128, 128), 7, 7, 11, 11), 16);
    EXPECT_EQ(countPixels(dst, Color(128, 128, 128)), 16);
    EXPECT_EQ(countPixels(dst, Colors::highlight), 7);
    EXPECT_EQ(dst.getPixel(11, 11), Colors::highlight);
    EXPECT_EQ(dst.getPixel(5, 5), blue);   // white source pixels are no shape
    EXPECT_EQ(dst.getPixel(6, 6), blue);
}

TEST_F(DCCopyTest, CopiesOutsideEitherSurfaceAreHarmless)
{
    EXPECT_NO_THROW(src.copyTo(dst, Point(-100, 15), Rect(-50, -50, 200, 200)));
    EXPECT_NO_THROW(src.transparentCopyTo(dst, Point(18, 18), Rect(0, 0, 8, 8), magenta));
    EXPECT_NO_THROW(src.greyedCopyTo(dst, Point(-3, 19), Rect(-2, -2, 12, 12), magenta));
    EXPECT_NO_THROW(src.stretchCopyTo(dst, Rect(19, 19, -40, -40), Rect(0, 0, 8, 8)));
    EXPECT_NO_THROW(src.copyTo(src, Point(1, 1), Rect(0, 0, 8, 8)));
    EXPECT_EQ(src.getPixel(1, 1), white);
}

} // namespace
