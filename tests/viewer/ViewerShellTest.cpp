// The viewers' shell as a user drives it, in process and headless: Tab
// between the 3D view and the plan at the same spot, PageDown and PageUp
// through an archive's maps (a broken one among them), F12 pictures that
// never replace a file.
#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/DemoTileGroup.h"
#include "../support/MessagePump.h"
#include "../support/ScratchFolder.h"
#include "core/String.h"
#include "gui/PngFile.h"
#include "gui/platform/Platform.h"
#include "planview/PlanView.h"
#include "programs/PlanApplication.h"
#include "programs/WalkApplication.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoMaps.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"

using namespace Vell3D;
namespace Platform = Vell::Platform;
using TestSupport::pumpMessages;

namespace {
std::int64_t liveBytes = 0;   // held through operator new, all program long
} // namespace

void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1)) {
        liveBytes += std::int64_t(malloc_usable_size(p));
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    if (p)
        liveBytes -= std::int64_t(malloc_usable_size(p));
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

namespace {

// The demo's palette and art, and four maps with a note between them; one
// map has a version no loader knows.
std::vector<std::uint8_t> shellArchive()
{
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::good);
    group.add("E3L1.MAP", VellTools::MapWriter::bytes(VellTools::firstLevelMap()));
    group.add("NOTES.TXT", {'h', 'i'});
    group.add("DEMO.MAP", VellTools::MapWriter::bytes(VellTools::showcaseMap()));
    std::vector<std::uint8_t> broken = VellTools::MapWriter::bytes(VellTools::emptyRoomMap());
    broken[0] = 10;
    group.add("BROKEN.MAP", broken);
    group.add("ROOM.MAP", VellTools::MapWriter::bytes(VellTools::emptyRoomMap()));
    return group.bytes();
}

Vell::List<Vell::String> commandLine(const char* program, const std::string& archive, const char* map)
{
    Vell::List<Vell::String> list;
    for (const char* value : {program, archive.c_str(), map})
        list.append(Vell::String(value));
    return list;
}

void press(ViewerApplication& application, int key)
{
    Platform::postMessage({application.pane()->handle(), Platform::WM_KEYDOWN, std::uint64_t(key), 1});
    pumpMessages();
}

std::string title(ViewerApplication& application)
{
    return application.window()->getTitle().text();
}

double floorUnder(const World& world, const PlayerNode& player)
{
    const Vector3 p = player.position();
    return world.sectors[std::size_t(player.sector)].floorZAt(p.x, p.y);
}

class ViewerShell : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        archive = folder.write("shell.grp", shellArchive());
    }
    void TearDown() override { TestSupport::dropMessages(); }

    TestSupport::ScratchFolder folder{"viewer"};
    std::string archive;
};

} // namespace

// Tab shows the plan with the player where he stood in 3D, on the floor,
// facing the same way; moves made there come back with the next Tab, where
// the eye keeps its height above the floor. Each view answers its own keys,
// the 3D view holds the mouse only while shown, and neither world is built
// again by switching.
TEST_F(ViewerShell, tabKeepsThePlaceBothWays)
{
    WalkApplication application;
    application.arguments = commandLine("walkview", archive, "$");
    ASSERT_TRUE(application.init());
    pumpMessages();
    WalkView& walk = *application.view();
    for (int key : {'W', 'W', 'D'})
        press(application, key);
    walk.scene.playerCamera.rotate(-30.0, 0.0, 0.0, 1.0);
    walk.scene.portalCamera.translate(0.0, 100.0, 0.0);   // Q: the eye 100 higher
    const Vector3 eyeOffset = walk.scene.portalCamera.position();
    const Vector3 there = walk.scene.playerCamera.position();
    const int sector = walk.scene.playerCamera.sector;
    World* walkWorld = &application.world();

    press(application, Platform::VK_TAB);
    auto* plan = dynamic_cast<PlanView*>(application.pane());
    ASSERT_NE(plan, nullptr);
    EXPECT_FALSE(walk.isVisible());
    EXPECT_FALSE(Platform::relativeMouseMode());
    EXPECT_EQ(application.window()->view, plan);
    const PlanPlayerNode& planPlayer = plan->playerNode;
    EXPECT_NEAR(planPlayer.position().x, there.x, 1e-6);
    EXPECT_NEAR(planPlayer.position().y, there.y, 1e-6);
    EXPECT_NEAR(planPlayer.position().z, floorUnder(application.world(), planPlayer), 1e-6);
    EXPECT_NEAR(planPlayer.heading(), walk.scene.playerCamera.heading(), 1e-9);
    EXPECT_EQ(planPlayer.sector, sector);
    EXPECT_FALSE(planPlayer.visibleSegments.empty());
    World* planWorld = &application.world();
    EXPECT_NE(planWorld, walkWorld);

    // The plan's own keys: Up walks 250, Left turns; W means nothing here.
    press(application, Platform::VK_UP);
    press(application, Platform::VK_LEFT);
    press(application, 'W');
    const Vector3 moved = planPlayer.position();
    EXPECT_GT(std::hypot(moved.x - there.x, moved.y - there.y), 100.0);

    press(application, Platform::VK_TAB);
    ASSERT_EQ(application.pane(), &walk);
    EXPECT_TRUE(Platform::relativeMouseMode());
    EXPECT_EQ(&application.world(), walkWorld);
    const PlayerNode& walker = walk.scene.playerCamera;
    EXPECT_NEAR(walker.position().x, moved.x, 1e-6);
    EXPECT_NEAR(walker.position().y, moved.y, 1e-6);
    EXPECT_NEAR(walker.position().z, floorUnder(application.world(), walker) + 50.0, 1e-6);
    EXPECT_NEAR(walker.heading(), planPlayer.heading(), 1e-9);
    EXPECT_EQ(walker.sector, planPlayer.sector);
    EXPECT_NEAR(walk.scene.portalCamera.position().y, eyeOffset.y, 1e-9);
    EXPECT_EQ(walk.scene.portalCamera.visible.front(), walker.sector);

    press(application, Platform::VK_TAB);
    EXPECT_EQ(&application.world(), planWorld);   // built once for this map
    application.window()->close(true);
    pumpMessages();
}

// PageDown and PageUp walk the archive's maps in its directory's order,
// wrapping round, the title naming the map from the first frame. A broken
// map leaves the map shown, its error in the overlay's place and on standard
// output; each map lets go of the last one's worlds, so rounds through the
// archive in both views leave what the program holds as it was.
TEST_F(ViewerShell, pagesThroughTheArchiveKeepingTheMapWhenOneFails)
{
    PlanApplication application;
    application.arguments = commandLine("planview", archive, "$");
    ASSERT_TRUE(application.init());
    EXPECT_EQ(title(application), "Gorvax 2D Map Viewer - E3L1.MAP");
    pumpMessages();

    press(application, Platform::VK_NEXT);
    EXPECT_EQ(title(application), "Gorvax 2D Map Viewer - DEMO.MAP");
    testing::internal::CaptureStdout();
    press(application, Platform::VK_NEXT);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "bad map format in BROKEN.MAP\n");
    EXPECT_EQ(application.mapName(), "DEMO.MAP");
    std::vector<StatusLine> overlay = application.pane()->overlayLines();
    ASSERT_EQ(overlay.size(), 1u);
    EXPECT_EQ(overlay[0].text, "bad map format in BROKEN.MAP");
    EXPECT_FALSE(application.pane()->expireNotice(Platform::ticks()));
    EXPECT_TRUE(application.pane()->expireNotice(Platform::ticks() + ViewerApplication::noticeMilliseconds));
    EXPECT_EQ(application.pane()->overlayLines().size(), 4u);

    press(application, Platform::VK_NEXT);
    EXPECT_EQ(application.mapName(), "ROOM.MAP");
    auto& plan = static_cast<PlanView&>(*application.pane());
    EXPECT_EQ(plan.playerNode.sector, 0);   // at the map's start
    press(application, Platform::VK_NEXT);
    EXPECT_EQ(application.mapName(), "E3L1.MAP");   // round again
    press(application, Platform::VK_PRIOR);
    EXPECT_EQ(application.mapName(), "ROOM.MAP");
    press(application, Platform::VK_TAB);           // the 3D view too
    testing::internal::CaptureStdout();
    press(application, Platform::VK_PRIOR);         // the broken one again
    press(application, Platform::VK_PRIOR);         // and past it
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "bad map format in BROKEN.MAP\n");
    EXPECT_EQ(application.mapName(), "DEMO.MAP");

    // What our code holds is counted through this program's allocation
    // functions; the GL driver's own caches (shader variants, which fill up
    // over the first rounds and then stay) are not ours to measure here.
    testing::internal::CaptureStdout();
    auto round = [&] {
        for (int i = 0; i < 4; ++i) {
            press(application, Platform::VK_NEXT);
            press(application, Platform::VK_TAB);
        }
        return liveBytes;
    };
    round();
    const std::int64_t first = round();
    const std::int64_t second = round();
    testing::internal::GetCapturedStdout();
    EXPECT_LT(std::llabs(second - first), 64 * 1024) << first << " then " << second;
    application.window()->close(true);
    pumpMessages();
}

// An art file that cannot be read ends the tiles early but not the program:
// the map shows with the tiles read, and the user is told which file
// stopped them and why, on standard output and for a while in the
// overlay's place. A missing next file, the normal end, says nothing.
TEST_F(ViewerShell, anArtFileThatStopsTheTilesIsSaidAndTheMapStillShows)
{
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::unreadable);
    group.add("E3L1.MAP", VellTools::MapWriter::bytes(VellTools::firstLevelMap()));
    const std::string badArchive = folder.write("badart.grp", group.bytes());

    WalkApplication application;
    application.arguments = commandLine("walkview", badArchive, "$");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(application.init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "tiles001.art: bad art file\n");
    EXPECT_GT(application.tiles.tileCount(), 0);
    EXPECT_EQ(application.mapName(), "E3L1.MAP");
    EXPECT_TRUE(application.world().texturesReady);
    pumpMessages();
    std::vector<StatusLine> overlay = application.pane()->overlayLines();
    ASSERT_EQ(overlay.size(), 1u);
    EXPECT_EQ(overlay[0].row, 1);
    EXPECT_EQ(overlay[0].text, "tiles001.art: bad art file");
    EXPECT_TRUE(application.pane()->expireNotice(Platform::ticks() + ViewerApplication::noticeMilliseconds));
    EXPECT_EQ(application.pane()->overlayLines().front().text, "Player position:");
    application.window()->close(true);
    pumpMessages();

    PlanApplication good;
    good.arguments = commandLine("planview", archive, "$");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(good.init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(good.pane()->overlayLines().size(), 4u);
    good.window()->close(true);
    pumpMessages();
}

// F12 saves the view without its overlay under the map's name and the next
// free number, never over a file that is there, with nothing left beside.
TEST_F(ViewerShell, f12SavesPicturesNextToWhatIsThere)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path(""));
    { std::ofstream("E3L1-1.png") << "keep"; }
    WalkApplication application;
    application.arguments = commandLine("walkview", archive, "$");
    ASSERT_TRUE(application.init());
    pumpMessages();

    press(application, Platform::VK_F12);
    EXPECT_EQ(application.pane()->overlayLines().back().text, "picture saved: E3L1-2.png");
    EXPECT_EQ(application.savePicture(), "E3L1-3.png");
    std::ifstream kept("E3L1-1.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
    Vell::Picture saved = Vell::readPng("E3L1-2.png");
    ASSERT_EQ(saved.width, 800);
    ASSERT_EQ(saved.height, 600);
    // The overlay's white text is not in it: no white at all in its corner.
    int white = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 300; ++x)
            white += (saved.pixels[std::size_t(y) * 800 + std::size_t(x)] & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_EQ(white, 0);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        files += entry.path().extension() == ".png" || entry.path().filename().string()[0] == '.';
    EXPECT_EQ(files, 3);
    application.window()->close(true);
    pumpMessages();
    std::filesystem::current_path(before);
}
