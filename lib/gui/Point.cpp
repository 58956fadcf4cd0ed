#include "gui/Point.h"

#include <cmath>

namespace Vell {

Point Point::operator*(double factor) const
{
    return Point(static_cast<int32_t>(x * factor), static_cast<int32_t>(y * factor));
}

Point& Point::scale(double factorX, double factorY)
{
    x = static_cast<int32_t>(x * factorX);
    y = static_cast<int32_t>(y * factorY);
    return *this;
}

double Point::distance(const Point& other) const
{
    // In doubles: the difference of two extreme int32 values overflows int32.
    return std::hypot(double(other.x) - double(x), double(other.y) - double(y));
}

} // namespace Vell
