#include "world/PlayerNode.h"

#include "world/StartPlacement.h"

namespace Vell3D {

PlayerNode::PlayerNode(Vell3D::Node* parent) : Vell3D::Node(parent)
{
}

void PlayerNode::takePlacement(const PlayerNode& other)
{
    if (&other == this)
        return;
    place(other.matrix(), other.inverse(), other.sector);
}

void PlayerNode::takePlacement(const StartPlacement& start)
{
    place(start.matrix(), start.inverse(), start.sector);
}

void PlayerNode::place(const Matrix4& matrix, const Matrix4& inverse, int newSector)
{
    sector = newSector;
    resetMatrices();
    applyLocal(matrix, inverse);
    changed();
}

} // namespace Vell3D
