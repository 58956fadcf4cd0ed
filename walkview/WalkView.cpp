#include "walkview/WalkView.h"

#include <GL/gl.h>

#include "core/Formatted.h"
#include "gui/DC.h"
#include "gui/platform/Platform.h"
#include "render/Renderer.h"
#include "render/SectorRenderer.h"
#include "render/WireRenderer.h"
#include "walkview/StopWatch.h"
#include "world/World.h"
#include "mapdata/TileSet.h"

namespace Vell3D {

namespace {

constexpr double walkStep = 100.0;
constexpr double eyeStep = 100.0;
constexpr double turnStep = 5.0;
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
    // Without a world nothing is prepared yet, so no context is needed.
    scene.useRenderer(this->sectorRenderer.get());
    holdMouse();
    focus();
}

// While the view is shown the mouse turns it; the plan shown instead leaves
// the pointer free.
void WalkView::holdMouse()
{
    capture();
    Vell::Platform::showCursor(false);
    Vell::Platform::setCursorPos(centre.x, centre.y);
}

void WalkView::setShown(bool shown)
{
    if (shown) {
        holdMouse();
    } else {
        releaseCapture();
        Vell::Platform::showCursor(true);
    }
    ViewerPane::setShown(shown);
}

void WalkView::buildWorld(World& world, const Map& map, TileSet& tiles) const
{
    world.build(map);
    world.attachTextures(tiles);
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
    // Display lists and tile textures live in the view's context: that is
    // where they are freed and made.
    makeCurrent();
    sectorRenderer->release();
    wireRenderer->release();
    TileSet* before = scene.world() ? scene.world()->textureCache : nullptr;
    TileSet* after = newWorld ? newWorld->textureCache : nullptr;
    if (after)
        after->beginTextureUse();
    scene.setWorld(newWorld);
    // The textures go with the lists that bound them, all but those the
    // new world's lists and frames bind (the renderer made those just now).
    if (before && before != after)
        before->releaseTextures();
    if (after)
        after->releaseUnusedTextures();
    resetCamera();
}

// The renderer left frees its lists, and the tile textures go unless the
// renderer coming binds them: coming back prepares everything anew anyway.
void WalkView::useRenderer(Renderer* renderer)
{
    makeCurrent();
    if (Renderer* leaving = scene.renderer(); leaving && leaving != renderer)
        leaving->release();
    TileSet* tiles = scene.world() ? scene.world()->textureCache : nullptr;
    if (tiles)
        tiles->beginTextureUse();
    scene.useRenderer(renderer);
    if (tiles)
        tiles->releaseUnusedTextures();
}

void WalkView::resetCamera()
{
    scene.resetCamera();
    repaint();
}

void WalkView::render()
{
    StopWatch watch;
    watch.start();
    if (scene.world()) {
        scene.drawFrame(clientRect().size);
        // Part of the frame, and timed with it.
        if (showsPanel())
            sight = lookAhead();
    } else {
        // Nothing to show before start-up hands over the world.
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    watch.stop();
    frameMicroseconds = watch.elapsedMicroseconds();
    frameTime = std::int32_t(watch.elapsed());
}

PanelSubject WalkView::lookAhead() const
{
    const PlayerNode& player = scene.playerCamera;
    const PortalCamera& eye = scene.portalCamera;
    World& world = *scene.world();
    RayHit hit;
    hit.origin = player.toParent(eye.toParent(Vector3(0.0, 0.0, 0.0)));
    hit.target = player.toParent(eye.toParent(Vector3(0.0, 0.0, -eye.far())));
    hit.sector = player.sector;
    world.castSight(hit, eye.visible, world.textureCache);
    return InfoPanel::fromSight(hit, world);
}

bool WalkView::handleKey(int key)
{
    using namespace Vell::Platform;
    switch (key) {
    case VK_LEFT: scene.portalCamera.rotate(turnStep, 0.0, 0.0, 1.0); return true;
    case VK_RIGHT: scene.portalCamera.rotate(-turnStep, 0.0, 0.0, 1.0); return true;
    case VK_UP:
    case VK_DOWN: return true;
    case 'W': walk(0.0, walkStep); return true;
    case 'S': walk(0.0, -walkStep); return true;
    case 'A': walk(-walkStep, 0.0); return true;
    case 'D': walk(walkStep, 0.0); return true;
    case 'Q': scene.portalCamera.translate(0.0, eyeStep, 0.0); return true;
    case 'Z': scene.portalCamera.translate(0.0, -eyeStep, 0.0); return true;
    case 'R': resetCamera(); return false;   // resetCamera repaints
    case VK_F1: showWire(!showsWire()); return true;
    case VK_F2: showDebug(!showsDebug()); return true;
    default: return false;
    }
}

void WalkView::walk(double dx, double dy)
{
    scene.playerCamera.move(dx, dy, 0.0);
    scene.portalCamera.updateVisibility();
}

void WalkView::showWire(bool wire)
{
    if (wire == showsWire())
        return;
    useRenderer(wire ? wireRenderer.get() : sectorRenderer.get());
}

void WalkView::showDebug(bool debug)
{
    scene.renderer()->debugFlag = debug;
}

bool WalkView::showsDebug() const
{
    return scene.renderer()->debugFlag;
}

void WalkView::onMouseMove(const Vell::Point&, int)
{
    int x, y;
    Vell::Platform::getCursorPos(x, y);
    if (x == centre.x && y == centre.y)
        return;
    int dx = x - centre.x, dy = y - centre.y;
    scene.playerCamera.rotate(-mouseDegreesPerPixel * dx, 0.0, 0.0, 1.0);
    if (dy != 0)
        scene.portalCamera.addPitch(-mouseDegreesPerPixel * dy);
    else
        // Turning the player moves the eye without touching the eye's own
        // transform, so its visible set would stay that of the old heading.
        scene.portalCamera.updateVisibility();
    Vell::Platform::setCursorPos(centre.x, centre.y);
    repaint();
}

std::vector<StatusLine> WalkView::statusLines() const
{
    using Vell::formatted;
    // The rate comes from the microsecond duration, so a frame shorter than
    // a millisecond still shows a finite rate.
    double rate = 1e6 / double(frameMicroseconds > 0 ? frameMicroseconds : 1);
    std::vector<StatusLine> lines = StatusOverlay::playerLines(scene.playerCamera);
    lines.push_back({1, 6, formatted("elapsed: %ld (%.2lf fps)", long(frameTime), rate)});
    lines.push_back({1, 7, formatted("visible sectors: %ld", long(scene.portalCamera.visible.size()))});
    lines.push_back({1, 8, formatted("visible mirrors: %ld", long(scene.renderer()->mirrorCount()))});
    return lines;
}

} // namespace Vell3D
