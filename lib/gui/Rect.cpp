#include "gui/Rect.h"

namespace Vell {

bool Rect::operator==(const Rect& other) const
{
    Rect a = normalized();
    Rect b = other.normalized();
    return a.origin == b.origin && a.size == b.size;
}

Rect& Rect::normalize()
{
    // The far corner is origin + size - 1 in every case, so for a negative
    // extent it lies before the origin and becomes the new origin.
    if (size.width < 0) {
        origin.x += size.width - 1;
        size.width = -size.width;
    }
    if (size.height < 0) {
        origin.y += size.height - 1;
        size.height = -size.height;
    }
    return *this;
}

Rect& Rect::inflate(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    origin.move(-left, -top);
    size.move(left + right, top + bottom);
    return *this;
}

Rect& Rect::set(const Point& position, const Size& extent)
{
    origin = position;
    size = extent;
    return *this;
}

Rect& Rect::set(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return set(Point(x, y), Size(width, height));
}

Rect& Rect::setCorners(const Point& corner1, const Point& corner2)
{
    origin = corner1;
    size = Size(corner2.x - corner1.x + 1, corner2.y - corner1.y + 1);
    return *this;
}

Rect& Rect::move(int32_t dx, int32_t dy)
{
    origin.move(dx, dy);
    return *this;
}

bool Rect::contains(const Point& point) const
{
    Rect n = normalized();
    return point.x >= n.left() && point.x <= n.right() && point.y >= n.top() && point.y <= n.bottom();
}

} // namespace Vell
