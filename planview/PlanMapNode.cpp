#include "planview/PlanMapNode.h"

#include <GL/gl.h>

#include "world/World.h"

namespace Vell3D {

void PlanMapNode::draw()
{
    if (!world)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    for (std::size_t s = 0; s < world->sectors.size(); ++s) {
        drawPieces(int(s));
        drawWalls(int(s));
    }
    glPopAttrib();
}

// Only the outlines show: the polygon mode is lines.
void PlanMapNode::drawPieces(int s) const
{
    glColor3d(0.0, 0.2, 0.0);
    const std::vector<int>& starts = world->sectors[std::size_t(s)].pieceStarts;
    const std::vector<int>& indices = world->pieceIndices;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        glBegin(GL_POLYGON);
        for (int k = starts[i]; inRange(k, indices.size()) && indices[std::size_t(k)] != -1; ++k) {
            int p = indices[std::size_t(k)];
            if (!inRange(p, world->points.size()))
                continue;
            const WallPoint& point = world->points[std::size_t(p)];
            glVertex3d(point.x, point.y, point.floorZ);
        }
        glEnd();
    }
}

void PlanMapNode::drawWalls(int s) const
{
    glColor3d(0.3, 0.6, 0.3);
    glBegin(GL_LINES);
    for (int w : world->sectors[std::size_t(s)].walls) {
        if (!world->hasPoints(w))
            continue;
        const WorldWall& wall = world->walls[std::size_t(w)];
        const WallPoint& end = world->points[std::size_t(wall.nextPoint)];
        const WallPoint& start = world->points[std::size_t(wall.index)];
        glVertex3d(end.x, end.y, end.floorZ);
        glVertex3d(start.x, start.y, start.floorZ);
    }
    glEnd();
}

} // namespace Vell3D
