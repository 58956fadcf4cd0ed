#include "walkview/ViewerApplication.h"

#include "gui/Rect.h"
#include "viewer/ViewerStartup.h"
#include "walkview/MainWindow.h"
#include "walkview/MapView.h"

namespace Vell3D {

namespace {

// Gives the view the keyboard focus whenever the main window is activated.
class FocusOnActivate : public Vell::Listener {
public:
    explicit FocusOnActivate(MapView* view) : view(view) {}
    void notify() override { view->focus(); }

private:
    MapView* view;
};

} // namespace

ViewerApplication::ViewerApplication() = default;

ViewerApplication::~ViewerApplication() noexcept(false) { closeWindows(); }

bool ViewerApplication::init()
{
    if (!ViewerStartup::checkArguments(arguments, "walkview")) {
        exitStatus = ViewerStartup::usageStatus;
        return false;
    }
    ViewerStartup::openArchive(archive, arguments.at(1));
    ViewerStartup::loadTiles(tiles, archive);
    createWindows();
    ViewerStartup::loadWorld(archive, arguments.at(2), [this](const Map& map) { world.build(map); });
    world.attachTextures(tiles);
    view->setWorld(&world);
    main->activateListeners.append(new FocusOnActivate(view));
    return true;
}

void ViewerApplication::createWindows()
{
    main = new MainWindow(windowTitle);
    main->closeListeners.append(&quitOnClose);
    mainWindow = main;
    main->show(true);
    view = new MapView(Vell::Rect(0, 0, MapView::viewWidth, MapView::viewHeight), main);
}

int ViewerApplication::run()
{
    int status;
    try {
        status = GUIApplication::run();
    } catch (...) {
        closeWindows();
        throw;
    }
    closeWindows();
    return status;
}

void ViewerApplication::closeWindows()
{
    delete view;
    view = nullptr;
    delete main;
    main = nullptr;
    mainWindow = nullptr;
}

} // namespace Vell3D
