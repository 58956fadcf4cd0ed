#include "render/WalkScene.h"

#include "gui/Size.h"
#include "render/Renderer.h"
#include "world/World.h"

namespace Vell3D {

WalkScene::WalkScene()
{
    portalCamera.source = &playerCamera;
}

void WalkScene::setWorld(World* world)
{
    shown = world;
    playerCamera.world = world;
    if (current)
        useRenderer(current);
}

void WalkScene::useRenderer(Renderer* renderer)
{
    current = renderer;
    worldNode.renderer = renderer;
    playerCamera.renderer = renderer;
    portalCamera.renderer = renderer;
    if (!renderer)
        return;
    renderer->setScene(&worldNode, &portalCamera, &playerCamera, shown);
    if (shown)
        renderer->prepare();
}

void WalkScene::resetCamera()
{
    if (shown)
        playerCamera.takePlacement(shown->camera);
    portalCamera.reset();
    portalCamera.translate(0.0, 0.0, eyeHeight);
    portalCamera.rotate(90.0, 1.0, 0.0, 0.0);
    portalCamera.setXScale(pixelScale);
    portalCamera.setYScale(pixelScale);
    portalCamera.setNear(nearDistance);
    portalCamera.setFar(farDistance);
}

void WalkScene::drawFrame(const Vell::Size& viewport)
{
    if (current)
        current->beginFrame();
    portalCamera.setViewport(viewport);
    portalCamera.render();
}

} // namespace Vell3D
