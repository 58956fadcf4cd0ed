// Pen: the outline style of lines and shapes. The platform pen is the
// logical description itself, validated whenever it changes.
#pragma once

#include "core/Object.h"
#include "gui/Color.h"
#include "gui/platform/Canvas.h"

namespace Vell {

class Pen : public Object {
public:
    enum Style { solid = 0, dash = 1, dot = 2, dashDot = 3, dashDotDot = 4, null = 5, insideFrame = 6 };

    // Throws ResourceException for an unknown style or a negative width.
    explicit Pen(const Color& color = Color(0, 0, 0), int width = 0, int style = solid);

    const char* className() const override { return "Pen"; }

    // A setter that would make an invalid pen throws and leaves the pen unchanged.
    void setColor(const Color& color);
    void setWidth(int width);
    void setStyle(int style);
    Color color() const { return color_; }
    int width() const { return logical.width; }
    int style() const { return logical.style; }

    bool operator==(const Pen& other) const;
    bool operator!=(const Pen& other) const { return !(*this == other); }

    const Platform::PenStyle& handle() const { return logical; }

private:
    static Platform::PenStyle create(const Color& color, int width, int style);

    Color color_;
    Platform::PenStyle logical;
};

} // namespace Vell
