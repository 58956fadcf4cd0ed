// ViewerApplication: the start-up both viewers share. init checks the
// command line, opens the archive, loads the tile set, opens the window with
// the program's view, builds the world from the map and shows it; the
// message loop does the rest and closing the window ends it. The object owns
// the archive, the tile set and the world for the whole run; a program says
// only which view it shows and how it builds its world.
#pragma once

#include "gui/GUIApplication.h"
#include "gui/Listener.h"
#include "gui/Rect.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace Vell3D {

class Map;
class ViewerPane;
class ViewerWindow;

class ViewerApplication : public Vell::GUIApplication {
public:
    ~ViewerApplication() noexcept(false) override;

    bool init() override;
    // The loop, then the windows go, also when start-up failed half way.
    int run() override;

    ViewerWindow* window() const { return main; }
    // The program's view in the window; null before start-up made it and
    // after the windows closed.
    ViewerPane* pane() const;

    GroupArchive archive;
    TileSet tiles;
    World world;

protected:
    // Makes the program's view as a child of the window, filling the area.
    using ViewMaker = ViewerPane* (*)(const Vell::Rect& area, Vell::Window* window);
    template <class View>
    static ViewerPane* makeView(const Vell::Rect& area, Vell::Window* window)
    {
        return new View(area, window);
    }

    // The program's name (for its usage text), its window's title and its
    // view (makeView<TheView>), 800 x 600 at the window's corner.
    ViewerApplication(const char* program, const char* title, ViewMaker viewMaker);

    // Builds the world while the map lives.
    virtual void buildWorld(const Map& map) = 0;
    // Hands the built world to the view.
    virtual void showWorld();

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
    ViewMaker viewMaker;
    QuitOnClose quitOnClose{*this};
    ViewerWindow* main = nullptr;
};

} // namespace Vell3D
