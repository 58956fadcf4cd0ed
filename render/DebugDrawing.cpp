#include "render/DebugDrawing.h"

namespace Vell3D {

void drawPlayerArrow() {}
void drawAxesMarker(const Node&) {}
void drawSectorOutline(const World&, int) {}
Vector3 nodeToWorld(const Node&, const Vector3& p) { return p; }
Vector3 worldToNode(const Node&, const Vector3& p) { return p; }

} // namespace Vell3D
