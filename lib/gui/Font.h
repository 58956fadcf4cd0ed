// Font: a logical font. A default-constructed font is a copy of the
// system's GUI font: a sans face found through fontconfig (DejaVu Sans when
// the system names nothing else), 11 pixels high.
#pragma once

#include "core/Object.h"
#include "gui/platform/Canvas.h"

namespace Vell {

class Font : public Object {
public:
    Font();

    const char* className() const override { return "Font"; }

    // The process-wide default font, built on first use.
    static const Font& defaultFont();

    void setHeight(int height);
    void setWidth(int width);
    void setWeight(int weight);           // 0 to 1000; else ResourceException
    void setAngle(int tenthsOfDegree);    // escapement and orientation together
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeOut(bool on);
    void setCharSet(int charSet);
    void setPitch(int pitch);             // the low two bits of pitch and family
    // Throws InternalException "invalid parameter" for names of 32
    // characters or more (or null); the font is then unchanged.
    void setFaceName(const char* name);

    int height() const { return spec.height; }
    int width() const { return spec.width; }
    int weight() const { return spec.weight; }
    int angle() const { return spec.escapement; }
    bool italic() const { return spec.italic; }
    bool underline() const { return spec.underline; }
    bool strikeOut() const { return spec.strikeOut; }
    int charSet() const { return spec.charSet; }
    int pitch() const { return spec.pitchAndFamily & 3; }
    int pitchAndFamily() const { return spec.pitchAndFamily; }
    const char* faceName() const { return spec.faceName; }

    bool operator==(const Font& other) const;
    bool operator!=(const Font& other) const { return !(*this == other); }

    const Platform::FontSpec& handle() const { return spec; }

private:
    struct SystemTag {};
    explicit Font(SystemTag);
    void recreate(const Platform::FontSpec& next);

    Platform::FontSpec spec;
};

} // namespace Vell
