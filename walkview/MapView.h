// MapView: the 3D view of walkview, an 800 x 600 OpenGL child of the main
// window. It owns the scene through which the world is seen:
//
//   worldNode (identity; draws the frame)
//     playerCamera (the player's placement and sector; draws the overlay)
//       portalCamera (the eye 500 units up, tilted by the mouse; finds the
//                     visible sectors and draws the aim marker)
//
// Keys and mouse moves change the scene and ask for a repaint; each paint
// draws one timed frame and writes the status overlay over it. One of two
// process-wide renderers is current; F1 swaps them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/GLWidget.h"
#include "gui/Point.h"
#include "render/PortalCamera.h"
#include "render/WorldNode.h"

namespace Vell3D {

class Renderer;

class MapView : public Vell::GLWidget {
public:
    static constexpr int viewWidth = 800;
    static constexpr int viewHeight = 600;

    // The two renderers the view switches between: the textured one and
    // the outline one.
    struct Renderers {
        Renderer* textured;
        Renderer* outline;
    };
    // The process-wide pair every view uses unless given another.
    static Renderers processRenderers();

    struct StatusLine {
        int column;
        int row;
        std::string text;
    };

    // Captures the mouse, hides the cursor, puts it at the centre and takes
    // the keyboard focus.
    MapView(const Vell::Rect& rect, Vell::Window* parent);
    MapView(const Vell::Rect& rect, Vell::Window* parent, Renderers renderers);
    ~MapView() noexcept(false) override;

    // Once, by start-up: wires and prepares the current renderer, then puts
    // the player at the world's start.
    void setWorld(World* newWorld);
    // The player back at the start, the eye 500 units above him, level.
    void resetCamera();

    void render() override;
    // The GL frame, then the status overlay on the same DC.
    void paintContents(Vell::DC& dc) override;
    void onKeyDown(int key, std::int64_t flags) override;
    void onMouseMove(const Vell::Point& point, int flags) override;

    // The overlay's text, line by line, as drawStatus writes it.
    std::vector<StatusLine> statusLines() const;
    void drawStatus(Vell::DC& dc);

    Renderer* currentRenderer() const { return current; }
    World* currentWorld() const { return world; }
    // The last frame's duration, whole milliseconds and microseconds.
    std::int32_t lastFrameTime() const { return frameTime; }
    std::int64_t lastFrameMicroseconds() const { return frameMicroseconds; }

    PortalCamera portalCamera;
    WorldNode worldNode;
    PlayerCameraNode playerCamera;

private:
    // The player's checked move; then the eye's zero move, which recomputes
    // the visible sectors from the player's new place.
    void walk(double dx, double dy);
    void swapRenderers();
    // Points the scene at the renderer and hands it the scene references.
    void useRenderer(Renderer* renderer);
    // Whether the key changed the view (and the view must repaint).
    bool handleKey(int key);

    Renderers renderers;
    Renderer* current = nullptr;
    World* world = nullptr;
    Vell::Point centre{300, 300};
    std::int32_t frameTime = 0;
    std::int64_t frameMicroseconds = 0;
};

} // namespace Vell3D
