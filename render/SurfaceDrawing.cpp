#include "render/SectorRenderer.h"

namespace Vell3D {

void SectorRenderer::drawPiece(const WallPiece&, bool, bool) {}
void SectorRenderer::drawFloor(const WorldSector&) {}
void SectorRenderer::drawCeiling(const WorldSector&) {}
void SectorRenderer::drawSprite(WorldSprite&, const Vector3&) {}
void SectorRenderer::drawSky(int, double, double) {}
void SectorRenderer::skyTilesFor(int base, int tiles[8])
{
    for (int i = 0; i < 8; ++i)
        tiles[i] = base;
}

} // namespace Vell3D
