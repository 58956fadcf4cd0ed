// ViewerPane: what the two views share as the OpenGL child of the viewer
// window: each paint draws the picture, then the status overlay over it
// (unless a picture without it is wanted, as mapshot may ask), and Esc
// closes the window, which ends the program.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/GLWidget.h"
#include "viewer/StatusOverlay.h"

namespace Vell3D {

class World;

class ViewerPane : public Vell::GLWidget {
public:
    ViewerPane(const Vell::Rect& rect, Vell::Window* parent) : GLWidget(rect, parent) {}

    // The GL paint step, then the overlay on the same DC.
    void paintContents(Vell::DC& dc) override;
    // The overlay's text, line by line.
    virtual std::vector<StatusLine> statusLines() const = 0;
    // Shows the world from its start; the world is not owned.
    virtual void setWorld(World* world) = 0;
    // Esc closes the window; any other key goes to the view's handleKey,
    // and the view repaints when that asks for it.
    void onKeyDown(int key, std::int64_t flags) override;

    bool showsOverlay = true;

protected:
    // Whether the key changed the view so that it must be drawn again.
    virtual bool handleKey(int key) = 0;

private:
    // Asks the window the view sits in to close.
    void closeWindow();
};

} // namespace Vell3D
