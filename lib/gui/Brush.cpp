#include "gui/Brush.h"

#include "core/Exception.h"

namespace Vell {

Platform::BrushSpec Brush::create(const Color& color, int style, int hatch)
{
    if (style < solid || style > hatched || (style == hatched && (hatch < horizontal || hatch > diagCross)))
        throw ResourceException();
    return Platform::BrushSpec{style, Platform::ColorRef(color.red | color.green << 8 | color.blue << 16), hatch};
}

Brush::Brush(const Color& color, int style, int hatch) : color_(color), spec(create(color, style, hatch)) {}

void Brush::setColor(const Color& color)
{
    spec = create(color, spec.style, spec.hatch);
    color_ = color;
}

void Brush::setStyle(int style) { spec = create(color_, style, spec.hatch); }

bool Brush::operator==(const Brush& other) const
{
    return color_ == other.color_ && spec.style == other.spec.style && spec.hatch == other.spec.hatch;
}

} // namespace Vell
