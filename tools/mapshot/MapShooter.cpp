#include "tools/mapshot/MapShooter.h"

#include "render/SectorRenderer.h"

#include "gui/Window.h"
#include "gui/platform/Platform.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "planview/PlanView.h"
#include "render/SectorRenderer.h"
#include "viewer/ViewerStartup.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"
#include "world/World.h"

namespace VellTools {

using Vell3D::World;

namespace {

constexpr int maxMessages = 1000;   // what one picture may take to paint, at the very most

// Pictures of any size show what the viewers' 800-pixel-wide view shows
// across its width, so a thumbnail is the same view made smaller.
void fitWidth(Vell3D::Camera& camera, int width)
{
    const double scale = camera.xScale() * Vell3D::ViewerWindow::viewWidth / width;
    camera.setXScale(scale);
    camera.setYScale(scale);
}

} // namespace

class MapShooter::Stage {
public:
    explicit Stage(const ShotOptions& options);
    ~Stage();

    Vell::Picture shoot(Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, const std::string& mapName,
                  MapCounts& counts);

private:
    Vell3D::ViewerPane& view();
    void show3d();
    void showPlan();
    Vell::Picture present();

    ShotOptions options;
    std::unique_ptr<Vell3D::ViewerWindow> window;
    std::unique_ptr<Vell3D::WalkView> walkView;
    std::unique_ptr<Vell3D::PlanView> planView;
    World world;
};

MapShooter::Stage::Stage(const ShotOptions& o) : options(o)
{
    using namespace Vell::Platform;
    window = std::make_unique<Vell3D::ViewerWindow>("mapshot", o.width, o.height);
    const Vell::Rect area(0, 0, o.width, o.height);
    if (o.view == ShotView::plan) {
        planView = std::make_unique<Vell3D::PlanView>(area, window.get());
        planView->showsOverlay = o.overlay;
    } else {
        walkView = std::make_unique<Vell3D::WalkView>(area, window.get());
        walkView->showsOverlay = o.overlay;
    }
    window->show(true);
    setFrameCapture(window->handle(), true);
    if (walkView) {
        walkView->showWire(o.view == ShotView::wire);
        walkView->showDebug(o.debug);
    }
    Vell3D::SectorRenderer::fogShown = o.fog;
}

MapShooter::Stage::~Stage()
{
    walkView.reset();
    planView.reset();
    window.reset();
}

Vell3D::ViewerPane& MapShooter::Stage::view()
{
    if (planView)
        return *planView;
    return *walkView;
}

Vell::Picture MapShooter::Stage::shoot(Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, const std::string& mapName,
                                 MapCounts& counts)
{
    {
        // The map goes once the world is built from it.
        const Vell3D::Map map = Vell3D::loadMapByName(archive, mapName.c_str());
        counts = MapCounts{map.sectorCount(), map.wallCount(), map.spriteCount()};
        Vell3D::ViewerStartup::buildWorld(view(), world, map, tiles, mapName);
    }
    view().setWorld(&world);
    if (planView)
        showPlan();
    else
        show3d();
    return present();
}

void MapShooter::Stage::show3d()
{
    fitWidth(walkView->scene.portalCamera, options.width);
    options.placement.placeView(walkView->scene);
}

void MapShooter::Stage::showPlan()
{
    options.placement.placePlayer(planView->playerNode);
    fitWidth(planView->viewCamera, options.width);
}

Vell::Picture MapShooter::Stage::present()
{
    // The frame is presented once no window of it waits for a paint, as on
    // screen: let the windows paint (the view and the frame around it).
    view().repaint();
    Vell::Platform::Message message;
    for (int handled = 0; handled < maxMessages && Vell::Platform::peekMessage(message); ++handled) {
        Vell::Platform::translateMessage(message);
        Vell::Platform::dispatchMessage(message);
    }
    Vell::Picture picture;
    picture.pixels = Vell::Platform::readFrame(window->handle(), picture.width, picture.height);
    return picture;
}

MapShooter::MapShooter(const ShotOptions& options) : stage(std::make_unique<Stage>(options)) {}
MapShooter::~MapShooter() = default;

Vell::Picture MapShooter::shoot(Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, const std::string& mapName,
                          MapCounts& counts)
{
    return stage->shoot(archive, tiles, mapName, counts);
}

} // namespace VellTools
