#include "planview/PlanApplication.h"

#include "gui/Rect.h"
#include "planview/PlanView.h"
#include "viewer/ViewerWindow.h"

namespace Vell3D {

PlanView* PlanApplication::view() const
{
    return window() ? static_cast<PlanView*>(window()->view) : nullptr;
}

Vell::Window* PlanApplication::createView(ViewerWindow& window)
{
    return new PlanView(Vell::Rect(0, 0, ViewerWindow::viewWidth, ViewerWindow::viewHeight), &window);
}

void PlanApplication::buildWorld(const Map& map)
{
    World::BuildOptions options;
    options.planOnly = true;
    world.build(map, options);
    world.buildPieces();
}

void PlanApplication::showWorld()
{
    view()->setWorld(&world);
}

} // namespace Vell3D
