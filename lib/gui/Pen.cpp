#include "gui/Pen.h"

#include "core/Exception.h"

namespace Vell {

namespace {

Platform::ColorRef refOf(const Color& c) { return c.red | c.green << 8 | c.blue << 16; }

} // namespace

Platform::PenSpec Pen::create(const Color& color, int width, int style)
{
    if (style < solid || style > insideFrame || width < 0)
        throw ResourceException();
    return Platform::PenSpec{style, width, refOf(color)};
}

Pen::Pen(const Color& color, int width, int style) : color_(color), spec(create(color, width, style)) {}

void Pen::setColor(const Color& color)
{
    spec = create(color, spec.width, spec.style);
    color_ = color;
}

void Pen::setWidth(int width) { spec = create(color_, width, spec.style); }

void Pen::setStyle(int style) { spec = create(color_, spec.width, style); }

bool Pen::operator==(const Pen& other) const
{
    return color_ == other.color_ && spec.width == other.spec.width && spec.style == other.spec.style;
}

} // namespace Vell
