#include "render/SectorRenderer.h"

namespace Vell3D {

void SectorRenderer::drawMirror(const WallPiece&, int) {}

} // namespace Vell3D
