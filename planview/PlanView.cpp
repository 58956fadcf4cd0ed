#include "planview/PlanView.h"

#include <GL/gl.h>

#include <cmath>

#include "gui/DC.h"
#include "gui/platform/Platform.h"
#include "planview/PlanPointer.h"
#include "render/Placement.h"
#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double cameraHeight = 8000.0;
constexpr double turnStep = 5.0;       // degrees
constexpr double forwardStep = 250.0;
constexpr double backwardStep = 200.0;
constexpr double zoomStep = 100.0;

} // namespace

PlanView::PlanView(const Vell::Rect& rect, Vell::Window* parent)
    : ViewerPane(rect, parent), mapNode(nullptr), playerNode(nullptr)
{
    playerNode.setParent(&viewCamera);
    mapNode.setParent(&playerNode);
    playerNode.viewWindows = viewWindows();
    playerNode.updateVisibility();
}

std::vector<Segment> PlanView::viewWindows()
{
    // About 18.4 degrees to either side ahead, 26.6 behind.
    return {
        {Vector3(20000.0, 60000.0, 0.0), Vector3(-20000.0, 60000.0, 0.0)},
        {Vector3(2000.0, -4000.0, 0.0), Vector3(-2000.0, -4000.0, 0.0)},
    };
}

void PlanView::buildWorld(World& world, const Map& map, TileSet&) const
{
    World::BuildOptions options;
    options.planOnly = true;
    world.build(map, options);
    world.buildPieces();
}

void PlanView::setWorld(World* newWorld)
{
    if (!newWorld)
        playerNode.sector = -1;   // nothing to stand in
    world = newWorld;
    mapNode.world = newWorld;
    mapNode.player = &playerNode;
    playerNode.world = newWorld;
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
    viewCamera.render();
}

std::vector<StatusLine> PlanView::statusLines() const
{
    return StatusOverlay::playerLines(playerNode);
}

PanelSubject PlanView::pointedAt()
{
    if (!world || !pointer)
        return InfoPanel::pointer(-1, -1);
    const PlanPointer under(viewCamera, playerNode, *world, clientRect().size);
    const double x = pointer->x + 0.5, y = pointer->y + 0.5;
    const int sector = under.sectorAt(x, y);
    return InfoPanel::pointer(sector, under.wallNear(x, y, wallReach, sector));
}

void PlanView::onMouseMove(const Vell::Point& point, int)
{
    if (!showsPanel()) {
        pointer = point;
        return;
    }
    const PanelSubject before = pointedAt();
    pointer = point;
    if (pointedAt() != before)
        repaint();
}

void PlanView::drawPanelMarks(Vell::DC& dc, const PanelSubject& subject)
{
    if (!world || !world->hasPoints(subject.wall))
        return;
    const PlanPointer drawn(viewCamera, playerNode, *world, clientRect().size);
    double ax, ay, bx, by;
    if (!drawn.toView(world->wallStart(subject.wall).floorPoint(), ax, ay) ||
        !drawn.toView(world->wallEnd(subject.wall).floorPoint(), bx, by))
        return;
    dc.select(Vell::Pen(Vell::Color(255, 255, 0), 3));
    dc.line(int(std::lround(ax)), int(std::lround(ay)), int(std::lround(bx)), int(std::lround(by)));
}

void PlanView::onLeftButtonDown(const Vell::Point& point, int)
{
    pointer = point;
    if (!showsPanel() || !world)
        return;
    Vector3 floor;
    const int sector =
        PlanPointer(viewCamera, playerNode, *world, clientRect().size).sectorAt(point.x + 0.5, point.y + 0.5, &floor);
    if (sector < 0)
        return;
    Placement spot;
    spot.x = floor.x;
    spot.y = floor.y;
    spot.sector = sector;
    spot.placePlayer(playerNode);
    repaint();
}

bool PlanView::handleKey(int key)
{
    using namespace Vell::Platform;
    switch (key) {
    case VK_LEFT:
        playerNode.rotate(turnStep, 0.0, 0.0, 1.0);
        return true;
    case VK_RIGHT:
        playerNode.rotate(-turnStep, 0.0, 0.0, 1.0);
        return true;
    case VK_UP:
        playerNode.move(0.0, forwardStep, 0.0);
        return true;
    case VK_DOWN:
        playerNode.move(0.0, -backwardStep, 0.0);
        return true;
    case 'A':
        viewCamera.translate(0.0, 0.0, -zoomStep);
        return true;
    case 'Z':
        viewCamera.translate(0.0, 0.0, zoomStep);
        return true;
    case 'R':
        reset();   // repaints itself
        return false;
    default:
        return true;   // nothing changes, but the picture is drawn again
    }
}

} // namespace Vell3D
