#include "gui/platform/RasterOp.h"

#include <algorithm>
#include <vector>

namespace Vell::Platform {

namespace {

constexpr std::uint32_t white = 0xFFFFFF;

bool inside(const PixelView& v, const ClipRect& c, int x, int y)
{
    return x >= 0 && y >= 0 && x < v.width && y < v.height && x >= c.left && x < c.right &&
           y >= c.top && y < c.bottom;
}

// A monochrome surface holds black or white; anything else is mapped by
// brightness, as a transfer into a one-bit bitmap would.
std::uint32_t toMono(std::uint32_t c)
{
    int sum = int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF);
    return sum >= 384 ? white : 0;
}

// The rule for pixels whose source sits outside its surface: it reads as
// black, so a transfer never reads past a buffer.
std::uint32_t sourceColor(const PixelView& src, int x, int y, bool& opaque)
{
    if (x < 0 || y < 0 || x >= src.width || y >= src.height) {
        opaque = true;
        return 0;
    }
    std::uint32_t px = src.at(x, y);
    opaque = (px >> 24) == 0xFF;
    return RasterOp::toColorRef(px);
}

} // namespace

std::uint32_t RasterOp::toColorRef(std::uint32_t argb)
{
    std::uint32_t a = argb >> 24;
    if (a == 0)
        return 0;
    auto channel = [&](int shift) {
        std::uint32_t c = (argb >> shift) & 0xFF;
        return a == 0xFF ? c : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
    };
    return channel(16) | channel(8) << 8 | channel(0) << 16;
}

std::uint32_t RasterOp::fromColorRef(std::uint32_t c)
{
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

std::uint32_t RasterOp::rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(code >> i & 1))
            continue;
        std::uint32_t term = (i & 4) ? p : ~p;
        term &= (i & 2) ? s : ~s;
        term &= (i & 1) ? d : ~d;
        r |= term;
    }
    return r & 0xFFFFFF;
}

void RasterOp::transfer(const PixelView& dst, ClipRect clip, TransferRect to, const PixelView& src,
                        TransferRect from, std::uint32_t rop, const TransferColors& colors)
{
    bool flipX = false, flipY = false;
    if (to.w < 0) { to.x += to.w; to.w = -to.w; flipX = !flipX; }
    if (to.h < 0) { to.y += to.h; to.h = -to.h; flipY = !flipY; }
    if (from.w < 0) { from.x += from.w; from.w = -from.w; flipX = !flipX; }
    if (from.h < 0) { from.y += from.h; from.h = -from.h; flipY = !flipY; }
    if (to.w == 0 || to.h == 0 || from.w == 0 || from.h == 0)
        return;
    std::uint8_t code = std::uint8_t(rop >> 16);
    std::uint32_t pattern = dst.monochrome ? toMono(colors.pattern) : colors.pattern;
    bool convert = src.monochrome != dst.monochrome;
    for (int j = 0; j < to.h; ++j) {
        int ky = int((j + 0.5) * from.h / to.h);
        int sy = from.y + (flipY ? from.h - 1 - ky : ky);
        for (int i = 0; i < to.w; ++i) {
            int x = to.x + i, y = to.y + j;
            if (!inside(dst, clip, x, y))
                continue;
            int kx = int((i + 0.5) * from.w / to.w);
            int sx = from.x + (flipX ? from.w - 1 - kx : kx);
            bool opaque;
            std::uint32_t s = sourceColor(src, sx, sy, opaque);
            if (code == 0xCC && !convert && sx >= 0 && sy >= 0 && sx < src.width && sy < src.height) {
                dst.at(x, y) = src.at(sx, sy);   // plain copy keeps the source's alpha
                continue;
            }
            if (convert && dst.monochrome)
                s = s == (colors.srcBk & 0xFFFFFF) ? white : 0;
            else if (convert)
                s = s == white ? colors.dstBk : colors.dstText;
            std::uint32_t d = toColorRef(dst.at(x, y));
            std::uint32_t r = rop3(code, pattern, s, d);
            dst.at(x, y) = fromColorRef(dst.monochrome ? toMono(r) : r);
        }
    }
}

void RasterOp::keyed(const PixelView& dst, ClipRect clip, int x, int y, int w, int h,
                     const PixelView& src, int sx, int sy, std::uint32_t key)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int u = sx + i, v = sy + j;
            if (!inside(dst, clip, x + i, y + j) || u < 0 || v < 0 || u >= src.width || v >= src.height)
                continue;
            std::uint32_t px = src.at(u, v);
            if ((px >> 24) == 0 || toColorRef(px) == key)
                continue;
            dst.at(x + i, y + j) = px;
        }
}

void RasterOp::greyed(const PixelView& dst, ClipRect clip, int x, int y, int w, int h,
                      const PixelView& src, int sx, int sy, std::uint32_t key,
                      std::uint32_t highlight, std::uint32_t shadow)
{
    if (w <= 0 || h <= 0)
        return;
    // The mask: true where the picture has a shape (neither key nor white).
    std::vector<char> shape(std::size_t(w) * std::size_t(h), 0);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int u = sx + i, v = sy + j;
            if (u < 0 || v < 0 || u >= src.width || v >= src.height) {
                shape[std::size_t(j) * w + i] = 1;   // outside the source reads as black
                continue;
            }
            std::uint32_t px = src.at(u, v);
            std::uint32_t c = toColorRef(px);
            shape[std::size_t(j) * w + i] = (px >> 24) != 0 && c != key && c != white;
        }
    auto paint = [&](int ox, int oy, std::uint32_t color) {
        std::uint32_t px = fromColorRef(dst.monochrome ? toMono(color) : color);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (shape[std::size_t(j) * w + i] && inside(dst, clip, ox + i, oy + j))
                    dst.at(ox + i, oy + j) = px;
    };
    paint(x + 1, y + 1, highlight);
    paint(x, y, shadow);
}

} // namespace Vell::Platform
