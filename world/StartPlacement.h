// StartPlacement: where a map puts the player, as the world builder works
// it out: a frame turned about the vertical axis and moved to the start
// point, kept with its inverse as a scene node keeps its own, and the sector
// that holds the start. Views copy it into their player nodes
// (PlayerNode::takePlacement). Plain data rather than a scene node, so that
// the world model links no GL.
#pragma once

#include "3d/Matrix4.h"
#include "3d/Vector3.h"

namespace Vell3D {

class StartPlacement {
public:
    // The identity frame, no sector.
    void reset();
    // Turned by heading degrees about (0, 0, 1), then moved to at: the
    // transform a node gets from reset, rotate and translateGlobal.
    void place(double heading, const Vector3& at, int startSector);

    const Matrix4& matrix() const { return frame; }
    const Matrix4& inverse() const { return frameInverse; }
    Vector3 position() const;
    Vector3 toParent(const Vector3& p) const { return frame.transformPoint(p); }

    int sector = -1;   // -1: outside every sector

private:
    Matrix4 frame;          // start frame to world
    Matrix4 frameInverse;   // world to start frame
};

} // namespace Vell3D
