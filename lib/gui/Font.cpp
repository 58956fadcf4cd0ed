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
void Font::recreate(const Platform::FontStyle& next)
{
    if (next.weight < 0 || next.weight > 1000)
        throw ResourceException();
    logical = next;
}

template <typename Edit>
void Font::change(Edit edit)
{
    Platform::FontStyle next = logical;
    edit(next);
    recreate(next);
}

void Font::setHeight(int height) { change([&](Platform::FontStyle& f) { f.height = height; }); }
void Font::setWidth(int width) { change([&](Platform::FontStyle& f) { f.width = width; }); }
void Font::setWeight(int weight) { change([&](Platform::FontStyle& f) { f.weight = weight; }); }
void Font::setItalic(bool on) { change([&](Platform::FontStyle& f) { f.italic = on; }); }
void Font::setUnderline(bool on) { change([&](Platform::FontStyle& f) { f.underline = on; }); }
void Font::setStrikeOut(bool on) { change([&](Platform::FontStyle& f) { f.strikeOut = on; }); }
void Font::setCharSet(int charSet) { change([&](Platform::FontStyle& f) { f.charSet = charSet; }); }

void Font::setAngle(int tenthsOfDegree)
{
    change([&](Platform::FontStyle& f) { f.escapement = f.orientation = tenthsOfDegree; });
}

void Font::setPitch(int pitch)
{
    change([&](Platform::FontStyle& f) { f.pitchAndFamily = (f.pitchAndFamily & ~3) | (pitch & 3); });
}

void Font::setFaceName(const char* name)
{
    if (!name || std::strlen(name) >= sizeof logical.faceName)
        throw InternalException("invalid parameter");
    change([&](Platform::FontStyle& f) {
        std::memset(f.faceName, 0, sizeof f.faceName);
        std::strcpy(f.faceName, name);
    });
}

bool Font::operator==(const Font& o) const
{
    const Platform::FontStyle& a = logical;
    const Platform::FontStyle& b = o.logical;
    return a.height == b.height && a.width == b.width && a.orientation == b.orientation &&
           a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut && a.charSet == b.charSet && a.pitchAndFamily == b.pitchAndFamily &&
           std::strcmp(a.faceName, b.faceName) == 0;
}

} // namespace Vell
