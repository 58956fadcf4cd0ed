#include "SectorIdPass.h"

#include <GL/gl.h>

#include <tuple>
#include <utility>
#include <vector>

namespace RenderTests {

using namespace Vell3D;

SectorIdPass::SectorIdPass(World& world)
{
    setScene(nullptr, nullptr, nullptr, &world);
    const int count = int(world.sectors.size());
    textures.resize(std::size_t(count));
    glGenTextures(count, textures.data());
    listBase = glGenLists(count);
    // Skies are closed: the floor and ceiling are cut as if no sector had one.
    std::vector<std::pair<bool, bool>> skies;
    for (WorldSector& sector : world.sectors) {
        skies.emplace_back(sector.floorParallax, sector.ceilingParallax);
        sector.floorParallax = sector.ceilingParallax = false;
    }
    lidded.build(world);
    for (std::size_t s = 0; s < world.sectors.size(); ++s)
        std::tie(world.sectors[s].floorParallax, world.sectors[s].ceilingParallax) = skies[s];
    for (int s = 0; s < count; ++s) {
        // Sector s is colour s + 1; black is nothing.
        const std::uint8_t texel[3] = {std::uint8_t((s + 1) & 0xFF), std::uint8_t((s + 1) >> 8), 0};
        glBindTexture(GL_TEXTURE_2D, textures[std::size_t(s)]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
        record(s);
    }
}

SectorIdPass::~SectorIdPass() noexcept(false)
{
    glDeleteLists(listBase, GLsizei(textures.size()));
    glDeleteTextures(GLsizei(textures.size()), textures.data());
}

namespace {

void quad(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d)
{
    glBegin(GL_QUADS);
    for (const Vector3* p : {&a, &b, &c, &d})
        glVertex3d(p->x, p->y, p->z);
    glEnd();
}

} // namespace

// The routines colour each surface by its palette; the texture replaces
// that colour with the sector's own. Skies are closed: the floor and
// ceiling polygons are drawn, and so are the wall pieces between two skies
// (which the world leaves out), in the corners the world would give them.
void SectorIdPass::record(int s)
{
    glNewList(listBase + unsigned(s), GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, textures[std::size_t(s)]);
    const WorldSurfaces::Range solid = lidded.solid(s);
    for (std::uint32_t i = solid.first; i < solid.first + solid.count; ++i)
        SectorRenderer::drawSurface(lidded.mesh(), lidded.mesh().surfaces[i]);
    for (int w : world->sectors[std::size_t(s)].walls) {
        const WorldWall& wall = world->walls[std::size_t(w)];
        const Vector3* m = wall.middle.corners;
        if ((wall.middle.flags & pieceMirror) && wall.middle.hasHeight())
            quad(m[0], m[1], m[2], m[3]);
        if (!wall.isOpening() || !world->hasPoints(wall.nextWall))
            continue;
        const WallPoint& start = world->wallStart(w);
        const WallPoint& end = world->wallEnd(w);
        const WallPoint& start2 = world->wallEnd(wall.nextWall);
        const WallPoint& end2 = world->wallStart(wall.nextWall);
        if (wall.upper.flags & pieceHidden)
            quad(end.ceilingPoint(), start.ceilingPoint(), start2.ceilingPoint(), end2.ceilingPoint());
        if (wall.lower.flags & pieceHidden)
            quad(end2.floorPoint(), start2.floorPoint(), start.floorPoint(), end.floorPoint());
    }
    glEndList();
}

void SectorIdPass::renderFrame()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DITHER);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    for (std::size_t s = 0; s < textures.size(); ++s)
        glCallList(listBase + unsigned(s));
    glPopAttrib();
}

std::vector<int> SectorIdPass::sectorsAt(const std::vector<std::uint32_t>& pixels)
{
    std::vector<int> sectors(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
        sectors[i] = int(pixels[i] & 0xFFFF) - 1;
    return sectors;
}

} // namespace RenderTests
