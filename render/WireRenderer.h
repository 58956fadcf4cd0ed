// WireRenderer: the wire renderer (F1). It draws the walls of the
// visible sectors as lines, coloured by kind, the sprites as outlined
// quads, solid from the front and dotted from the back, and the outline
// of the player's sector. Nothing is textured; it draws no mirrors.
#pragma once

#include "render/Renderer.h"

namespace Vell3D {

class WireRenderer : public Renderer {
public:
    void beginFrame() override {}
    void renderFrame() override;
    void drawAimHook() override {}
    void drawOverlay() override;
    void prepare() override {}
    int mirrorCount() const override { return 0; }

private:
    void drawWalls(const WorldSector& sector);
    void drawSprites(const WorldSector& sector);
    void drawSpriteOutlines(const WorldSector& sector, const Vector3& eye);
};

} // namespace Vell3D
