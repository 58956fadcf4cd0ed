#include "walkview/WalkView.h"

#include <GL/gl.h>

#include "gui/DC.h"
#include "gui/platform/Platform.h"
#include "render/Renderer.h"
#include "render/SectorRenderer.h"
#include "render/WireRenderer.h"
#include "walkview/StopWatch.h"
#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double walkStep = 100.0;
constexpr double eyeStep = 100.0;
constexpr double turnStep = 5.0;
constexpr double eyeHeight = 500.0;
constexpr double pixelScale = 0.1;
constexpr double nearDistance = 50.0;
constexpr double farDistance = 200000.0;
constexpr double mouseDegreesPerPixel = 0.1;

} // namespace

WalkView::WalkView(const Vell::Rect& rect, Vell::Window* parent)
    : WalkView(rect, parent, std::make_unique<SectorRenderer>(), std::make_unique<WireRenderer>())
{
}

WalkView::WalkView(const Vell::Rect& rect, Vell::Window* parent, std::unique_ptr<Renderer> sectorRenderer,
                   std::unique_ptr<Renderer> wireRenderer)
    : ViewerPane(rect, parent), sectorRenderer(std::move(sectorRenderer)), wireRenderer(std::move(wireRenderer))
{
    current = this->sectorRenderer.get();
    portalCamera.renderer = current;
    worldNode.renderer = current;
    playerCamera.renderer = current;
    playerCamera.setParent(&worldNode);
    portalCamera.setParent(&playerCamera);
    portalCamera.source = &playerCamera;
    // The mouse turns the view for the whole run; nothing gives it back.
    capture();
    Vell::Platform::showCursor(false);
    Vell::Platform::setCursorPos(centre.x, centre.y);
    focus();
}

WalkView::~WalkView() noexcept(false)
{
    // The lists die with this view's context, which the widget part still
    // holds: free them there, not in whatever context is current later.
    makeCurrent();
    sectorRenderer.reset();
    wireRenderer.reset();
}

void WalkView::setWorld(World* newWorld)
{
    world = newWorld;
    useRenderer(current);
    playerCamera.world = world;
    resetCamera();
}

void WalkView::useRenderer(Renderer* renderer)
{
    current = renderer;
    portalCamera.renderer = renderer;
    worldNode.renderer = renderer;
    playerCamera.renderer = renderer;
    renderer->setScene(&worldNode, &portalCamera, &playerCamera, world);
    // prepare compiles display lists: the view's context must be current.
    makeCurrent();
    renderer->prepare();
}

void WalkView::resetCamera()
{
    if (world)
        playerCamera.takePlacement(world->camera);
    portalCamera.reset();
    portalCamera.translate(0.0, 0.0, eyeHeight);
    portalCamera.rotate(90.0, 1.0, 0.0, 0.0);
    portalCamera.setXScale(pixelScale);
    portalCamera.setYScale(pixelScale);
    portalCamera.setNear(nearDistance);
    portalCamera.setFar(farDistance);
    repaint();
}

void WalkView::render()
{
    StopWatch watch;
    watch.start();
    if (world) {
        current->beginFrame();
        Vell::Rect client = clientRect();
        portalCamera.setViewport(client.size);
        portalCamera.render();
    } else {
        // Nothing to show before start-up hands over the world.
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    watch.stop();
    frameMicroseconds = watch.elapsedMicroseconds();
    frameTime = std::int32_t(watch.elapsed());
}

void WalkView::onKeyDown(int key, std::int64_t)
{
    if (handleKey(key))
        repaint();
}

bool WalkView::handleKey(int key)
{
    using namespace Vell::Platform;
    switch (key) {
    case VK_ESCAPE:
        closeWindow();
        return false;
    case VK_LEFT: portalCamera.rotate(turnStep, 0.0, 0.0, 1.0); return true;
    case VK_RIGHT: portalCamera.rotate(-turnStep, 0.0, 0.0, 1.0); return true;
    case VK_UP:
    case VK_DOWN: return true;
    case 'W': walk(0.0, walkStep); return true;
    case 'S': walk(0.0, -walkStep); return true;
    case 'A': walk(-walkStep, 0.0); return true;
    case 'D': walk(walkStep, 0.0); return true;
    case 'Q': portalCamera.translate(0.0, eyeStep, 0.0); return true;
    case 'Z': portalCamera.translate(0.0, -eyeStep, 0.0); return true;
    case 'R': resetCamera(); return false;   // resetCamera repaints
    case VK_F1: swapRenderers(); return true;
    case VK_F2: current->debugFlag = !current->debugFlag; return true;
    default: return false;
    }
}

void WalkView::walk(double dx, double dy)
{
    playerCamera.move(dx, dy, 0.0);
    portalCamera.updateVisibility();
}

void WalkView::swapRenderers()
{
    useRenderer(current == wireRenderer.get() ? sectorRenderer.get() : wireRenderer.get());
}

void WalkView::onMouseMove(const Vell::Point&, int)
{
    int x, y;
    Vell::Platform::getCursorPos(x, y);
    if (x == centre.x && y == centre.y)
        return;
    int dx = x - centre.x, dy = y - centre.y;
    playerCamera.rotate(-mouseDegreesPerPixel * dx, 0.0, 0.0, 1.0);
    if (dy != 0)
        portalCamera.addPitch(-mouseDegreesPerPixel * dy);
    else
        // Turning the player moves the eye without touching the eye's own
        // transform, so its visible set would stay that of the old heading.
        portalCamera.updateVisibility();
    Vell::Platform::setCursorPos(centre.x, centre.y);
    repaint();
}

std::vector<StatusLine> WalkView::statusLines() const
{
    using StatusOverlay::format;
    // The rate comes from the microsecond duration, so a frame shorter than
    // a millisecond still shows a finite rate.
    double rate = 1e6 / double(frameMicroseconds > 0 ? frameMicroseconds : 1);
    std::vector<StatusLine> lines = StatusOverlay::playerLines(playerCamera);
    lines.push_back({1, 6, format("elapsed: %ld (%.2lf fps)", long(frameTime), rate)});
    lines.push_back({1, 7, format("visible sectors: %ld", long(portalCamera.visible.size()))});
    lines.push_back({1, 8, format("visible mirrors: %ld", long(current->mirrorCount()))});
    return lines;
}

} // namespace Vell3D
