#include "WalkviewFixture.h"

#include <cstdlib>

#include "../world/WorldFixtures.h"
#include "gui/platform/Platform.h"
#include "tests/support/MessagePump.h"
#include "tools/demo/DemoArchive.h"

namespace WalkviewFixture {

using namespace Vell::Platform;

VellTools::Bytes demoArchiveBytes()
{
    static const VellTools::Bytes bytes = VellTools::demoArchive(false);
    return bytes;
}

ViewScene::ViewScene(const VellTools::MapContent& map)
{
    open(map, nullptr, nullptr);
}

ViewScene::ViewScene(const VellTools::MapContent& map, std::unique_ptr<Vell3D::Renderer> sectorRenderer,
                     std::unique_ptr<Vell3D::Renderer> wireRenderer)
{
    open(map, std::move(sectorRenderer), std::move(wireRenderer));
}

void ViewScene::open(const VellTools::MapContent& map, std::unique_ptr<Vell3D::Renderer> sectorRenderer,
                     std::unique_ptr<Vell3D::Renderer> wireRenderer)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    archive.open(scratch.write("demo.grp", demoArchiveBytes()).c_str());
    tiles.load(archive, "tiles", "palette.dat");
    main = std::make_unique<Vell3D::ViewerWindow>("walkview test");
    setFrameCapture(main->handle(), true);
    main->show(true);
    const Vell::Rect area(0, 0, 800, 600);
    if (sectorRenderer)
        view = std::make_unique<Vell3D::WalkView>(area, main.get(), std::move(sectorRenderer),
                                                  std::move(wireRenderer));
    else
        view = std::make_unique<Vell3D::WalkView>(area, main.get());
    world.build(WorldFixtures::loadMap(map));
    world.attachTextures(tiles);
    view->setWorld(&world);
    pump();
}

ViewScene::~ViewScene()
{
    view.reset();
    main.reset();
    TestSupport::dropMessages();
}

int ViewScene::pump()
{
    return TestSupport::pumpMessages();
}

void ViewScene::key(int virtualKey)
{
    postMessage({view->handle(), WM_KEYDOWN, std::uint64_t(virtualKey), 1});
    pump();
}

void ViewScene::mouse(int dx, int dy)
{
    // Setting the cursor raises the mouse move at its new place.
    setCursorPos(300 + dx, 300 + dy);
    pump();
}

bool ViewScene::repaintPending() const { return isInvalid(view->handle()); }

Picture ViewScene::picture()
{
    pump();
    Picture picture;
    picture.pixels = readFrame(main->handle(), picture.width, picture.height);
    for (std::uint32_t& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

} // namespace WalkviewFixture
