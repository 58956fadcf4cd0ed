// PlanView: the plan viewer's OpenGL view. Its scene, from the root down:
// the camera 8000 above the player, the player node (the player's
// placement) and the map node (the world, turned and moved under the
// player). The arrow keys turn and walk the player, A and Z bring the camera
// closer and further, R puts everything back at the start and Esc closes
// the window. After every paint a status overlay gives the player's
// position, heading and sector. The mouse stays free over the plan: with the
// info panel on (I) the panel names the sector under the pointer and the
// wall drawn nearest to it, and a click on a sector puts the player there,
// on its floor, facing the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "planview/PlanCamera.h"
#include "planview/PlanMapNode.h"
#include "planview/PlanPlayerNode.h"
#include "viewer/ViewerPane.h"
#include "world/World.h"

namespace Vell3D {

class PlanView : public ViewerPane {
public:
    PlanView(const Vell::Rect& rect, Vell::Window* parent);

    // The two windows the fan is clipped from, in the player's frame: far
    // ahead and short behind; with the origin each makes a triangle.
    static std::vector<Segment> viewWindows();

    // The reduced world with its convex pieces; no textures.
    void buildWorld(World& world, const Map& map, TileSet& tiles) const override;
    // Gives the world to the nodes, then reset. The world is not owned.
    void setWorld(World* world) override;
    PlayerNode& player() override { return playerNode; }
    // The player at the world's start, the camera 8000 above him; repaints.
    void reset();

    void render() override;
    // The player's position, heading and sector.
    std::vector<StatusLine> statusLines() const override;
    // The pointer's place, for the panel; repaints when what it names
    // changed.
    void onMouseMove(const Vell::Point& point, int flags) override;
    // With the panel on, the player goes to the sector clicked.
    void onLeftButtonDown(const Vell::Point& point, int flags) override;
    // How far from the pointer a wall is still named, in pixels.
    static constexpr double wallReach = 6.0;
    // The wall the panel names, marked over the plan where it is drawn.
    void drawPanelMarks(Vell::DC& dc, const PanelSubject& subject) override;

    PlanCamera viewCamera;
    PlanMapNode mapNode;
    PlanPlayerNode playerNode;
    World* world = nullptr;

protected:
    bool handleKey(int key) override;
    // The sector under the pointer and the wall nearest it.
    PanelSubject pointedAt() override;

private:
    std::optional<Vell::Point> pointer;   // in the view; none before the mouse came
};

} // namespace Vell3D
