// ViewerApplication: walkview's application object. init opens the archive,
// loads the tiles, makes the main window and the view, builds the world from
// the map and hands it to the view; the message loop does the rest. The
// object owns the archive, the tile set and the world for the whole run.
#pragma once

#include <memory>

#include "gui/GUIApplication.h"
#include "gui/Listener.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace Vell3D {

class MainWindow;
class MapView;

class ViewerApplication : public Vell::GUIApplication {
public:
    static constexpr const char* windowTitle = "Gorvax 3D Map Viewer";

    ViewerApplication();
    ~ViewerApplication() noexcept(false) override;

    bool init() override;
    // The loop, then the windows go, also when start-up failed half way.
    int run() override;

    MapView* view = nullptr;
    GroupArchive archive;
    TileSet tiles;
    World world;

private:
    // Ends the program when the main window closes.
    class QuitOnClose : public Vell::Listener {
    public:
        explicit QuitOnClose(ViewerApplication& application) : application(application) {}
        void notify() override { application.quit(); }
    private:
        ViewerApplication& application;
    };

    void createWindows();
    void closeWindows();

    QuitOnClose quitOnClose{*this};
    MainWindow* main = nullptr;
};

} // namespace Vell3D
