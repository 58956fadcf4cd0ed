#include "walkview/WalkApplication.h"

#include "gui/Rect.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"

namespace Vell3D {

WalkView* WalkApplication::view() const
{
    return window() ? static_cast<WalkView*>(window()->view) : nullptr;
}

Vell::Window* WalkApplication::createView(ViewerWindow& window)
{
    return new WalkView(Vell::Rect(0, 0, ViewerWindow::viewWidth, ViewerWindow::viewHeight), &window);
}

void WalkApplication::buildWorld(const Map& map)
{
    world.build(map);
}

void WalkApplication::showWorld()
{
    world.attachTextures(tiles);
    view()->setWorld(&world);
}

} // namespace Vell3D
