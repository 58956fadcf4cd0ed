// PlanApplication: planview's application object: the viewers' shared
// start-up with the plan view and the reduced world with its convex pieces.
// The tile set is loaded although nothing in the plan is textured: a broken
// palette fails the same way in both viewers.
#pragma once

#include "viewer/ViewerApplication.h"

namespace Vell3D {

class PlanView;

class PlanApplication : public ViewerApplication {
public:
    static constexpr const char* windowTitle = "Gorvax 2D Map Viewer";

    PlanApplication();

    // The plan view, a child of the window; null before start-up made it
    // and after the windows closed.
    PlanView* view() const;

protected:
    void buildWorld(const Map& map) override;
};

} // namespace Vell3D
