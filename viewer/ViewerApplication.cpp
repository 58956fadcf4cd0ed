#include "viewer/ViewerApplication.h"

#include "viewer/ViewerPane.h"
#include "viewer/ViewerStartup.h"
#include "viewer/ViewerWindow.h"

namespace Vell3D {

ViewerApplication::ViewerApplication(const char* program, const char* title, ViewMaker viewMaker)
    : program(program), title(title), viewMaker(viewMaker)
{
}

ViewerPane* ViewerApplication::pane() const
{
    return main ? static_cast<ViewerPane*>(main->view) : nullptr;
}

void ViewerApplication::showWorld()
{
    pane()->setWorld(&world);
}

ViewerApplication::~ViewerApplication() noexcept(false) { closeWindows(); }

// The order is fixed: tiles before any window, the window and the view
// before the map is read (so a bad map leaves them created), the world
// built before the view sees it.
bool ViewerApplication::init()
{
    if (!ViewerStartup::checkArguments(arguments, program)) {
        exitStatus = ViewerStartup::usageStatus;
        return false;
    }
    ViewerStartup::openArchive(archive, arguments.at(1));
    ViewerStartup::loadTiles(tiles, archive);
    createWindow();
    ViewerStartup::loadWorld(archive, arguments.at(2), [this](const Map& map) { buildWorld(map); });
    showWorld();
    main->view->focus();
    return true;
}

void ViewerApplication::createWindow()
{
    main = new ViewerWindow(title);
    main->closeListeners.append(&quitOnClose);
    mainWindow = main;
    main->show(true);
    main->view = viewMaker(Vell::Rect(0, 0, ViewerWindow::viewWidth, ViewerWindow::viewHeight), main);
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
    // The view before the window it sits in.
    if (main) {
        delete main->view;
        main->view = nullptr;
    }
    delete main;
    main = nullptr;
    mainWindow = nullptr;
}

} // namespace Vell3D
