// The aim marker: a small sphere where the line of sight meets the world,
// seen through walls as a faint disc, with the surface normal as a line.
#include <GL/glu.h>

#include "render/SectorRenderer.h"

namespace Vell3D {

void SectorRenderer::drawAimHook()
{
    drawAimMarker(Vector3(0.0, 0.0, -250000.0));
}

namespace {

constexpr double sphereRadius = 50.0;

// A filled, smooth sphere of 16 slices and 16 stacks.
void sphere()
{
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric)
        return;
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluSphere(quadric, sphereRadius, 16, 16);
    gluDeleteQuadric(quadric);
}

// One four-component light or material parameter.
struct Setting {
    GLenum name;
    GLfloat value[4];
};

// A white light above and beside the eye, and a greenish material with a
// red highlight.
constexpr Setting lightSettings[] = {
    {GL_AMBIENT, {1.0f, 1.0f, 1.0f, 1.0f}},
    {GL_DIFFUSE, {1.0f, 1.0f, 1.0f, 1.0f}},
    {GL_SPECULAR, {1.0f, 1.0f, 1.0f, 1.0f}},
    {GL_POSITION, {1000.0f, 1000.0f, 1500.0f, 1.0f}},
};
constexpr Setting materialSettings[] = {
    {GL_AMBIENT, {0.3f, 0.3f, 0.3f, 1.0f}},
    {GL_DIFFUSE, {0.6f, 1.0f, 0.6f, 1.0f}},
    {GL_SPECULAR, {1.0f, 0.0f, 0.0f, 1.0f}},
    {GL_EMISSION, {0.0f, 0.0f, 0.0f, 1.0f}},
};

void markerLight()
{
    for (const Setting& setting : lightSettings)
        glLightfv(GL_LIGHT0, setting.name, setting.value);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 64.0f);
    for (const Setting& setting : materialSettings)
        glMaterialfv(GL_FRONT, setting.name, setting.value);
    glMaterialf(GL_FRONT, GL_SHININESS, 64.0f);
}

void normalLine(const Vector3& end)
{
    glBegin(GL_LINES);
    glVertex3d(0.0, 0.0, 0.0);
    glVertex3d(end.x, end.y, end.z);
    glEnd();
}

} // namespace

// Tessellated once per prepare rather than in every frame.
void SectorRenderer::makeSphereList()
{
    sphereList_ = glGenLists(1);
    if (sphereList_ == 0)
        return;   // drawn directly then
    glNewList(sphereList_, GL_COMPILE);
    sphere();
    glEndList();
}

void SectorRenderer::drawSphere() const
{
    if (sphereList_ != 0)
        glCallList(sphereList_);
    else
        sphere();
}

void SectorRenderer::drawAimMarker(const Vector3& point)
{
    if (!world || !portalCamera || !playerCamera || !inRange(playerCamera->sector, world->sectors.size()))
        return;
    auto toWorld = [&](const Vector3& p) { return playerCamera->toParent(portalCamera->toParent(p)); };
    auto fromWorld = [&](const Vector3& p) { return portalCamera->fromParent(playerCamera->fromParent(p)); };
    RayHit hit;
    hit.origin = toWorld(Vector3(0.0, 0.0, 0.0));
    hit.target = toWorld(point);
    hit.sector = playerCamera->sector;
    world->castRay(hit);
    if (hit.kind == surfaceNone)
        return;
    Vector3 at = fromWorld(hit.point);
    Vector3 normal = fromWorld(hit.normal).minus(fromWorld(Vector3(0.0, 0.0, 0.0)));
    Vector3 lineEnd = normal.times(150.0);

    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT, GL_FILL);
    markerLight();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glLineWidth(1.0f);
    glDisable(GL_LINE_STIPPLE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(at.x, at.y, at.z);

    glColor4f(0.0f, 0.0f, 1.0f, 0.4f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    drawSphere();
    normalLine(lineEnd);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    drawSphere();

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    normalLine(lineEnd);
    glPopMatrix();
    glPopAttrib();
}

} // namespace Vell3D
