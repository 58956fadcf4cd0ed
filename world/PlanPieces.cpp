// The plan pieces: a partition tree of each sector's walls
// (World::bspNodes), and for every empty region on the front side of a
// partition line a convex polygon, a plan piece, stored as new wall points
// after the walls' own (World::pieceIndices, WorldSector::pieceStarts).
//
// Both the tree and the pieces are made without recursion: a sector may
// have thousands of walls, and a chain of them is as deep as it is long.
// A map built to make the partition explode is held in check by three
// budgets; a sane map never comes near them:
//   - each sector's walls may be cut at most 2 x its wall count + 64 times;
//     further segments that straddle a line go whole to the side of their
//     first end;
//   - the clipping of all pieces together may visit 4096 corners per wall
//     of the world, and never fewer than 32 million;
//   - all pieces together may have 32 corners per wall, and never fewer
//     than 262144.
// The last two grow with the world, so the largest maps get as much room
// per wall as smaller ones. A piece that would break either of them is left
// out, and so is every later one.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double cutMargin = 0.000001;   // no cut this close to a segment's ends
constexpr double square = 100000.0;      // the region a piece is cut from...
constexpr double squareMargin = 1024.0;  // ...or this far round a sector past it
constexpr int extraCutsPerSector = 64;
constexpr long long clipsPerWall = 4096;
constexpr long long minClips = 32LL * 1024 * 1024;
constexpr std::size_t cornersPerWall = 32;
constexpr std::size_t minCorners = 262144;

// A point in x and y. The partition's inner loops run over millions of
// segment and corner tests on a sector of thousands of walls, so they work on
// plain coordinates.
struct Flat {
    double x;
    double y;
};

// The point at t between a (t = 0) and b (t = 1).
Flat along(const Flat& a, const Flat& b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Part of a wall, with the points at both its parameters worked out once:
// a sector's segments are tested against every line above them in the tree.
struct Segment {
    int wall;
    double t0;
    double t1;
    Flat from;   // at t0
    Flat to;     // at t1
};

// The region a sector's pieces are cut from: the square of +-100000 that
// holds most maps, as long as the sector lies inside it. A sector that
// reaches past it (32-bit coordinates go to 2 billion) gets its own bounding
// box widened by squareMargin instead: a crossing closer than cutMargin (a
// fraction of an edge) to a corner adds no point, so a region stretched over
// the whole world from one far-out sector would drop points everywhere.
struct Region {
    double left = -square;
    double bottom = -square;
    double right = square;
    double top = square;

    Region() = default;
    Region(const World& world, const WorldSector& sector)
    {
        double x0 = square, y0 = square, x1 = -square, y1 = -square;
        for (int w : sector.walls) {
            if (!world.hasPoints(w))
                continue;
            for (const WallPoint* end : {&world.wallStart(w), &world.wallEnd(w)}) {
                const WallPoint& p = *end;
                x0 = std::min(x0, p.x);
                y0 = std::min(y0, p.y);
                x1 = std::max(x1, p.x);
                y1 = std::max(y1, p.y);
            }
        }
        if (x0 >= -square && y0 >= -square && x1 <= square && y1 <= square)
            return;
        left = x0 - squareMargin;
        bottom = y0 - squareMargin;
        right = x1 + squareMargin;
        top = y1 + squareMargin;
    }
};

// The lists hold indices into the sector's segments, so that sorting a
// list moves small numbers.
struct Pending {
    std::vector<int> segments;
    int parent;
    bool front;
};

class PieceBuilder {
public:
    explicit PieceBuilder(World& world);

    void buildSector(int s);

private:
    // t = 0 at the wall's end, 1 at its start.
    Flat pointOn(int w, double t) const { return along(ends[std::size_t(w)], starts[std::size_t(w)], t); }
    int addSegment(int wall, double t0, double t1);
    int buildTree(std::vector<int> segments);
    int addNode(const Segment& splitter, int parent);
    void split(const std::vector<int>& segments, std::vector<int>& front, std::vector<int>& back);
    void collect(int root, int s);
    bool makePiece(int node, int s);
    bool clip(int node, bool keepFront);
    void storePiece(int s);

    World& world;
    std::vector<Flat> ends;      // per wall
    std::vector<Flat> starts;    // per wall
    std::vector<Segment> pool;   // the sector's segments, cut ones included
    std::vector<Flat> nodeFrom;  // per node: the point of its segment at t0...
    std::vector<Flat> nodeTo;    // ...and at t1
    std::vector<Flat> polygon;   // the piece being cut
    std::vector<Flat> kept;      // what one clip keeps of it
    std::vector<int> sides;      // per corner: +1 front, -1 back, 0 on the line
    Region region;
    int cutsLeft = 0;
    long long clipsLeft;
    std::size_t cornersLeft;
    bool exhausted = false;
};

PieceBuilder::PieceBuilder(World& world)
    : world(world), ends(world.walls.size()), starts(world.walls.size()),
      clipsLeft(std::max(minClips, clipsPerWall * (long long)world.walls.size())),
      cornersLeft(std::max(minCorners, cornersPerWall * world.walls.size()))
{
    for (std::size_t w = 0; w < world.walls.size(); ++w) {
        if (!world.hasPoints(int(w)))
            continue;
        const WallPoint& e = world.wallEnd(int(w));
        const WallPoint& s = world.wallStart(int(w));
        ends[w] = {e.x, e.y};
        starts[w] = {s.x, s.y};
    }
}

void PieceBuilder::buildSector(int s)
{
    WorldSector& sector = world.sectors[std::size_t(s)];
    pool.clear();
    std::vector<int> segments;
    for (int w : sector.walls) {
        if (world.hasPoints(w))
            segments.push_back(addSegment(w, 0.0, 1.0));
    }
    cutsLeft = 2 * int(segments.size()) + extraCutsPerSector;
    region = Region(world, sector);
    int root = buildTree(std::move(segments));
    world.sectors[std::size_t(s)].bspRoot = root;
    if (root != -1)
        collect(root, s);
    world.sectors[std::size_t(s)].pieceStarts.push_back(int(world.pieceIndices.size()));
}

int PieceBuilder::addSegment(int wall, double t0, double t1)
{
    pool.push_back({wall, t0, t1, pointOn(wall, t0), pointOn(wall, t1)});
    return int(pool.size()) - 1;
}

// Nodes get their indices in the order of a front-first walk, as a
// recursive build (node, then its front tree, then its back tree) would.
int PieceBuilder::buildTree(std::vector<int> segments)
{
    if (segments.empty())
        return -1;
    const int root = int(world.bspNodes.size());
    std::vector<Pending> stack;
    stack.push_back({std::move(segments), -1, true});
    while (!stack.empty()) {
        Pending item = std::move(stack.back());
        stack.pop_back();
        std::vector<int> front, back;
        split(item.segments, front, back);
        const int index = addNode(pool[std::size_t(item.segments.front())], item.parent);
        if (item.parent >= 0) {
            BspNode& parent = world.bspNodes[std::size_t(item.parent)];
            (item.front ? parent.front : parent.back) = index;
        }
        if (!back.empty())
            stack.push_back({std::move(back), index, false});
        if (!front.empty())
            stack.push_back({std::move(front), index, true});
    }
    return root;
}

int PieceBuilder::addNode(const Segment& splitter, int parent)
{
    const int index = int(world.bspNodes.size());
    world.bspNodes.push_back({splitter.wall, splitter.t0, splitter.t1, -1, -1, parent});
    nodeFrom.push_back(splitter.from);
    nodeTo.push_back(splitter.to);
    return index;
}

// The first segment is the splitter. Sorts every other one to the
// splitter line's front (left, or on it) or back, cutting those that cross
// it.
void PieceBuilder::split(const std::vector<int>& segments, std::vector<int>& front, std::vector<int>& back)
{
    const int splitter = pool[std::size_t(segments.front())].wall;
    const Flat e = ends[std::size_t(splitter)];
    const Flat s = starts[std::size_t(splitter)];
    // Most segments of a long chain of walls stay on one side.
    front.reserve(segments.size() - 1);
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const Segment& segment = pool[std::size_t(segments[i])];
        int sigma = side(e, s, segment.from);
        // Both ends clear of the line on one side: the line cannot cut the
        // segment, and the division of the crossing is saved.
        if (sigma != 0 && side(e, s, segment.to) == sigma) {
            (sigma == 1 ? back : front).push_back(segments[i]);
            continue;
        }
        const Segment v = segment;   // adding segments may move the pool
        double cut = intersect(e, s, ends[std::size_t(v.wall)], starts[std::size_t(v.wall)]).s;
        if (v.t0 + cutMargin < cut && cut < v.t1 - cutMargin && cutsLeft > 0) {
            --cutsLeft;
            int first = addSegment(v.wall, v.t0, cut);
            int second = addSegment(v.wall, cut, v.t1);
            (sigma < 0 ? front : back).push_back(first);
            (sigma < 0 ? back : front).push_back(second);
            continue;
        }
        if (sigma == 0)
            sigma = side(e, s, v.to);
        (sigma == 1 ? back : front).push_back(segments[i]);
    }
}

// A piece for every node without a front child, in the order of a walk
// that goes down the front children first and then along the back ones.
void PieceBuilder::collect(int root, int s)
{
    std::vector<int> resume{root};
    while (!resume.empty()) {
        int n = resume.back();
        resume.pop_back();
        while (n != -1) {
            const BspNode node = world.bspNodes[std::size_t(n)];
            if (node.front != -1) {
                resume.push_back(node.back);
                n = node.front;
                continue;
            }
            if (!exhausted && !makePiece(n, s))
                exhausted = true;
            n = node.back;
        }
    }
}

// The empty region on n's front side: the big region cut by the lines of n
// and of all its ancestors, each time keeping the side the walk came from.
// Once nothing is left, the clips further up cannot change that.
bool PieceBuilder::makePiece(int n, int s)
{
    polygon.assign({{region.left, region.top}, {region.left, region.bottom}, {region.right, region.bottom},
                    {region.right, region.top}});
    int at = n;
    bool keepFront = true;
    while (!polygon.empty()) {
        if (!clip(at, keepFront))
            return false;
        const int parent = world.bspNodes[std::size_t(at)].parent;
        if (parent < 0)
            break;
        keepFront = world.bspNodes[std::size_t(parent)].back != at;
        at = parent;
    }
    if (polygon.size() > cornersLeft)
        return false;
    cornersLeft -= polygon.size();
    storePiece(s);
    return true;
}

void PieceBuilder::storePiece(int s)
{
    WorldSector& sector = world.sectors[std::size_t(s)];
    sector.pieceStarts.push_back(int(world.pieceIndices.size()));
    for (const Flat& corner : polygon) {
        WallPoint point;
        point.x = corner.x;
        point.y = corner.y;
        point.floorZ = sector.floorZAt(corner.x, corner.y);
        point.ceilingZ = sector.ceilingZAt(corner.x, corner.y);
        point.sector = s;
        world.pieceIndices.push_back(int(world.points.size()));
        world.points.push_back(point);
    }
    world.pieceIndices.push_back(-1);
}

// Corners within half a unit of the line stay; so do those on the kept
// side. An edge is cut where the line crosses it, unless both its corners lie
// clear of the line on one side (then it cannot cross, and the division is
// saved); a polygon wholly clear on the kept side stays as it is.
bool PieceBuilder::clip(int node, bool keepFront)
{
    clipsLeft -= (long long)polygon.size();
    if (clipsLeft < 0)
        return false;
    const Flat a = nodeFrom[std::size_t(node)];
    const Flat b = nodeTo[std::size_t(node)];
    sides.clear();
    bool allKept = true;
    for (const Flat& v : polygon) {
        double c = (b.x - a.x) * (v.y - a.y) - (b.y - a.y) * (v.x - a.x);
        int sign = c >= 0.5 ? 1 : (c <= -0.5 ? -1 : 0);
        sides.push_back(sign);
        allKept = allKept && sign == (keepFront ? 1 : -1);
    }
    if (allKept)
        return true;
    kept.clear();
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Flat& v = polygon[i];
        const std::size_t j = (i + 1) % polygon.size();
        if (sides[i] == 0 || (sides[i] == 1) == keepFront)
            kept.push_back(v);
        if (sides[i] != 0 && sides[i] == sides[j])
            continue;
        double r = intersect(v, polygon[j], a, b).r;
        if (r > cutMargin && r < 1.0 - cutMargin)
            kept.push_back(along(v, polygon[j], r));
    }
    polygon.swap(kept);
    return true;
}

} // namespace

void World::buildPieces()
{
    // Building again starts from the walls' own points.
    bspNodes.clear();
    pieceIndices.clear();
    if (points.size() > walls.size())
        points.resize(walls.size());
    for (WorldSector& sector : sectors) {
        sector.bspRoot = -1;
        sector.pieceStarts.clear();
    }
    pieceIndices.push_back(-1);
    PieceBuilder builder(*this);
    for (std::size_t s = 0; s < sectors.size(); ++s)
        builder.buildSector(int(s));
}

} // namespace Vell3D
