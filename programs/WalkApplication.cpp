#include "programs/WalkApplication.h"

#include "planview/PlanView.h"
#include "walkview/WalkView.h"

namespace Vell3D {

WalkApplication::WalkApplication()
    : ViewerApplication("walkview", windowTitle, makeView<WalkView>, makeView<PlanView>)
{
}

WalkView* WalkApplication::view() const
{
    return static_cast<WalkView*>(ViewerApplication::view(0));
}

} // namespace Vell3D
