// WalkScene: the scene through which walkview sees a world, and the switch
// between the renderers that draw it:
//
//   worldNode (identity; draws the frame)
//     playerCamera (the player's placement and sector; draws the overlay)
//       portalCamera (the eye 500 units up, tilted by the mouse; finds the
//                     visible sectors and draws the aim marker)
//
// walkview's view, the render tests and the render benchmark all draw
// through it, so what they measure and check is wired as the view wires it.
// Renderers and the world are not owned.
#pragma once

#include "render/PortalCamera.h"
#include "render/WorldNode.h"

namespace Vell {
class Size;
}

namespace Vell3D {

class Renderer;
class World;

class WalkScene {
public:
    // The eye above the player after a reset.
    static constexpr double eyeHeight = 500.0;
    // World units per pixel at the near distance: the 800 x 600 view spans
    // +-40 x +-30 there.
    static constexpr double pixelScale = 0.1;
    static constexpr double nearDistance = 50.0;
    static constexpr double farDistance = 200000.0;

    WalkScene();
    WalkScene(const WalkScene&) = delete;
    WalkScene& operator=(const WalkScene&) = delete;

    // The world the player walks in and the renderers draw; with a renderer
    // in use, that renderer is prepared for it.
    void setWorld(World* world);
    // Points the nodes at the renderer and hands it the scene. Once there
    // is a world the renderer is prepared too: its display lists go into
    // the GL context that is current.
    void useRenderer(Renderer* renderer);
    // The player back at the world's start, the eye eyeHeight above him,
    // level, with the 800 x 600 view's frustum.
    void resetCamera();
    // One frame of the renderer in use, in a viewport of the given size.
    void drawFrame(const Vell::Size& viewport);

    Renderer* renderer() const { return current; }
    World* world() const { return shown; }

    WorldNode worldNode;
    PlayerCameraNode playerCamera{&worldNode};
    PortalCamera portalCamera{&playerCamera};

private:
    Renderer* current = nullptr;
    World* shown = nullptr;
};

} // namespace Vell3D
