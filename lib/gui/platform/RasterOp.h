// RasterOp: pixel transfers between 32-bit premultiplied ARGB buffers with
// the device context's ternary raster operations. No drawing library here:
// the operations work on bits, which no path renderer offers.
#pragma once

#include <cstdint>

namespace Vell::Platform {

struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    int pitch = 0;             // in pixels
    bool monochrome = false;

    std::uint32_t& at(int x, int y) const { return pixels[y * pitch + x]; }
};

struct TransferRect {
    int x = 0, y = 0, w = 0, h = 0;    // a negative extent mirrors: the area is x + w to x - 1
};

// The colours a transfer needs from the two drawing states.
struct TransferColors {
    std::uint32_t srcBk = 0xFFFFFF;    // colour -> monochrome: this colour becomes white
    std::uint32_t dstText = 0;         // monochrome -> colour: black becomes this
    std::uint32_t dstBk = 0xFFFFFF;    // monochrome -> colour: white becomes this
    std::uint32_t pattern = 0;         // the pattern (brush) colour
};

// Clip in destination pixels, right and bottom excluded.
struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class RasterOp {
public:
    // Plain 24-bit colour (red in the low byte) of a premultiplied pixel.
    static std::uint32_t toColorRef(std::uint32_t argb);
    static std::uint32_t fromColorRef(std::uint32_t color);
    // Evaluates the ternary operation (index bits: pattern 4, source 2,
    // destination 1) on every bit of the three values.
    static std::uint32_t rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d);

    // Nearest-neighbour transfer of src area into dst area.
    static void transfer(const PixelView& dst, ClipRect clip, TransferRect to, const PixelView& src,
                         TransferRect from, std::uint32_t rop, const TransferColors& colors);
    static void keyed(const PixelView& dst, ClipRect clip, int x, int y, int w, int h,
                      const PixelView& src, int sx, int sy, std::uint32_t key);
    static void greyed(const PixelView& dst, ClipRect clip, int x, int y, int w, int h,
                       const PixelView& src, int sx, int sy, std::uint32_t key,
                       std::uint32_t highlight, std::uint32_t shadow);
};

} // namespace Vell::Platform
