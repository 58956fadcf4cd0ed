// Renderer: what the 3D view asks of a renderer. The view holds one sector
// renderer (SectorRenderer) and one wire renderer (WireRenderer); exactly
// one is current. The view's paint calls beginFrame, then renders the scene
// through the portal camera, whose tree reaches renderFrame (world node),
// drawOverlay (player camera) and drawAimHook (portal camera) in that order.
//
// The view's scene (WalkScene) sets the scene references (setScene) before
// it calls prepare, and again whenever the renderer becomes current.
#pragma once

#include "3d/Node.h"
#include "3d/Vector3.h"
#include "core/Object.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

class PortalCamera;

class Renderer : public Vell::Object {
public:
    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Called by the view before each frame.
    virtual void beginFrame() = 0;
    // Draws the world; called from the world node's drawing.
    virtual void renderFrame() = 0;
    // Called from the portal camera's drawing, in its frame.
    virtual void drawAimHook() = 0;
    // Called from the player camera's drawing, in its frame.
    virtual void drawOverlay() = 0;
    // Builds what the renderer keeps per world (needs the GL context).
    virtual void prepare() = 0;
    // Lets go of what prepare made, in the GL context that is current.
    virtual void release() {}
    // Mirrors drawn in the last frame, nested ones included.
    virtual int mirrorCount() const = 0;
    // Marks the first surface on the line of sight through point (a point
    // in the portal camera's frame). Only the sector renderer draws it.
    virtual void drawAimMarker(const Vector3& point) { (void)point; }

    // The four references every renderer reads.
    void setScene(Node* worldNode, PortalCamera* portalCamera, PlayerNode* playerCamera,
                  World* world);

    Node* worldNode = nullptr;          // the root of the view's scene
    PortalCamera* portalCamera = nullptr;
    PlayerNode* playerCamera = nullptr;
    World* world = nullptr;
    bool debugFlag = false;             // F2: debug drawing
};

} // namespace Vell3D
