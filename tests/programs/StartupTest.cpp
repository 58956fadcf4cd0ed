// Start-up: the command line, the map rule and the failures, in process
// through the shared start-up and the application, and through the real
// programs for what the user sees (the text and the exit status).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "../support/ProgramRun.h"
#include "../world/WorldFixtures.h"
#include "core/Exception.h"
#include "gui/Window.h"
#include "gui/platform/Platform.h"
#include "mapdata/MapSource.h"
#include "programs/WalkApplication.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "viewer/ViewerStartup.h"
#include "walkview/WalkView.h"

using namespace Vell3D;
using TestSupport::ScratchFolder;
using TestSupport::runCommand;

namespace {

std::string usageOf(const std::string& program)
{
    return "use: " + program + " <grpfile> <mapname>\n\n"
           "the <mapname> is first tried as a filename, then as a map name within the grp file\n\n";
}
const std::string usageText = usageOf("walkview");

// The demo archive ("palette.dat", the art files, E3L1.MAP, DEMO.MAP).
const VellTools::Bytes& demoArchiveBytes()
{
    static const VellTools::Bytes bytes = VellTools::demoArchive(false);
    return bytes;
}

Vell::List<Vell::String> argumentList(std::initializer_list<const char*> values)
{
    Vell::List<Vell::String> list;
    for (const char* value : values)
        list.append(Vell::String(value));
    return list;
}

// The number of sectors of the map the rule finds for the name.
int sectorsLoaded(GroupArchive& archive, const char* name)
{
    return loadMapByName(archive, name).sectorCount();
}

// Runs the program in the folder, headless. The GL driver's and the fonts'
// caches would read as leaks in the sanitizer build (see GLDriverLeaks.cpp).
TestSupport::ProgramRun runIn(const ScratchFolder& folder, const std::string& arguments,
                              const char* program = WALKVIEW_PATH)
{
    return runCommand("cd '" + folder.path("") +
                      "' && SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 '" +
                      program + "' " + arguments + " 2>&1");
}

class InFolder {
public:
    explicit InFolder(const std::string& path) : previous(getcwd(nullptr, 0)) { EXPECT_EQ(chdir(path.c_str()), 0); }
    ~InFolder()
    {
        EXPECT_EQ(chdir(previous), 0);
        free(previous);
    }

private:
    char* previous;
};

} // namespace

TEST(Startup, wrongArgumentCountsWriteTheUsageAndOpenNothing)
{
    for (auto arguments : {argumentList({"walkview"}), argumentList({"walkview", "a.grp"}),
                           argumentList({"walkview", "a.grp", "$", "extra"})}) {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(ViewerStartup::checkArguments(arguments, "walkview"));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), usageText);
    }
    testing::internal::CaptureStdout();
    EXPECT_TRUE(ViewerStartup::checkArguments(argumentList({"walkview", "a.grp", "$"}), "walkview"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    // The application stops before anything: no archive, no window.
    WalkApplication application;
    application.arguments = argumentList({"walkview", "/nonexistent/a.grp"});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(application.init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), usageText);
    EXPECT_EQ(application.exitStatus, ViewerStartup::usageStatus);
    EXPECT_EQ(application.mainWindow, nullptr);
    EXPECT_EQ(application.view(), nullptr);
}

TEST(Startup, theMapRuleDollarThenDiskThenArchive)
{
    ScratchFolder folder;
    GroupArchive archive;
    archive.open(folder.write("demo.grp", demoArchiveBytes()).c_str());
    const int firstLevel = sectorsLoaded(archive, "$");
    const int showcase = sectorsLoaded(archive, "DEMO.MAP");
    ASSERT_GT(firstLevel, 1);
    ASSERT_GT(showcase, 1);

    // One-sector maps on disk under the names of archive entries.
    VellTools::Bytes room = VellTools::MapWriter::bytes(WorldFixtures::squareRoom());
    folder.write("$", room);
    folder.write("demo.map", room);
    InFolder inside(folder.path(""));
    EXPECT_EQ(sectorsLoaded(archive, "$"), firstLevel);       // "$" is always the entry
    EXPECT_EQ(sectorsLoaded(archive, "demo.map"), 1);         // the file beats the entry

    // A read-only map is still read from disk.
    ASSERT_EQ(chmod(folder.path("demo.map").c_str(), 0444), 0);
    EXPECT_EQ(sectorsLoaded(archive, "demo.map"), 1);

    // Not on disk: the lower-case name finds the upper-case entry.
    ASSERT_EQ(unlink(folder.path("demo.map").c_str()), 0);
    EXPECT_EQ(sectorsLoaded(archive, "demo.map"), showcase);

    // A file on disk in another format is final: the archive is not tried.
    VellTools::Bytes version10 = room;
    version10[0] = 10;
    folder.write("demo.map", version10);
    try {
        sectorsLoaded(archive, "demo.map");
        ADD_FAILURE() << "a version 10 map was accepted";
    } catch (Vell::Exception& e) {
        EXPECT_STREQ(e.message(), "bad map format in demo.map");
    }
}

TEST(Startup, theProgramsReportAndStatusForUsageAndFailures)
{
    ScratchFolder folder;
    folder.write("demo.grp", demoArchiveBytes());
    VellTools::GroupWriter noPalette;
    noPalette.add("E3L1.MAP", VellTools::MapWriter::bytes(WorldFixtures::squareRoom()));
    folder.write("nopalette.grp", noPalette.bytes());
    // Read without fault, but its sector's walls lie past the wall table:
    // the world cannot be built from it.
    VellTools::Bytes unbuildable = VellTools::MapWriter::bytes(WorldFixtures::squareRoom());
    unbuildable[22] = 0x00;
    unbuildable[23] = 0x10;   // the first sector's first wall: 4096
    folder.write("unbuildable.map", unbuildable);

    const std::string notFound = "unhandled exception: Exception\n[exception message: can't find grp entry ";
    struct Case {
        const char* arguments;
        int status;
        std::string output;
    } cases[] = {
        {"", 2, usageText},
        {"demo.grp", 2, usageText},
        {"demo.grp '$' extra", 2, usageText},
        {"missing.grp '$'", 1,
         "unhandled exception: IOException\n"
         "[exception message: can't open missing.grp: No such file or directory ]\n"},
        {"nopalette.grp '$'", 1, notFound + "palette.dat ]\n"},
        {"demo.grp nosuch.map", 1, notFound + "nosuch.map ]\n"},
        {"demo.grp unbuildable.map", 1,
         "unhandled exception: Exception\n[exception message: bad map format in unbuildable.map: sector 0: 4 walls "
         "from wall 4096, outside the 4 walls of the map ]\n"},
    };
    for (const Case& c : cases) {
        TestSupport::ProgramRun run = runIn(folder, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.output.substr(0, c.output.size()), c.output) << c.arguments << ":\n" << run.output;
    }
}

// --help is no mistake: the usage alone on standard output, status 0, and
// nothing opened.
TEST(Startup, helpWritesTheUsageAndEndsWithZero)
{
    ScratchFolder folder;
    for (const char* program : {WALKVIEW_PATH, PLANVIEW_PATH}) {
        SCOPED_TRACE(program);
        const auto run = runCommand("cd '" + folder.path("") + "' && '" + program + "' --help 2>/dev/null");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.output, usageOf(std::string(program).substr(std::string(program).rfind('/') + 1)));
    }

    WalkApplication application;
    application.arguments = argumentList({"walkview", "--help"});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(application.init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), usageText);
    EXPECT_EQ(application.exitStatus, 0);
    EXPECT_EQ(application.mainWindow, nullptr);
}

TEST(Startup, planviewHasTheSameUsageAndStatuses)
{
    ScratchFolder folder;
    auto usage = runIn(folder, "only-one", PLANVIEW_PATH);
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.output, usageOf("planview"));
    auto missing = runIn(folder, "/nonexistent/archive.grp '$'", PLANVIEW_PATH);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "unhandled exception: IOException\n[exception message: can't open "
                              "/nonexistent/archive.grp: No such file or directory ]\n");
}

// A map that cannot be found fails after the windows exist: they go too.
TEST(Startup, aFailedStartLeavesNoWindowBehind)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ScratchFolder folder;
    std::string archive = folder.write("demo.grp", demoArchiveBytes());
    Vell::Window before("probe", 0, 0, 0, 10, 10, nullptr);
    {
        WalkApplication application;
        application.arguments = argumentList({"walkview", archive.c_str(), folder.path("nosuch.map").c_str()});
        EXPECT_THROW(application.run(), Vell::Exception);
        EXPECT_EQ(application.view(), nullptr);
        EXPECT_EQ(application.mainWindow, nullptr);
    }
    Vell::Window after("probe", 0, 0, 0, 10, 10, nullptr);
    int made = 0;
    for (Vell::Platform::Handle h = before.handle() + 1; h < after.handle(); ++h) {
        ++made;
        EXPECT_FALSE(Vell::Platform::isWindow(h)) << "window " << h;
    }
    EXPECT_GE(made, 2);   // the main window and the view were made
}

// A whole start on the demo archive, then Esc through the message loop.
TEST(Startup, startsOnTheDemoArchiveAndEscEndsTheLoopWithZero)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ScratchFolder folder;
    std::string archive = folder.write("demo.grp", demoArchiveBytes());
    WalkApplication application;
    application.arguments = argumentList({"walkview", archive.c_str(), "$"});
    ASSERT_TRUE(application.init());
    ASSERT_NE(application.view(), nullptr);
    Vell::Window& main = *application.mainWindow;
    EXPECT_EQ(std::string(main.getTitle().text()), "Gorvax 3D Map Viewer - E3L1.MAP");
    EXPECT_EQ(main.windowRect().width(), 810);
    EXPECT_EQ(main.windowRect().height(), 630);
    EXPECT_EQ(main.getMinimumSize().width, 810);
    EXPECT_EQ(main.getMaximumSize().height, 630);
    EXPECT_EQ(application.view()->clientRect().width(), 800);
    EXPECT_EQ(application.view()->clientRect().height(), 600);
    // The world is built, textured and shown from its start.
    EXPECT_TRUE(application.world().texturesReady);
    EXPECT_EQ(application.view()->currentWorld(), &application.world());
    EXPECT_EQ(application.view()->scene.playerCamera.sector, application.world().camera.sector);

    // Activating the main window gives the view the keyboard focus.
    namespace Platform = Vell::Platform;
    Platform::setFocus(Platform::noWindow);
    Platform::postMessage({main.handle(), Platform::WM_ACTIVATE, 1, 0});
    TestSupport::pumpMessages();
    EXPECT_EQ(Platform::focus(), application.view()->handle());

    Platform::Handle mainHandle = main.handle();
    Platform::postMessage({application.view()->handle(), Platform::WM_KEYDOWN, Platform::VK_ESCAPE, 1});
    EXPECT_EQ(application.messageLoop(), 0);
    EXPECT_FALSE(Platform::isWindow(mainHandle));
}
