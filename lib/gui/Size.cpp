#include "gui/Size.h"

#include <algorithm>

namespace Vell {

Size Size::operator*(double factor) const
{
    return Size(static_cast<int32_t>(width * factor), static_cast<int32_t>(height * factor));
}

Size& Size::scale(double factorX, double factorY)
{
    width = static_cast<int32_t>(width * factorX);
    height = static_cast<int32_t>(height * factorY);
    return *this;
}

Size Size::minimum(const Size& a, const Size& b)
{
    return Size(std::min(a.width, b.width), std::min(a.height, b.height));
}

Size Size::maximum(const Size& a, const Size& b)
{
    return Size(std::max(a.width, b.width), std::max(a.height, b.height));
}

} // namespace Vell
