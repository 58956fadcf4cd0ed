#include "3d/Vector2.h"

#include "core/Stream.h"

namespace Vell3D {

void Vector2::writeObject(Vell::Stream& stream) const
{
    stream << x << y;
}

void Vector2::readObject(Vell::Stream& stream)
{
    stream >> x >> y;
}

} // namespace Vell3D
