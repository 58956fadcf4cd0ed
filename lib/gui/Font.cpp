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
        family.size() >= sizeof logical.faceName)
        family = fallbackFace;
    std::strncpy(logical.faceName, family.c_str(), sizeof logical.faceName - 1);
    logical.height = guiFontHeight;
    logical.weight = 400;
}

const Font& Font::defaultFont()
{
    static const Font system{SystemTag{}};
    return system;
}

Font::Font() : logical(defaultFont().logical) {}

// Every change goes through one place that checks the new description
// before it replaces the old, so a refused change leaves the font as it was.
void Font::recreate(const Platform::FontSpec& next)
{
    if (next.weight < 0 || next.weight > 1000)
        throw ResourceException();
    logical = next;
}

void Font::setHeight(int height)
{
    Platform::FontSpec next = logical;
    next.height = height;
    recreate(next);
}

void Font::setWidth(int width)
{
    Platform::FontSpec next = logical;
    next.width = width;
    recreate(next);
}

void Font::setWeight(int weight)
{
    Platform::FontSpec next = logical;
    next.weight = weight;
    recreate(next);
}

void Font::setAngle(int tenthsOfDegree)
{
    Platform::FontSpec next = logical;
    next.escapement = next.orientation = tenthsOfDegree;
    recreate(next);
}

void Font::setItalic(bool on)
{
    Platform::FontSpec next = logical;
    next.italic = on;
    recreate(next);
}

void Font::setUnderline(bool on)
{
    Platform::FontSpec next = logical;
    next.underline = on;
    recreate(next);
}

void Font::setStrikeOut(bool on)
{
    Platform::FontSpec next = logical;
    next.strikeOut = on;
    recreate(next);
}

void Font::setCharSet(int charSet)
{
    Platform::FontSpec next = logical;
    next.charSet = charSet;
    recreate(next);
}

void Font::setPitch(int pitch)
{
    Platform::FontSpec next = logical;
    next.pitchAndFamily = (next.pitchAndFamily & ~3) | (pitch & 3);
    recreate(next);
}

void Font::setFaceName(const char* name)
{
    if (!name || std::strlen(name) >= sizeof logical.faceName)
        throw InternalException("invalid parameter");
    Platform::FontSpec next = logical;
    std::memset(next.faceName, 0, sizeof next.faceName);
    std::strcpy(next.faceName, name);
    recreate(next);
}

bool Font::operator==(const Font& o) const
{
    const Platform::FontSpec& a = logical;
    const Platform::FontSpec& b = o.logical;
    return a.height == b.height && a.width == b.width && a.orientation == b.orientation &&
           a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut && a.charSet == b.charSet && a.pitchAndFamily == b.pitchAndFamily &&
           std::strcmp(a.faceName, b.faceName) == 0;
}

} // namespace Vell
