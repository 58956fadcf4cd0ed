// The cairo side of a Canvas, shared by the canvas's two source files.
#pragma once

#include <cairo.h>

#include "gui/platform/Canvas.h"

namespace Vell::Platform {

struct Canvas::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;

    void create(int w, int h)
    {
        destroy();
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cr = cairo_create(surface);
    }
    void destroy()
    {
        if (cr)
            cairo_destroy(cr);
        if (surface)
            cairo_surface_destroy(surface);
        cr = nullptr;
        surface = nullptr;
    }
};

// Selects the logical font into the context, scaled by the mapping.
void applyFont(cairo_t* cr, const FontStyle& font, double scale);

inline void setSource(cairo_t* cr, ColorRef c)
{
    cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0, (c >> 16 & 0xFF) / 255.0);
}

} // namespace Vell::Platform
