#include "surfaces/SurfaceMesh.h"

namespace Vell3D {

Surface& SurfaceMesh::begin(const Surface& surface)
{
    surfaces.push_back(surface);
    surfaces.back().first = std::uint32_t(vertices.size());
    surfaces.back().count = 0;
    return surfaces.back();
}

void SurfaceMesh::add(const SurfaceVertex& a, const SurfaceVertex& b, const SurfaceVertex& c)
{
    vertices.push_back(a);
    vertices.push_back(b);
    vertices.push_back(c);
    surfaces.back().count += 3;
}

void SurfaceMesh::addQuad(const SurfaceVertex& a, const SurfaceVertex& b, const SurfaceVertex& c,
                          const SurfaceVertex& d)
{
    const SurfaceVertex* corners[4] = {&a, &b, &c, &d};
    const int* k = quadCorners;
    add(*corners[k[0]], *corners[k[1]], *corners[k[2]]);
    add(*corners[k[3]], *corners[k[4]], *corners[k[5]]);
}

void SurfaceMesh::clear()
{
    vertices.clear();
    surfaces.clear();
}

} // namespace Vell3D
