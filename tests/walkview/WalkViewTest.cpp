// The 3D view driven by posted messages, as the message loop delivers the
// user's keys and mouse moves.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>

#include "WalkviewFixture.h"
#include "../world/WorldFixtures.h"
#include "gui/platform/Platform.h"
#include "render/SectorRenderer.h"
#include "render/WireRenderer.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/demo/DemoMaps.h"

using namespace Vell3D;
using WalkviewFixture::ViewScene;
namespace Platform = Vell::Platform;

namespace {

class CountingSectorRenderer : public SectorRenderer {
public:
    void prepare() override
    {
        ++prepares;
        SectorRenderer::prepare();
    }
    int prepares = 0;
};

class CountingWireRenderer : public WireRenderer {
public:
    void prepare() override
    {
        ++prepares;
        WireRenderer::prepare();
    }
    int prepares = 0;
};

// Where the node's own forward axis points, in the x-y plane of the world.
Vector3 forward(const Node& node)
{
    Vector3 ahead = node.toParent(Vector3(0.0, 1.0, 0.0));
    Vector3 at = node.position();
    return Vector3(ahead.x - at.x, ahead.y - at.y, 0.0);
}

double turnDegrees(const Vector3& from, const Vector3& to)
{
    return std::atan2(from.x * to.y - from.y * to.x, from.x * to.x + from.y * to.y) * 180.0 / M_PI;
}

std::string lineAt(const WalkView& view, int row)
{
    for (const StatusLine& line : view.statusLines())
        if (line.row == row)
            return line.text;
    return "(no line)";
}

int presents(ViewScene& scene) { return Platform::presentCount(scene.main->handle()); }

bool sameMatrix(const Matrix4& a, const Matrix4& b)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (a.at(r, c) != b.at(r, c))
                return false;
    return true;
}

} // namespace

// The first level starts in the hall facing the pillar 640 units ahead.
TEST(WalkView, walksStopsShortOfTheWallLooksAroundAndResets)
{
    ViewScene scene(VellTools::firstLevelMap());
    WalkView& view = *scene.view;
    const Vector3 start = view.scene.playerCamera.position();
    const Vector3 heading = forward(view.scene.playerCamera);
    const int startSector = view.scene.playerCamera.sector;
    ASSERT_GE(startSector, 0);
    const double floorZ = scene.world.sectors[std::size_t(startSector)].floorZAt(start.x, start.y);

    scene.key('W');
    Vector3 p = view.scene.playerCamera.position();
    EXPECT_NEAR(p.x, start.x + 100.0 * heading.x, 1e-6);
    EXPECT_NEAR(p.y, start.y + 100.0 * heading.y, 1e-6);
    EXPECT_NEAR(p.z, floorZ + 50.0, 1e-6);
    EXPECT_EQ(lineAt(view, 2), "x: -1024.000, y: 1692.000");

    // Six more steps would pass the pillar's face at y 1152: the last one
    // ends five units before it, and pushing on gains nothing.
    for (int i = 0; i < 7; ++i)
        scene.key('W');
    p = view.scene.playerCamera.position();
    EXPECT_NEAR(p.y, 1157.0, 1e-6);
    EXPECT_NEAR(p.x, start.x, 1e-6);

    // Ten pixels right turn the player by -1 degree, ten down tilt the eye
    // by -1; the cursor goes back to the centre, and the move that raises
    // there changes nothing.
    Vector3 before = forward(view.scene.playerCamera);
    scene.mouse(10, 0);
    EXPECT_NEAR(turnDegrees(before, forward(view.scene.playerCamera)), -1.0, 1e-9);
    EXPECT_EQ(view.scene.portalCamera.pitchAngle(), 0.0);
    scene.mouse(0, 10);
    EXPECT_NEAR(view.scene.portalCamera.pitchAngle(), -1.0, 1e-12);
    EXPECT_NEAR(turnDegrees(before, forward(view.scene.playerCamera)), -1.0, 1e-9);
    int x, y;
    Platform::getCursorPos(x, y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 300);

    // Raise and turn the eye, then R: all back to the start.
    scene.key('Q');
    scene.key(Platform::VK_LEFT);
    scene.key('R');
    p = view.scene.playerCamera.position();
    EXPECT_NEAR(p.x, start.x, 1e-9);
    EXPECT_NEAR(p.y, start.y, 1e-9);
    EXPECT_NEAR(turnDegrees(heading, forward(view.scene.playerCamera)), 0.0, 1e-9);
    EXPECT_EQ(view.scene.playerCamera.sector, startSector);
    Vector3 eye = view.scene.portalCamera.position();
    EXPECT_NEAR(eye.x, 0.0, 1e-9);
    EXPECT_NEAR(eye.y, 0.0, 1e-9);
    EXPECT_NEAR(eye.z, 500.0, 1e-9);
    EXPECT_EQ(view.scene.portalCamera.pitchAngle(), 0.0);
}

TEST(WalkView, walkingThroughAnOpeningChangesTheSectorLine)
{
    WorldFixtures::TwoRooms rooms = WorldFixtures::twoRooms(0.0, 256.0, 0.0, 256.0);
    ViewScene scene(WorldFixtures::finish(rooms));
    WalkView& view = *scene.view;
    EXPECT_EQ(lineAt(view, 4), "sector: 0");
    // From the middle of the first room to the opening 512 units ahead.
    for (int i = 0; i < 6; ++i)
        scene.key('W');
    EXPECT_EQ(view.scene.playerCamera.sector, 1);
    EXPECT_EQ(lineAt(view, 4), "sector: 1");
    // The eye moved with the player: it sees from the second room now.
    ASSERT_FALSE(view.scene.portalCamera.visible.empty());
    EXPECT_EQ(view.scene.portalCamera.visible.front(), 1);
}

TEST(WalkView, keysThatChangeNothingKeysThatRepaintAndEsc)
{
    ViewScene scene(VellTools::firstLevelMap());
    WalkView& view = *scene.view;
    const Matrix4 player = view.scene.playerCamera.matrix();
    const Matrix4 eye = view.scene.portalCamera.matrix();

    int count = presents(scene);
    scene.key(Platform::VK_UP);
    EXPECT_EQ(presents(scene), count + 1);
    scene.key(Platform::VK_DOWN);
    EXPECT_EQ(presents(scene), count + 2);
    EXPECT_TRUE(sameMatrix(view.scene.playerCamera.matrix(), player));
    EXPECT_TRUE(sameMatrix(view.scene.portalCamera.matrix(), eye));

    // Keys outside the table: no repaint at all.
    for (int key : {int('X'), int('E'), Platform::VK_SPACE, Platform::VK_RETURN, 114})
        scene.key(key);
    EXPECT_EQ(presents(scene), count + 2);

    // F2 flips the current renderer's debug drawing, and repaints.
    scene.key(Platform::VK_F2);
    EXPECT_TRUE(view.currentRenderer()->debugFlag);
    EXPECT_EQ(presents(scene), count + 3);
    scene.key(Platform::VK_F2);
    EXPECT_FALSE(view.currentRenderer()->debugFlag);

    // Esc asks the main window to close, which takes the view with it.
    Platform::Handle viewHandle = view.handle();
    scene.key(Platform::VK_ESCAPE);
    EXPECT_FALSE(Platform::isWindow(scene.main->handle()));
    EXPECT_FALSE(Platform::isWindow(viewHandle));
}

TEST(WalkView, f1SwapsRenderersAndPreparesEachTime)
{
    auto* sectorRenderer = new CountingSectorRenderer;
    auto* wireRenderer = new CountingWireRenderer;
    ViewScene scene(VellTools::firstLevelMap(), std::unique_ptr<Renderer>(sectorRenderer),
                    std::unique_ptr<Renderer>(wireRenderer));
    CountingSectorRenderer& textured = *sectorRenderer;
    CountingWireRenderer& outline = *wireRenderer;
    WalkView& view = *scene.view;
    EXPECT_EQ(textured.prepares, 1);   // by setWorld
    EXPECT_EQ(textured.world, &scene.world);

    scene.key(Platform::VK_F1);
    EXPECT_EQ(view.currentRenderer(), &outline);
    EXPECT_EQ(view.scene.portalCamera.renderer, &outline);
    EXPECT_EQ(view.scene.worldNode.renderer, &outline);
    EXPECT_EQ(outline.prepares, 1);
    EXPECT_EQ(outline.portalCamera, &view.scene.portalCamera);
    EXPECT_EQ(outline.playerCamera, &view.scene.playerCamera);
    EXPECT_EQ(outline.worldNode, &view.scene.worldNode);
    EXPECT_EQ(outline.world, &scene.world);
    EXPECT_EQ(lineAt(view, 8), "visible mirrors: 0");

    scene.key(Platform::VK_F1);
    EXPECT_EQ(view.currentRenderer(), &textured);
    EXPECT_EQ(view.scene.worldNode.renderer, &textured);
    EXPECT_EQ(textured.prepares, 2);
    EXPECT_EQ(outline.prepares, 1);
}

// The calls behind F1 and F2 (as mapshot makes them): asking for the view
// already shown prepares nothing again, and the debug drawing belongs to
// the renderer shown, so it comes back with it.
TEST(WalkView, wireAndDebugCallsSetWhatTheKeysSwap)
{
    auto* sectorRenderer = new CountingSectorRenderer;
    auto* wireRenderer = new CountingWireRenderer;
    ViewScene scene(VellTools::firstLevelMap(), std::unique_ptr<Renderer>(sectorRenderer),
                    std::unique_ptr<Renderer>(wireRenderer));
    WalkView& view = *scene.view;
    view.showWire(false);
    EXPECT_EQ(sectorRenderer->prepares, 1);   // by setWorld alone
    view.showDebug(true);
    view.showWire(true);
    view.showWire(true);
    EXPECT_EQ(view.currentRenderer(), wireRenderer);
    EXPECT_EQ(wireRenderer->prepares, 1);
    EXPECT_FALSE(view.showsDebug());

    scene.key(Platform::VK_F2);
    EXPECT_TRUE(wireRenderer->debugFlag);
    scene.key(Platform::VK_F1);
    EXPECT_FALSE(view.showsWire());
    EXPECT_TRUE(view.showsDebug());
    view.showDebug(false);
    EXPECT_FALSE(sectorRenderer->debugFlag);
    EXPECT_TRUE(wireRenderer->debugFlag);
}

TEST(WalkView, overlayReadsBackTheViewAndIsDrawnOverThePicture)
{
    ViewScene scene(VellTools::firstLevelMap());
    WalkView& view = *scene.view;
    std::vector<StatusLine> lines = view.statusLines();
    ASSERT_EQ(lines.size(), 7u);
    const int rows[] = {1, 2, 3, 4, 6, 7, 8};
    const int columns[] = {1, 2, 2, 2, 1, 1, 1};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].row, rows[i]);
        EXPECT_EQ(lines[i].column, columns[i]);
    }
    EXPECT_EQ(lines[0].text, "Player position:");
    EXPECT_EQ(lines[1].text, "x: -1024.000, y: 1792.000");
    char angle[64];
    std::snprintf(angle, sizeof angle, "angle: %.3f", view.scene.playerCamera.heading());
    EXPECT_EQ(lines[2].text, angle);
    EXPECT_EQ(lines[3].text, "sector: " + std::to_string(view.scene.playerCamera.sector));
    EXPECT_EQ(lines[5].text, "visible sectors: " + std::to_string(view.scene.portalCamera.visible.size()));
    EXPECT_EQ(lines[6].text, "visible mirrors: " + std::to_string(view.currentRenderer()->mirrorCount()));

    // A frame took some time, and the rate is a number, never "inf".
    EXPECT_GT(view.lastFrameMicroseconds(), 0);
    EXPECT_EQ(lines[4].text.find("elapsed: " + std::to_string(view.lastFrameTime()) + " ("), 0u) << lines[4].text;
    EXPECT_EQ(lines[4].text.find("inf"), std::string::npos) << lines[4].text;

    // The text is white over the GL picture: the first line's box holds
    // white pixels and pixels of the picture below them.
    WalkviewFixture::Picture picture = scene.picture();
    ASSERT_EQ(picture.width, 800);
    ASSERT_EQ(picture.height, 600);
    int white = 0, other = 0;
    for (int y = 16; y < 30; ++y)
        for (int x = 10; x < 140; ++x)
            (picture.at(x, y) == 0xFFFFFF ? white : other)++;
    EXPECT_GT(white, 40);
    EXPECT_GT(other, white);
}

// A start sector outside the map: the player walks freely and every sector
// is drawn.
TEST(WalkView, worldWithoutAStartSectorStillOpens)
{
    WorldFixtures::TwoRooms rooms = WorldFixtures::twoRooms(0.0, 256.0, 0.0, 256.0);
    rooms.builder.setStart(512, 512, 0, 0, 7);
    ViewScene scene(WorldFixtures::finish(rooms));
    WalkView& view = *scene.view;
    EXPECT_EQ(view.scene.playerCamera.sector, -1);
    Vector3 start = view.scene.playerCamera.position();
    Vector3 heading = forward(view.scene.playerCamera);
    for (int i = 0; i < 12; ++i)
        scene.key('W');
    Vector3 p = view.scene.playerCamera.position();
    EXPECT_NEAR(p.x, start.x + 1200.0 * heading.x, 1e-6);
    EXPECT_NEAR(p.y, start.y + 1200.0 * heading.y, 1e-6);
    EXPECT_EQ(view.scene.playerCamera.sector, -1);
    EXPECT_EQ(view.scene.portalCamera.visibleCount(), 2);
    EXPECT_EQ(lineAt(view, 4), "sector: -1");
}

// The set drawn is the one of the frustum it is drawn with: for the first
// frame and the first frame after R, when the camera has only just been
// reset to the toolkit's default frustum, and after a mouse turn.
TEST(WalkView, firstFramesDrawTheVisibleSetOfTheirOwnFrustum)
{
    ViewScene scene(VellTools::firstLevelMap());
    WalkView& view = *scene.view;
    auto expectSetOfDrawnFrustum = [&view](const char* when) {
        std::vector<int> drawn = view.scene.portalCamera.visible;
        view.scene.portalCamera.updateVisibility();
        EXPECT_EQ(view.scene.portalCamera.visible, drawn) << when;
        EXPECT_DOUBLE_EQ(view.scene.portalCamera.right(), 40.0) << when;
        EXPECT_DOUBLE_EQ(view.scene.portalCamera.top(), 30.0) << when;
    };
    expectSetOfDrawnFrustum("start");
    scene.key('W');
    // Turning the player moves the eye without a transform of its own: the
    // set must still follow the new heading.
    scene.mouse(-300, 0);
    expectSetOfDrawnFrustum("after a mouse turn");
    scene.key('R');
    expectSetOfDrawnFrustum("after R");
}

// huge.map's first frame. From the start (room 260) the walk over the whole
// view goes through the open halls and their gates far past the first 1024
// sectors, listing each sector once; the walk narrowed through each opening
// lists some of them. The mirror ahead is drawn, and so are the textured
// rooms with their sprites under the overlay. A few steps on, the player is
// still tracked in the hall.
TEST(WalkView, firstFrameOfTheHugeMap)
{
    ViewScene scene(VellTools::hugeMap());
    WalkView& view = *scene.view;
    EXPECT_EQ(view.scene.playerCamera.sector, 260);
    PortalCamera& camera = view.scene.portalCamera;
    camera.narrowing = false;
    camera.updateVisibility();
    const std::set<int> whole(camera.visible.begin(), camera.visible.end());
    EXPECT_GT(whole.size(), 1024u);
    EXPECT_GT(*whole.rbegin(), 2048);
    EXPECT_EQ(whole.size(), camera.visible.size());
    camera.narrowing = true;
    camera.updateVisibility();
    const std::vector<int>& seen = camera.visible;
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), seen.size());
    for (int s : seen)
        EXPECT_EQ(whole.count(s), 1u) << s;

    WalkviewFixture::Picture picture = scene.picture();
    EXPECT_EQ(lineAt(view, 7), "visible sectors: " + std::to_string(seen.size()));
    EXPECT_EQ(lineAt(view, 8), "visible mirrors: 1");
    std::set<std::uint32_t> colours;
    for (int y = 150; y < picture.height; y += 3)
        for (int x = 0; x < picture.width; x += 3)
            colours.insert(picture.at(x, y));
    EXPECT_GT(colours.size(), 200u);

    for (int i = 0; i < 10; ++i)
        scene.key('W');
    EXPECT_EQ(view.scene.playerCamera.sector, 262);
    EXPECT_EQ(lineAt(view, 4), "sector: 262");
}

namespace {

// Draws the aim marker alone into the view's back buffer (after a frame has
// set its projection). The sphere is a disc round the middle of the view:
// true when more than a few pixels are lit and all of them lie within the
// disc's reach of the middle (a dead list draws only the normal's line, a
// foreign one some other shape). On the first level's start the sphere is
// close: a disc of some 4000 pixels.
bool drawsItsAimSphere(ViewScene& scene)
{
    scene.picture();
    scene.view->makeCurrent();
    auto* renderer = dynamic_cast<SectorRenderer*>(scene.view->currentRenderer());
    if (!renderer || !glIsList(renderer->sphereList()))
        return false;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderer->drawAimMarker(Vector3(0.0, 0.0, -250000.0));
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int lit = 0, far = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const unsigned char* p = &rgba[std::size_t(y * 800 + x) * 4];
            if (p[0] + p[1] + p[2] == 0)
                continue;
            ++lit;
            far += std::hypot(x - 400, y - 300) > 120;
        }
    return lit > 1000 && far == 0;
}

} // namespace

// Display lists belong to the context that made them. Each view keeps its
// renderers and their lists, so a view still draws its aim sphere after
// another view (and its context) is gone, and a later view makes its own.
TEST(WalkView, eachViewDrawsItsAimSphereAfterTheOtherWasDestroyed)
{
    auto first = std::make_unique<ViewScene>(VellTools::firstLevelMap());
    auto second = std::make_unique<ViewScene>(VellTools::firstLevelMap());
    EXPECT_TRUE(drawsItsAimSphere(*first));
    EXPECT_TRUE(drawsItsAimSphere(*second));
    first.reset();
    EXPECT_TRUE(drawsItsAimSphere(*second));

    auto third = std::make_unique<ViewScene>(VellTools::firstLevelMap());
    second.reset();
    EXPECT_TRUE(drawsItsAimSphere(*third));
}
