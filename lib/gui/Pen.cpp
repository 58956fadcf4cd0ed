#include "gui/Pen.h"

#include "core/Exception.h"

namespace Vell {

namespace {

Platform::ColorRef refOf(const Color& c) { return c.red | c.green << 8 | c.blue << 16; }

} // namespace

Platform::PenStyle Pen::create(const Color& color, int width, int style)
{
    if (style < solid || style > insideFrame || width < 0)
        throw ResourceException();
    return Platform::PenStyle{style, width, refOf(color)};
}

Pen::Pen(const Color& color, int width, int style) : color_(color), logical(create(color, width, style)) {}

void Pen::setColor(const Color& color)
{
    logical = create(color, logical.width, logical.style);
    color_ = color;
}

void Pen::setWidth(int width) { logical = create(color_, width, logical.style); }

void Pen::setStyle(int style) { logical = create(color_, logical.width, style); }

bool Pen::operator==(const Pen& other) const
{
    return color_ == other.color_ && logical.width == other.logical.width && logical.style == other.logical.style;
}

} // namespace Vell
