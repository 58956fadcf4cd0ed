// The plan view's convex pieces: a partition tree of each sector's walls
// (World::bspNodes), and for every empty region on the front side of a
// partition line a convex polygon, stored as new wall points after the
// walls' own (World::pieceIndices, WorldSector::pieceStarts).
//
// Both the tree and the pieces are made without recursion: a sector may
// have thousands of walls, and a chain of them is as deep as it is long.
// A map built to make the partition explode is held in check by three
// budgets; a sane map never comes near them:
//   - each sector's walls may be cut at most 2 x its wall count + 64 times;
//     further segments that straddle a line go whole to the side of their
//     first end;
//   - the clipping of all pieces together may visit 32 million corners;
//   - all pieces together may have 262144 corners.
// A piece that would break either of the last two is left out, and so is
// every later one.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "world/World.h"

using Vell3D::Vector3;

namespace {

constexpr double cutMargin = 0.000001;   // no cut this close to a segment's ends
constexpr double square = 100000.0;      // the region a piece is cut from...
constexpr double squareMargin = 1024.0;  // ...or this far round a sector past it
constexpr int extraCutsPerSector = 64;
constexpr long long clipBudget = 32LL * 1024 * 1024;
constexpr std::size_t cornerBudget = 262144;

struct Segment {
    int wall;
    double t0;
    double t1;
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
            for (int i : {world.walls[std::size_t(w)].index, world.walls[std::size_t(w)].nextPoint}) {
                const WallPoint& p = world.points[std::size_t(i)];
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

struct Pending {
    std::vector<Segment> segments;
    int parent;
    bool front;
};

class PieceBuilder {
public:
    explicit PieceBuilder(World& world) : world(world) {}

    void buildSector(int s);

private:
    Vector3 endOf(int w) const;
    Vector3 startOf(int w) const;
    Vector3 pointOn(int w, double t) const;
    int buildTree(std::vector<Segment> segments);
    void split(const Segment& splitter, const std::vector<Segment>& segments, std::vector<Segment>& front,
               std::vector<Segment>& back);
    void collect(int root, int s);
    bool makePiece(int node, int s);
    bool clip(std::vector<Vector3>& polygon, const BspNode& node, bool keepFront);

    World& world;
    Region region;
    int cutsLeft = 0;
    long long clipsLeft = clipBudget;
    std::size_t cornersLeft = cornerBudget;
    bool exhausted = false;
};

Vector3 PieceBuilder::endOf(int w) const
{
    const WallPoint& p = world.points[std::size_t(world.walls[std::size_t(w)].nextPoint)];
    return Vector3(p.x, p.y, 0.0);
}

Vector3 PieceBuilder::startOf(int w) const
{
    const WallPoint& p = world.points[std::size_t(world.walls[std::size_t(w)].index)];
    return Vector3(p.x, p.y, 0.0);
}

// t = 0 at the wall's end, 1 at its start.
Vector3 PieceBuilder::pointOn(int w, double t) const
{
    Vector3 e = endOf(w);
    return e.plus(startOf(w).minus(e).times(t));
}

void PieceBuilder::buildSector(int s)
{
    WorldSector& sector = world.sectors[std::size_t(s)];
    std::vector<Segment> segments;
    for (int w : sector.walls) {
        if (world.hasPoints(w))
            segments.push_back({w, 0.0, 1.0});
    }
    cutsLeft = 2 * int(segments.size()) + extraCutsPerSector;
    region = Region(world, sector);
    int root = buildTree(std::move(segments));
    world.sectors[std::size_t(s)].bspRoot = root;
    if (root != -1)
        collect(root, s);
    world.sectors[std::size_t(s)].pieceStarts.push_back(int(world.pieceIndices.size()));
}

// Nodes get their indices in the order of a front-first walk, as a
// recursive build (node, then its front tree, then its back tree) would.
int PieceBuilder::buildTree(std::vector<Segment> segments)
{
    if (segments.empty())
        return -1;
    std::vector<BspNode>& nodes = world.bspNodes;
    const int root = int(nodes.size());
    std::vector<Pending> stack;
    stack.push_back({std::move(segments), -1, true});
    while (!stack.empty()) {
        Pending item = std::move(stack.back());
        stack.pop_back();
        const Segment splitter = item.segments.front();
        std::vector<Segment> front, back;
        split(splitter, item.segments, front, back);
        const int index = int(nodes.size());
        nodes.push_back({splitter.wall, splitter.t0, splitter.t1, -1, -1, item.parent});
        if (item.parent >= 0) {
            BspNode& parent = nodes[std::size_t(item.parent)];
            (item.front ? parent.front : parent.back) = index;
        }
        if (!back.empty())
            stack.push_back({std::move(back), index, false});
        if (!front.empty())
            stack.push_back({std::move(front), index, true});
    }
    return root;
}

// Sorts every segment after the splitter to the splitter line's front
// (left, or on it) or back, cutting those that cross it.
void PieceBuilder::split(const Segment& splitter, const std::vector<Segment>& segments,
                         std::vector<Segment>& front, std::vector<Segment>& back)
{
    const Vector3 e = endOf(splitter.wall);
    const Vector3 s = startOf(splitter.wall);
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const Segment& v = segments[i];
        double cut = intersect(e, s, endOf(v.wall), startOf(v.wall)).s;
        int sigma = side(e, s, pointOn(v.wall, v.t0));
        if (v.t0 + cutMargin < cut && cut < v.t1 - cutMargin && cutsLeft > 0) {
            --cutsLeft;
            Segment first{v.wall, v.t0, cut};
            Segment second{v.wall, cut, v.t1};
            (sigma < 0 ? front : back).push_back(first);
            (sigma < 0 ? back : front).push_back(second);
            continue;
        }
        if (sigma == 0)
            sigma = side(e, s, pointOn(v.wall, v.t1));
        (sigma == 1 ? back : front).push_back(v);
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
bool PieceBuilder::makePiece(int n, int s)
{
    std::vector<Vector3> polygon{Vector3(region.left, region.top, 0.0), Vector3(region.left, region.bottom, 0.0),
                                 Vector3(region.right, region.bottom, 0.0), Vector3(region.right, region.top, 0.0)};
    int at = n;
    bool keepFront = true;
    for (;;) {
        const BspNode& node = world.bspNodes[std::size_t(at)];
        if (!clip(polygon, node, keepFront))
            return false;
        if (node.parent < 0)
            break;
        keepFront = world.bspNodes[std::size_t(node.parent)].back != at;
        at = node.parent;
    }
    if (polygon.size() > cornersLeft)
        return false;
    cornersLeft -= polygon.size();

    const WorldSector& sector = world.sectors[std::size_t(s)];
    world.sectors[std::size_t(s)].pieceStarts.push_back(int(world.pieceIndices.size()));
    for (const Vector3& corner : polygon) {
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
    return true;
}

bool PieceBuilder::clip(std::vector<Vector3>& polygon, const BspNode& node, bool keepFront)
{
    clipsLeft -= (long long)polygon.size();
    if (clipsLeft < 0)
        return false;
    const Vector3 a = pointOn(node.wall, node.t0);
    const Vector3 b = pointOn(node.wall, node.t1);
    std::vector<Vector3> kept;
    kept.reserve(polygon.size() + 2);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vector3& v = polygon[i];
        const Vector3& next = polygon[(i + 1) % polygon.size()];
        double c = (b.x - a.x) * (v.y - a.y) - (b.y - a.y) * (v.x - a.x);
        if ((c > -0.5 && c < 0.5) || (c >= 0.5 && keepFront) || (c <= -0.5 && !keepFront))
            kept.push_back(v);
        double r = intersect(v, next, a, b).r;
        if (r > cutMargin && r < 1.0 - cutMargin)
            kept.push_back(v.plus(next.minus(v).times(r)));
    }
    polygon = std::move(kept);
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
