#include "viewer/ViewerApplication.h"

#include <cstdio>
#include <filesystem>

#include "core/Console.h"
#include "core/FileOutput.h"
#include "core/FreeMemory.h"
#include "gui/platform/Platform.h"
#include "mapdata/MapSource.h"
#include "viewer/ViewerStartup.h"
#include "viewer/ViewerWindow.h"

namespace Vell3D {

namespace {

// A file name made from a map's name: its stem, with anything but letters,
// digits, '-' and '_' replaced, since an entry's name may hold a '/'.
std::string pictureStem(const std::string& mapName)
{
    std::string stem = mapName.substr(0, mapName.rfind('.'));
    if (stem.empty())
        stem = "map";
    for (char& c : stem) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_';
        if (!plain)
            c = '_';
    }
    return stem;
}

} // namespace

ViewerApplication::ViewerApplication(const char* program, const char* title, ViewMaker first, ViewMaker second)
    : program(program), title(title)
{
    slots[0].make = first;
    slots[1].make = second;
}

ViewerApplication::~ViewerApplication() noexcept(false) { closeWindows(); }

ViewerPane* ViewerApplication::pane() const { return slots[shown].view; }

World& ViewerApplication::world()
{
    World* shownWorld = slots[shown].world.get();
    return shownWorld ? *shownWorld : noWorld;
}

// The order is fixed (viewer/ViewerStartup.h): tiles before any window,
// the window and the view before the map is read (so a bad map leaves them
// created), the world built before the view sees it. Art files that stop
// the tiles early are no failure: the map shows with the tiles read, and
// the user is told which file stopped them and why.
bool ViewerApplication::init()
{
    if (!ViewerStartup::checkArguments(arguments, program)) {
        exitStatus = ViewerStartup::asksForHelp(arguments) ? 0 : ViewerStartup::usageStatus;
        return false;
    }
    ViewerStartup::openArchive(archive, arguments.at(1));
    ViewerStartup::loadTiles(tiles, archive);
    // Said at once, and again in the overlay once the map is shown.
    const std::string tileProblem = tiles.artProblem().text();
    if (!tileProblem.empty())
        Vell::console() << tileProblem.c_str() << "\n";
    maps = MapList(archive);
    createWindow();
    showFirstMap(arguments.at(2).text());
    slots[0].view->focus();
    if (!tileProblem.empty())
        slots[0].view->showNotice({tileProblem}, true, noticeMilliseconds);
    return true;
}

void ViewerApplication::showFirstMap(const std::string& requested)
{
    std::string name;
    Map first = loadMapByName(archive, requested.c_str(), &name);
    // The name on the command line, not the one shown, is what the user
    // knows from a failure at start-up.
    std::unique_ptr<World> built = buildFor(slots[0], first, requested);
    slots[0].world = std::move(built);
    takeMap(std::move(first), name);
    slots[0].builtFor = mapSerial;
    slots[0].view->setWorld(slots[0].world.get());
    listPosition = maps.find(name);
}

void ViewerApplication::createWindow()
{
    main = new ViewerWindow(title);
    main->closeListeners.append(&quitOnClose);
    mainWindow = main;
    main->show(true);
    main->view = &viewOf(slots[0]);
}

ViewerPane& ViewerApplication::viewOf(Slot& slot)
{
    if (!slot.view) {
        slot.view = slot.make(Vell::Rect(0, 0, ViewerWindow::viewWidth, ViewerWindow::viewHeight), main);
        slot.view->shell = this;
        // The same map object throughout: each map shown is moved into it.
        slot.view->records = &map;
    }
    return *slot.view;
}

std::unique_ptr<World> ViewerApplication::buildFor(Slot& slot, const Map& source, const std::string& name)
{
    auto built = std::make_unique<World>();
    ViewerStartup::buildWorld(viewOf(slot), *built, source, tiles, name);
    return built;
}

void ViewerApplication::takeMap(Map source, const std::string& name)
{
    map = std::move(source);
    ++mapSerial;
    shownName = name;
    main->setTitle(Vell::String((std::string(title) + " - " + name).c_str()));
}

void ViewerApplication::showKeptMap(Slot& slot)
{
    if (slot.builtFor == mapSerial)
        return;
    std::unique_ptr<World> built = buildFor(slot, map, shownName);
    viewOf(slot).setWorld(built.get());
    slot.world = std::move(built);
    slot.builtFor = mapSerial;
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

bool ViewerApplication::onIdle(int count)
{
    bool again = GUIApplication::onIdle(count);
    if (ViewerPane* view = pane())
        view->expireNotice(Vell::Platform::ticks());
    returnLeftMemory();
    return again;
}

// Not before the new map's first frame is shown: the pages given back are
// faulted in again by whatever needs memory next, and the user should not
// wait for that between PageDown and the picture. A few MB held free are
// not worth it.
void ViewerApplication::returnLeftMemory()
{
    constexpr std::size_t worthReturning = std::size_t(32) << 20;
    if (freeAfterPresent < 0 || !main || Vell::Platform::presentCount(main->handle()) <= freeAfterPresent)
        return;
    freeAfterPresent = -1;
    Vell::returnFreeMemory(worthReturning);
}

void ViewerApplication::closeWindows()
{
    // The views before the window they sit in, and before their worlds.
    for (Slot& slot : slots) {
        delete slot.view;
        slot.view = nullptr;
        slot.world.reset();
        slot.builtFor = -1;
    }
    if (main)
        main->view = nullptr;
    delete main;
    main = nullptr;
    mainWindow = nullptr;
}

bool ViewerApplication::shellKey(int key)
{
    using namespace Vell::Platform;
    switch (key) {
    case VK_TAB: switchView(); return true;
    case VK_NEXT: stepMap(+1); return true;
    case VK_PRIOR: stepMap(-1); return true;
    case VK_F12: savePicture(); return true;
    default: return false;
    }
}

void ViewerApplication::switchView()
{
    Slot& from = slots[shown];
    Slot& to = slots[1 - shown];
    try {
        showKeptMap(to);
    } catch (const Vell::Exception& failure) {
        report(failure);
        return;
    }
    to.view->placeLike(from.view->player());
    to.view->showPanel(from.view->showsPanel());
    from.view->setShown(false);
    shown = 1 - shown;
    main->view = to.view;
    to.view->setShown(true);
}

void ViewerApplication::stepMap(int by)
{
    listPosition = maps.step(listPosition, by);
    if (listPosition < 0) {
        report(Vell::Exception("the archive holds no maps"));
        return;
    }
    const std::string entry = maps.at(listPosition);
    Slot& slot = slots[shown];
    try {
        Map next = loadMapEntry(archive, entry.c_str());
        std::unique_ptr<World> built = buildFor(slot, next, entry);
        // Everything that can fail with the map has run: only now does the
        // shown map go, the other view's world and GL objects with it.
        Slot& other = slots[1 - shown];
        if (other.view)
            other.view->setWorld(nullptr);
        other.world.reset();
        other.builtFor = -1;
        slot.view->setWorld(built.get());
        slot.world = std::move(built);
        takeMap(std::move(next), entry);
        slot.builtFor = mapSerial;
        // The last map's worlds, lists and textures are freed by now; what
        // the process took for them goes back once the new map is shown.
        freeAfterPresent = Vell::Platform::presentCount(main->handle());
    } catch (const Vell::Exception& failure) {
        report(failure);
    }
}

std::string ViewerApplication::savePicture()
{
    const std::vector<std::uint8_t> png = Vell::encodePng(pane()->takePicture());
    const std::string stem = pictureStem(shownName);
    try {
        if (png.empty())
            throw Vell::IOException("no picture to save");
        for (int n = 1; n < 1000000; ++n) {
            const std::string file = stem + "-" + std::to_string(n) + ".png";
            std::error_code ignored;
            if (std::filesystem::exists(file, ignored) || std::filesystem::is_symlink(file, ignored))
                continue;
            if (Vell::writeNewFile(file, png)) {
                pane()->showNotice({"picture saved: " + file}, false, noticeMilliseconds);
                return file;
            }
        }
        throw Vell::IOException(Vell::SubjectMessage("no free picture name for", stem.c_str()));
    } catch (const Vell::Exception& failure) {
        report(failure);
    }
    return "";
}

// On standard output and, for a while, in the overlay's place.
void ViewerApplication::report(const Vell::Exception& failure)
{
    Vell::console() << failure.message() << "\n";
    if (ViewerPane* view = pane())
        view->showNotice({failure.message()}, true, noticeMilliseconds);
}

} // namespace Vell3D
