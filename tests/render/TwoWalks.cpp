#include "TwoWalks.h"

#include "tools/demo/DemoArchive.h"

namespace RenderTests {

ViewStage::ViewStage(const VellTools::MapContent& content)
    : tiles(VellTools::demoArchive(false)), scene(content, tiles.tiles)
{
    EXPECT_TRUE(target.ok());
    scene.resize(target.width, target.height);
    scene.use(scene.sectors);
}

void place(Scene& scene, const Vell3D::Placement& p)
{
    scene.resetCamera();
    p.placeView(scene.walk);
}

void drawWith(Scene& scene, Vell3D::Renderer& renderer)
{
    scene.worldNode.renderer = scene.player.renderer = scene.camera.renderer = &renderer;
    renderer.beginFrame();
    scene.frame();
}

PictureDifference compare(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width)
{
    PictureDifference d;
    const std::size_t w = std::size_t(width), n = std::min(a.size(), b.size());
    auto agree = [&](std::size_t k) { return k >= n || a[k] == b[k]; };
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const std::size_t x = i % w;
        const bool across = (x == 0 || agree(i - 1)) && (x + 1 == w || agree(i + 1));
        const bool upDown = (i < w || agree(i - w)) && agree(i + w);
        if (across || upDown) {
            ++d.edge;
            continue;
        }
        if (d.spread++ == 0) {
            d.x = int(x);
            d.y = int(i / w);
        }
    }
    return d;
}

TwoWalks drawBothWays(Scene& scene, const OffscreenFrame& target, const Vell3D::Placement& p)
{
    TwoWalks out;
    place(scene, p);
    // The walk is made for the frustum the frame is drawn with.
    scene.camera.setViewport(Vell::Size(target.width, target.height));
    scene.camera.narrowing = false;
    scene.camera.updateVisibility();
    drawWith(scene, scene.sectors);
    out.whole = scene.camera.visible;
    out.wholePicture = target.pixels();

    scene.camera.narrowing = true;
    scene.camera.updateVisibility();
    drawWith(scene, scene.sectors);
    out.narrowed = scene.camera.visible;
    out.picture = target.pixels();
    out.mirrors = scene.sectors.mirrorCount();
    out.difference = compare(out.wholePicture, out.picture, target.width);
    return out;
}

} // namespace RenderTests
