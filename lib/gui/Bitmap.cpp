#include "gui/Bitmap.h"

#include "core/Exception.h"
#include "gui/DC.h"

namespace Vell {

Bitmap::Bitmap() = default;

Bitmap::~Bitmap() noexcept(false)
{
    endDraw();
    canvas.reset();
    checkUnused();
}

void Bitmap::load(const char* path)
{
    std::unique_ptr<Platform::Canvas> loaded = Platform::Canvas::loadBmp(path);
    if (!loaded)
        throw IOException();
    endDraw();
    canvas = std::move(loaded);
}

void Bitmap::create(const DC& compatible, int width, int height)
{
    if (width < 1 || height < 1 || width > Platform::Canvas::maxSide || height > Platform::Canvas::maxSide)
        throw ResourceException();
    auto made = std::make_unique<Platform::Canvas>(width, height, compatible.handle()->monochrome());
    made->fill(0);
    endDraw();
    canvas = std::move(made);
}

DC& Bitmap::beginDraw(const DC&)
{
    if (!canvas)
        throw ResourceException();
    if (!drawing) {
        memoryDC = std::make_unique<DC>(canvas.get(), false);
        drawing = true;
    }
    return *memoryDC;
}

void Bitmap::endDraw()
{
    memoryDC.reset();
    drawing = false;
}

Size Bitmap::size() const
{
    return canvas ? Size(canvas->width(), canvas->height()) : Size(0, 0);
}

} // namespace Vell
