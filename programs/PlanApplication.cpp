#include "programs/PlanApplication.h"

#include "planview/PlanView.h"
#include "walkview/WalkView.h"

namespace Vell3D {

PlanApplication::PlanApplication()
    : ViewerApplication("planview", windowTitle, makeView<PlanView>, makeView<WalkView>)
{
}

} // namespace Vell3D
