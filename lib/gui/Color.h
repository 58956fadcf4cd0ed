// Color: three unsigned bytes, red, green and blue. Persistent form: the
// three bytes in that order, no header. Printed form: "(r,g,b)".
#pragma once

#include <cstdint>

#include "core/Object.h"
#include "core/Printable.h"

namespace Vell {

class Color : public Object, public Printable {
public:
    Color() = default;
    Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue) : red(red), green(green), blue(blue) {}

    // From a Win32-style colour value: red in the low byte, then green, then
    // blue; the top byte is ignored.
    static Color fromValue(std::uint32_t value);
    // From fractions between 0 and 1, each times 255 and truncated. Values
    // outside the range (and NaN) are clamped to it first.
    static Color fromFractions(double red, double green, double blue);

    // red + green * 256 + blue * 65536
    std::uint32_t value() const;
    double redFraction() const { return red / 255.0; }
    double greenFraction() const { return green / 255.0; }
    double blueFraction() const { return blue / 255.0; }
    void toFractions(double& r, double& g, double& b) const;

    bool operator==(const Color& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Color& other) const { return !(*this == other); }

    void writeObject(Stream& stream) const override;
    void readObject(Stream& stream) override;
    void print(TextStream& stream) const override;

    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

} // namespace Vell
