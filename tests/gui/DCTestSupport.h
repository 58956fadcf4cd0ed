// Shared helpers of the drawing tests: a white canvas and pixel counting.
#pragma once

#include "gui/Color.h"
#include "gui/DC.h"
#include "gui/platform/Canvas.h"

namespace DCTestSupport {

inline Vell::Platform::ColorRef ref(const Vell::Color& c) { return c.red | c.green << 8 | c.blue << 16; }

// Pixels of colour c inside [x0, x1) x [y0, y1).
inline int countPixels(Vell::DC& dc, const Vell::Color& c, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += dc.getPixel(x, y) == c;
    return n;
}

inline int countPixels(Vell::DC& dc, const Vell::Color& c)
{
    Vell::Platform::Canvas* canvas = dc.handle();
    return countPixels(dc, c, 0, 0, canvas->width(), canvas->height());
}

struct WhiteCanvas {
    explicit WhiteCanvas(int w = 40, int h = 40) : canvas(w, h) { canvas.fill(0xFFFFFF); }
    Vell::Platform::Canvas canvas;
};

const Vell::Color white(255, 255, 255);
const Vell::Color red(255, 0, 0);
const Vell::Color green(0, 255, 0);
const Vell::Color blue(0, 0, 255);
const Vell::Color magenta(255, 0, 255);

} // namespace DCTestSupport
