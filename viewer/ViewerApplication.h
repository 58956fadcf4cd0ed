// ViewerApplication: the shell both viewers share. init checks the command
// line, opens the archive, loads the tile set, opens the window with the
// program's view, reads the map and shows it; the message loop does the
// rest and closing the window ends it. Trouble that does not end the
// program (an art file that stopped the tiles early, a map that failed
// later, a picture not saved) is said on standard output and, for a few
// seconds, in the overlay's place.
//
// The window holds two views of the same map, the program's own and the
// other one (the 3D view and the plan), made when first asked for; Tab
// switches between them with the player where he stood. PageDown and PageUp
// open the archive's next and previous maps; F12 saves what the view shows.
// The info panel (I) stays on or off across Tab, and reads the records of
// the map kept here.
// Each view keeps the world it needs, built once per map; the map itself is
// kept, so the other view's world can be built when it is first shown. A
// map that is left gives back all it held: both worlds, the 3D view's lists
// and the textures the next map does not show, and the process's free
// memory goes back to the system once the next map is shown, so paging
// does not make it grow.
#pragma once

#include <memory>
#include <string>

#include "gui/GUIApplication.h"
#include "gui/Listener.h"
#include "gui/Rect.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "viewer/MapList.h"
#include "viewer/ViewerPane.h"
#include "world/World.h"

namespace Vell3D {

class ViewerWindow;

class ViewerApplication : public Vell::GUIApplication, private ShellKeys {
public:
    // How long a notice stays in the overlay.
    static constexpr std::uint64_t noticeMilliseconds = 4000;

    ~ViewerApplication() noexcept(false) override;

    bool init() override;
    // The loop, then the windows go, also when start-up failed half way.
    int run() override;
    // Takes a notice off the overlay once its time is up, and gives the
    // memory of a map left back to the system once the next one is shown.
    bool onIdle(int count) override;

    ViewerWindow* window() const { return main; }
    // The view shown in the window; null before start-up made it and after
    // the windows closed.
    ViewerPane* pane() const;
    // The world of the view shown (empty before a map was shown).
    World& world();
    // The name of the map shown: its archive entry ("E3L1.MAP") or its
    // file's name.
    const std::string& mapName() const { return shownName; }

    // The window's keys, also for callers other than the keyboard.
    // Tab: the other view, with the player where he stands.
    void switchView();
    // PageDown (+1) and PageUp (-1): the archive's next or previous map, at
    // its start. A map that fails leaves the one shown and says why.
    void stepMap(int by);
    // F12: the view without its overlay as "<map>-<n>.png" in the working
    // folder, never over an existing file; returns the file's name, or ""
    // when nothing was written (the overlay and standard output say why).
    std::string savePicture();

    GroupArchive archive;
    TileSet tiles;

protected:
    // Makes a view as a child of the window, filling the area.
    using ViewMaker = ViewerPane* (*)(const Vell::Rect& area, Vell::Window* window);
    template <class View>
    static ViewerPane* makeView(const Vell::Rect& area, Vell::Window* window)
    {
        return new View(area, window);
    }

    // The program's name (for its usage text), its window's title, the view
    // it starts with and the one Tab brings (makeView<TheView>).
    ViewerApplication(const char* program, const char* title, ViewMaker first, ViewMaker second);

    // The view in a slot (0: the program's own, 1: the other), or null when
    // it has not been made yet.
    ViewerPane* view(int slot) const { return slots[slot].view; }

private:
    // A view and the world it shows.
    struct Slot {
        ViewMaker make = nullptr;
        ViewerPane* view = nullptr;         // a child of the window
        std::unique_ptr<World> world;
        int builtFor = -1;                  // the map (by serial) the world holds
    };

    // Ends the program when the window closes.
    class QuitOnClose : public Vell::Listener {
    public:
        explicit QuitOnClose(ViewerApplication& application) : application(application) {}
        void notify() override { application.quit(); }

    private:
        ViewerApplication& application;
    };

    bool shellKey(int key) override;
    void createWindow();
    // The map asked for on the command line, in the program's own view.
    void showFirstMap(const std::string& requested);
    void closeWindows();
    ViewerPane& viewOf(Slot& slot);
    // A new world for the slot's view from the map; the names say which map
    // failed.
    std::unique_ptr<World> buildFor(Slot& slot, const Map& source, const std::string& name);
    // The slot's view shows the kept map, built now unless it already is.
    void showKeptMap(Slot& slot);
    void takeMap(Map source, const std::string& name);
    void report(const Vell::Exception& failure);
    void returnLeftMemory();

    const char* program;
    const char* title;
    QuitOnClose quitOnClose{*this};
    ViewerWindow* main = nullptr;
    Slot slots[2];
    int shown = 0;
    World noWorld;                          // what world() gives before a map
    Map map;                                // the map shown
    int mapSerial = 0;
    std::string shownName;
    MapList maps;
    int listPosition = -1;                  // where PageDown and PageUp step from
    // The window's present count when a map was left, until its memory
    // went back to the system; -1 when nothing waits to go back.
    int freeAfterPresent = -1;
};

} // namespace Vell3D
