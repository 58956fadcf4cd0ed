// Canvas: a 2D drawing surface with a device-context-like drawing state, the
// ground the library's DC stands on. The only code that sees cairo.
//
// Contract for the window layer (kept stable):
//   - pixels are 32-bit premultiplied ARGB, native endian (cairo's ARGB32):
//     one uint32_t per pixel, alpha in the top byte, rows stride() bytes apart;
//   - width(), height(), stride(): the surface's size and row pitch;
//   - data(): the pixel bytes with every pending drawing flushed into them;
//     valid until the next drawing call or resize();
//   - resize(w, h): a new surface of that size, fully transparent, with the
//     drawing state kept and the clip reset to the whole surface;
//   - clear(): every pixel fully transparent (0, 0, 0, 0);
//   - setDeviceClip()/resetDeviceClip(): limit drawing to a device rectangle
//     (a window paints only its invalid area); the clip is part of the
//     drawing state, so save() and restore() keep and bring it back.
// A canvas needs no window: tests and text measuring use it on its own.
//
// Coordinates follow the device context's rules: shapes take two corners
// with the right and bottom edges excluded, a line excludes its end point,
// and every pixel is drawn whole (no antialiasing), so a rectangle from
// (0, 0) to (4, 4) covers exactly the pixels 0 to 3 in both axes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vell::Platform {

struct PixelView;

// A colour as the drawing state keeps it: red | green << 8 | blue << 16.
using ColorRef = std::uint32_t;
constexpr ColorRef invalidColor = 0xFFFFFFFFu;

// How a pen draws: its line (solid, dashed, ... or none), width and colour.
struct PenStyle {
    enum Line { solid = 0, dash = 1, dot = 2, dashDot = 3, dashDotDot = 4, null = 5, insideFrame = 6 };
    int style = solid;
    int width = 0;            // 0 and 1 both draw one pixel wide
    ColorRef color = 0;
    bool operator==(const PenStyle&) const = default;
};

// How a brush fills: solid, not at all, or hatched in its colour.
struct BrushStyle {
    enum Fill { solid = 0, null = 1, hatched = 2 };
    enum Hatch { horizontal = 0, vertical = 1, fDiagonal = 2, bDiagonal = 3, cross = 4, diagCross = 5 };
    int style = solid;
    ColorRef color = 0xFFFFFF;
    int hatch = 0;
    bool operator==(const BrushStyle&) const = default;
};

// The font asked for (the face found for it may differ). A negative height
// is the character height in pixels, a positive one the cell height (ascent
// plus descent), 0 a default size.
struct FontStyle {
    int height = 0;
    int width = 0;
    int escapement = 0;       // tenths of a degree, counter-clockwise
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    char faceName[32] = {};
    bool operator==(const FontStyle&) const = default;
};

struct IntRect {
    int left = 0, top = 0, right = 0, bottom = 0;   // right and bottom excluded
    bool operator==(const IntRect&) const = default;
};

struct IntPoint {
    int x = 0, y = 0;
    bool operator==(const IntPoint&) const = default;
};

struct FontMetrics {
    int ascent = 0, descent = 0, height = 0;
};

class Canvas {
public:
    static constexpr int maxSide = 32767;     // cairo's limit on a side

    enum BkMode { transparent = 1, opaque = 2 };
    enum TextAlign { updateCP = 1, right = 2, center = 6, bottom = 8, baseline = 24 };
    enum MapMode { text = 1, isotropic = 7, anisotropic = 8 };
    enum Rop : std::uint32_t {
        srcCopy = 0x00CC0020, srcPaint = 0x00EE0086, srcAnd = 0x008800C6,
        srcInvert = 0x00660046, patCopy = 0x00F00021, dstInvert = 0x00550009,
        blackness = 0x00000042, whiteness = 0x00FF0062, patMaskCopy = 0x00B8074A,
    };

    // A transparent canvas; a monochrome one starts black and holds only
    // black and white after a transfer into it. Sizes below 1 become 1.
    Canvas(int width, int height, bool monochrome = false);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Loads a .bmp file at its natural size, opaque; null when it cannot.
    static std::unique_ptr<Canvas> loadBmp(const char* path);
    // Whether fontconfig finds any face for this name (the default GUI font
    // check); fills in the family it resolves to.
    static bool resolveFace(const char* face, std::string& family);

    int width() const { return w; }
    int height() const { return h; }
    int stride() const;
    const unsigned char* data() const;
    void resize(int width, int height);
    void clear();
    void fill(ColorRef color);          // every pixel, opaque, ignoring clip and mapping
    bool monochrome() const { return mono; }

    // Drawing state; the setters return the previous value like the system's.
    PenStyle setPen(const PenStyle& pen);
    BrushStyle setBrush(const BrushStyle& brush);
    FontStyle setFont(const FontStyle& font);
    const PenStyle& pen() const { return st.pen; }
    const BrushStyle& brush() const { return st.brush; }
    const FontStyle& font() const { return st.font; }
    ColorRef setTextColor(ColorRef c);
    ColorRef textColor() const { return st.textColor; }
    ColorRef setBkColor(ColorRef c);
    ColorRef bkColor() const { return st.bkColor; }
    int setBkMode(int mode);
    int bkMode() const { return st.bkMode; }
    int setTextAlign(int align);
    int textAlign() const { return st.textAlign; }

    // Save returns the new depth (1 for the first save); restore takes a
    // depth, or a negative count back from the top. False when out of range.
    int save();
    bool restore(int level);
    int saveDepth() const { return int(saved.size()); }

    // Mapping from logical to device coordinates.
    IntPoint setViewportOrg(int x, int y);
    IntPoint viewportOrg() const { return st.viewportOrg; }
    IntPoint setWindowOrg(int x, int y);
    IntPoint windowOrg() const { return st.windowOrg; }
    IntPoint setViewportExt(int x, int y);
    IntPoint viewportExt() const { return st.viewportExt; }
    IntPoint setWindowExt(int x, int y);
    IntPoint windowExt() const { return st.windowExt; }
    int setMapMode(int mode);
    int mapMode() const { return st.mapMode; }
    IntPoint toDevice(int x, int y) const;
    IntPoint toLogical(int x, int y) const;

    // Clip: the device rectangle drawing is limited to; clipBox in logical units.
    void setDeviceClip(const IntRect& r);
    void resetDeviceClip();
    // Narrows the clip to a logical rectangle (right and bottom excluded).
    void intersectClip(int l, int t, int r, int b);
    IntRect clipBox() const;

    void setPixel(int x, int y, ColorRef c);
    ColorRef getPixel(int x, int y) const;
    void moveTo(int x, int y) { st.position = {x, y}; }
    IntPoint position() const { return st.position; }
    void lineTo(int x, int y);
    void rectangle(int l, int t, int r, int b);
    void roundRect(int l, int t, int r, int b, int cornerW, int cornerH);
    void ellipse(int l, int t, int r, int b);
    void fillSolid(int l, int t, int r, int b, ColorRef c);

    void textOut(int x, int y, const std::string& s);
    IntPoint textExtent(const std::string& s);
    FontMetrics fontMetrics();

    // Transfers from src into this canvas with any ternary raster operation
    // (pattern = the selected brush colour).
    void bitBlt(int x, int y, int w, int h, Canvas& src, int sx, int sy, std::uint32_t rop);
    void stretchBlt(int x, int y, int w, int h, Canvas& src, int sx, int sy, int sw, int sh,
                    std::uint32_t rop);
    // Copies every source pixel except those of the transparent colour.
    void transparentBlt(int x, int y, int w, int h, Canvas& src, int sx, int sy, ColorRef key);
    // The disabled look: where the source is neither the key colour nor
    // white, paints highlight one pixel right and down, then shadow in place.
    void greyedBlt(int x, int y, int w, int h, Canvas& src, int sx, int sy, ColorRef key,
                   ColorRef highlight, ColorRef shadow);

private:
    struct State {
        PenStyle pen;
        BrushStyle brush;
        FontStyle font;
        ColorRef textColor = 0;
        ColorRef bkColor = 0xFFFFFF;
        int bkMode = opaque;
        int textAlign = 0;
        IntPoint position;
        IntPoint viewportOrg, windowOrg;
        IntPoint viewportExt{1, 1}, windowExt{1, 1};
        int mapMode = text;
        IntRect clip{0, 0, maxSide, maxSide};   // device pixels
    };
    struct Impl;

    void beginDraw();
    void endDraw();
    void fillPath(ColorRef c, bool evenOdd);
    void strokeOutline(int l, int t, int r, int b, int cw, int ch, bool ellipse);
    void fillInterior(int l, int t, int r, int b, int cw, int ch, bool ellipse);
    void linePixels(IntPoint a, IntPoint b);
    double axisScale(bool vertical) const;
    double scaleX() const;
    double scaleY() const;
    IntRect deviceArea(int x, int y, int w, int h) const;
    IntRect activeClip() const;
    std::uint32_t* pixels();
    // Runs op(target, clip, source) for a transfer from src, then marks the
    // pixels changed (Canvas.cpp).
    template <typename Op>
    void transferFrom(Canvas& src, Op op);
    void pixelsChanged();

    int w = 1, h = 1;
    bool mono = false;
    State st;
    std::vector<State> saved;
    std::unique_ptr<Impl> impl;
};

} // namespace Vell::Platform
