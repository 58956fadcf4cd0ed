#include "walkview/MapView.h"

#include <GL/gl.h>

#include <cstdio>

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

// printf into a line of at most 4095 characters.
template <typename... Values>
std::string formatLine(const char* format, Values... values)
{
    char buffer[4096];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

} // namespace

MapView::Renderers MapView::processRenderers()
{
    // Made on first use, after the libraries' own statics, and never
    // destroyed: their display lists die with the GL context.
    static SectorRenderer* textured = new SectorRenderer;
    static WireRenderer* outline = new WireRenderer;
    return {textured, outline};
}

MapView::MapView(const Vell::Rect& rect, Vell::Window* parent) : MapView(rect, parent, processRenderers()) {}

MapView::MapView(const Vell::Rect& rect, Vell::Window* parent, Renderers renderers)
    : GLWidget(rect, parent), renderers(renderers)
{
    current = renderers.textured;
    portalCamera.renderer = current;
    worldNode.renderer = current;
    playerCamera.renderer = current;
    playerCamera.setParent(&worldNode);
    playerCamera.parentNode = &worldNode;
    portalCamera.setParent(&playerCamera);
    portalCamera.source = &playerCamera;
    // The mouse turns the view for the whole run; nothing gives it back.
    capture();
    Vell::Platform::showCursor(false);
    Vell::Platform::setCursorPos(centre.x, centre.y);
    focus();
}

MapView::~MapView() noexcept(false)
{
    // The renderers outlive the view: they must not keep its scene.
    for (Renderer* renderer : {renderers.textured, renderers.outline}) {
        if (renderer->portalCamera == &portalCamera)
            renderer->setScene(nullptr, nullptr, nullptr, nullptr);
    }
}

void MapView::setWorld(World* newWorld)
{
    world = newWorld;
    useRenderer(current);
    playerCamera.world = world;
    resetCamera();
}

void MapView::useRenderer(Renderer* renderer)
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

void MapView::resetCamera()
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

void MapView::render()
{
    StopWatch watch;
    watch.start();
    if (world) {
        current->beginFrame();
        Vell::Rect client = clientRect();
        portalCamera.setViewport(client.size);
    } else {
        // Nothing to show before start-up hands over the world.
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    watch.stop();
    frameMicroseconds = watch.elapsedMicroseconds();
    frameTime = std::int32_t(watch.elapsed());
}

void MapView::paintContents(Vell::DC& dc)
{
    GLWidget::paintContents(dc);
    glFlush();
    drawStatus(dc);
}

void MapView::onKeyDown(int key, std::int64_t)
{
    if (handleKey(key))
        repaint();
}

bool MapView::handleKey(int key)
{
    using namespace Vell::Platform;
    switch (key) {
    case VK_ESCAPE:
        if (auto* main = dynamic_cast<Vell::Window*>(getParent()))
            main->close(false);
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

void MapView::walk(double dx, double dy)
{
    playerCamera.move(dx, dy, 0.0);
    portalCamera.translate(0.0, 0.0, 0.0);
}

void MapView::swapRenderers()
{
    useRenderer(current == renderers.outline ? renderers.textured : renderers.outline);
}

void MapView::onMouseMove(const Vell::Point&, int)
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
        portalCamera.translate(0.0, 0.0, 0.0);
    Vell::Platform::setCursorPos(centre.x, centre.y);
    repaint();
}

std::vector<MapView::StatusLine> MapView::statusLines() const
{
    Vector3 position = playerCamera.position();
    // The rate comes from the microsecond duration, so a frame shorter than
    // a millisecond still shows a finite rate.
    double rate = 1e6 / double(frameMicroseconds > 0 ? frameMicroseconds : 1);
    return {
        {1, 1, "Player position:"},
        {2, 2, formatLine("x: %.3f, y: %.3f", position.x, position.y)},
        {2, 3, formatLine("angle: %.3f", playerCamera.heading())},
        {2, 4, formatLine("sector: %d", playerCamera.sector)},
        {1, 6, formatLine("elapsed: %ld (%.2lf fps)", long(frameTime), rate)},
        {1, 7, formatLine("visible sectors: %ld", long(portalCamera.visible.size()))},
        {1, 8, formatLine("visible mirrors: %ld", long(current->mirrorCount()))},
    };
}

void MapView::drawStatus(Vell::DC& dc)
{
    dc.setBackgroundMode(Vell::DC::transparent);
    dc.setTextColor(Vell::Color(255, 255, 255));
    for (const StatusLine& line : statusLines())
        dc.textOut(10 * line.column, 16 * line.row, line.text.c_str());
}

} // namespace Vell3D
