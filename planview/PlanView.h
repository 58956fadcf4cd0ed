// PlanView: the plan viewer's OpenGL view. Its scene, from the root down:
// the camera 8000 above the player, the player node (the player's
// placement), the map node (the world, turned and moved under the player)
// and an empty node. The arrow keys turn and walk the player, A and Z
// bring the camera closer and further, R puts everything back at the start
// and Esc closes the main window. After every paint a status overlay gives
// the player's position, heading and sector.
#pragma once

#include <cstdint>

#include "gui/GLWidget.h"
#include "planview/MapNode.h"
#include "planview/PlanCamera.h"
#include "planview/PlanPlayerNode.h"
#include "world/World.h"


namespace Vell3D {

class PlanView : public Vell::GLWidget {
public:
    // Virtual-key codes of the keys the view answers.
    enum Key {
        keyEscape = 27,
        keyLeft = 37,
        keyUp = 38,
        keyRight = 39,
        keyDown = 40,
        keyA = 65,
        keyR = 82,
        keyZ = 90,
    };

    PlanView(const Vell::Rect& rect, Vell::Window* parent);

    // Gives the world to the nodes, then reset. The world is not owned.
    void setWorld(World* world);
    // The player at the world's start, the camera 8000 above him; repaints.
    void reset();

    void render() override;
    // The GL paint step, then the status overlay on the same DC.
    void paintContents(Vell::DC& dc) override;
    void onKeyDown(int key, std::int64_t) override;

    // Writes the four status lines.
    void drawStatus(Vell::DC& dc);

    PlanCamera viewCamera;
    Node emptyNode;
    MapNode mapNode;
    PlanPlayerNode playerNode;
    World* world = nullptr;

private:
    // Whether the key changed anything that needs a repaint.
    bool handleKey(int key);
};

} // namespace Vell3D
