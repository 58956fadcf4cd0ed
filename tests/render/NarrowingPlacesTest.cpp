// The narrowed sector walk draws the picture the walk over the whole view
// draws, where users stand: on an opening's line (map authors put starts on
// grid points and walls on grid lines, and walkview's steps land there),
// close to a wall that the near plane cuts, with the eye above a low ceiling,
// under a sky, among slopes, and anywhere at all. Each placement is drawn
// both ways at the view's 800 x 600 and the pictures compared, mirrors
// included; in the round room, whose walls keep the near plane clear, every
// sector the ID pass shows must be listed as well.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>

#include "SectorIdPass.h"
#include "TwoWalks.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoTiles.h"

using namespace RenderTests;

namespace {

namespace Tiles = VellTools::DemoTiles;
using Placements = std::function<std::vector<Placement>(const World&)>;

Placement at(double x, double y, double heading, double tilt = 0.0)
{
    Placement p;
    p.x = x;
    p.y = y;
    p.heading = heading;
    p.tilt = tilt;
    return p;
}

// On the opening's line at its start, middle and end, looking along it both
// ways and across it both ways (headings as the overlay gives them).
std::vector<Placement> onOpening(const World& world, int w)
{
    const WallPoint& a = world.wallStart(w);
    const WallPoint& b = world.wallEnd(w);
    const double along = std::atan2(b.x - a.x, b.y - a.y) * 180.0 / M_PI;
    std::vector<Placement> out;
    for (double t : {0.0, 0.5, 1.0}) {
        for (double turn : {0.0, 90.0, 180.0, 270.0})
            out.push_back(at(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), along + turn));
    }
    return out;
}

// Seeded places: half on the line of a random opening (at an end or the
// middle more often than not), half anywhere on the map's floors with the
// eye at any height up to 2000 (above many ceilings); any heading, some
// tilted.
std::vector<Placement> seeded(const World& world, unsigned seed, int count)
{
    std::vector<int> openings;
    for (std::size_t w = 0; w < world.walls.size(); ++w) {
        if (world.walls[w].isOpening() && world.hasPoints(int(w)))
            openings.push_back(int(w));
    }
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const WallPoint& p : world.points) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    std::mt19937 random(seed);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(random); };
    std::vector<Placement> out;
    while (int(out.size()) < count / 2 && !openings.empty()) {
        const int w = openings[std::size_t(random() % openings.size())];
        const WallPoint& a = world.wallStart(w);
        const WallPoint& b = world.wallEnd(w);
        const double spots[] = {0.0, 0.5, 1.0, uniform(0.0, 1.0)};
        const double t = spots[random() % 4];
        out.push_back(at(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), uniform(0.0, 360.0),
                         out.size() % 3 == 2 ? uniform(-30.0, 30.0) : 0.0));
    }
    while (int(out.size()) < count) {
        Placement p = at(uniform(x0, x1), uniform(y0, y1), uniform(0.0, 360.0), uniform(-40.0, 40.0));
        if (random() % 2)
            p.eye = uniform(0.0, 2000.0);
        if (world.sectorAt(*p.x, *p.y) >= 0)
            out.push_back(p);
    }
    return out;
}

std::string where(const Placement& p)
{
    std::ostringstream out;
    out << "--at " << *p.x << "," << *p.y << " --angle " << *p.heading << " --tilt " << p.tilt.value_or(0.0);
    if (p.eye)
        out << " --eye " << *p.eye;
    return out.str();
}

struct Totals {
    int placements = 0, mirrorFrames = 0, narrowed = 0, whole = 0;
};

std::ostream& operator<<(std::ostream& out, const Totals& t)
{
    return out << t.placements << " placements, " << t.narrowed << " of " << t.whole << " sectors listed, "
               << t.mirrorFrames << " frames with mirrors";
}

class NarrowingPlaces : public RenderTest {
protected:
    // Draws every placement both ways; withIds also checks that the
    // narrowed walk lists every sector the ID pass shows.
    Totals check(const VellTools::MapContent& content, const Placements& placements, bool withIds = false)
    {
        Totals totals;
        ViewStage stage(content);
        if (!stage.target.ok())
            return totals;
        Scene& scene = stage.scene;
        const OffscreenFrame& target = stage.target;
        std::unique_ptr<SectorIdPass> ids;
        if (withIds)
            ids = std::make_unique<SectorIdPass>(scene.world);
        for (const Placement& p : placements(scene.world)) {
            SCOPED_TRACE(where(p));
            const TwoWalks both = drawBothWays(scene, target, p);
            // A few pixels where two such edges cross; a sector drawn short
            // leaves hundreds.
            EXPECT_LE(both.difference.spread, 16) << "first at pixel " << both.difference.x << ", "
                                                  << both.difference.y;
            EXPECT_LE(both.difference.edge, 200);
            ++totals.placements;
            totals.mirrorFrames += both.mirrors > 0;
            totals.narrowed += int(both.narrowed.size());
            totals.whole += int(both.whole.size());
            if (ids)
                expectListed(scene, *ids, target, both.narrowed);
        }
        return totals;
    }

    static void expectListed(Scene& scene, SectorIdPass& ids, const OffscreenFrame& target, std::vector<int> listed)
    {
        drawWith(scene, ids);
        std::sort(listed.begin(), listed.end());
        std::vector<int> shown = SectorIdPass::sectorsAt(target.pixels());
        std::sort(shown.begin(), shown.end());
        shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
        for (int s : shown)
            EXPECT_TRUE(s < 0 || std::binary_search(listed.begin(), listed.end(), s)) << "sector " << s;
    }
};

// A round room of 24 thin wedges about one point, each with its own floor
// and wall tiles, a mirror on one outer wall.
VellTools::MapContent wedgeRoom()
{
    VellTools::MapBuilder b;
    VellTools::useDemoDefaults(b);
    constexpr int count = 24, radius = 4096;
    std::vector<VellTools::MapPoint> rim;
    for (int k = 0; k < count; ++k) {
        const double a = 2.0 * M_PI * k / count;
        rim.push_back({std::int32_t(std::lround(radius * std::cos(a))), std::int32_t(std::lround(radius * std::sin(a)))});
    }
    const int tiles[] = {Tiles::brick, Tiles::stone, Tiles::wood, Tiles::metal, Tiles::grass, Tiles::sand};
    for (int k = 0; k < count; ++k) {
        const int s = b.addSector({{0, 0}, rim[std::size_t(k)], rim[std::size_t((k + 1) % count)]}, mapZ(0), mapZ(1200));
        b.sector(s).floorTile = std::int16_t(tiles[k % 6]);
        b.sector(s).ceilingTile = std::int16_t(tiles[(k + 3) % 6]);
        for (int w = 0; w < b.wallCount(s); ++w)
            b.wall(s, w).tile = std::int16_t(tiles[(k + w) % 6]);
        const double middle = 2.0 * M_PI * (k + 0.5) / count;
        b.addSprite(s, std::int32_t(radius / 2 * std::cos(middle)), std::int32_t(radius / 2 * std::sin(middle)), mapZ(0),
                    std::int16_t(Tiles::barrel), 0);
    }
    // A mirror is an opening: the rim of wedge 12 opens onto an alcove.
    const VellTools::MapPoint& a = rim[count / 2];
    const VellTools::MapPoint& c = rim[count / 2 + 1];
    b.addSector({c, a, {a.x * 9 / 8, a.y * 9 / 8}, {c.x * 9 / 8, c.y * 9 / 8}}, mapZ(0), mapZ(1200));
    VellTools::Wall& glass = b.wallFrom(count / 2, a.x, a.y);
    glass.flags = WallBits::oneWay;
    glass.overTile = std::int16_t(Tiles::mirror);
    b.setStart(radius / 2, 0, 0, 0, 0);
    return b.build();
}


std::vector<VellTools::MapPoint> hole(int x0, int y0, int x1, int y1)
{
    std::vector<VellTools::MapPoint> loop = box(x0, y0, x1, y1);
    std::reverse(loop.begin(), loop.end());
    return loop;
}

void setSky(VellTools::Sector& sector, int tile)
{
    sector.ceilingFlags |= SurfaceBits::sky;
    sector.ceilingTile = std::int16_t(tile);
}

// An open field under two skies (day to the west, dusk to the east),
// holding a low room whose ceiling lies below the eye with two solid walls
// and two open ones, a low room under a night sky, a raised platform, a
// pillar, and a closet with a mirror facing the field.
VellTools::MapContent lowRoomsInAField()
{
    VellTools::MapBuilder b;
    VellTools::useDemoDefaults(b);
    const int west = b.addSector({{0, 0}, {8192, 0}, {8192, 16384}, {0, 16384}}, mapZ(0), mapZ(6000));
    const int east = b.addSector({{8192, 0}, {16384, 0}, {16384, 16384}, {8192, 16384}}, mapZ(0), mapZ(6000));
    setSky(b.sector(west), Tiles::daySky);
    setSky(b.sector(east), Tiles::duskSky);
    b.sector(west).floorTile = b.sector(east).floorTile = std::int16_t(Tiles::grass);
    b.addInnerLoop(west, hole(4096, 4096, 5120, 5120));
    const int low = b.addSector(box(4096, 4096, 5120, 5120), mapZ(0), mapZ(300));
    b.sector(low).floorTile = std::int16_t(Tiles::wood);
    for (auto [x, y] : {std::pair{4096, 4096}, std::pair{5120, 4096}}) {
        b.keepSolid(low, x, y);
    }
    b.keepSolid(west, 5120, 4096);
    b.keepSolid(west, 5120, 5120);
    b.addInnerLoop(east, hole(10240, 4096, 11264, 5120));
    const int night = b.addSector(box(10240, 4096, 11264, 5120), mapZ(0), mapZ(300));
    setSky(b.sector(night), Tiles::nightSky);
    b.sector(night).floorTile = std::int16_t(Tiles::sand);
    b.addInnerLoop(east, hole(10240, 10240, 12288, 12288));
    const int platform = b.addSector(box(10240, 10240, 12288, 12288), mapZ(400), mapZ(6000));
    setSky(b.sector(platform), Tiles::duskSky);
    b.sector(platform).floorTile = std::int16_t(Tiles::stone);
    b.addInnerLoop(west, hole(6144, 8192, 7168, 9216));   // a pillar
    b.addInnerLoop(west, hole(2048, 12288, 2560, 12800));
    const int closet = b.addSector(box(2048, 12288, 2560, 12800), mapZ(0), mapZ(1500));
    b.sector(closet).floorTile = std::int16_t(Tiles::metal);
    VellTools::Wall& glass = b.wallFrom(west, 2560, 12288);
    glass.flags = WallBits::oneWay;
    glass.overTile = std::int16_t(Tiles::mirror);
    for (int s = 0; s < b.sectorCount(); ++s) {
        for (int w = 0; w < b.wallCount(s); ++w)
            b.wall(s, w).tile = std::int16_t(Tiles::brick + (s + w) % 4);
    }
    b.addSprite(west, 3000, 4600, mapZ(0), std::int16_t(Tiles::tree), 0);
    b.addSprite(east, 13000, 4600, mapZ(0), std::int16_t(Tiles::tree), 0);
    b.setStart(4608, 4608, 0, 0, low);
    return b.build();
}

// A three by three block of rooms, all open to each other, whose floors and
// ceilings slope: the middle room's ceiling falls below the eye towards one
// side, its neighbours' floors rise past it, two have sky ceilings.
VellTools::MapContent slopedRooms()
{
    VellTools::MapBuilder b;
    VellTools::useDemoDefaults(b);
    constexpr int cell = 1024;
    const int floorSlopes[9] = {0, 600, -400, 900, 0, -900, 300, 0, 1200};
    const int ceilingSlopes[9] = {-500, 0, 700, 0, -1600, 0, 0, -800, 400};
    for (int k = 0; k < 9; ++k) {
        const int x = (k % 3) * cell, y = (k / 3) * cell;
        const int s = b.addSector(box(x, y, x + cell, y + cell), mapZ(k % 2 ? 64 : 0), mapZ(k == 4 ? 900 : 1400));
        VellTools::Sector& sector = b.sector(s);
        sector.floorTile = std::int16_t(Tiles::brick + k % 6);
        sector.ceilingTile = std::int16_t(Tiles::ceilingPanel);
        if (floorSlopes[k] != 0) {
            sector.floorFlags |= SurfaceBits::sloped;
            sector.floorSlope = std::int16_t(floorSlopes[k]);
        }
        if (ceilingSlopes[k] != 0) {
            sector.ceilingFlags |= SurfaceBits::sloped;
            sector.ceilingSlope = std::int16_t(ceilingSlopes[k]);
        }
        if (k == 2 || k == 6)
            setSky(sector, k == 2 ? Tiles::daySky : Tiles::nightSky);
        for (int w = 0; w < b.wallCount(s); ++w)
            b.wall(s, w).tile = std::int16_t(Tiles::stone + (k + w) % 3);
    }
    b.setStart(cell * 3 / 2, cell * 3 / 2, 0, 0, 4);
    return b.build();
}

// The sector's openings, each from its ends and middle, looking along and
// across; and seeded places within the sector, any way, some tilted.
std::vector<Placement> in(const World& world, int sector, unsigned seed, int count)
{
    std::vector<Placement> out;
    for (int w : world.sectors[std::size_t(sector)].walls) {
        if (world.walls[std::size_t(w)].isOpening()) {
            const std::vector<Placement> more = onOpening(world, w);
            out.insert(out.end(), more.begin(), more.end());
        }
    }
    const SectorBox& box = world.sectors[std::size_t(sector)].box;
    std::mt19937 random(seed);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(random); };
    for (int i = 0; i < count; ++i)
        out.push_back(at(uniform(box.lo[0], box.hi[0]), uniform(box.lo[1], box.hi[1]), uniform(0.0, 360.0),
                         uniform(-35.0, 35.0)));
    return out;
}

} // namespace

TEST_F(NarrowingPlaces, RoundRoomOfWedgesFromItsLinesAndItsMiddle)
{
    const Totals totals = check(wedgeRoom(), [](const World& world) {
        std::vector<Placement> out;
        for (int w : world.sectors[0].walls) {
            if (world.walls[std::size_t(w)].isOpening()) {
                const std::vector<Placement> more = onOpening(world, w);
                out.insert(out.end(), more.begin(), more.end());
            }
        }
        return out;
    }, true);
    EXPECT_GE(totals.placements, 24) << totals;
    EXPECT_GT(totals.mirrorFrames, 0) << totals;
}

TEST_F(NarrowingPlaces, LowRoomsUnderSkiesInAnOpenField)
{
    const Totals totals = check(lowRoomsInAField(), [](const World& world) {
        std::vector<Placement> out;
        for (int s : {2, 3, 4, 5}) {
            const std::vector<Placement> more = in(world, s, unsigned(s), 12);
            out.insert(out.end(), more.begin(), more.end());
        }
        return out;
    });
    EXPECT_GT(totals.mirrorFrames, 0) << totals;
}

TEST_F(NarrowingPlaces, SlopesAroundTheEye)
{
    const Totals totals = check(slopedRooms(), [](const World& world) { return in(world, 4, 4, 24); });
    EXPECT_GE(totals.placements, 40) << totals;
}

TEST_F(NarrowingPlaces, DemoLargeAndHugeMapsOnOpeningLinesAndAnywhere)
{
    for (const VellTools::MapContent& map :
         {VellTools::firstLevelMap(), VellTools::showcaseMap(), VellTools::largeMap(), VellTools::hugeMap()}) {
        const Totals totals = check(map, [](const World& world) { return seeded(world, 24, 60); });
        EXPECT_EQ(totals.placements, 60) << totals;
    }
}
