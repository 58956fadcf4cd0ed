#include "render/SectorRenderer.h"

namespace Vell3D {

struct SectorRenderer::MirrorLevel {};

SectorRenderer::SectorRenderer() {}
SectorRenderer::~SectorRenderer() noexcept(false) {}
void SectorRenderer::beginFrame() {}
void SectorRenderer::renderFrame() {}
void SectorRenderer::drawOverlay() {}
void SectorRenderer::drawPass() {}
void SectorRenderer::drawSector(int) {}
void SectorRenderer::drawTransparent() {}

} // namespace Vell3D
