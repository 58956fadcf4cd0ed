#include "planview/PlanView.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>

#include "gui/DC.h"
#include "gui/Window.h"
#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double cameraHeight = 8000.0;
constexpr double turnStep = 5.0;       // degrees
constexpr double forwardStep = 250.0;
constexpr double backwardStep = 200.0;
constexpr double zoomStep = 100.0;

// Text at column and row of a 10 x 16 pixel grid, formatted as printf does.
void printAt(Vell::DC& dc, int column, int row, const char* format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    dc.textOut(10 * column, 16 * row, buffer);
}

} // namespace

PlanView::PlanView(const Vell::Rect& rect, Vell::Window* parent)
    : GLWidget(rect, parent), emptyNode(nullptr), mapNode(nullptr), playerNode(nullptr)
{
    playerNode.setParent(&viewCamera);
    mapNode.setParent(&playerNode);
    emptyNode.setParent(&mapNode);
    // Far ahead and short behind; with the origin each makes a triangle.
    playerNode.viewWindows = {
        {Vector3(20000.0, 60000.0, 0.0), Vector3(-20000.0, 60000.0, 0.0)},
        {Vector3(2000.0, -4000.0, 0.0), Vector3(-2000.0, -4000.0, 0.0)},
    };
    playerNode.updateVisibility();
}

void PlanView::setWorld(World* newWorld)
{
    world = newWorld;
    mapNode.world = newWorld;
    mapNode.player = &playerNode;
    playerNode.world = newWorld;
    playerNode.view = this;
    reset();
}

void PlanView::reset()
{
    if (world)
        playerNode.takePlacement(world->camera);
    viewCamera.reset();
    viewCamera.translateGlobal(0.0, 0.0, cameraHeight);
    viewCamera.setXScale(0.1);
    viewCamera.setYScale(0.1);
    viewCamera.setNear(50.0);
    viewCamera.setFar(100000.0);
    repaint();
}

void PlanView::render()
{
    viewCamera.setViewport(clientRect().size);
}

void PlanView::paintContents(Vell::DC& dc)
{
    GLWidget::paintContents(dc);
    glFlush();
    drawStatus(dc);
}

void PlanView::drawStatus(Vell::DC& dc)
{
    dc.setBackgroundMode(Vell::DC::transparent);
    dc.setTextColor(Vell::Color(255, 255, 255));
    Vector3 p = playerNode.position();
    printAt(dc, 1, 1, "Player position:");
    printAt(dc, 2, 2, "x: %.3f, y: %.3f", p.x, p.y);
    printAt(dc, 2, 3, "angle: %.3f", playerNode.heading());
    printAt(dc, 2, 4, "sector: %d", playerNode.sector);
}

void PlanView::onKeyDown(int key, std::int64_t)
{
    if (handleKey(key))
        repaint();
}

bool PlanView::handleKey(int key)
{
    switch (key) {
    case keyEscape:
        if (auto* main = dynamic_cast<Vell::Window*>(getParent()))
            main->close(false);
        return false;
    case keyLeft:
        playerNode.rotate(turnStep, 0.0, 0.0, 1.0);
        return true;
    case keyRight:
        playerNode.rotate(-turnStep, 0.0, 0.0, 1.0);
        return true;
    case keyUp:
        playerNode.move(0.0, forwardStep, 0.0);
        return true;
    case keyDown:
        playerNode.move(0.0, -backwardStep, 0.0);
        return true;
    case keyA:
        viewCamera.translate(0.0, 0.0, -zoomStep);
        return true;
    case keyZ:
        viewCamera.translate(0.0, 0.0, zoomStep);
        return true;
    case keyR:
        reset();   // repaints itself
        return false;
    default:
        return true;   // nothing changes, but the picture is drawn again
    }
}

} // namespace Vell3D
