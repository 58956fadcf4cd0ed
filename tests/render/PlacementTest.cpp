// A player put down by hand: on the floor of the sector found at the place
// asked for, at the heading asked for whatever he faced before, the eye at
// its height, and the visible sectors taken from there.
#include <cmath>
#include <memory>

#include "RenderScene.h"
#include "render/Placement.h"

using namespace RenderTests;

namespace {

constexpr double floorOffset = 50.0;   // where a move leaves the player
constexpr double raisedFloor = 200.0;

// Two rooms side by side joined by an opening, the second one's floor
// raised; the start is in the first, a quarter turn from the unturned
// heading, so nothing placed can pass for the start by chance.
VellTools::MapContent twoRooms()
{
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(1024));
    b.addSector(box(2048, 0, 4096, 2048), mapZ(raisedFloor), mapZ(1024));
    b.setStart(1024, 1024, 0, 512, 0);
    return b.build();
}

// World x is map x mirrored.
Vell3D::Placement at(double mapX, double mapY)
{
    Vell3D::Placement p;
    p.x = -mapX;
    p.y = mapY;
    return p;
}

class Placing : public RenderTest {
protected:
    // Held by pointer: a scene's destructor may throw, a test's may not.
    std::unique_ptr<SolidTiles> tiles = std::make_unique<SolidTiles>(basicColours());
    std::unique_ptr<Scene> made = std::make_unique<Scene>(twoRooms(), tiles->tiles);
    Scene& scene = *made;
};

} // namespace

TEST_F(Placing, unsetValuesKeepTheStart)
{
    scene.resetCamera();
    const Vector3 start = scene.player.position();
    const double startHeading = scene.player.heading();
    Vell3D::Placement().placeView(scene.walk);
    EXPECT_EQ(scene.player.sector, 0);
    EXPECT_NEAR(scene.player.position().x, start.x, 1e-9);
    EXPECT_NEAR(scene.player.position().y, start.y, 1e-9);
    EXPECT_NEAR(scene.player.position().z, floorOffset, 1e-9);
    EXPECT_NEAR(scene.player.heading(), startHeading, 1e-9);
}

TEST_F(Placing, thePlayerStandsOnTheFloorOfTheSectorFoundThere)
{
    scene.resetCamera();
    at(3072, 1024).placePlayer(scene.player);
    EXPECT_EQ(scene.player.sector, 1);
    EXPECT_NEAR(scene.player.position().x, -3072.0, 1e-9);
    EXPECT_NEAR(scene.player.position().y, 1024.0, 1e-9);
    EXPECT_NEAR(scene.player.position().z, raisedFloor + floorOffset, 1e-9);

    // Outside every room he stands in none, and moves freely.
    at(8000, 1024).placePlayer(scene.player);
    EXPECT_EQ(scene.player.sector, -1);
}

// Put down elsewhere without a heading, the player faces as he did (the
// plan's click moves him so); a sector given is taken as it is.
TEST_F(Placing, aPlaceAloneKeepsTheHeadingAndTakesTheSectorGiven)
{
    scene.resetCamera();
    scene.player.rotate(30.0, 0.0, 0.0, 1.0);
    const double heading = scene.player.heading();
    Vell3D::Placement spot = at(3072, 1024);
    spot.placePlayer(scene.player);
    EXPECT_NEAR(scene.player.heading(), heading, 1e-9);
    EXPECT_NEAR(scene.player.position().x, -3072.0, 1e-9);
    spot.sector = 0;
    spot.placePlayer(scene.player);
    EXPECT_EQ(scene.player.sector, 0);
    EXPECT_NEAR(scene.player.heading(), heading, 1e-9);
}

// The heading is the one the overlay reads, from any heading before, also
// between the quarters, where the overlay's angle is not the turn itself.
TEST_F(Placing, theHeadingIsTheOverlaysAngleWhateverItWasBefore)
{
    for (double before : {0.0, 90.0, 180.0, 270.0, 33.0}) {
        for (double wanted : {0.0, 90.0, 180.0, 270.0, 26.36, 100.0, 200.0, 359.0}) {
            scene.resetCamera();
            scene.player.rotate(before, 0.0, 0.0, 1.0);
            Vell3D::Placement p;
            p.heading = wanted;
            p.placePlayer(scene.player);
            // 0 and 360 are the same heading.
            EXPECT_NEAR(std::remainder(scene.player.heading() - wanted, 360.0), 0.0, 1e-6) << "from " << before;
        }
    }
}

TEST_F(Placing, theViewSeesFromTheNewPlace)
{
    scene.resetCamera();
    scene.camera.updateVisibility();
    ASSERT_EQ(scene.camera.visible.front(), 0);
    // Only the player moves: the eye's own transform is left as it was.
    at(3072, 1024).placeView(scene.walk);
    ASSERT_FALSE(scene.camera.visible.empty());
    EXPECT_EQ(scene.camera.visible.front(), 1);
}

TEST_F(Placing, theEyeStandsAtItsHeightAboveThePlayer)
{
    scene.resetCamera();
    Vell3D::Placement p = at(3072, 1024);
    p.eye = 800.0;
    p.tilt = 20.0;
    p.placeView(scene.walk);
    EXPECT_NEAR(scene.camera.eye().z - scene.player.position().z, 800.0, 1e-6);
    EXPECT_NEAR(scene.camera.pitchAngle(), 20.0, 1e-9);
}
