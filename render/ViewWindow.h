// ViewWindow: a rectangle of a camera's view in tangent units: a point at
// (x, y, z) of the camera's own frame lies at (x / -z, y / -z), so the
// 800 x 600 view (+-40 x +-30 at distance 50) spans +-0.8 x +-0.6. The
// sector walk keeps one per sector: the part of the view through which
// that sector can be seen.
#pragma once

#include <algorithm>

namespace Vell3D {

struct ViewWindow {
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;

    // No area: nothing can be seen through it (a NaN side counts as empty).
    bool empty() const { return !(left < right && bottom < top); }

    double area() const { return empty() ? 0.0 : (right - left) * (top - bottom); }

    bool covers(const ViewWindow& other) const
    {
        return left <= other.left && other.right <= right && bottom <= other.bottom && other.top <= top;
    }

    ViewWindow meet(const ViewWindow& other) const
    {
        return ViewWindow{std::max(left, other.left), std::min(right, other.right), std::max(bottom, other.bottom),
                          std::min(top, other.top)};
    }

    // Grows to the smallest rectangle that holds both.
    void join(const ViewWindow& other)
    {
        left = std::min(left, other.left);
        right = std::max(right, other.right);
        bottom = std::min(bottom, other.bottom);
        top = std::max(top, other.top);
    }
};

// The smallest rectangle that holds both; an empty one adds nothing.
inline ViewWindow joined(const ViewWindow& a, const ViewWindow& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    ViewWindow both = a;
    both.join(b);
    return both;
}

} // namespace Vell3D
