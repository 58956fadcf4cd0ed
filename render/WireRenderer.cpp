#include "render/WireRenderer.h"

namespace Vell3D {

void WireRenderer::renderFrame() {}
void WireRenderer::drawOverlay() {}

} // namespace Vell3D
