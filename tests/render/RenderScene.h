// A world with its tile set and the view's scene graph around it, drawn
// headless into the shared test context (64 x 64 pixels, the frustum of the
// 800 x 600 view: +-40 x +-30 at distance 50). Maps are authored with the
// map builder in map coordinates (world x = -map x).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "render/PortalCamera.h"
#include "render/SectorRenderer.h"
#include "render/WalkScene.h"
#include "render/WireRenderer.h"
#include "render/WorldNode.h"
#include "tests/support/TileArchive.h"
#include "tools/authoring/MapBuilder.h"
#include "world/World.h"

namespace RenderTests {

// The renderer and the scene types it draws.
using namespace Vell3D;

struct Rgb {
    int red, green, blue;
};

// Tile t is 64 x 64 texels of colour colours[t] (six-bit components).
class SolidTiles : public TestSupport::TileArchive {
public:
    explicit SolidTiles(const std::vector<Rgb>& colours);
};

// Tile numbers of the test tile set.
enum : int { grey = 0, red, green, blue, yellow, white, tileCount };
// Full six-bit colours for the tiles above.
std::vector<Rgb> basicColours();

// World height of map z, and the other way round.
std::int32_t mapZ(double worldZ);
// An axis-aligned square loop in map coordinates, outer winding.
std::vector<VellTools::MapPoint> box(int x0, int y0, int x1, int y1);
// Builder defaults: no fog (visibility 240), walls and surfaces grey.
VellTools::MapBuilder builder();

class Scene {
public:
    static constexpr int size = 64;

    Scene(const VellTools::MapContent& content, TileSet& tiles);

    // Through the view's own scene (render/WalkScene.h): the renderer
    // prepared; the player at the start, the eye 500 above, looking along
    // the player's y axis, in the test's frustum.
    void use(Vell3D::Renderer& renderer);
    void resetCamera();
    // Turns the player about the vertical axis and lets the camera follow.
    void turnPlayer(double degrees);
    void frame();
    Rgb pixel(int x, int y) const;
    // Frames of another size keep the view's frustum (+-40 x +-30).
    void resize(int w, int h);

    int width = size;
    int height = size;

    World world;
    Vell3D::WalkScene walk;
    Vell3D::WorldNode& worldNode = walk.worldNode;
    Vell3D::PlayerCameraNode& player = walk.playerCamera;
    Vell3D::PortalCamera& camera = walk.portalCamera;
    Vell3D::SectorRenderer sectors;
    Vell3D::WireRenderer wires;
};

// A map in the basic colours, its sector renderer in use, the player at
// the start.
struct SolidScene {
    explicit SolidScene(const VellTools::MapContent& content);

    SolidTiles tiles{basicColours()};
    Scene scene;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override;
};

} // namespace RenderTests
