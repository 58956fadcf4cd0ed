#include "gui/platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

#include <cairo.h>

#include "gui/platform/CanvasImpl.h"
#include "gui/platform/RasterOp.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO_WARNINGS
#include <stb/stb_image.h>

namespace Vell::Platform {

namespace {

int clampSide(int v) { return std::clamp(v, 1, Canvas::maxSide); }

} // namespace

Canvas::Canvas(int width, int height, bool monochrome)
    : w(clampSide(width)), h(clampSide(height)), mono(monochrome), impl(std::make_unique<Impl>())
{
    impl->create(w, h);
    resetDeviceClip();
    if (mono)
        fill(0);
}

Canvas::~Canvas() { impl->destroy(); }

std::unique_ptr<Canvas> Canvas::loadBmp(const char* path)
{
    if (!path)
        return nullptr;
    int iw = 0, ih = 0, n = 0;
    unsigned char* rgba = stbi_load(path, &iw, &ih, &n, 4);
    if (!rgba)
        return nullptr;
    if (iw < 1 || ih < 1 || iw > Canvas::maxSide || ih > Canvas::maxSide) {
        stbi_image_free(rgba);
        return nullptr;
    }
    auto canvas = std::make_unique<Canvas>(iw, ih);
    std::uint32_t* px = canvas->pixels();
    int pitch = canvas->stride() / 4;
    for (int y = 0; y < ih; ++y)
        for (int x = 0; x < iw; ++x) {
            const unsigned char* s = rgba + (std::size_t(y) * iw + x) * 4;
            px[y * pitch + x] = RasterOp::fromColorRef(s[0] | s[1] << 8 | s[2] << 16);
        }
    canvas->pixelsChanged();
    stbi_image_free(rgba);
    return canvas;
}

int Canvas::stride() const { return cairo_image_surface_get_stride(impl->surface); }

// Flushing only hands pending drawing to the pixels; what the canvas shows
// stays the same, so the queries that flush are const.
const unsigned char* Canvas::data() const
{
    cairo_surface_flush(impl->surface);
    return cairo_image_surface_get_data(impl->surface);
}

std::uint32_t* Canvas::pixels()
{
    cairo_surface_flush(impl->surface);
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(impl->surface));
}

void Canvas::pixelsChanged() { cairo_surface_mark_dirty(impl->surface); }

void Canvas::resize(int width, int height)
{
    w = clampSide(width);
    h = clampSide(height);
    impl->create(w, h);
    resetDeviceClip();
}

void Canvas::clear()
{
    std::memset(pixels(), 0, std::size_t(stride()) * h);
    pixelsChanged();
}

void Canvas::fill(ColorRef color)
{
    std::uint32_t px = RasterOp::fromColorRef(color);
    std::uint32_t* p = pixels();
    int pitch = stride() / 4;
    for (int y = 0; y < h; ++y)
        std::fill(p + y * pitch, p + y * pitch + w, px);
    pixelsChanged();
}

PenStyle Canvas::setPen(const PenStyle& pen) { return std::exchange(st.pen, pen); }
BrushStyle Canvas::setBrush(const BrushStyle& brush) { return std::exchange(st.brush, brush); }
FontStyle Canvas::setFont(const FontStyle& font) { return std::exchange(st.font, font); }
ColorRef Canvas::setTextColor(ColorRef c) { return std::exchange(st.textColor, c & 0xFFFFFF); }
ColorRef Canvas::setBkColor(ColorRef c) { return std::exchange(st.bkColor, c & 0xFFFFFF); }
int Canvas::setBkMode(int mode)
{
    return mode == transparent || mode == opaque ? std::exchange(st.bkMode, mode) : 0;
}
int Canvas::setTextAlign(int align) { return std::exchange(st.textAlign, align); }

int Canvas::save()
{
    saved.push_back(st);
    return int(saved.size());
}

bool Canvas::restore(int level)
{
    int depth = int(saved.size());
    if (level < 0)
        level = depth + 1 + level;
    if (level < 1 || level > depth)
        return false;
    st = saved[level - 1];
    saved.resize(level - 1);
    return true;
}

IntPoint Canvas::setViewportOrg(int x, int y) { return std::exchange(st.viewportOrg, {x, y}); }
IntPoint Canvas::setWindowOrg(int x, int y) { return std::exchange(st.windowOrg, {x, y}); }

// Extents count only in the scaling modes, and a zero extent would divide
// by zero, so both are refused there as the system refuses them.
IntPoint Canvas::setViewportExt(int x, int y)
{
    IntPoint old = st.viewportExt;
    if ((st.mapMode == isotropic || st.mapMode == anisotropic) && x != 0 && y != 0)
        st.viewportExt = {x, y};
    return old;
}

IntPoint Canvas::setWindowExt(int x, int y)
{
    IntPoint old = st.windowExt;
    if ((st.mapMode == isotropic || st.mapMode == anisotropic) && x != 0 && y != 0)
        st.windowExt = {x, y};
    return old;
}

int Canvas::setMapMode(int mode)
{
    if (mode < 1 || mode > 8)
        return 0;
    return std::exchange(st.mapMode, mode);
}

// Logical-to-device scale of one axis. Isotropic modes use the smaller of the
// two ratios on both axes, keeping each axis's sign. Window extents are never
// zero (setWindowExt refuses zero).
double Canvas::axisScale(bool vertical) const
{
    if (st.mapMode != isotropic && st.mapMode != anisotropic)
        return 1.0;
    double sx = double(st.viewportExt.x) / st.windowExt.x;
    double sy = double(st.viewportExt.y) / st.windowExt.y;
    double own = vertical ? sy : sx;
    if (st.mapMode == isotropic)
        return std::copysign(std::min(std::fabs(sx), std::fabs(sy)), own);
    return own;
}

double Canvas::scaleX() const { return axisScale(false); }
double Canvas::scaleY() const { return axisScale(true); }

IntPoint Canvas::toDevice(int x, int y) const
{
    return {int(std::lround((double(x) - st.windowOrg.x) * scaleX())) + st.viewportOrg.x,
            int(std::lround((double(y) - st.windowOrg.y) * scaleY())) + st.viewportOrg.y};
}

IntPoint Canvas::toLogical(int x, int y) const
{
    return {int(std::lround((double(x) - st.viewportOrg.x) / scaleX())) + st.windowOrg.x,
            int(std::lround((double(y) - st.viewportOrg.y) / scaleY())) + st.windowOrg.y};
}

void Canvas::setDeviceClip(const IntRect& r)
{
    st.clip = {std::max(0, std::min(r.left, r.right)), std::max(0, std::min(r.top, r.bottom)),
               std::min(w, std::max(r.left, r.right)), std::min(h, std::max(r.top, r.bottom))};
    if (st.clip.right < st.clip.left)
        st.clip.right = st.clip.left;
    if (st.clip.bottom < st.clip.top)
        st.clip.bottom = st.clip.top;
}

void Canvas::resetDeviceClip() { st.clip = {0, 0, w, h}; }

void Canvas::intersectClip(int l, int t, int r, int b)
{
    IntRect d = deviceArea(l, t, r, b);
    setDeviceClip({std::max(d.left, st.clip.left), std::max(d.top, st.clip.top),
                   std::min(d.right, st.clip.right), std::min(d.bottom, st.clip.bottom)});
}

// The clip as drawing uses it: never beyond the surface, which a state
// saved before a resize could otherwise bring back.
IntRect Canvas::activeClip() const
{
    return {std::max(0, st.clip.left), std::max(0, st.clip.top), std::min(w, st.clip.right),
            std::min(h, st.clip.bottom)};
}

IntRect Canvas::clipBox() const
{
    IntRect c = activeClip();
    IntPoint a = toLogical(c.left, c.top);
    IntPoint b = toLogical(c.right, c.bottom);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

IntRect Canvas::deviceArea(int x, int y, int rx, int by) const
{
    IntPoint a = toDevice(x, y), b = toDevice(rx, by);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Every drawing call works in device pixels with the clip applied; a
// context that an earlier call left in an error state is replaced.
void Canvas::beginDraw()
{
    if (cairo_status(impl->cr) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(impl->cr);
        impl->cr = cairo_create(impl->surface);
    }
    cairo_t* cr = impl->cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr);
    IntRect c = activeClip();
    cairo_rectangle(cr, c.left, c.top, std::max(0, c.right - c.left), std::max(0, c.bottom - c.top));
    cairo_clip(cr);
}

void Canvas::endDraw()
{
    cairo_restore(impl->cr);
    if (mono) {
        // A one-bit surface keeps only black and white.
        std::uint32_t* p = pixels();
        int pitch = stride() / 4;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint32_t c = RasterOp::toColorRef(p[y * pitch + x]);
                int sum = int(c & 0xFF) + int(c >> 8 & 0xFF) + int(c >> 16 & 0xFF);
                p[y * pitch + x] = RasterOp::fromColorRef(sum >= 384 ? 0xFFFFFF : 0);
            }
        pixelsChanged();
    }
}

void Canvas::fillPath(ColorRef c, bool evenOdd)
{
    setSource(impl->cr, c);
    cairo_set_fill_rule(impl->cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_fill(impl->cr);
}

void Canvas::setPixel(int x, int y, ColorRef c)
{
    IntPoint d = toDevice(x, y);
    IntRect clip = activeClip();
    if (d.x < clip.left || d.y < clip.top || d.x >= clip.right || d.y >= clip.bottom)
        return;
    if (mono) {
        int sum = int(c & 0xFF) + int(c >> 8 & 0xFF) + int(c >> 16 & 0xFF);
        c = sum >= 384 ? 0xFFFFFF : 0;
    }
    pixels()[d.y * (stride() / 4) + d.x] = RasterOp::fromColorRef(c);
    pixelsChanged();
}

ColorRef Canvas::getPixel(int x, int y) const
{
    IntPoint d = toDevice(x, y);
    if (d.x < 0 || d.y < 0 || d.x >= w || d.y >= h)
        return invalidColor;
    const auto* row = reinterpret_cast<const std::uint32_t*>(data() + std::size_t(d.y) * std::size_t(stride()));
    return RasterOp::toColorRef(row[d.x]);
}

// Thin and styled lines are stepped pixel by pixel so that the pixels set
// are exactly those of the system's line rule; wide solid lines are
// stroked with round ends.
void Canvas::lineTo(int x, int y)
{
    IntPoint from = toDevice(st.position.x, st.position.y), to = toDevice(x, y);
    st.position = {x, y};
    if (st.pen.style == PenStyle::null || from == to)
        return;
    beginDraw();
    if (st.pen.width > 1 && (st.pen.style == PenStyle::solid || st.pen.style == PenStyle::insideFrame)) {
        double dx = to.x - from.x, dy = to.y - from.y;
        double major = std::max(std::fabs(dx), std::fabs(dy));
        cairo_t* cr = impl->cr;
        cairo_set_line_width(cr, st.pen.width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
        cairo_line_to(cr, to.x - dx / major + 0.5, to.y - dy / major + 0.5);
        setSource(cr, st.pen.color);
        cairo_stroke(cr);
    } else {
        linePixels(from, to);
    }
    endDraw();
}

void Canvas::linePixels(IntPoint a, IntPoint b)
{
    static const std::vector<int> patterns[] = {{}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
    const std::vector<int>& pattern =
        st.pen.style >= 1 && st.pen.style <= 4 ? patterns[st.pen.style] : patterns[0];
    cairo_t* cr = impl->cr;
    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    int stepX = a.x < b.x ? 1 : -1, stepY = a.y < b.y ? 1 : -1;
    int err = dx + dy, x = a.x, y = a.y;
    std::size_t segment = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    cairo_new_path(cr);
    std::vector<IntPoint> gaps;
    while (x != b.x || y != b.y) {
        bool on = pattern.empty() || segment % 2 == 0;
        if (on)
            cairo_rectangle(cr, x, y, 1, 1);
        else
            gaps.push_back({x, y});
        if (!pattern.empty() && --left == 0) {
            segment = (segment + 1) % pattern.size();
            left = pattern[segment];
        }
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += stepX; }
        if (e2 <= dx) { err += dx; y += stepY; }
    }
    fillPath(st.pen.color, false);
    if (st.bkMode == opaque && !gaps.empty()) {
        for (IntPoint g : gaps)
            cairo_rectangle(cr, g.x, g.y, 1, 1);
        fillPath(st.bkColor, false);
    }
}

namespace {

// A box with elliptic corners of radii rx, ry (0 for a plain box) or,
// with ellipse set, the ellipse inscribed in it.
void boxPath(cairo_t* cr, double l, double t, double r, double b, double rx, double ry, bool ellipse)
{
    if (r <= l || b <= t)
        return;
    if (ellipse) {
        rx = (r - l) / 2;
        ry = (b - t) / 2;
    }
    rx = std::min(rx, (r - l) / 2);
    ry = std::min(ry, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    auto corner = [&](double cx, double cy, double a0) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a0 + M_PI / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(r - rx, t + ry, -M_PI / 2);
    corner(r - rx, b - ry, 0);
    corner(l + rx, b - ry, M_PI / 2);
    corner(l + rx, t + ry, M_PI);
    cairo_close_path(cr);
}

cairo_pattern_t* hatchPattern(const BrushStyle& brush, ColorRef bk, bool opaque)
{
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_surface_flush(tile);
    auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(tile));
    int pitch = cairo_image_surface_get_stride(tile) / 4;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool h = y == 0, v = x == 0, f = x == y, b = x + y == 7;
            bool on = brush.hatch == BrushStyle::horizontal ? h
                    : brush.hatch == BrushStyle::vertical   ? v
                    : brush.hatch == BrushStyle::fDiagonal  ? f
                    : brush.hatch == BrushStyle::bDiagonal  ? b
                    : brush.hatch == BrushStyle::cross      ? h || v
                                                           : f || b;
            px[y * pitch + x] = on ? RasterOp::fromColorRef(brush.color) : opaque ? RasterOp::fromColorRef(bk) : 0;
        }
    cairo_surface_mark_dirty(tile);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    return pattern;
}

} // namespace

// Shapes keep the pen inside their box: the outline is the box less the box
// moved in by the pen width, the brush fills what lies inside.
void Canvas::strokeOutline(int l, int t, int r, int b, int cw, int ch, bool ellipse)
{
    if (st.pen.style == PenStyle::null)
        return;
    int pw = std::max(1, st.pen.width);
    cairo_t* cr = impl->cr;
    cairo_new_path(cr);
    boxPath(cr, l, t, r, b, cw / 2.0, ch / 2.0, ellipse);
    boxPath(cr, l + pw, t + pw, r - pw, b - pw, cw / 2.0 - pw, ch / 2.0 - pw, ellipse);
    fillPath(st.pen.color, true);
}

void Canvas::fillInterior(int l, int t, int r, int b, int cw, int ch, bool ellipse)
{
    if (st.brush.style == BrushStyle::null)
        return;
    int pw = st.pen.style == PenStyle::null ? 0 : std::max(1, st.pen.width);
    cairo_t* cr = impl->cr;
    cairo_new_path(cr);
    boxPath(cr, l + pw, t + pw, r - pw, b - pw, cw / 2.0 - pw, ch / 2.0 - pw, ellipse);
    if (st.brush.style == BrushStyle::hatched) {
        cairo_pattern_t* pattern = hatchPattern(st.brush, st.bkColor, st.bkMode == opaque);
        cairo_set_source(cr, pattern);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    } else {
        fillPath(st.brush.color, false);
    }
}

void Canvas::rectangle(int l, int t, int r, int b) { roundRect(l, t, r, b, 0, 0); }

void Canvas::roundRect(int l, int t, int r, int b, int cornerW, int cornerH)
{
    IntRect d = deviceArea(l, t, r, b);
    int cw = int(std::lround(std::fabs(cornerW * scaleX()))), ch = int(std::lround(std::fabs(cornerH * scaleY())));
    beginDraw();
    fillInterior(d.left, d.top, d.right, d.bottom, cw, ch, false);
    strokeOutline(d.left, d.top, d.right, d.bottom, cw, ch, false);
    endDraw();
}

void Canvas::ellipse(int l, int t, int r, int b)
{
    IntRect d = deviceArea(l, t, r, b);
    beginDraw();
    fillInterior(d.left, d.top, d.right, d.bottom, 0, 0, true);
    strokeOutline(d.left, d.top, d.right, d.bottom, 0, 0, true);
    endDraw();
}

void Canvas::fillSolid(int l, int t, int r, int b, ColorRef c)
{
    IntRect d = deviceArea(l, t, r, b);
    if (d.right <= d.left || d.bottom <= d.top)
        return;
    beginDraw();
    cairo_new_path(impl->cr);
    cairo_rectangle(impl->cr, d.left, d.top, d.right - d.left, d.bottom - d.top);
    fillPath(c, false);
    endDraw();
}

// Transfers -------------------------------------------------------------------

// A transfer from a canvas onto itself reads from a copy, so that
// overlapping areas move as a whole.
template <typename Op>
void Canvas::transferFrom(Canvas& src, Op op)
{
    std::vector<std::uint32_t> copy;
    PixelView source{src.pixels(), src.w, src.h, src.stride() / 4, src.mono};
    if (&src == this) {
        copy.assign(source.pixels, source.pixels + std::size_t(source.pitch) * h);
        source.pixels = copy.data();
    }
    PixelView target{pixels(), w, h, stride() / 4, mono};
    IntRect c = activeClip();
    op(target, ClipRect{c.left, c.top, c.right, c.bottom}, source);
    pixelsChanged();
}

void Canvas::bitBlt(int x, int y, int bw, int bh, Canvas& src, int sx, int sy, std::uint32_t rop)
{
    stretchBlt(x, y, bw, bh, src, sx, sy, bw, bh, rop);
}

void Canvas::stretchBlt(int x, int y, int bw, int bh, Canvas& src, int sx, int sy, int sw, int sh,
                        std::uint32_t rop)
{
    IntPoint d0 = toDevice(x, y), d1 = toDevice(x + bw, y + bh);
    IntPoint s0 = src.toDevice(sx, sy), s1 = src.toDevice(sx + sw, sy + sh);
    TransferColors colors{src.st.bkColor, st.textColor, st.bkColor,
                          st.brush.style == BrushStyle::null ? st.bkColor : st.brush.color};
    transferFrom(src, [&](const PixelView& target, ClipRect clip, const PixelView& source) {
        RasterOp::transfer(target, clip, {d0.x, d0.y, d1.x - d0.x, d1.y - d0.y}, source,
                           {s0.x, s0.y, s1.x - s0.x, s1.y - s0.y}, rop, colors);
    });
}

void Canvas::transparentBlt(int x, int y, int bw, int bh, Canvas& src, int sx, int sy, ColorRef key)
{
    IntPoint d = toDevice(x, y), s = src.toDevice(sx, sy);
    transferFrom(src, [&](const PixelView& target, ClipRect clip, const PixelView& source) {
        RasterOp::keyed(target, clip, d.x, d.y, bw, bh, source, s.x, s.y, key & 0xFFFFFF);
    });
}

void Canvas::greyedBlt(int x, int y, int bw, int bh, Canvas& src, int sx, int sy, ColorRef key,
                       ColorRef highlight, ColorRef shadow)
{
    IntPoint d = toDevice(x, y), s = src.toDevice(sx, sy);
    transferFrom(src, [&](const PixelView& target, ClipRect clip, const PixelView& source) {
        RasterOp::greyed(target, clip, d.x, d.y, bw, bh, source, s.x, s.y, key & 0xFFFFFF, highlight, shadow);
    });
}

} // namespace Vell::Platform
