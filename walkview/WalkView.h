// WalkView: the 3D view of walkview, an 800 x 600 OpenGL child of the
// viewer window. It owns the scene through which the world is seen (the
// player, his eye and the renderer in use: render/WalkScene.h). Keys and
// mouse moves change the scene and ask for a repaint; each paint draws one
// timed frame and writes the status overlay over it. The view owns its two
// renderers, the textured sector renderer and the wire renderer, since their
// display lists belong to its GL context; F1 swaps them (showWire). With
// the info panel on, each frame also finds what the line of sight meets
// first (World::castSight), for the panel to name.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/Point.h"
#include "render/WalkScene.h"
#include "viewer/ViewerPane.h"

namespace Vell3D {

class Renderer;

class WalkView : public ViewerPane {
public:
    // Captures the mouse, hides the cursor, puts it at the centre and takes
    // the keyboard focus. The view makes its own renderers unless given
    // others (tests give doubles).
    WalkView(const Vell::Rect& rect, Vell::Window* parent);
    WalkView(const Vell::Rect& rect, Vell::Window* parent, std::unique_ptr<Renderer> sectorRenderer,
             std::unique_ptr<Renderer> wireRenderer);
    // Frees the renderers' lists in the view's own context.
    ~WalkView() noexcept(false) override;

    // The full world with its textures.
    void buildWorld(World& world, const Map& map, TileSet& tiles) const override;
    // Frees both renderers' lists of the world shown so far, wires and
    // prepares the current renderer, then puts the player at the world's
    // start. The tile textures the old world's drawing made are freed
    // too, all but those the new world's renderer made again. Null only
    // frees.
    void setWorld(World* newWorld) override;
    PlayerNode& player() override { return scene.playerCamera; }
    // Holds the mouse while shown, and lets it go while hidden.
    void setShown(bool shown) override;
    // The player back at the start, the eye 500 units above him, level.
    void resetCamera();
    // The wire view (F1 swaps) or the textured one; a renderer that comes
    // to be shown is prepared for the world again, and the one that goes
    // frees its lists (and the textured one its tile textures).
    void showWire(bool wire);
    bool showsWire() const { return scene.renderer() == wireRenderer.get(); }
    // The debug drawing (F2 turns it on and off) of the renderer shown:
    // each renderer keeps its own.
    void showDebug(bool debug);
    bool showsDebug() const;

    void render() override;
    void onMouseMove(const Vell::Point& point, int flags) override;

    // The player's lines, then frame time and rate, visible sectors and
    // mirrors.
    std::vector<StatusLine> statusLines() const override;

    Renderer* currentRenderer() const { return scene.renderer(); }
    World* currentWorld() const { return scene.world(); }
    // The last frame's duration, whole milliseconds and microseconds.
    std::int32_t lastFrameTime() const { return frameTime; }
    std::int64_t lastFrameMicroseconds() const { return frameMicroseconds; }

    WalkScene scene;

protected:
    bool handleKey(int key) override;
    // The visible sectors from where the player now stands.
    void placed() override { scene.portalCamera.updateVisibility(); }
    // What the last frame's line of sight met.
    PanelSubject pointedAt() override { return sight; }

private:
    // Turning the view takes the mouse: relative moves, no pointer.
    void holdMouse();
    // The player's checked move; then the visible sectors from his new place.
    void walk(double dx, double dy);
    // The scene's renderer switch, in the view's own GL context.
    void useRenderer(Renderer* renderer);
    // What the eye sees first straight ahead, up to the far plane.
    PanelSubject lookAhead() const;

    std::unique_ptr<Renderer> sectorRenderer;
    std::unique_ptr<Renderer> wireRenderer;
    Vell::Point centre{300, 300};
    std::int32_t frameTime = 0;
    std::int64_t frameMicroseconds = 0;
    PanelSubject sight;
};

} // namespace Vell3D
