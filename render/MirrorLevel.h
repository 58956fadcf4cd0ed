// The temporaries of one mirror level: the reflected camera, the mirror's
// portal camera under it and the mirror's pass. Kept by the renderer from
// frame to frame, one per depth, so mirrors allocate nothing once drawn.
#pragma once

#include "render/GLStateSave.h"
#include "render/PassState.h"
#include "render/PortalCamera.h"
#include "render/SectorRenderer.h"
#include "world/PlayerNode.h"

namespace Vell3D {

struct SectorRenderer::MirrorLevel {
    MirrorLevel() { camera.mirrored = true; camera.source = &reflected; }

    PlayerNode reflected;
    PortalCamera camera{&reflected};
    PassState pass;
    GLStateSave saved;    // what the enclosing level had
    double modelview[16] = {};
};

} // namespace Vell3D
