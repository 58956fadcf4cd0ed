#include "render/PlayerMarks.h"

#include <GL/gl.h>

#include <cmath>

namespace Vell3D {

namespace {

void line(const Vector3& a, const Vector3& b)
{
    glVertex3d(a.x, a.y, a.z);
    glVertex3d(b.x, b.y, b.z);
}

void plainLines()
{
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
    glDisable(GL_LINE_STIPPLE);
}

} // namespace

Vector3 nodeToWorld(const Node& node, const Vector3& p)
{
    Vector3 q = p;
    for (const Node* n = &node; n; n = n->parent())
        q = n->toParent(q);
    return q;
}

Vector3 worldToNode(const Node& node, const Vector3& p)
{
    // From the root down: each node's parent frame comes first.
    const Node* chain[64];
    int count = 0;
    for (const Node* n = &node; n && count < 64; n = n->parent())
        chain[count++] = n;
    Vector3 q = p;
    while (count > 0)
        q = chain[--count]->fromParent(q);
    return q;
}

void drawPlayerArrow()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    plainLines();
    glBegin(GL_LINES);
    line(Vector3(0, 0, 0), Vector3(0, 400, 0));
    line(Vector3(0, 400, 0), Vector3(-200, 200, 0));
    line(Vector3(0, 400, 0), Vector3(200, 200, 0));
    line(Vector3(0, 0, 0), Vector3(150, 0, 0));
    glEnd();
}

void drawAxesMarker(const Node& node)
{
    Vector3 g = Vector3(500, 1500, 500);
    Vector3 world = nodeToWorld(node, g);
    Vector3 x = worldToNode(node, world.plus(Vector3(300, 0, 0)));
    Vector3 y = worldToNode(node, world.plus(Vector3(0, 300, 0)));
    Vector3 z = worldToNode(node, world.plus(Vector3(0, 0, 300)));
    g = worldToNode(node, world);
    plainLines();
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    line(g, x);
    glColor3f(0.0f, 1.0f, 0.0f);
    line(g, y);
    glColor3f(0.0f, 0.0f, 1.0f);
    line(g, z);
    glEnd();
}

namespace {

void wallColor(const WorldWall& wall, bool first)
{
    if (wall.isOpening())
        glColor4f(1.0f, first ? 1.0f : 0.0f, 0.0f, 0.6f);
    else if (first)
        glColor4f(0.0f, 1.0f, 1.0f, 0.6f);
    else
        glColor4f(1.0f, 1.0f, 1.0f, 0.6f);
}

} // namespace

void drawSectorOutline(const World& world, int sector, OutlineStyle style)
{
    if (!inRange(sector, world.sectors.size()))
        return;
    auto place = [&](const Vector3& p) { return style.frame ? style.frame->fromParent(p) : p; };
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
    const std::vector<int>& walls = world.sectors[std::size_t(sector)].walls;
    glBegin(GL_LINES);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (!world.hasPoints(walls[i]))
            continue;
        const WorldWall& wall = world.walls[std::size_t(walls[i])];
        // From the wall's end to its start, so the tick's side is the inside.
        Vector3 p = place(world.points[std::size_t(wall.nextPoint)].floorPoint());
        Vector3 q = place(world.points[std::size_t(wall.index)].floorPoint());
        wallColor(wall, style.markFirstWall && i == 0);
        line(p, q);
        double length = std::hypot(q.x - p.x, q.y - p.y);
        if (length <= 0.0)
            continue;   // no direction for the tick
        Vector3 m = p.plus(q.minus(p).times(0.2));
        m.z = p.z;
        Vector3 tick(m.x - 100.0 * (q.y - p.y) / length, m.y + 100.0 * (q.x - p.x) / length, p.z);
        glColor4f(0.0f, 1.0f, 0.0f, 0.6f);
        line(m, tick);
    }
    glEnd();
    glPopAttrib();
}

} // namespace Vell3D
