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

    int height() const { return logical.height; }
    int width() const { return logical.width; }
    int weight() const { return logical.weight; }
    int angle() const { return logical.escapement; }
    bool italic() const { return logical.italic; }
    bool underline() const { return logical.underline; }
    bool strikeOut() const { return logical.strikeOut; }
    int charSet() const { return logical.charSet; }
    int pitch() const { return logical.pitchAndFamily & 3; }
    int pitchAndFamily() const { return logical.pitchAndFamily; }
    const char* faceName() const { return logical.faceName; }

    bool operator==(const Font& other) const;
    bool operator!=(const Font& other) const { return !(*this == other); }

    const Platform::FontStyle& handle() const { return logical; }

private:
    struct SystemTag {};
    explicit Font(SystemTag);
    void recreate(const Platform::FontStyle& next);
    // Recreates the font from a copy of its description changed by edit.
    template <typename Edit>
    void change(Edit edit);

    Platform::FontStyle logical;
};

} // namespace Vell
