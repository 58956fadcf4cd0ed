// ViewerApplication: the start-up both viewers share. init checks the
// command line, opens the archive, loads the tile set, opens the window with
// the program's view, builds the world from the map and shows it; the
// message loop does the rest and closing the window ends it. The object owns
// the archive, the tile set and the world for the whole run; a program says
// only which view it shows and how it builds its world.
#pragma once

#include "gui/GUIApplication.h"
#include "gui/Listener.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace Vell3D {

class Map;
class ViewerWindow;

class ViewerApplication : public Vell::GUIApplication {
public:
    ~ViewerApplication() noexcept(false) override;

    bool init() override;
    // The loop, then the windows go, also when start-up failed half way.
    int run() override;

    ViewerWindow* window() const { return main; }

    GroupArchive archive;
    TileSet tiles;
    World world;

protected:
    // The program's name (for its usage text) and its window's title.
    ViewerApplication(const char* program, const char* title);

    // The view, 800 x 600 at the window's corner.
    virtual Vell::Window* createView(ViewerWindow& window) = 0;
    // Builds the world while the map lives.
    virtual void buildWorld(const Map& map) = 0;
    // Hands the built world to the view.
    virtual void showWorld() = 0;

private:
    // Ends the program when the window closes.
    class QuitOnClose : public Vell::Listener {
    public:
        explicit QuitOnClose(ViewerApplication& application) : application(application) {}
        void notify() override { application.quit(); }

    private:
        ViewerApplication& application;
    };

    void createWindow();
    void closeWindows();

    const char* program;
    const char* title;
    QuitOnClose quitOnClose{*this};
    ViewerWindow* main = nullptr;
};

} // namespace Vell3D
