// Size: an integer extent. Extents may be negative (a Rect built from
// corners in the "wrong" order); normalising is the Rect's business.
#pragma once

#include "core/Object.h"

#include <cstdint>

namespace Vell {

class Size : public Object {
public:
    Size() = default;
    Size(int32_t width, int32_t height) : width(width), height(height) {}

    const char* className() const override { return "Size"; }

    bool operator==(const Size& other) const { return width == other.width && height == other.height; }
    bool operator!=(const Size& other) const { return !(*this == other); }

    Size operator+(const Size& other) const { return Size(width + other.width, height + other.height); }
    Size operator-(const Size& other) const { return Size(width - other.width, height - other.height); }
    Size operator-() const { return Size(-width, -height); }
    Size& operator+=(const Size& other) { return move(other.width, other.height); }
    Size& operator-=(const Size& other) { return move(-other.width, -other.height); }

    Size operator*(double factor) const;
    Size operator/(double divisor) const { return *this * (1.0 / divisor); }
    Size& scale(double factorX, double factorY);

    Size& move(int32_t dx, int32_t dy)
    {
        width += dx;
        height += dy;
        return *this;
    }
    Size& move(const Size& offset) { return move(offset.width, offset.height); }

    static Size minimum(const Size& a, const Size& b);
    static Size maximum(const Size& a, const Size& b);

    int32_t width = 0;
    int32_t height = 0;
};

} // namespace Vell
