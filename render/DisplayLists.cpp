#include "render/SectorRenderer.h"

namespace Vell3D {

void SectorRenderer::prepare() {}
void SectorRenderer::sectorFog(double) {}
void SectorRenderer::skyFog() {}

} // namespace Vell3D
