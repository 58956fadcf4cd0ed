#include "world/PlayerNode.h"

namespace Vell3D {

PlayerNode::PlayerNode(Vell3D::Node* parent) : Vell3D::Node(parent)
{
}

void PlayerNode::takePlacement(const PlayerNode& other)
{
    if (&other == this)
        return;
    sector = other.sector;
    resetMatrices();
    applyLocal(other.matrix(), other.inverse());
    changed();
}

} // namespace Vell3D
