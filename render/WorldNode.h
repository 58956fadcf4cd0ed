// The two scene nodes of the 3D view that hand their drawing to the current
// renderer: the root draws the world, the player's node the overlay.
#pragma once

#include "3d/Node.h"
#include "render/Renderer.h"
#include "world/PlayerNode.h"

namespace Vell3D {

class WorldNode : public Node {
public:
    explicit WorldNode(Node* parent = nullptr) : Node(parent) {}
    void draw() override
    {
        if (renderer)
            renderer->renderFrame();
    }
    Renderer* renderer = nullptr;    // not owned
};

class PlayerCameraNode : public PlayerNode {
public:
    explicit PlayerCameraNode(Node* parent = nullptr) : PlayerNode(parent) {}
    void draw() override
    {
        if (renderer)
            renderer->drawOverlay();
    }
    Renderer* renderer = nullptr;    // not owned
};

} // namespace Vell3D
