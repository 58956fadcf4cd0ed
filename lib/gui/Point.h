// Point: an integer position. Scaling truncates toward zero so that a point
// scaled down and back never moves outward of where it started.
#pragma once

#include "core/Object.h"

#include <cstdint>

namespace Vell {

class Point : public Object {
public:
    Point() = default;
    Point(int32_t x, int32_t y) : x(x), y(y) {}

    const char* className() const override { return "Point"; }

    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Point& other) const { return !(*this == other); }

    Point operator+(const Point& other) const { return Point(x + other.x, y + other.y); }
    Point operator-(const Point& other) const { return Point(x - other.x, y - other.y); }
    Point operator-() const { return Point(-x, -y); }
    Point& operator+=(const Point& other) { return move(other.x, other.y); }
    Point& operator-=(const Point& other) { return move(-other.x, -other.y); }

    Point operator*(double factor) const;
    Point operator/(double divisor) const { return *this * (1.0 / divisor); }
    Point& scale(double factorX, double factorY);

    Point& move(int32_t dx, int32_t dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    Point& move(const Point& offset) { return move(offset.x, offset.y); }

    double distance(const Point& other) const;

    int32_t x = 0;
    int32_t y = 0;
};

} // namespace Vell
