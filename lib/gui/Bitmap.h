// Bitmap: a picture in memory, loaded from a .bmp file or made to match a
// DC, that a DC can draw into between beginDraw and endDraw.
#pragma once

#include <memory>

#include "core/Object.h"
#include "core/UsageCounter.h"
#include "gui/Size.h"
#include "gui/platform/Canvas.h"

namespace Vell {

class DC;

class Bitmap : public Object, public UsageCounter {
public:
    Bitmap();
    ~Bitmap() noexcept(false) override;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Natural size; throws IOException when the file cannot be read as a
    // bitmap. The previous picture is kept then.
    void load(const char* path);
    // Black, of the kind (colour or monochrome) of the DC's surface; throws
    // ResourceException for sizes below 1 or beyond what a surface holds.
    void create(const DC& compatible, int width, int height);

    // A DC that draws into the bitmap, owned by the bitmap until endDraw.
    // Throws ResourceException for an empty bitmap; while drawing already,
    // returns the same DC.
    DC& beginDraw(const DC& compatible);
    void endDraw();

    Size size() const;
    bool isEmpty() const { return !canvas; }
    bool isDrawing() const { return drawing; }

    Platform::Canvas* handle() const { return canvas.get(); }

private:
    std::unique_ptr<Platform::Canvas> canvas;
    std::unique_ptr<DC> memoryDC;
    bool drawing = false;
};

} // namespace Vell
