#include "planview/PlanApplication.h"

#include "planview/PlanMainWindow.h"
#include "planview/PlanView.h"
#include "viewer/ViewerStartup.h"

namespace Vell3D {

bool PlanApplication::init()
{
    if (!ViewerStartup::checkArguments(arguments, "planview")) {
        exitStatus = ViewerStartup::usageStatus;
        return false;
    }
    ViewerStartup::openArchive(archive, arguments.at(1));
    // Nothing in the plan is textured, but the tile set is part of the
    // shared start-up and a broken palette fails the same way.
    ViewerStartup::loadTiles(tiles, archive);
    createWindows();
    ViewerStartup::loadWorld(archive, arguments.at(2), [this](const Map& map) { buildWorld(map); });
    view->setWorld(&world);
    return true;
}

void PlanApplication::createWindows()
{
    auto* main = new PlanMainWindow;
    main->closeListeners.append(&quitter);
    mainWindow = main;
    main->show(true);
    view = new PlanView(Vell::Rect(0, 0, 800, 600), main);
    main->view = view;
    view->focus();
}

void PlanApplication::buildWorld(const Map& map)
{
    World::BuildOptions options;
    options.planOnly = true;
    world.build(map, options);
    world.buildPieces();
}

} // namespace Vell3D
