#include "FanReach.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "world/World.h"

namespace PlanFixtures {

namespace {

using Vell3D::PlanPlayerNode;
using Vell3D::World;

struct P {
    double x = 0;
    double y = 0;
};

P operator+(P a, P b)
{
    return {a.x + b.x, a.y + b.y};
}

P operator-(P a, P b)
{
    return {a.x - b.x, a.y - b.y};
}

P operator*(P a, double t)
{
    return {a.x * t, a.y * t};
}

double cross(P a, P b)
{
    return a.x * b.y - a.y * b.x;
}

double length(P a)
{
    return std::sqrt(a.x * a.x + a.y * a.y);
}

double distanceToPiece(P p, P a, P b)
{
    const P v = b - a;
    const double l2 = v.x * v.x + v.y * v.y;
    const double t = l2 > 0 ? std::clamp(((p.x - a.x) * v.x + (p.y - a.y) * v.y) / l2, 0.0, 1.0) : 0.0;
    return length(p - (a + v * t));
}

struct Piece {
    P a, b;
};

// Where a ray stops: its distance from the player and the wall or window
// it stops at.
struct Stop {
    double t;
    Piece on;
    bool window;
    bool lost = false;   // the player is not inside his sector, or it is not closed
};

enum class Verdict { exact, shortOf, longOf };

class ReachCheck {
public:
    explicit ReachCheck(const PlanPlayerNode& player);
    FanReach run();

private:
    P direction(const Piece& window, double along) const;
    bool inWedge(const Piece& window, P d) const;
    Stop walk(const Piece& window, P d) const;
    double fanReach(P d) const;
    Verdict judge(const Piece& window, P d, double& far, Stop& stop, double& reach) const;
    bool narrow(const Piece& window, P d, double far, Verdict verdict) const;
    void check(const Piece& window, P d, FanReach& result) const;
    void raysBeside(const Piece& window, P point, std::vector<double>& along) const;

    // A wall in the player's frame: from its end e along v to its start.
    struct Edge {
        P e, v;
        int behind;   // the sector behind an opening, -1 for a solid wall
    };

    const World& world;
    int start;
    std::vector<P> points;   // every wall point, in the player's frame
    std::vector<std::vector<Edge>> sectorEdges;
    std::vector<Piece> windows;
    std::vector<Piece> fan;
};

ReachCheck::ReachCheck(const PlanPlayerNode& player) : world(*player.world), start(player.sector)
{
    for (const auto& point : world.points) {
        const Vell3D::Vector3 p = player.fromParent(point.floorPoint());
        points.push_back({p.x, p.y});
    }
    for (const auto& sector : world.sectors) {
        sectorEdges.emplace_back();
        for (int w : sector.walls)
            if (world.hasPoints(w)) {
                const auto& wall = world.walls[std::size_t(w)];
                const P e = points[std::size_t(wall.nextPoint)];
                sectorEdges.back().push_back({e, points[std::size_t(wall.index)] - e, wall.nextSector});
            }
    }
    for (const auto& w : player.viewWindows)
        windows.push_back({{w.a.x, w.a.y}, {w.b.x, w.b.y}});
    for (const auto& s : player.visibleSegments)
        fan.push_back({{s.a.x, s.a.y}, {s.b.x, s.b.y}});
}

// The unit ray towards the point of the window at parameter along.
P ReachCheck::direction(const Piece& window, double along) const
{
    const P p = window.a + (window.b - window.a) * along;
    return p * (1.0 / length(p));
}

bool ReachCheck::inWedge(const Piece& window, P d) const
{
    const double sign = cross(window.a, window.b) > 0 ? 1.0 : -1.0;
    return sign * cross(window.a, d) >= 0 && sign * cross(d, window.b) >= 0;
}

// The walk: in each sector the ray leaves by the wall it crosses first from
// the inside (the left of the wall's end->start line) to the outside.
Stop ReachCheck::walk(const Piece& window, P d) const
{
    const P across = window.b - window.a;
    const Stop atWindow{cross(window.a, across) / cross(d, across), window, true, false};
    int s = start;
    double from = 0.0;
    for (std::size_t steps = 0; steps < 4 * world.sectors.size() + 16; ++steps) {
        if (s < 0 || std::size_t(s) >= world.sectors.size())
            return atWindow;
        double best = std::numeric_limits<double>::infinity();
        const Edge* leave = nullptr;
        for (const Edge& edge : sectorEdges[std::size_t(s)]) {
            const double turn = cross(d, edge.v);
            if (turn <= 0)
                continue;   // parallel, or crossing into the sector
            const double t = cross(edge.e, edge.v) / turn, u = cross(edge.e, d) / turn;
            if (u < -1e-9 || u > 1 + 1e-9 || t < from - 1e-6)
                continue;
            // At a corner shared with an opening the solid wall stops the ray.
            const bool tie = std::fabs(t - best) < 1e-9;
            if ((t < best && !tie) || (tie && edge.behind < 0))
                best = t, leave = &edge;
        }
        if (!leave)
            return {from, {}, false, true};   // the ray never leaves: lost
        if (best >= atWindow.t)
            return atWindow;
        if (leave->behind < 0)
            return {best, {leave->e, leave->e + leave->v}, false, false};
        s = leave->behind;
        from = best;
    }
    return atWindow;
}

// How far the fan reaches along the unit ray d: the farthest far edge of a
// triangle that holds the ray; 0 where none does.
double ReachCheck::fanReach(P d) const
{
    double reach = 0.0;
    for (const Piece& f : fan) {
        const double turn = cross(f.a, f.b);
        if (std::fabs(turn) < 1e-9)
            continue;   // no area
        const double sign = turn > 0 ? 1.0 : -1.0;
        if (sign * cross(f.a, d) < 0 || sign * cross(d, f.b) < 0)
            continue;
        const P edge = f.b - f.a;
        const double den = cross(d, edge);
        if (den != 0)
            reach = std::max(reach, cross(f.a, edge) / den);
    }
    return reach;
}

// Whether the fan ends within a unit of where the walk stops; far is the
// farther of the two ends.
Verdict ReachCheck::judge(const Piece& window, P d, double& far, Stop& stop, double& reach) const
{
    stop = walk(window, d);
    reach = fanReach(d);
    far = std::max(stop.t, reach);
    if (distanceToPiece(d * reach, stop.on.a, stop.on.b) <= 1.0)
        return Verdict::exact;
    return reach < stop.t ? Verdict::shortOf : Verdict::longOf;
}

// Whether the rays next to d that fail the same way, an eighth of a unit
// apart at the far end, span less than a unit.
bool ReachCheck::narrow(const Piece& window, P d, double far, Verdict verdict) const
{
    const double step = 0.125 / far;
    int failing = 1;
    for (double turn : {-step, step}) {
        for (int k = 1; k <= 8 && failing <= 8; ++k) {
            const double c = std::cos(turn * k), s = std::sin(turn * k);
            const P e{d.x * c - d.y * s, d.x * s + d.y * c};
            double nextFar, nextReach;
            Stop stop;
            if (!inWedge(window, e) || judge(window, e, nextFar, stop, nextReach) != verdict)
                break;
            ++failing;
        }
    }
    return failing <= 8;
}

void ReachCheck::check(const Piece& window, P d, FanReach& result) const
{
    if (!inWedge(window, d))
        return;
    double far, reach;
    Stop stop;
    const Verdict verdict = judge(window, d, far, stop, reach);
    if (stop.lost) {
        ++result.lostRays;
        return;
    }
    if (verdict == Verdict::exact)
        return;
    if (narrow(window, d, far, verdict)) {
        ++result.slivers;
        return;
    }
    const bool isShort = verdict == Verdict::shortOf;
    (isShort ? result.shortRays : result.longRays) += 1;
    std::string& first = isShort ? result.firstShort : result.firstLong;
    if (!first.empty())
        return;
    std::ostringstream text;
    text << (isShort ? "short" : "long") << " along (" << d.x << ", " << d.y << "): the fan ends at " << reach
         << ", the walk at " << stop.t << " on " << (stop.window ? "the window" : "a wall") << " (" << stop.on.a.x
         << ", " << stop.on.a.y << ") - (" << stop.on.b.x << ", " << stop.on.b.y << ")";
    first = text.str();
}

// The rays a quarter of a unit, measured at the window, to either side of
// the ray through the point, as parameters along the window.
void ReachCheck::raysBeside(const Piece& window, P point, std::vector<double>& along) const
{
    const P edge = window.b - window.a;
    const double den = cross(point, edge);
    if (den == 0 || point.x * point.x + point.y * point.y < 1e-12)
        return;
    const double at = -cross(point, window.a) / den;
    const P towards = window.a + edge * at;
    if (towards.x * point.x + towards.y * point.y <= 0)
        return;   // behind the player
    const double step = 0.25 / length(edge);
    for (double offset : {-step, step}) {
        const double t = at + offset;
        if (t > 0 && t < 1)
            along.push_back(t);
    }
}

FanReach ReachCheck::run()
{
    FanReach result;
    for (const Piece& window : windows) {
        if (std::fabs(cross(window.a, window.b)) < 1e-9)
            continue;
        std::vector<double> along;
        for (int i = 0; i < 64; ++i)
            along.push_back((i + 0.5) / 64.0);
        for (const P& corner : points)
            raysBeside(window, corner, along);
        for (const Piece& f : fan) {
            raysBeside(window, f.a, along);
            raysBeside(window, f.b, along);
        }
        std::sort(along.begin(), along.end());
        along.erase(std::unique(along.begin(), along.end(), [](double u, double v) { return v - u < 1e-12; }),
                    along.end());
        for (double t : along)
            check(window, direction(window, t), result);
    }
    return result;
}

} // namespace

FanReach checkReach(const Vell3D::PlanPlayerNode& player)
{
    return ReachCheck(player).run();
}

} // namespace PlanFixtures
