// PassState: what one drawing pass collects: the top level of a frame has
// one, every mirror drawn has its own.
#pragma once

#include <vector>

#include "render/TransparentItem.h"
#include "render/ViewWindow.h"

namespace Vell3D {

class PortalCamera;

struct PassState {
    static constexpr int noSky = -1;

    // Starts a pass through that camera. The items keep their storage, so
    // a frame allocates nothing once the array has grown to its size.
    void begin(PortalCamera* passCamera)
    {
        skyTile = noSky;
        skyWindow = ViewWindow{};
        camera = passCamera;
        items.clear();
    }

    int skyTile = noSky;             // the sky seen in this pass, if any
    ViewWindow skyWindow;            // where sky sectors are seen
    PortalCamera* camera = nullptr;  // whose visible set is drawn
    std::vector<TransparentItem> items;
};

} // namespace Vell3D
