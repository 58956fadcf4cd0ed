#include "gui/DC.h"

#include <string>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "gui/TextLayout.h"

namespace Vell {

namespace {

Platform::ColorRef refOf(const Color& c) { return c.red | c.green << 8 | c.blue << 16; }

Color colorOf(Platform::ColorRef c)
{
    return Color(std::uint8_t(c & 0xFF), std::uint8_t(c >> 8 & 0xFF), std::uint8_t(c >> 16 & 0xFF));
}

// Moves the second corner one unit further from the first in each axis in
// which they differ, turning an inclusive corner into the excluded edge
// the drawing calls expect. Equal coordinates stay equal.
void extend(int a, int& b)
{
    if (b > a)
        ++b;
    else if (b < a)
        --b;
}

// Shapes are symmetric in their corners, so the corners are put in order
// first: a rectangle named from its bottom-right corner covers the same
// pixels as one named from its top-left.
void orderedBox(int& x1, int& y1, int& x2, int& y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    extend(x1, x2);
    extend(y1, y2);
}

const Color greyTextColor(128, 128, 128);

} // namespace

DC::DC(Platform::Canvas* c, bool owned) : canvas(c), owner(owned ? created : borrowed)
{
    if (!canvas)
        throw ResourceException();
    savedLevel = canvas->save();
}

DC::DC(Platform::Canvas* c, std::function<void()> releaseHook)
    : canvas(c), owner(window), release(std::move(releaseHook))
{
    if (!canvas)
        throw ResourceException();
    savedLevel = canvas->save();
}

DC::~DC() noexcept(false)
{
    canvas->restore(savedLevel);
    pen.reset();
    brush.reset();
    font.reset();
    if (owner == created)
        delete canvas;
    else if (owner == window && release)
        release();
    checkUnused();
}

DC& DC::display()
{
    // Measuring needs a font and a surface, not a picture: a small canvas.
    static DC displayDC(new Platform::Canvas(16, 16), true);
    return displayDC;
}

void DC::setPixel(int x, int y, const Color& c) { canvas->setPixel(x, y, refOf(c)); }

Color DC::getPixel(int x, int y) const { return colorOf(canvas->getPixel(x, y)); }

void DC::line(int x1, int y1, int x2, int y2)
{
    extend(x1, x2);
    extend(y1, y2);
    canvas->moveTo(x1, y1);
    canvas->lineTo(x2, y2);
}

void DC::moveTo(int x, int y)
{
    canvas->moveTo(x, y);
    canvas->lineTo(x, y);
}

void DC::rectangle(int x1, int y1, int x2, int y2)
{
    orderedBox(x1, y1, x2, y2);
    canvas->rectangle(x1, y1, x2, y2);
}

void DC::fillRect(int x1, int y1, int x2, int y2, const Color& c)
{
    orderedBox(x1, y1, x2, y2);
    canvas->setBkColor(refOf(c));
    canvas->fillSolid(x1, y1, x2, y2, refOf(c));
}

void DC::roundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    orderedBox(x1, y1, x2, y2);
    canvas->roundRect(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void DC::ellipse(const Point& centre, int radiusX, int radiusY)
{
    canvas->ellipse(centre.x - radiusX, centre.y - radiusY, centre.x + radiusX, centre.y + radiusY);
}

void DC::ellipse(int x1, int y1, int x2, int y2)
{
    orderedBox(x1, y1, x2, y2);
    canvas->ellipse(x1, y1, x2, y2);
}

int DC::drawText(const Rect& rect, const char* text, int format)
{
    Rect r = rect.normalized();
    auto measure = [this](const std::string& s) { return canvas->textExtent(s).x; };
    std::vector<std::string> lines = TextLayout::lines(text ? text : "", format, r.width(), measure);
    int lineHeight = canvas->textExtent("").y;
    int total = int(lines.size()) * lineHeight;
    if (format & calcRect)
        return total;
    int y = r.top();
    if ((format & singleLine) && (format & vcenter))
        y += (r.height() - lineHeight) / 2;
    else if ((format & singleLine) && (format & bottom))
        y = r.top() + r.height() - lineHeight;
    canvas->save();
    canvas->setTextAlign(alignLeft);
    if (!(format & noClip))
        canvas->intersectClip(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    for (const std::string& line : lines) {
        int width = measure(line);
        int x = (format & center) ? r.left() + (r.width() - width) / 2
              : (format & right)  ? r.left() + r.width() - width
                                  : r.left();
        canvas->textOut(x, y, line);
        y += lineHeight;
    }
    canvas->restore(-1);
    return total;
}

void DC::textOut(int x, int y, const char* text) { canvas->textOut(x, y, text ? text : ""); }

Size DC::textExtent(const char* text)
{
    Platform::IntPoint e = canvas->textExtent(text ? text : "");
    return Size(e.x, e.y);
}

Color DC::setTextColor(const Color& c) { return colorOf(canvas->setTextColor(refOf(c))); }
Color DC::getTextColor() const { return colorOf(canvas->textColor()); }
Color DC::setBackgroundColor(const Color& c) { return colorOf(canvas->setBkColor(refOf(c))); }
Color DC::getBackgroundColor() const { return colorOf(canvas->bkColor()); }
int DC::setBackgroundMode(int mode) { return canvas->setBkMode(mode); }
int DC::getBackgroundMode() const { return canvas->bkMode(); }
int DC::setTextAlign(int align) { return canvas->setTextAlign(align); }
int DC::getTextAlign() const { return canvas->textAlign(); }

void DC::greyText(const Rect& rect, const char* text, int format)
{
    int mode = canvas->setBkMode(transparent);
    Platform::ColorRef old = canvas->textColor();
    Rect shifted = rect;
    shifted.move(1, 1);
    setTextColor(Colors::highlight);
    drawText(shifted, text, format & ~calcRect);
    setTextColor(greyTextColor);
    drawText(rect, text, format & ~calcRect);
    canvas->setTextColor(old);
    canvas->setBkMode(mode);
}

void DC::greyText(const Point& p, const char* text)
{
    int mode = canvas->setBkMode(transparent);
    Platform::ColorRef old = canvas->textColor();
    setTextColor(Colors::highlight);
    textOut(p.x + 1, p.y + 1, text);
    setTextColor(greyTextColor);
    textOut(p.x, p.y, text);
    canvas->setTextColor(old);
    canvas->setBkMode(mode);
}

void DC::drawEdge(int x1, int y1, int x2, int y2, int style)
{
    const Pen darkPen(Colors::darkGrey, 0, Pen::solid);
    const Pen lightPen(Colors::lightGrey, 0, Pen::solid);
    auto sides = [&](const Pen& topLeft, const Pen& bottomRight, int l, int t, int r, int b) {
        select(topLeft);
        line(l, t, r, t);
        line(l, t, l, b);
        select(bottomRight);
        line(r, b, r, t);
        line(r, b, l, b);
    };
    if (style < 0 || style > 5)
        throw InternalException("unknown edge style");
    if (style == 0)
        return;
    if (style == 1) {
        sides(darkPen, darkPen, x1, y1, x2, y2);
        return;
    }
    // Raised is lit from the top left, sunken the other way round; the
    // double edges (4 and 5) turn the other way one pixel inside.
    const bool raised = style == 2 || style == 4;
    const Pen& lit = raised ? lightPen : darkPen;
    const Pen& shaded = raised ? darkPen : lightPen;
    sides(lit, shaded, x1, y1, x2, y2);
    if (style >= 4)
        sides(shaded, lit, x1 + 1, y1 + 1, x2 - 1, y2 - 1);
}

int DC::save() { return canvas->save(); }

// Never restores past the state saved at wrapping: that one belongs to
// the destructor.
bool DC::restore()
{
    if (canvas->saveDepth() <= savedLevel)
        return false;
    return canvas->restore(-1);
}

void DC::select(const Pen& p)
{
    auto copy = std::make_unique<Pen>(p);
    canvas->setPen(copy->handle());
    pen = std::move(copy);
}

void DC::select(const Brush& b)
{
    auto copy = std::make_unique<Brush>(b);
    canvas->setBrush(copy->handle());
    brush = std::move(copy);
}

void DC::select(const Font& f)
{
    auto copy = std::make_unique<Font>(f);
    canvas->setFont(copy->handle());
    font = std::move(copy);
}

void DC::copyTo(DC& dest, const Point& at, const Rect& area, RasterOp rop)
{
    Rect a = area.normalized();
    dest.canvas->bitBlt(at.x, at.y, a.width(), a.height(), *canvas, a.left(), a.top(), rop);
}

void DC::stretchCopyTo(DC& dest, const Rect& to, const Rect& from, RasterOp rop)
{
    dest.canvas->stretchBlt(to.left(), to.top(), to.width(), to.height(), *canvas, from.left(), from.top(),
                            from.width(), from.height(), rop);
}

void DC::transparentCopyTo(DC& dest, const Point& at, const Rect& area, const Color& key)
{
    Rect a = area.normalized();
    dest.canvas->transparentBlt(at.x, at.y, a.width(), a.height(), *canvas, a.left(), a.top(), refOf(key));
}

void DC::greyedCopyTo(DC& dest, const Point& at, const Rect& area, const Color& key)
{
    Rect a = area.normalized();
    dest.canvas->greyedBlt(at.x, at.y, a.width(), a.height(), *canvas, a.left(), a.top(), refOf(key),
                           refOf(Colors::highlight), refOf(greyTextColor));
}

Rect DC::clipBox() const
{
    Platform::IntRect r = canvas->clipBox();
    return Rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

namespace {

Point pointOf(const Platform::IntPoint& p) { return Point(p.x, p.y); }
Size sizeOf(const Platform::IntPoint& p) { return Size(p.x, p.y); }

} // namespace

Point DC::setViewportOrigin(const Point& p) { return pointOf(canvas->setViewportOrg(p.x, p.y)); }
Point DC::getViewportOrigin() const { return pointOf(canvas->viewportOrg()); }
Point DC::setWindowOrigin(const Point& p) { return pointOf(canvas->setWindowOrg(p.x, p.y)); }
Point DC::getWindowOrigin() const { return pointOf(canvas->windowOrg()); }
Size DC::setViewportExtent(const Size& s) { return sizeOf(canvas->setViewportExt(s.width, s.height)); }
Size DC::getViewportExtent() const { return sizeOf(canvas->viewportExt()); }
Size DC::setWindowExtent(const Size& s) { return sizeOf(canvas->setWindowExt(s.width, s.height)); }
Size DC::getWindowExtent() const { return sizeOf(canvas->windowExt()); }
int DC::setMapMode(int mode) { return canvas->setMapMode(mode); }
int DC::getMapMode() const { return canvas->mapMode(); }

Point DC::deviceToLogical(const Point& p) const
{
    Platform::IntPoint l = canvas->toLogical(p.x, p.y);
    return Point(l.x, l.y);
}

Point DC::logicalToDevice(const Point& p) const
{
    Platform::IntPoint d = canvas->toDevice(p.x, p.y);
    return Point(d.x, d.y);
}

} // namespace Vell
