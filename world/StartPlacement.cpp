#include "world/StartPlacement.h"

namespace Vell3D {

void StartPlacement::reset()
{
    frame = Matrix4();
    frameInverse = Matrix4();
    sector = -1;
}

void StartPlacement::place(double heading, const Vector3& at, int startSector)
{
    frame = Matrix4::translation(at.x, at.y, at.z) * Matrix4::rotation(heading, 0.0, 0.0, 1.0);
    frameInverse = Matrix4::rotation(-heading, 0.0, 0.0, 1.0) * Matrix4::translation(-at.x, -at.y, -at.z);
    sector = startSector;
}

Vector3 StartPlacement::position() const
{
    return Vector3(frame[12], frame[13], frame[14]);
}

} // namespace Vell3D
