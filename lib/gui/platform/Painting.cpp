// Invalid areas, the paint canvas, and presenting a top-level window: its
// canvases are laid over the GL frame of its GL windows, then the buffers
// are swapped.
#define GL_GLEXT_PROTOTYPES 1
#include "gui/platform/WindowRegistry.h"

#include <GL/gl.h>
#include <cairo.h>

#include <algorithm>
#include <cstring>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace Vell::Platform {

namespace {

WindowRegistry& registry() { return WindowRegistry::instance(); }

Box intersect(const Box& a, const Box& b)
{
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
    if (x1 <= x0 || y1 <= y0)
        return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

Box unite(const Box& a, const Box& b)
{
    int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    int x1 = std::max(a.x + a.width, b.x + b.width), y1 = std::max(a.y + a.height, b.y + b.height);
    return {x0, y0, x1 - x0, y1 - y0};
}

bool isEmpty(const Box& b) { return b.width <= 0 || b.height <= 0; }

// The bounding box of the pixels that are not fully transparent: an
// overlay mostly holds a few lines of text, and only that part is laid
// over the GL frame.
Box inkBox(const Canvas& canvas)
{
    const unsigned char* bytes = canvas.data();
    int width = canvas.width(), height = canvas.height(), stride = canvas.stride();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = reinterpret_cast<const std::uint32_t*>(bytes + std::size_t(y) * stride);
        std::uint32_t any = 0;
        for (int x = 0; x < width; ++x)
            any |= row[x];
        if (!any)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        for (int x = 0; x < left; ++x)
            if (row[x]) {
                left = x;
                break;
            }
        for (int x = width - 1; x > right; --x)
            if (row[x]) {
                right = x;
                break;
            }
    }
    if (top < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

using WindowPos2i = void (*)(GLint, GLint);

struct Compositor {
    WindowState& top;
    int height;          // of the top-level client area
    Box bounds;
    WindowPos2i windowPos;

    // Draws part of a window's canvas at its place in the frame.
    void draw(Canvas& canvas, Box part, int ox, int oy, bool blend)
    {
        Box target = intersect({ox + part.x, oy + part.y, part.width, part.height}, bounds);
        if (isEmpty(target))
            return;
        part = {target.x - ox, target.y - oy, target.width, target.height};
        const unsigned char* bytes = canvas.data();
        if (blend)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, canvas.stride() / 4);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, part.x);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, part.y);
        // The canvas's rows run top down, the frame's bottom up.
        windowPos(target.x, height - target.y);
        glPixelZoom(1.0f, -1.0f);
        glDrawPixels(part.width, part.height, GL_BGRA, GL_UNSIGNED_BYTE, bytes);
    }

    void collectGL(WindowState& window, int ox, int oy, cairo_region_t* region)
    {
        for (Handle h : window.children) {
            WindowState* child = registry().find(h);
            if (!child || !child->visible)
                continue;
            int cx = ox + child->rect.x, cy = oy + child->rect.y;
            if (child->glContexts > 0) {
                cairo_rectangle_int_t r{cx, cy, child->rect.width, child->rect.height};
                cairo_region_subtract_rectangle(region, &r);
            } else {
                collectGL(*child, cx, cy, region);
            }
        }
    }

    void drawWindow(WindowState& window, int ox, int oy, bool blend)
    {
        Canvas& canvas = *window.canvas;
        if (window.glContexts > 0) {
            window.overlayInk = inkBox(canvas);
            if (!isEmpty(window.overlayInk))
                draw(canvas, window.overlayInk, ox, oy, true);
        } else {
            // Where a GL window lies the GL frame shows, not this canvas.
            cairo_rectangle_int_t all{0, 0, canvas.width(), canvas.height()};
            cairo_region_t* region = cairo_region_create_rectangle(&all);
            collectGL(window, 0, 0, region);
            for (int i = 0, n = cairo_region_num_rectangles(region); i < n; ++i) {
                cairo_rectangle_int_t r;
                cairo_region_get_rectangle(region, i, &r);
                draw(canvas, {r.x, r.y, r.width, r.height}, ox, oy, blend);
            }
            cairo_region_destroy(region);
        }
        for (Handle h : window.children)
            if (WindowState* child = registry().find(h); child && child->visible)
                drawWindow(*child, ox + child->rect.x, oy + child->rect.y, true);
    }
};

bool hasGLWindow(WindowState& window)
{
    for (Handle h : window.children)
        if (WindowState* c = registry().find(h); c && c->visible && (c->glContexts > 0 || hasGLWindow(*c)))
            return true;
    return false;
}

bool anyInvalid(WindowState& window)
{
    if (!window.visible)
        return false;
    if (window.invalid || window.painting)
        return true;
    for (Handle h : window.children)
        if (WindowState* c = registry().find(h); c && anyInvalid(*c))
            return true;
    return false;
}

// A GL window that has not drawn since the last present gets a paint, so
// that the presented frame holds its picture (the back buffer's old
// content is undefined after a swap).
bool requestStaleGL(WindowState& window)
{
    bool requested = false;
    for (Handle h : window.children) {
        WindowState* c = registry().find(h);
        if (!c || !c->visible)
            continue;
        if (c->glContexts > 0 && !c->glRendered) {
            invalidate(c->handle, nullptr);
            requested = true;
        }
        requested |= requestStaleGL(*c);
    }
    return requested;
}

void resetRendered(WindowState& window)
{
    window.glRendered = false;
    for (Handle h : window.children)
        if (WindowState* c = registry().find(h))
            resetRendered(*c);
}

void presentWithoutGL(WindowState& top)
{
    SDL_Surface* target = SDL_GetWindowSurface(top.sdl);
    if (!target)
        return;
    Canvas& canvas = *top.canvas;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(canvas.data()), canvas.width(), canvas.height(), 32, canvas.stride(),
        SDL_PIXELFORMAT_ARGB8888);
    if (source) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(top.sdl);
}

void captureFrame(WindowState& top, int width, int height)
{
    top.frame.resize(std::size_t(width) * height);
    top.frameWidth = width;
    top.frameHeight = height;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, top.frame.data());
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(top.frame.begin() + std::size_t(y) * width, top.frame.begin() + std::size_t(y + 1) * width,
                         top.frame.begin() + std::size_t(height - 1 - y) * width);
}

} // namespace

bool invalidate(Handle window, const Box* area)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    Box client = clientRect(window);
    Box part = area ? intersect(*area, client) : client;
    if (isEmpty(part))
        return true;
    w->invalidArea = w->invalid ? unite(w->invalidArea, part) : part;
    w->invalid = true;
    return true;
}

bool validate(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    w->invalid = false;
    return true;
}

bool isInvalid(Handle window)
{
    WindowState* w = registry().find(window);
    return w && w->invalid;
}

bool updateWindow(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    if (w->invalid && registry().isShowing(*w))
        sendMessage({window, WM_PAINT, 0, 0});
    return true;
}

Canvas* beginPaint(Handle window, Box& paintArea)
{
    WindowState* w = registry().find(window);
    if (!w)
        return nullptr;
    Canvas& canvas = *w->canvas;
    if (w->glContexts > 0) {
        // The GL frame is drawn whole, so its overlay starts empty.
        paintArea = clientRect(window);
        canvas.clear();
    } else {
        paintArea = w->invalid ? w->invalidArea : Box{};
    }
    canvas.setDeviceClip({paintArea.x, paintArea.y, paintArea.x + paintArea.width, paintArea.y + paintArea.height});
    w->invalid = false;
    w->painting = true;
    return &canvas;
}

void endPaint(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w || !w->painting)
        return;
    w->painting = false;
    w->canvas->resetDeviceClip();
    if (w->glContexts > 0)
        w->glRendered = true;
    if (WindowState* top = registry().topLevelOf(w))
        presentIfComplete(*top);
}

Canvas* canvasOf(Handle window)
{
    WindowState* w = registry().find(window);
    return w ? w->canvas.get() : nullptr;
}

void presentIfComplete(WindowState& top)
{
    if (anyInvalid(top) || requestStaleGL(top))
        return;
    present(top);
}

void present(WindowState& top)
{
    if (!ensureSdlWindow(top))
        return;
    ++top.presents;
    if (!top.hasGL) {
        presentWithoutGL(top);
        return;
    }
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    // A context of the layer's own, so the composite leaves the program's
    // GL state exactly as it was.
    if (!top.compositeContext) {
        top.compositeContext = SDL_GL_CreateContext(top.sdl);
        if (!top.compositeContext)
            return;
    }
    SDL_GL_MakeCurrent(top.sdl, top.compositeContext);
    Box client = clientRect(top.handle);
    auto windowPos = reinterpret_cast<WindowPos2i>(SDL_GL_GetProcAddress("glWindowPos2i"));
    if (windowPos) {
        glViewport(0, 0, client.width, client.height);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);    // the canvases hold premultiplied alpha
        if (!hasGLWindow(top)) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        Compositor compositor{top, client.height, {0, 0, client.width, client.height}, windowPos};
        compositor.drawWindow(top, 0, 0, false);
    }
    if (top.captureFrames)
        captureFrame(top, client.width, client.height);
    SDL_GL_SwapWindow(top.sdl);
    resetRendered(top);
    // The layer's own context never stays current: GL calls made later
    // with nothing current must not land in it and change its state.
    if (previousContext)
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    else
        SDL_GL_MakeCurrent(top.sdl, nullptr);
}

bool setFrameCapture(Handle topLevel, bool on)
{
    WindowState* w = registry().find(topLevel);
    if (!w || w->parent != noWindow)
        return false;
    w->captureFrames = on;
    return true;
}

std::vector<std::uint32_t> readFrame(Handle topLevel, int& width, int& height)
{
    WindowState* w = registry().find(topLevel);
    width = w ? w->frameWidth : 0;
    height = w ? w->frameHeight : 0;
    return w ? w->frame : std::vector<std::uint32_t>();
}

int presentCount(Handle topLevel)
{
    WindowState* w = registry().find(topLevel);
    return w ? w->presents : 0;
}

} // namespace Vell::Platform
