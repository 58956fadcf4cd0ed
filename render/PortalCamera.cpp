#include "render/PortalCamera.h"

namespace Vell3D {

PortalCamera::PortalCamera(Node* parent) : Camera(parent) {}
void PortalCamera::draw() {}
void PortalCamera::prepareClear() {}
void PortalCamera::render() { Camera::render(); }
void PortalCamera::setNear(double value) { Camera::setNear(value); }
void PortalCamera::changed() {}
void PortalCamera::updateVisibility() {}
void PortalCamera::updateMirrorVisibility(const Vector3[4], int) {}
bool PortalCamera::sees(const WallPiece&) const { return false; }

} // namespace Vell3D
