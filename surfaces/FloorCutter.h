// FloorCutter: a sector's floor or ceiling, its outline and holes, cut into
// triangles. GLU's tessellator does the cutting, as it always has for the
// view: it needs no GL context and makes no GL call, and keeping it keeps
// every triangle (and every vertex order) the view has always drawn. The
// fans and strips it hands out are turned into triangles in the order the
// GL driver turns them, so that the display lists replaying them draw the
// same pixels.
#pragma once

#include <GL/glu.h>

#include <deque>
#include <vector>

#include "surfaces/SurfaceMesh.h"

namespace Vell3D {

class World;
struct WorldSector;

class FloorCutter {
public:
    FloorCutter();
    ~FloorCutter();
    FloorCutter(const FloorCutter&) = delete;
    FloorCutter& operator=(const FloorCutter&) = delete;

    // Appends the triangles of the sector's floor (or ceiling) to the
    // mesh's open surface. Each wall loop is one contour; the floor walks
    // the walls backwards from their end points and the ceiling forwards
    // from their start points, so the two faces turn opposite ways.
    void cut(const World& world, const WorldSector& sector, bool floor, SurfaceMesh& mesh);

private:
    void feed(const World& world, int point, bool floor);
    void endPrimitive();

    static void GLAPIENTRY begin(GLenum type, void* data);
    static void GLAPIENTRY vertex(void* vertex, void* data);
    static void GLAPIENTRY end(void* data);
    static void GLAPIENTRY combine(GLdouble coords[3], void* vertices[4], GLfloat weights[4], void** out,
                                   void* data);

    GLUtesselator* tessellator = nullptr;
    std::vector<SurfaceVertex> outline;     // reserved in full: addresses stay put
    std::deque<SurfaceVertex> combined;     // grows; addresses stay put
    std::vector<const SurfaceVertex*> primitive;
    GLenum primitiveType = GL_TRIANGLES;
    SurfaceMesh* out = nullptr;
};

} // namespace Vell3D
