#include "gui/Font.h"

#include <cstring>
#include <string>

#include "core/Exception.h"

namespace Vell {

namespace {

// The system GUI font is 8 points at 96 dots per inch: 11 pixels.
constexpr int guiFontHeight = -11;
constexpr const char* fallbackFace = "DejaVu Sans";

} // namespace

Font::Font(SystemTag)
{
    std::string family;
    if (!Platform::Canvas::resolveFace("sans-serif", family) || family.empty() ||
        family.size() >= sizeof spec.faceName)
        family = fallbackFace;
    std::strncpy(spec.faceName, family.c_str(), sizeof spec.faceName - 1);
    spec.height = guiFontHeight;
    spec.weight = 400;
}

const Font& Font::defaultFont()
{
    static const Font system{SystemTag{}};
    return system;
}

Font::Font() : spec(defaultFont().spec) {}

// Every change goes through one place that checks the new description
// before it replaces the old, so a refused change leaves the font as it was.
void Font::recreate(const Platform::FontSpec& next)
{
    if (next.weight < 0 || next.weight > 1000)
        throw ResourceException();
    spec = next;
}

void Font::setHeight(int height)
{
    Platform::FontSpec next = spec;
    next.height = height;
    recreate(next);
}

void Font::setWidth(int width)
{
    Platform::FontSpec next = spec;
    next.width = width;
    recreate(next);
}

void Font::setWeight(int weight)
{
    Platform::FontSpec next = spec;
    next.weight = weight;
    recreate(next);
}

void Font::setAngle(int tenthsOfDegree)
{
    Platform::FontSpec next = spec;
    next.escapement = next.orientation = tenthsOfDegree;
    recreate(next);
}

void Font::setItalic(bool on)
{
    Platform::FontSpec next = spec;
    next.italic = on;
    recreate(next);
}

void Font::setUnderline(bool on)
{
    Platform::FontSpec next = spec;
    next.underline = on;
    recreate(next);
}

void Font::setStrikeOut(bool on)
{
    Platform::FontSpec next = spec;
    next.strikeOut = on;
    recreate(next);
}

void Font::setCharSet(int charSet)
{
    Platform::FontSpec next = spec;
    next.charSet = charSet;
    recreate(next);
}

void Font::setPitch(int pitch)
{
    Platform::FontSpec next = spec;
    next.pitchAndFamily = (next.pitchAndFamily & ~3) | (pitch & 3);
    recreate(next);
}

void Font::setFaceName(const char* name)
{
    if (!name || std::strlen(name) >= sizeof spec.faceName)
        throw InternalException("invalid parameter");
    Platform::FontSpec next = spec;
    std::memset(next.faceName, 0, sizeof next.faceName);
    std::strcpy(next.faceName, name);
    recreate(next);
}

bool Font::operator==(const Font& o) const
{
    const Platform::FontSpec& a = spec;
    const Platform::FontSpec& b = o.spec;
    return a.height == b.height && a.width == b.width && a.orientation == b.orientation &&
           a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut && a.charSet == b.charSet && a.pitchAndFamily == b.pitchAndFamily &&
           std::strcmp(a.faceName, b.faceName) == 0;
}

} // namespace Vell
