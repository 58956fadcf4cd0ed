// One view drawn twice, with the sector walk narrowed and over the whole
// view (the walk as it was before it narrowed), and the two pictures set
// side by side. The whole-view walk is the reference: the narrowed one may
// list fewer sectors, but it must draw the same picture.
#pragma once

#include <cstdint>
#include <vector>

#include "OffscreenFrame.h"
#include "RenderScene.h"
#include "gui/Size.h"
#include "render/Placement.h"
#include "tests/support/TileArchive.h"

namespace RenderTests {

// The placement from the map's start, in the scene's frustum.
void place(Scene& scene, const Vell3D::Placement& p);
// Points the scene's nodes at the renderer without preparing it again (the
// sector renderer's lists are made once for all placements).
void drawWith(Scene& scene, Vell3D::Renderer& renderer);

// Where two pictures differ. Along an edge where pieces meet without
// sharing corners, or at equal depth, the rasteriser may leave a pixel open
// or give it to either piece, whichever is drawn first, and the two walks
// draw in different orders: a pixel whose neighbours agree across it, left
// and right or up and down, lies on such a line one pixel thick.
struct PictureDifference {
    int edge = 0;
    int spread = 0;          // every other differing pixel
    int x = -1, y = -1;      // the first of those, rows from the bottom
};
PictureDifference compare(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width);

// A map with the demo tiles, drawn at the view's 800 x 600 by its sector
// renderer.
struct ViewStage {
    explicit ViewStage(const VellTools::MapContent& content);

    OffscreenFrame target{800, 600};
    TestSupport::TileArchive tiles;
    Scene scene;
};

struct TwoWalks {
    std::vector<int> whole, narrowed;                    // the visible lists
    std::vector<std::uint32_t> wholePicture, picture;    // as OffscreenFrame reads them
    int mirrors = 0;                                     // drawn in the narrowed frame
    PictureDifference difference;
};
// The placement drawn over the whole view, then narrowed, with the scene's
// sector renderer into the target; leaves the camera narrowing.
TwoWalks drawBothWays(Scene& scene, const OffscreenFrame& target, const Vell3D::Placement& p);

} // namespace RenderTests
