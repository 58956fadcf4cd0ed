#include "planview/PlanApplication.h"

#include "planview/PlanView.h"

namespace Vell3D {

PlanApplication::PlanApplication() : ViewerApplication("planview", windowTitle, makeView<PlanView>) {}

void PlanApplication::buildWorld(const Map& map)
{
    World::BuildOptions options;
    options.planOnly = true;
    world.build(map, options);
    world.buildPieces();
}

} // namespace Vell3D
