#include "walkview/WalkApplication.h"

#include "walkview/WalkView.h"

namespace Vell3D {

WalkApplication::WalkApplication() : ViewerApplication("walkview", windowTitle, makeView<WalkView>) {}

WalkView* WalkApplication::view() const
{
    return static_cast<WalkView*>(pane());
}

void WalkApplication::buildWorld(const Map& map)
{
    world.build(map);
}

// The textures are attached once the map is gone, and before the view
// prepares its lists.
void WalkApplication::showWorld()
{
    world.attachTextures(tiles);
    ViewerApplication::showWorld();
}

} // namespace Vell3D
