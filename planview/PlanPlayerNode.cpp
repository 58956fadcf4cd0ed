#include "planview/PlanPlayerNode.h"

#include <GL/gl.h>

#include "render/PlayerMarks.h"
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
        drawSectorOutline(*world, sector, {.frame = this});
        drawFan();
        drawPlayerArrow();
        glPopAttrib();
    }
    // The children draw the world: world points to the player's frame.
    glMultMatrixd(inverse().data());
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

} // namespace Vell3D
