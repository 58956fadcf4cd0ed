#include "planview/PlanPlayerNode.h"

#include <GL/gl.h>

#include <cmath>

#include "world/World.h"

namespace Vell3D {

PlanPlayerNode::PlanPlayerNode(Node* parent) : PlayerNode(parent)
{
}

void PlanPlayerNode::translate(double x, double y, double z)
{
    move(x, y, z);
}

void PlanPlayerNode::setPosition(double x, double y, double z)
{
    resetMatrices();
    shift(x, y, z);
    changed();
}

void PlanPlayerNode::changed()
{
    updateVisibility();
}

void PlanPlayerNode::draw()
{
    // drawTree has applied the placement; back to the camera's frame.
    glMultMatrixd(inverse().data());
    if (world) {
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        drawSectorWalls();
        drawFan();
        drawMarker();
        glPopAttrib();
    }
    // The children draw the world: world points to the player's frame.
    glMultMatrixd(inverse().data());
}

void PlanPlayerNode::drawSectorWalls() const
{
    if (!tracksSector())
        return;
    glLineWidth(2.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_LINES);
    for (int w : world->sectors[std::size_t(sector)].walls) {
        if (!world->hasPoints(w))
            continue;
        const WorldWall& wall = world->walls[std::size_t(w)];
        Vector3 p = fromParent(world->points[std::size_t(wall.nextPoint)].floorPoint());
        Vector3 q = fromParent(world->points[std::size_t(wall.index)].floorPoint());
        if (wall.isOpening())
            glColor4d(1.0, 0.0, 0.0, 0.6);
        else
            glColor4d(1.0, 1.0, 1.0, 0.6);
        glVertex3d(p.x, p.y, p.z);
        glVertex3d(q.x, q.y, q.z);
        double length = std::hypot(q.x - p.x, q.y - p.y);
        if (length <= 0.0)
            continue;   // no direction for the tick
        double mx = p.x + 0.2 * (q.x - p.x);
        double my = p.y + 0.2 * (q.y - p.y);
        glColor4d(0.0, 1.0, 0.0, 0.6);
        glVertex3d(mx, my, p.z);
        glVertex3d(mx - 100.0 * (q.y - p.y) / length, my + 100.0 * (q.x - p.x) / length, p.z);
    }
    glEnd();
}

void PlanPlayerNode::drawFan() const
{
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_TRIANGLES);
    for (const Segment& s : visibleSegments) {
        glColor4d(0.5, 0.5, 1.0, 0.4);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(s.a.x, s.a.y, 0.0);
        glVertex3d(s.b.x, s.b.y, 0.0);
    }
    glEnd();
}

void PlanPlayerNode::drawMarker()
{
    glColor3d(1.0, 1.0, 1.0);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
    glDisable(GL_LINE_STIPPLE);
    glBegin(GL_LINES);
    const double lines[4][4] = {{0, 0, 0, 400}, {0, 400, -200, 200}, {0, 400, 200, 200}, {0, 0, 150, 0}};
    for (const auto& l : lines) {
        glVertex3d(l[0], l[1], 0.0);
        glVertex3d(l[2], l[3], 0.0);
    }
    glEnd();
}

} // namespace Vell3D
