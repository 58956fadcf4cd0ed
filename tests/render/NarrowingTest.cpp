// The sector walk narrows through every opening and loses nothing. From
// seeded placements on the demo maps, "large.map" and generated open maps,
// at the view's 800 x 600: every sector whose colour the ID pass shows is
// listed; the narrowed list is part of the whole one (the walk without
// narrowing); and the textured picture, mirrors included, is the same drawn
// from either, cracks aside. Placements keep the eye 75 units from every wall, floor and
// ceiling, so the near plane (its corners lie 71 units from the eye) cuts
// no surface open: what it would expose lies outside any walk.
#include <GL/gl.h>

#include <algorithm>
#include <ostream>
#include <random>

#include "SectorIdPass.h"
#include "TwoWalks.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoTiles.h"

using namespace RenderTests;

namespace {

namespace Tiles = VellTools::DemoTiles;

constexpr int clearance = 75;

// Where pieces meet at an edge without sharing its corners (walls of
// different heights beside a doorway, for instance) the rasteriser may
// leave pixels open along the edge, and whatever lies behind shows there,
// even what no walk lists: a pixel between two drawn ones unlike it, across
// or up and down, is taken for such a crack. (A sliver that thin is kept by
// the walk's margin anyway.)
bool crack(const std::vector<int>& ids, int width, std::size_t i)
{
    const std::size_t w = std::size_t(width);
    const int x = int(i % w);
    if (x == 0 || x + 1 == width || i < w || i + w >= ids.size())
        return false;
    auto framed = [&](int a, int b) { return a >= 0 && b >= 0 && a != ids[i] && b != ids[i]; };
    return framed(ids[i - 1], ids[i + 1]) || framed(ids[i - w], ids[i + w]);
}

// The pictures agree all round the pixel.
bool alone(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width, std::size_t i)
{
    const std::size_t w = std::size_t(width);
    for (std::size_t k : {i - 1, i + 1, i - w, i + w}) {
        if (k < a.size() && a[k] != b[k])
            return false;
    }
    return true;
}

// A field of square cells, nearly all open to each other: steps, blocks
// above the eye, skies above and below, sloped ceilings, pillars, sprites
// and a few mirrors between cells.
VellTools::MapContent openField(unsigned seed)
{
    std::mt19937 random(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<>(0.0, 1.0)(random) < p; };
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<>(low, high)(random); };
    constexpr int grid = 12, cell = 768;
    VellTools::MapBuilder b;
    VellTools::useDemoDefaults(b);
    std::vector<int> cells(grid * grid, -1);
    for (int j = 0; j < grid; ++j) {
        for (int i = 0; i < grid; ++i) {
            if (chance(0.1))
                continue;
            const int x = i * cell, y = j * cell, floor = chance(0.08) ? pick(640, 900) : pick(0, 6) * 16;
            const int s = b.addSector(box(x, y, x + cell, y + cell), mapZ(floor), mapZ(floor + pick(640, 1500)));
            cells[std::size_t(j * grid + i)] = s;
            VellTools::Sector& sector = b.sector(s);
            sector.ceilingTile = std::int16_t(chance(0.2) ? Tiles::daySky : Tiles::ceilingPanel);
            sector.ceilingFlags = sector.ceilingTile == Tiles::daySky ? SurfaceBits::sky : 0;
            if (chance(0.04)) {
                sector.floorFlags = SurfaceBits::sky;
                sector.floorTile = Tiles::daySky;
            }
            if (chance(0.15)) {
                sector.ceilingFlags |= SurfaceBits::sloped;
                sector.ceilingSlope = std::int16_t(pick(-600, 600));
            }
            for (int w = 0; w < b.wallCount(s); ++w)
                b.wall(s, w).tile = std::int16_t(pick(Tiles::brick, Tiles::metal));
            if (chance(0.15))
                b.addInnerLoop(s, {{x + 320, y + 320}, {x + 320, y + 448}, {x + 448, y + 448}, {x + 448, y + 320}});
            b.addSprite(s, x + pick(160, 600), y + 160, mapZ(floor), std::int16_t(Tiles::barrel), 0);
        }
    }
    for (int k = 0; k < 6; ++k) {
        const int i = pick(0, grid - 2), j = pick(0, grid - 1);
        const int s = cells[std::size_t(j * grid + i)], t = cells[std::size_t(j * grid + i + 1)];
        if (s < 0 || t < 0)
            continue;
        for (auto [sector, x, y] : {std::tuple{s, (i + 1) * cell, j * cell}, std::tuple{t, (i + 1) * cell, (j + 1) * cell}}) {
            b.wallFrom(sector, x, y).flags = WallBits::oneWay;
            b.wallFrom(sector, x, y).overTile = std::int16_t(Tiles::mirror);
        }
    }
    b.setStart(cell / 2, cell / 2, 0, 0, std::max(cells[0], 0));
    return b.build();
}

bool clearOfWalls(const World& world, double x, double y)
{
    for (std::size_t w = 0; w < world.walls.size(); ++w) {
        const WallPoint& a = world.wallStart(int(w));
        const WallPoint& b = world.wallEnd(int(w));
        const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
        const double t = length2 > 0.0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
        if (std::hypot(a.x + t * dx - x, a.y + t * dy - y) < clearance)
            return false;
    }
    return true;
}

bool eyeClear(const Scene& scene)
{
    const Vell3D::Vector3 eye = scene.camera.eye();
    const WorldSector& sector = scene.world.sectors[std::size_t(scene.player.sector)];
    return eye.z > sector.floorZAt(eye.x, eye.y) + clearance && eye.z < sector.ceilingZAt(eye.x, eye.y) - clearance;
}

// Seeded places on the map's floors, half of them with the view tilted.
std::vector<Vell3D::Placement> placements(Scene& scene, unsigned seed, int count)
{
    std::mt19937 random(seed);
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const WallPoint& p : scene.world.points) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    auto within = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(random); };
    std::vector<Vell3D::Placement> out;
    for (int attempt = 0; attempt < 1000 * count && int(out.size()) < count; ++attempt) {
        Vell3D::Placement p;
        p.x = within(x0, x1);
        p.y = within(y0, y1);
        p.heading = within(0.0, 360.0);
        p.tilt = out.size() % 2 ? within(-25.0, 25.0) : 0.0;
        if (scene.world.sectorAt(*p.x, *p.y) < 0 || !clearOfWalls(scene.world, *p.x, *p.y))
            continue;
        place(scene, p);
        if (eyeClear(scene))
            out.push_back(p);
    }
    return out;
}

struct Totals {
    int placements = 0, narrowed = 0, whole = 0, mirrorFrames = 0;

    Totals& operator+=(const Totals& other)
    {
        placements += other.placements;
        narrowed += other.narrowed;
        whole += other.whole;
        mirrorFrames += other.mirrorFrames;
        return *this;
    }
};

std::ostream& operator<<(std::ostream& out, const Totals& t)
{
    return out << t.placements << " placements, " << t.narrowed << " of " << t.whole << " sectors listed, "
               << t.mirrorFrames << " frames with mirrors";
}

class Narrowing : public RenderTest {
protected:
    // Every placement's three checks; the totals show what was covered.
    Totals check(const VellTools::MapContent& content, unsigned seed, int count)
    {
        Totals totals;
        ViewStage stage(content);
        if (!stage.target.ok())
            return totals;
        Scene& scene = stage.scene;
        SectorIdPass ids(scene.world);
        for (const Vell3D::Placement& p : placements(scene, seed, count)) {
            SCOPED_TRACE(::testing::Message() << "--at " << *p.x << "," << *p.y << " --angle " << *p.heading
                                              << " --tilt " << *p.tilt);
            const TwoWalks both = drawBothWays(scene, stage.target, p);
            totals.mirrorFrames += both.mirrors > 0;
            drawWith(scene, ids);
            const std::vector<int> shown = SectorIdPass::sectorsAt(stage.target.pixels());

            // The pictures may differ at single pixels: where a crack shows
            // what lies behind, in the ID pass or in a mirror, and where a
            // sprite of an unlisted sector reaches out of it with a soft
            // edge.
            std::vector<int> narrowed = both.narrowed;
            std::sort(narrowed.begin(), narrowed.end());
            int lone = 0;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const bool open = shown[i] < 0 || crack(shown, stage.target.width, i);
                if (!open && !std::binary_search(narrowed.begin(), narrowed.end(), shown[i]))
                    ADD_FAILURE() << "sector " << shown[i] << " shows at pixel " << i % 800 << ", " << i / 800;
                if (both.picture[i] != both.wholePicture[i]) {
                    EXPECT_TRUE(open || alone(both.picture, both.wholePicture, stage.target.width, i))
                        << "pictures differ at pixel " << i % 800 << ", " << i / 800;
                    ++lone;
                }
            }
            EXPECT_LE(lone, 64);
            for (int s : narrowed)
                EXPECT_NE(std::find(both.whole.begin(), both.whole.end(), s), both.whole.end()) << "sector " << s;
            ++totals.placements;
            totals.narrowed += int(narrowed.size());
            totals.whole += int(both.whole.size());
        }
        return totals;
    }
};

} // namespace

TEST_F(Narrowing, DemoMapsLoseNothing)
{
    Totals totals;
    for (const VellTools::MapContent& map : {VellTools::firstLevelMap(), VellTools::showcaseMap()})
        totals += check(map, 18, 24);
    EXPECT_GE(totals.placements, 40) << totals;
    EXPECT_GT(totals.mirrorFrames, 0) << totals;
}

TEST_F(Narrowing, LargeMapLosesNothingAndListsFarFewer)
{
    const Totals totals = check(VellTools::largeMap(), 18, 24);
    EXPECT_GE(totals.placements, 20) << totals;
    EXPECT_LT(totals.narrowed * 2, totals.whole) << totals;
}

TEST_F(Narrowing, OpenFieldsLoseNothingMirrorsIncluded)
{
    Totals totals;
    for (unsigned seed : {1u, 2u, 3u})
        totals += check(openField(seed), seed, 16);
    EXPECT_GE(totals.placements, 40) << totals;
    EXPECT_GT(totals.mirrorFrames, 0) << totals;
    EXPECT_LT(totals.narrowed, totals.whole) << totals;
}
