// What a map left behind holds in the GL: the 3D view's display lists and
// the tile textures live in its own context, and turning to another map
// (PageDown, PageUp) must give back all that the new map does not draw
// with, also while the plan is shown; so must the wire view (F1). Counted two ways: the GL's own names
// (glIsList, glIsTexture) in the 3D view's context, and the tile set's.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <ostream>

#include "../support/DemoTileGroup.h"
#include "../support/MessagePump.h"
#include "../support/ScratchFolder.h"
#include "gui/platform/Platform.h"
#include "programs/PlanApplication.h"
#include "programs/WalkApplication.h"
#include "render/SectorRenderer.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoMaps.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"

using namespace Vell3D;
namespace Platform = Vell::Platform;
using TestSupport::pumpMessages;

namespace {

std::vector<std::uint8_t> threeMaps()
{
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::good);
    group.add("E3L1.MAP", VellTools::MapWriter::bytes(VellTools::firstLevelMap()));
    group.add("DEMO.MAP", VellTools::MapWriter::bytes(VellTools::showcaseMap()));
    group.add("ROOM.MAP", VellTools::MapWriter::bytes(VellTools::emptyRoomMap()));
    return group.bytes();
}

// Live GL objects in the 3D view's context; names are looked for well past
// any that a few maps would use, in case the driver does not reuse them.
struct LiveObjects {
    int lists = 0;
    int textures = 0;
    int tileTextures = 0;   // as the tile set counts them

    bool operator==(const LiveObjects&) const = default;
};

void PrintTo(const LiveObjects& live, std::ostream* out)
{
    *out << live.lists << " lists, " << live.textures << " textures (" << live.tileTextures << " in the tile set)";
}

LiveObjects liveObjects(ViewerApplication& application, WalkView& walk)
{
    constexpr GLuint searched = 1 << 16;
    LiveObjects live;
    walk.makeCurrent();
    for (GLuint name = 1; name < searched; ++name) {
        live.lists += glIsList(name) ? 1 : 0;
        live.textures += glIsTexture(name) ? 1 : 0;
    }
    live.tileTextures = application.tiles.textureCount();
    return live;
}

void press(ViewerApplication& application, int key)
{
    Platform::postMessage({application.pane()->handle(), Platform::WM_KEYDOWN, std::uint64_t(key), 1});
    pumpMessages();
}

class MapLeaving : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        archive = folder.write("three.grp", threeMaps());
    }
    void TearDown() override { TestSupport::dropMessages(); }

    template <class Application>
    void start(Application& application)
    {
        for (const char* value : {"viewer", archive.c_str(), "$"})
            application.arguments.append(Vell::String(value));
        ASSERT_TRUE(application.init());
        pumpMessages();
    }

    TestSupport::ScratchFolder folder{"leaving"};
    std::string archive;
};

} // namespace

// Every texture in the context is one the tile set holds, so none is lost
// track of; the bare room keeps one list per sector and the sphere's, and
// the textures of what its frames may bind; back at the first map, the
// same objects are live as when it was first shown.
TEST_F(MapLeaving, theThreeDViewKeepsOnlyWhatTheMapShownDrawsWith)
{
    WalkApplication application;
    start(application);
    WalkView& walk = *application.view();
    const LiveObjects first = liveObjects(application, walk);
    EXPECT_EQ(first.textures, first.tileTextures);
    const auto& sectors = static_cast<const SectorRenderer&>(*walk.currentRenderer());
    EXPECT_EQ(first.lists, sectors.listCount() + 1);

    press(application, Platform::VK_NEXT);   // DEMO.MAP
    const LiveObjects demo = liveObjects(application, walk);
    EXPECT_EQ(demo.textures, demo.tileTextures);
    EXPECT_EQ(demo.lists, sectors.listCount() + 1);

    press(application, Platform::VK_NEXT);   // ROOM.MAP
    ASSERT_EQ(application.mapName(), "ROOM.MAP");
    const LiveObjects room = liveObjects(application, walk);
    EXPECT_EQ(room.lists, 2);
    EXPECT_EQ(room.textures, room.tileTextures);
    EXPECT_LT(room.textures, demo.textures);

    press(application, Platform::VK_NEXT);   // round again
    ASSERT_EQ(application.mapName(), "E3L1.MAP");
    EXPECT_EQ(liveObjects(application, walk), first);
    application.window()->close(true);
    pumpMessages();
}

// The wire view (F1) holds no lists and no textures; the textured view
// comes back with the same objects as before.
TEST_F(MapLeaving, theWireViewHoldsNothingOfTheTexturedOne)
{
    WalkApplication application;
    start(application);
    WalkView& walk = *application.view();
    const LiveObjects textured = liveObjects(application, walk);
    press(application, Platform::VK_F1);
    ASSERT_TRUE(walk.showsWire());
    EXPECT_EQ(liveObjects(application, walk), LiveObjects());
    press(application, Platform::VK_F1);
    EXPECT_EQ(liveObjects(application, walk), textured);
    application.window()->close(true);
    pumpMessages();
}

// With the plan shown, a map left also empties the hidden 3D view's
// context; the 3D view makes what it needs when it is shown again.
TEST_F(MapLeaving, theHiddenThreeDViewGivesBackAllItHeld)
{
    PlanApplication application;
    start(application);
    press(application, Platform::VK_TAB);
    auto* walk = dynamic_cast<WalkView*>(application.pane());
    ASSERT_NE(walk, nullptr);
    const LiveObjects shown = liveObjects(application, *walk);
    EXPECT_GT(shown.lists, 0);
    EXPECT_GT(shown.textures, 0);

    press(application, Platform::VK_TAB);
    press(application, Platform::VK_NEXT);
    EXPECT_EQ(liveObjects(application, *walk), LiveObjects());

    press(application, Platform::VK_PRIOR);   // the first map again, in the plan
    press(application, Platform::VK_TAB);
    EXPECT_EQ(liveObjects(application, *walk), shown);
    application.window()->close(true);
    pumpMessages();
}
