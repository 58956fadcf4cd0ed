#include "gui/Brush.h"

#include "core/Exception.h"

namespace Vell {

Platform::BrushStyle Brush::create(const Color& color, int style, int hatch)
{
    if (style < solid || style > hatched || (style == hatched && (hatch < horizontal || hatch > diagCross)))
        throw ResourceException();
    return Platform::BrushStyle{style, Platform::ColorRef(color.red | color.green << 8 | color.blue << 16), hatch};
}

Brush::Brush(const Color& color, int style, int hatch) : color_(color), logical(create(color, style, hatch)) {}

void Brush::setColor(const Color& color)
{
    logical = create(color, logical.style, logical.hatch);
    color_ = color;
}

void Brush::setStyle(int style) { logical = create(color_, style, logical.hatch); }

bool Brush::operator==(const Brush& other) const
{
    return color_ == other.color_ && logical.style == other.logical.style && logical.hatch == other.logical.hatch;
}

} // namespace Vell
