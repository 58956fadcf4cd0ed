#include "surfaces/FloorCutter.h"

#include "world/World.h"

namespace Vell3D {

namespace {

using TessCallback = void(GLAPIENTRY*)();

} // namespace

FloorCutter::FloorCutter()
{
    tessellator = gluNewTess();
    if (!tessellator)
        return;
    gluTessCallback(tessellator, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(&begin));
    gluTessCallback(tessellator, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(&vertex));
    gluTessCallback(tessellator, GLU_TESS_END_DATA, reinterpret_cast<TessCallback>(&end));
    gluTessCallback(tessellator, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(&combine));
}

FloorCutter::~FloorCutter()
{
    if (tessellator)
        gluDeleteTess(tessellator);
}

void FloorCutter::cut(const World& world, const WorldSector& sector, bool floor, SurfaceMesh& mesh)
{
    const std::vector<int>& walls = sector.walls;
    if (walls.size() < 3 || !tessellator)
        return;
    out = &mesh;
    // The tessellator keeps vertex addresses until the polygon ends.
    outline.clear();
    outline.reserve(walls.size());
    combined.clear();
    gluTessBeginPolygon(tessellator, this);
    gluTessBeginContour(tessellator);
    gluTessNormal(tessellator, 0.0, 0.0, floor ? 1.0 : -1.0);
    auto closesLoop = [](const WorldWall& wall) { return wall.nextPoint != wall.index + 1; };
    for (std::size_t i = 0; i < walls.size(); ++i) {
        std::size_t k = floor ? walls.size() - 1 - i : i;
        if (!inRange(walls[k], world.walls.size()))
            continue;
        const WorldWall& wall = world.walls[std::size_t(walls[k])];
        if (floor && closesLoop(wall)) {
            gluTessEndContour(tessellator);
            gluTessBeginContour(tessellator);
        }
        feed(world, floor ? wall.nextPoint : wall.index, floor);
        if (!floor && closesLoop(wall)) {
            gluTessEndContour(tessellator);
            gluTessBeginContour(tessellator);
        }
    }
    gluTessEndContour(tessellator);
    gluTessEndPolygon(tessellator);
    out = nullptr;
}

void FloorCutter::feed(const World& world, int p, bool floor)
{
    if (!inRange(p, world.points.size()))
        return;
    const WallPoint& point = world.points[std::size_t(p)];
    const Vector2& tc = floor ? point.floorTexCoord : point.ceilingTexCoord;
    outline.push_back(SurfaceVertex{point.x, point.y, floor ? point.floorZ : point.ceilingZ, tc.x, tc.y});
    gluTessVertex(tessellator, &outline.back().x, &outline.back());
}

// Fans and strips become triangles as the driver cuts them: a fan's
// triangles all start at its first vertex, a strip's odd triangles swap
// their first two vertices, so every triangle keeps its turning sense.
void FloorCutter::endPrimitive()
{
    const std::vector<const SurfaceVertex*>& p = primitive;
    const std::size_t n = p.size();
    if (primitiveType == GL_TRIANGLE_FAN) {
        for (std::size_t i = 0; i + 2 < n; ++i)
            out->add(*p[0], *p[i + 1], *p[i + 2]);
    } else if (primitiveType == GL_TRIANGLE_STRIP) {
        for (std::size_t i = 0; i + 2 < n; ++i) {
            if (i % 2 == 0)
                out->add(*p[i], *p[i + 1], *p[i + 2]);
            else
                out->add(*p[i + 1], *p[i], *p[i + 2]);
        }
    } else {
        for (std::size_t i = 0; i + 2 < n; i += 3)
            out->add(*p[i], *p[i + 1], *p[i + 2]);
    }
    primitive.clear();
}

void GLAPIENTRY FloorCutter::begin(GLenum type, void* data)
{
    FloorCutter* self = static_cast<FloorCutter*>(data);
    self->primitiveType = type;
    self->primitive.clear();
}

void GLAPIENTRY FloorCutter::vertex(void* vertex, void* data)
{
    static_cast<FloorCutter*>(data)->primitive.push_back(static_cast<const SurfaceVertex*>(vertex));
}

void GLAPIENTRY FloorCutter::end(void* data)
{
    static_cast<FloorCutter*>(data)->endPrimitive();
}

// Where edges cross the tessellator asks for a new vertex; its texture
// coordinate is the weighted sum of the inputs, a zero weight standing for
// an input that may be absent.
void GLAPIENTRY FloorCutter::combine(GLdouble coords[3], void* vertices[4], GLfloat weights[4], void** out,
                                     void* data)
{
    FloorCutter* self = static_cast<FloorCutter*>(data);
    SurfaceVertex v{coords[0], coords[1], coords[2], 0.0, 0.0};
    for (int i = 0; i < 4; ++i) {
        if (weights[i] == 0.0f || !vertices[i])
            continue;
        const SurfaceVertex* in = static_cast<const SurfaceVertex*>(vertices[i]);
        v.u += weights[i] * in->u;
        v.v += weights[i] * in->v;
    }
    self->combined.push_back(v);
    *out = &self->combined.back();
}

} // namespace Vell3D
