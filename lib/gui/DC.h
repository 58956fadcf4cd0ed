// DC: a device context. Draws on a platform canvas with inclusive corners:
// every shape covers the last pixel it names. Wrapping a canvas saves its
// drawing state and destruction restores it, so whatever a DC selects or
// changes never outlives it; the DC keeps its own copies of the pen, brush
// and font selected into it.
#pragma once

#include <functional>
#include <memory>

#include "core/Object.h"
#include "core/UsageCounter.h"
#include "gui/Brush.h"
#include "gui/Color.h"
#include "gui/Font.h"
#include "gui/Pen.h"
#include "gui/Rect.h"
#include "gui/platform/Canvas.h"

namespace Vell {

// Process-wide colours.
namespace Colors {
inline const Color lightGrey{216, 216, 216};   // light side of edges
inline const Color darkGrey{112, 112, 112};    // dark side of edges
inline const Color faceGrey{176, 176, 176};    // window and widget background
inline const Color highlight{208, 208, 216};   // highlight of greyed text and pictures
inline const Color light{208, 208, 208};
inline const Color black{0, 0, 0};
inline const Color darkBlue{0, 0, 160};        // widget foreground
inline const Color lightBlue{160, 200, 240};
}

class DC : public Object, public UsageCounter {
public:
    enum Ownership { borrowed = 0, window = 1, created = 2 };
    enum BackgroundMode { transparent = 1, opaque = 2 };
    enum TextAlign { alignLeft = 0, alignTop = 0, updateCP = 1, alignRight = 2, alignCenter = 6,
                     alignBottom = 8, alignBaseline = 24 };
    enum TextFormat { left = 0, top = 0, center = 1, right = 2, vcenter = 4, bottom = 8,
                      wordBreak = 0x10, singleLine = 0x20, noClip = 0x100, calcRect = 0x400,
                      noPrefix = 0x800 };
    enum MapMode { mapText = 1, mapIsotropic = 7, mapAnisotropic = 8 };
    using RasterOp = std::uint32_t;
    static constexpr RasterOp srcCopy = Platform::Canvas::srcCopy;
    static constexpr RasterOp srcPaint = Platform::Canvas::srcPaint;
    static constexpr RasterOp srcAnd = Platform::Canvas::srcAnd;
    static constexpr RasterOp srcInvert = Platform::Canvas::srcInvert;

    // Wraps a canvas; with owned set the DC deletes it (ownership 2),
    // otherwise leaves it alone (0). Throws ResourceException for null.
    DC(Platform::Canvas* canvas, bool owned);
    // A window's canvas (ownership 1): release runs on destruction, as the
    // window gets its context back.
    DC(Platform::Canvas* canvas, std::function<void()> release);
    ~DC() noexcept(false) override;
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    const char* className() const override { return "DC"; }

    // The DC that measures without a window.
    static DC& display();

    void setPixel(const Point& p, const Color& c) { setPixel(p.x, p.y, c); }
    void setPixel(int x, int y, const Color& c);
    Color getPixel(const Point& p) const { return getPixel(p.x, p.y); }
    Color getPixel(int x, int y) const;

    void line(int x1, int y1, int x2, int y2);
    void line(const Point& a, const Point& b) { line(a.x, a.y, b.x, b.y); }
    void line(const Point& p, const Size& s) { line(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1); }
    void line(const Rect& r) { line(r.left(), r.top(), r.right(), r.bottom()); }
    void moveTo(const Point& p) { moveTo(p.x, p.y); }
    void moveTo(int x, int y);

    void rectangle(int x1, int y1, int x2, int y2);
    void rectangle(const Point& a, const Point& b) { rectangle(a.x, a.y, b.x, b.y); }
    void rectangle(const Point& p, const Size& s) { rectangle(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1); }
    void rectangle(const Rect& r) { rectangle(r.left(), r.top(), r.right(), r.bottom()); }

    // Leaves the background colour set to the fill colour.
    void fillRect(int x1, int y1, int x2, int y2, const Color& c);
    void fillRect(const Point& a, const Point& b, const Color& c) { fillRect(a.x, a.y, b.x, b.y, c); }
    void fillRect(const Point& p, const Size& s, const Color& c) { fillRect(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1, c); }
    void fillRect(const Rect& r, const Color& c) { fillRect(r.left(), r.top(), r.right(), r.bottom(), c); }

    void roundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void roundRect(const Point& a, const Point& b, int cw, int ch) { roundRect(a.x, a.y, b.x, b.y, cw, ch); }
    void roundRect(const Point& p, const Size& s, int cw, int ch) { roundRect(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1, cw, ch); }
    void roundRect(const Rect& r, int cw, int ch) { roundRect(r.left(), r.top(), r.right(), r.bottom(), cw, ch); }

    void ellipse(const Point& centre, int radiusX, int radiusY);
    void ellipse(int x1, int y1, int x2, int y2);
    void ellipse(const Point& a, const Point& b) { ellipse(a.x, a.y, b.x, b.y); }
    void ellipse(const Point& p, const Size& s) { ellipse(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1); }
    void ellipse(const Rect& r) { ellipse(r.left(), r.top(), r.right(), r.bottom()); }
    void circle(const Point& centre, int radius) { ellipse(centre, radius, radius); }
    void circle(int x, int y, int radius) { ellipse(Point(x, y), radius, radius); }

    // Lays the text out in the rectangle with the format flags above;
    // returns the height of the text. With calcRect nothing is drawn.
    int drawText(const Rect& rect, const char* text, int format);
    void textOut(const Point& p, const char* text) { textOut(p.x, p.y, text); }
    void textOut(int x, int y, const char* text);
    Size textExtent(const char* text);
    // Text in the disabled look: highlight one unit right and down, then
    // grey in place, on a transparent background.
    void greyText(const Rect& rect, const char* text, int format);
    void greyText(const Point& p, const char* text);

    Color setTextColor(const Color& c);
    Color getTextColor() const;
    Color setBackgroundColor(const Color& c);
    Color getBackgroundColor() const;
    int setBackgroundMode(int mode);
    int getBackgroundMode() const;
    int setTextAlign(int align);
    int getTextAlign() const;

    // Styles 0 to 5 (0 nothing, 1 flat, 2 raised, 3 sunken, 4 and 5 double);
    // anything else throws InternalException "unknown edge style".
    void drawEdge(int x1, int y1, int x2, int y2, int style);
    void drawEdge(const Point& a, const Point& b, int style) { drawEdge(a.x, a.y, b.x, b.y, style); }
    void drawEdge(const Point& p, const Size& s, int style) { drawEdge(p.x, p.y, p.x + s.width - 1, p.y + s.height - 1, style); }
    void drawEdge(const Rect& r, int style) { drawEdge(r.left(), r.top(), r.right(), r.bottom(), style); }

    int save();
    bool restore();

    void select(const Pen& pen);
    void select(const Brush& brush);
    void select(const Font& font);
    const Pen* selectedPen() const { return pen.get(); }
    const Brush* selectedBrush() const { return brush.get(); }
    const Font* selectedFont() const { return font.get(); }

    // Transfers from this DC into another.
    void copyTo(DC& dest, const Point& at, const Rect& area, RasterOp rop = srcCopy);
    void stretchCopyTo(DC& dest, const Rect& to, const Rect& from, RasterOp rop = srcCopy);
    void transparentCopyTo(DC& dest, const Point& at, const Rect& area, const Color& key);
    void greyedCopyTo(DC& dest, const Point& at, const Rect& area, const Color& key);

    Rect clipBox() const;

    Point setViewportOrigin(const Point& p);
    Point getViewportOrigin() const;
    Point setWindowOrigin(const Point& p);
    Point getWindowOrigin() const;
    Size setViewportExtent(const Size& s);
    Size getViewportExtent() const;
    Size setWindowExtent(const Size& s);
    Size getWindowExtent() const;
    int setMapMode(int mode);
    int getMapMode() const;
    Point deviceToLogical(const Point& p) const;
    Point logicalToDevice(const Point& p) const;

    Platform::Canvas* handle() const { return canvas; }
    int ownership() const { return owner; }

private:
    Platform::Canvas* canvas;
    int owner;
    std::function<void()> release;
    int savedLevel;
    std::unique_ptr<Pen> pen;
    std::unique_ptr<Brush> brush;
    std::unique_ptr<Font> font;
};

} // namespace Vell
