// Rect: an origin and a size with inclusive corners: the far corner is
// origin + size - (1, 1), so the rectangle from (10, 20) to (19, 29) is
// 10 x 10. Extents may be negative until normalised.
#pragma once

#include "gui/Point.h"
#include "gui/Size.h"

namespace Vell {

class Rect : public Object {
public:
    Rect() = default;
    Rect(const Point& origin, const Size& size) : origin(origin), size(size) {}
    Rect(int32_t x, int32_t y, int32_t width, int32_t height) : origin(x, y), size(width, height) {}
    Rect(const Point& corner1, const Point& corner2) { setCorners(corner1, corner2); }

    const char* className() const override { return "Rect"; }

    // Equal when the normalised copies agree, so a rectangle and its
    // mirror-image description compare equal.
    bool operator==(const Rect& other) const;
    bool operator!=(const Rect& other) const { return !(*this == other); }

    bool isEmpty() const { return size.width == 0 || size.height == 0; }
    Rect& normalize();
    Rect normalized() const { return Rect(*this).normalize(); }

    Rect& inflate(int32_t dx, int32_t dy) { return inflate(dx, dy, dx, dy); }
    Rect& inflate(int32_t left, int32_t top, int32_t right, int32_t bottom);
    Rect& set(const Point& position, const Size& extent);
    Rect& set(int32_t x, int32_t y, int32_t width, int32_t height);
    Rect& setCorners(const Point& corner1, const Point& corner2);
    Rect& move(int32_t dx, int32_t dy);
    Rect& move(const Point& offset) { return move(offset.x, offset.y); }

    // Whether the point lies inside, corners included (works on the
    // normalised rectangle).
    bool contains(const Point& point) const;

    int32_t left() const { return origin.x; }
    int32_t top() const { return origin.y; }
    int32_t right() const { return origin.x + size.width - 1; }
    int32_t bottom() const { return origin.y + size.height - 1; }
    int32_t width() const { return size.width; }
    int32_t height() const { return size.height; }
    Point topLeft() const { return origin; }
    Point topRight() const { return Point(right(), top()); }
    Point bottomLeft() const { return Point(left(), bottom()); }
    Point bottomRight() const { return Point(right(), bottom()); }
    Point center() const { return Point(origin.x + size.width / 2, origin.y + size.height / 2); }

    Point origin;
    Size size;
};

} // namespace Vell
