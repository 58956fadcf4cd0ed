// PortalCamera: the camera through which walkview draws, and which finds the
// sectors that can be seen. Whenever its transform or its frustum changes it
// takes the eye, the window (the near-plane rectangle, or a mirror's quad)
// and five planes, then walks from the source node's sector through the
// openings that lie in view, depth first. Visibility is purely geometric.
//
// The visible list belongs to the frustum that is drawn: render recomputes
// it when the frustum's sides or near distance changed since the last walk
// (a camera reset followed by the view's setViewport, for instance), and a
// frame with an unchanged camera does no visibility work at all.
#pragma once

#include <cstdint>
#include <vector>

#include "3d/Camera.h"
#include "3d/Plane.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

class Renderer;

class PortalCamera : public Camera {
public:
    static constexpr int visibleReserve = 256;

    explicit PortalCamera(Node* parent = nullptr);

    // Multiplies the model-view matrix by the pitch, then calls the
    // renderer's drawAimHook.
    void draw() override;
    // Stencil write mask 0xFFFF and clear value 0 before the frame's clear.
    void prepareClear() override;
    // Recomputes the visible set first if the frustum changed.
    void render() override;
    void setNear(double value) override;
    // The change hook: updateVisibility, unless the camera is mirrored
    // (those are walked once, explicitly, from their mirror).
    void changed() override;

    // Eye, window, planes, then the walk.
    void updateVisibility();
    // For a mirror's camera: the window is the mirror quad (corners as a
    // wall piece holds them: 0 end top, 1 start top, 2 start bottom, 3 end
    // bottom). Takes the eye from the transform, builds the mirrored planes
    // and walks from startSector.
    void updateMirrorVisibility(const Vector3 mirrorCorners[4], int startSector);

    // Whether the opening (a middle piece) faces the eye and lies at least
    // partly inside all four side planes.
    bool sees(const WallPiece& opening) const;

    // The camera's origin in world coordinates.
    Vector3 eye() const { return eye_; }
    const Plane& plane(int i) const { return planes[i]; }
    int visibleCount() const { return int(visible.size()); }

    // Sector indices in the order found; what the renderers draw and the
    // status overlay counts ("visible sectors").
    std::vector<int> visible;
    PlayerNode* source = nullptr;    // gives the world and the start sector
    bool mirrored = false;           // seen in a mirror: every plane turns round
    Renderer* renderer = nullptr;    // the view's current renderer

    enum Corner { leftBottom, leftTop, rightTop, rightBottom };

private:
    // The frustum a walk was made for.
    struct FrustumKey {
        double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0, near = 0.0;
        bool operator==(const FrustumKey&) const = default;
    };
    FrustumKey currentKey() const;
    // Points of this camera's frame (pitch included) in world coordinates.
    Vector3 toWorld(const Vector3& local) const;
    void takeEye();
    void takeNearWindow();
    void buildPlanes();
    void walk(int startSector);
    void walkAll(const World& world);
    bool passable(const World& world, const WorldWall& wall) const;

    Vector3 eye_;
    Vector3 window[4];               // by Corner
    Plane planes[5];                 // four sides, then the window plane
    std::vector<std::uint8_t> visited;
    std::vector<std::pair<int, std::size_t>> stack;   // sector, next wall
    FrustumKey walkedFor;
};

} // namespace Vell3D
