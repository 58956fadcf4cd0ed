// WalkApplication: walkview's application object: the viewers' shell with
// the 3D view first; Tab brings the plan.
#pragma once

#include "viewer/ViewerApplication.h"

namespace Vell3D {

class WalkView;

class WalkApplication : public ViewerApplication {
public:
    static constexpr const char* windowTitle = "Gorvax 3D Map Viewer";

    WalkApplication();

    // The 3D view, a child of the window; null before start-up made it and
    // after the windows closed.
    WalkView* view() const;
};

} // namespace Vell3D
