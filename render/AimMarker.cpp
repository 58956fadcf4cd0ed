#include "render/SectorRenderer.h"

namespace Vell3D {

void SectorRenderer::drawAimHook() {}
void SectorRenderer::drawAimMarker(const Vector3&) {}

} // namespace Vell3D
