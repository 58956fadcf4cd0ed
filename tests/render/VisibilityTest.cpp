// Which sectors the portal camera finds: openings of every kind, a sector
// reachable twice, a camera outside every sector, and the frustum that the
// frame is drawn with.
#include <GL/gl.h>

#include "RenderScene.h"

using namespace RenderTests;
using Vell3D::PortalCamera;

namespace {

constexpr int ceiling = 1024;

// Room 0 (the start) and room 1 east of it in the map, joined by the wall
// of room 0 from (2048, 0) to (2048, 2048); the player looks at it.
VellTools::MapContent twoRooms(std::uint16_t openingFlags, std::int16_t overTile, int floor1, int ceiling1)
{
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(ceiling));
    b.addSector(box(2048, 0, 4096, 2048), mapZ(floor1), mapZ(ceiling1));
    b.wallFrom(0, 2048, 0).flags = openingFlags;
    b.wallFrom(0, 2048, 0).overTile = overTile;
    b.setStart(1024, 1024, 0, 0, 0);
    return b.build();
}

std::vector<int> visibleFrom(const VellTools::MapContent& content)
{
    SolidTiles tiles(basicColours());
    Scene scene(content, tiles.tiles);
    scene.resetCamera();
    return scene.camera.visible;
}

} // namespace

TEST(Visibility, OpeningsThatLetTheWalkThroughAndOnesThatDoNot)
{
    EXPECT_EQ(visibleFrom(twoRooms(0, 0, 0, ceiling)), (std::vector<int>{0, 1}));
    EXPECT_EQ(visibleFrom(twoRooms(0x10, 0, 0, ceiling)), (std::vector<int>{0, 1})) << "masked";
    EXPECT_EQ(visibleFrom(twoRooms(0x20, 0, 0, ceiling)), (std::vector<int>{0})) << "solid";
    EXPECT_EQ(visibleFrom(twoRooms(0x20, 560, 0, ceiling)), (std::vector<int>{0})) << "mirror";
    EXPECT_EQ(visibleFrom(twoRooms(0, 0, ceiling, ceiling)), (std::vector<int>{0})) << "no height";

    // Edge-on: the eye on the opening's own line, still in room 0, stands
    // in both rooms and sees room 1 all round; on the line's extension past
    // the opening's end it sees nothing through it.
    SolidTiles tiles(basicColours());
    Scene scene(twoRooms(0, 0, 0, ceiling), tiles.tiles);
    scene.resetCamera();
    const WorldWall& opening = scene.world.walls[1];
    ASSERT_EQ(opening.nextSector, 1);
    const double lineX = opening.middle.corners[0].x;
    auto eyeTo = [&scene](double x, double y) {
        const Vell3D::Vector3 eye = scene.camera.eye();
        scene.player.translateGlobal(x - eye.x, y - eye.y, 0.0);
        scene.camera.updateVisibility();
    };
    eyeTo(lineX, 1024.0);
    EXPECT_NEAR(scene.camera.eye().x, lineX, 1e-9);
    EXPECT_FALSE(scene.camera.sees(opening.middle));
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0, 1}));
    for (double y : {0.0, 2048.0}) {
        eyeTo(lineX, y);
        EXPECT_TRUE(scene.camera.standsOn(scene.world, opening)) << "at an end, " << y;
    }
    eyeTo(lineX + 0.005, 1024.0);
    EXPECT_TRUE(scene.camera.standsOn(scene.world, opening)) << "within rounding";
    eyeTo(lineX, 2100.0);
    EXPECT_FALSE(scene.camera.standsOn(scene.world, opening)) << "past the end";
    eyeTo(lineX + 1.0, 1024.0);
    EXPECT_FALSE(scene.camera.standsOn(scene.world, opening)) << "a unit off the line";
}

TEST(Visibility, ClosedRoomSeesOneSectorAndASectorReachedTwiceIsListedOnce)
{
    SolidTiles tiles(basicColours());
    {
        VellTools::MapBuilder b = builder();
        b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(ceiling));
        b.setStart(1024, 1024, 0, 0, 0);
        Scene scene(b.build(), tiles.tiles);
        scene.resetCamera();
        EXPECT_EQ(scene.camera.visible, (std::vector<int>{0}));
        EXPECT_EQ(scene.camera.visibleCount(), 1);
    }
    // Rooms 1 and 2 both open onto room 0 and onto each other.
    VellTools::MapBuilder b = builder();
    b.addSector({{0, 0}, {2048, 0}, {2048, 1024}, {2048, 2048}, {0, 2048}}, mapZ(0), mapZ(ceiling));
    b.addSector(box(2048, 0, 4096, 1024), mapZ(0), mapZ(ceiling));
    b.addSector(box(2048, 1024, 4096, 2048), mapZ(0), mapZ(ceiling));
    b.setStart(1024, 1024, 0, 0, 0);
    Scene scene(b.build(), tiles.tiles);
    scene.resetCamera();
    std::vector<int> seen = scene.camera.visible;
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(scene.camera.visible[0], 0);
}

// A player outside every sector (or a map with a bad start sector) has no
// start for the walk: he is shown the whole map, in index order.
TEST(Visibility, SourceOutsideEverySectorSeesEverySector)
{
    SolidTiles tiles(basicColours());
    Scene scene(twoRooms(0x20, 0, 0, ceiling), tiles.tiles);
    scene.resetCamera();
    ASSERT_EQ(scene.camera.visible, (std::vector<int>{0}));
    scene.player.sector = -1;
    scene.camera.updateVisibility();
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0, 1}));
}

class FrustumVisibility : public RenderTest {};

// After a camera reset the walk is made with the default frustum (+-100 x
// +-50); the frame is drawn with the view's (+-40 x +-30). A side room seen
// only by the wider one must go once the view's frustum is set, and a frame
// with an unchanged camera must not walk again.
TEST_F(FrustumVisibility, VisibleSetFollowsTheFrustumThatIsDrawn)
{
    // Room 1 lies to the left; the opening between the rooms is the stretch
    // of their shared wall from 44 to 56 degrees left of the line of sight:
    // inside +-63 degrees, outside +-39.
    VellTools::MapBuilder b = builder();
    b.addSector({{0, 0}, {1400, 0}, {2048, 0}, {2048, 2048}, {0, 2048}}, mapZ(0), mapZ(ceiling));
    b.addSector({{0, -2048}, {2048, -2048}, {2048, 0}, {1400, 0}, {0, 0}}, mapZ(0), mapZ(ceiling));
    b.keepSolid(0, 0, 0);
    b.keepSolid(1, 1400, 0);
    b.setStart(200, 1800, 0, 0, 0);
    SolidScene solid(b.build());
    Scene& scene = solid.scene;
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0, 1})) << "default frustum";

    scene.frame();
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0})) << "the view's frustum";

    // An unchanged camera does no visibility work: what the list holds stays.
    scene.camera.visible = {0, 1};
    scene.frame();
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0, 1}));
    scene.camera.setNear(50.0);
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0, 1})) << "same near distance";
    scene.camera.setNear(60.0);
    EXPECT_EQ(scene.camera.visible, (std::vector<int>{0}));
}
