#include "render/ShapeLists.h"

#include <GL/glu.h>

#include <vector>

namespace Vell3D {

namespace {

// One chain per shape kind; only the sphere (kind 10) is in use.
struct ShapeList {
    unsigned int list;
    std::vector<double> parameters;
};

std::vector<ShapeList>& sphereChain()
{
    static std::vector<ShapeList> chain;
    return chain;
}

void sphere(double radius)
{
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric)
        return;
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluSphere(quadric, radius, 16, 16);
    gluDeleteQuadric(quadric);
}

} // namespace

void drawSphere(double radius)
{
    std::vector<ShapeList>& chain = sphereChain();
    // Exact equality: a radius that differs in the last bit is another list.
    for (const ShapeList& entry : chain) {
        if (entry.parameters[0] == radius) {
            glCallList(entry.list);
            return;
        }
    }
    unsigned int list = glGenLists(1);
    if (list == 0) {
        sphere(radius);
        return;
    }
    chain.insert(chain.begin(), ShapeList{list, {radius}});
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    sphere(radius);
    glEndList();
}

int shapeListCount()
{
    return int(sphereChain().size());
}

} // namespace Vell3D
