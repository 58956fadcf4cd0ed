// PlanApplication: the plan viewer's start-up. The same steps as the 3D
// viewer's (usage text, archive, tile set, the map by the viewers' rule),
// then the plan view and the reduced world with its convex pieces; no
// textures are attached. The application owns the archive, the tile set
// and the world for the whole run.
#pragma once

#include "gui/GUIApplication.h"
#include "gui/Listener.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace Vell3D {

class PlanView;

class PlanApplication : public Vell::GUIApplication {
public:
    bool init() override;

    PlanView* view = nullptr;   // a child of the main window
    GroupArchive archive;
    TileSet tiles;
    World world;

private:
    // Closing the main window ends the program.
    class Quitter : public Vell::Listener {
    public:
        explicit Quitter(PlanApplication& application) : application(application) {}
        void notify() override { application.quit(); }

    private:
        PlanApplication& application;
    };

    void createWindows();
    void buildWorld(const Map& map);

    Quitter quitter{*this};
};

} // namespace Vell3D
