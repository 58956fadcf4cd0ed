// PlanApplication: planview's application object: the viewers' shared
// start-up with the plan view and the reduced world with its convex pieces.
// The tile set is loaded although nothing in the plan is textured: a broken
// palette fails the same way in both viewers.
#pragma once

#include "viewer/ViewerApplication.h"

namespace Vell3D {

class PlanApplication : public ViewerApplication {
public:
    static constexpr const char* windowTitle = "Gorvax 2D Map Viewer";

    PlanApplication();

protected:
    void buildWorld(const Map& map) override;
};

} // namespace Vell3D
