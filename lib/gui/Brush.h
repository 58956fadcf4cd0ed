// Brush: the fill of shapes and the pattern of pattern transfers.
#pragma once

#include "core/Object.h"
#include "gui/Color.h"
#include "gui/platform/Canvas.h"

namespace Vell {

class Brush : public Object {
public:
    enum Style { solid = 0, null = 1, hatched = 2 };
    enum Hatch { horizontal = 0, vertical = 1, fDiagonal = 2, bDiagonal = 3, cross = 4, diagCross = 5 };

    // Throws ResourceException for an unknown style, or an unknown hatch
    // with the hatched style.
    explicit Brush(const Color& color = Color(255, 255, 255), int style = solid, int hatch = 0);

    const char* className() const override { return "Brush"; }

    void setColor(const Color& color);
    void setStyle(int style);
    Color color() const { return color_; }
    int style() const { return logical.style; }
    int hatch() const { return logical.hatch; }

    bool operator==(const Brush& other) const;
    bool operator!=(const Brush& other) const { return !(*this == other); }

    const Platform::BrushStyle& handle() const { return logical; }

private:
    static Platform::BrushStyle create(const Color& color, int style, int hatch);

    Color color_;
    Platform::BrushStyle logical;
};

} // namespace Vell
