// PlanMainWindow: the plan viewer's top-level window, 810 x 630 and not
// resizable, holding the view. Whenever it is activated the view gets the
// keyboard focus, so the arrow keys reach it.
#pragma once

#include "gui/Window.h"

namespace Vell3D {

class PlanMainWindow : public Vell::Window {
public:
    static constexpr const char* title = "Gorvax 2D Map Viewer";

    PlanMainWindow();

    void onActivate() override;

    Vell::Window* view = nullptr;   // a child; the window system destroys it
};

} // namespace Vell3D
