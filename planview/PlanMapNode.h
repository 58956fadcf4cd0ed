// PlanMapNode: draws the whole world from above in world coordinates: every
// sector's convex pieces as outlines and its walls as lines. It hangs below
// the player node, which turns and moves it under the player.
#pragma once

#include "3d/Node.h"
#include "world/World.h"


namespace Vell3D {

class PlanPlayerNode;

class PlanMapNode : public Node {
public:
    explicit PlanMapNode(Node* parent = nullptr) : Node(parent) {}

    void draw() override;

    World* world = nullptr;              // not owned
    PlanPlayerNode* player = nullptr;    // not owned

private:
    void drawPieces(int sector) const;
    void drawWalls(int sector) const;
};

} // namespace Vell3D
