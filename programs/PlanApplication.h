// PlanApplication: planview's application object: the viewers' shell with
// the plan first; Tab brings the 3D view. The tile set is loaded although
// nothing in the plan is textured: a broken palette fails the same way in
// both viewers, and the 3D view needs it.
#pragma once

#include "viewer/ViewerApplication.h"

namespace Vell3D {

class PlanApplication : public ViewerApplication {
public:
    static constexpr const char* windowTitle = "Gorvax 2D Map Viewer";

    PlanApplication();
};

} // namespace Vell3D
