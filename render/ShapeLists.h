// ShapeLists: display lists of GLU shapes, one per kind and exact set of
// parameters, made on first use and kept for the run (they belong to the
// context current at the time).
#pragma once

namespace Vell3D {

// A filled, smooth sphere of 16 slices and 16 stacks. The first call for
// a radius draws and records; later calls for exactly that radius replay.
void drawSphere(double radius);
// Lists made so far (for tests).
int shapeListCount();

} // namespace Vell3D
