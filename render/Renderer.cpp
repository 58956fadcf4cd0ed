#include "render/Renderer.h"

namespace Vell3D {

void Renderer::setScene(Node* worldNode_, PortalCamera* portalCamera_, PlayerNode* playerCamera_,
                        World* world_)
{
    worldNode = worldNode_;
    portalCamera = portalCamera_;
    playerCamera = playerCamera_;
    world = world_;
}

} // namespace Vell3D
