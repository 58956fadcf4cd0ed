// GLWidget: a widget drawn with OpenGL. Each paint makes its context
// current, sets the viewport to the client area, renders and swaps; what
// the paint DC draws after the swap is laid over the frame when it is
// presented.
#pragma once

#include "gui/Widget.h"
#include "gui/platform/Platform.h"

namespace Vell {

class GLWidget : public Widget {
public:
    GLWidget(const Rect& placement, Window* parentWindow);
    ~GLWidget() noexcept(false) override;

    // Draws one frame into the back buffer, with the context current and
    // the viewport set.
    virtual void render() = 0;
    // Writes the GL and GLU identification report to standard output.
    virtual void printInfo();
    virtual void createContext();

    // The GL paint step: current, viewport, render, swap.
    void paintContents(DC& dc) override;
    bool makeCurrent();
    void swapBuffers();
    Platform::GLContext context() const { return renderingContext; }

private:
    Platform::GLContext renderingContext = 0;
};

} // namespace Vell
