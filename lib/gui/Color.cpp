#include "gui/Color.h"

#include "core/Stream.h"
#include "core/TextStream.h"

namespace Vell {

namespace {

std::uint8_t fractionToByte(double fraction)
{
    // Converting an out-of-range double to a byte is undefined, so clamp;
    // the negated test also sends NaN to 0.
    if (!(fraction > 0.0))
        return 0;
    if (fraction >= 1.0)
        return 255;
    return static_cast<std::uint8_t>(fraction * 255.0);
}

} // namespace

Color Color::fromValue(std::uint32_t value)
{
    return Color(std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16));
}

Color Color::fromFractions(double r, double g, double b)
{
    return Color(fractionToByte(r), fractionToByte(g), fractionToByte(b));
}

std::uint32_t Color::value() const
{
    return red + green * 256u + blue * 65536u;
}

void Color::toFractions(double& r, double& g, double& b) const
{
    r = redFraction();
    g = greenFraction();
    b = blueFraction();
}

void Color::writeObject(Stream& stream) const
{
    stream << red << green << blue;
}

void Color::readObject(Stream& stream)
{
    std::uint8_t r, g, b;
    stream >> r >> g >> b;
    // Assigned together so a short stream leaves the colour as it was.
    red = r;
    green = g;
    blue = b;
}

void Color::print(TextStream& stream) const
{
    stream << "(" << int(red) << "," << int(green) << "," << int(blue) << ")";
}

} // namespace Vell
