// The per-sector display lists and the fog settings. A frame calls one list
// per visible sector; everything static in a sector (fog, floor, ceiling,
// solid wall pieces) is in it, grouped by tile so that each texture is
// bound once per sector.
#include "core/Exception.h"
#include "gui/platform/GLProcs.h"
#include "render/OcclusionQueries.h"
#include "render/SectorRenderer.h"
#include "mapdata/MapFlags.h"

namespace Vell3D {

void SectorRenderer::prepare()
{
    deleteLists();
    int n = world ? int(world->sectors.size()) : 0;
    unsigned int base = n > 0 ? glGenLists(n) : 0;
    if (base == 0)
        throw Vell::Exception("can't allocate gl disp lists");
    listBase_ = base;
    listCount_ = n;
    WorldSurfaces surfaces;
    surfaces.build(*world);
    for (int s = 0; s < n; ++s) {
        // A texture made while a list is open would have its upload recorded
        // into the list (and replayed every frame): make them all first.
        makeSectorTextures(world->sectors[std::size_t(s)]);
        glNewList(listBase_ + unsigned(s), GL_COMPILE);
        recording = true;
        try {
            recordSector(surfaces, s);
        } catch (...) {
            recording = false;
            glEndList();
            throw;
        }
        recording = false;
        glEndList();
    }
    keepMiddles(surfaces);
    makeFrameTextures();
    makeSphereList();
    OcclusionQueries::requireCurrent();
}

void SectorRenderer::deleteLists()
{
    // A renderer that outlives its view's context has nothing left to free.
    if (Vell::Platform::hasCurrentGLContext()) {
        if (listBase_ != 0)
            glDeleteLists(listBase_, listCount_);
        if (sphereList_ != 0)
            glDeleteLists(sphereList_, 1);
    }
    listBase_ = 0;
    listCount_ = 0;
    sphereList_ = 0;
    middles_ = SurfaceMesh();
    middleOf_ = std::vector<int>();
}

// The solid surfaces are in the lists by now; keeping them here too would
// hold a large map's geometry twice.
void SectorRenderer::keepMiddles(const WorldSurfaces& surfaces)
{
    middleOf_.assign(world->walls.size(), -1);
    for (std::size_t w = 0; w < world->walls.size(); ++w) {
        const Surface* piece = surfaces.middle(int(w));
        if (!piece)
            continue;
        middleOf_[w] = int(middles_.surfaces.size());
        middles_.begin(*piece).count = piece->count;
        const SurfaceVertex* v = surfaces.mesh().verticesOf(*piece);
        middles_.vertices.insert(middles_.vertices.end(), v, v + piece->count);
    }
}

const Surface* SectorRenderer::middle(int wall) const
{
    return inRange(wall, middleOf_.size()) && middleOf_[std::size_t(wall)] >= 0
               ? &middles_.surfaces[std::size_t(middleOf_[std::size_t(wall)])]
               : nullptr;
}

void SectorRenderer::makeSectorTextures(const WorldSector& sector)
{
    TileSet* set = tiles();
    if (!set)
        return;
    for (const SurfaceEntry& entry : sector.surfacesByTile) {
        const Tile& record = set->textureFor(entry.tile);
        (void)record;
    }
}

// What frames bind (sprites, masked walls, skies, the mirror glass) is made
// now too, so that a frame only binds. A tile that cannot be read here is
// left to draw untextured. Sprites that no frame draws (held by no sector,
// invisible, of no size or kind: markers and switches, often many) get no
// texture: it would be kept for nothing.
void SectorRenderer::makeFrameTextures()
{
    TileSet* set = tiles();
    if (!set)
        return;
    auto make = [set](int tile) {
        try {
            const Tile& record = set->textureFor(tile);
            (void)record;
        } catch (Vell::Exception&) {
        }
    };
    make(SpecialTiles::mirrorGlass);
    for (const WorldSprite& sprite : world->sprites)
        if (sprite.sector >= 0 && WorldSurfaces::showsSprite(sprite))
            make(sprite.tile);
    for (const WorldSector& sector : world->sectors) {
        for (int w : sector.walls)
            if (inRange(w, world->walls.size()) && (world->walls[std::size_t(w)].middle.flags & pieceMasked))
                make(world->walls[std::size_t(w)].middle.tile);
        int sky[8];
        for (int parallax : {sector.floorParallax ? sector.floorTile : -1,
                             sector.ceilingParallax ? sector.ceilingTile : -1}) {
            if (parallax < 0)
                continue;
            SkyCylinder::tilesFor(parallax, sky);
            for (int tile : sky)
                make(tile);
        }
    }
}

// The sector's solid surfaces come in the order of its tile groups, each
// texture bound once per list. Every group binds its tile, even one whose
// surfaces draw nothing (a sky, pieces of no height), as the lists always
// did: Mesa compiles lists of that shape much faster than the same lists
// without those binds (huge.map's prepare: 26 ms against 36).
void SectorRenderer::recordSector(const WorldSurfaces& surfaces, int s)
{
    const WorldSector& sector = world->sectors[std::size_t(s)];
    sectorFog(sector.fogFactor);
    // Set once for the whole list, so that the triangles of one tile stay one draw.
    glDisable(GL_POLYGON_OFFSET_FILL);
    glEnable(GL_CULL_FACE);
    const SurfaceMesh& mesh = surfaces.mesh();
    const WorldSurfaces::Range solid = surfaces.solid(s);
    std::uint32_t i = solid.first;
    for (const SurfaceEntry& entry : sector.surfacesByTile) {
        bindTile(entry.tile, true);
        for (; i < solid.first + solid.count && mesh.surfaces[i].tile == entry.tile; ++i)
            drawQuadSurface(mesh, mesh.surfaces[i]);
    }
}

bool SectorRenderer::fogShown = true;

namespace {

// Linear fog towards the colour from start to end, or none when fog is off.
void linearFog(bool shown, const GLfloat (&colour)[4], float start, float end)
{
    if (!shown) {
        glDisable(GL_FOG);
        return;
    }
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_START, start);
    glFogf(GL_FOG_END, end);
}

} // namespace

// Fades to black: f = 1 is a clear sector, smaller values fade nearer.
void SectorRenderer::sectorFog(double fogFactor)
{
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    linearFog(fogShown && fogFactor != 1.0, black, 50.0f, float(fogFactor * 50000.0 * fogFactor));
}

// The sky cylinder (radius 80000) fades to a dark blue with distance.
void SectorRenderer::skyFog()
{
    const GLfloat blue[4] = {0.0f, 0.0f, 0.7f, 1.0f};
    linearFog(fogShown, blue, 61538.46484375f, 128000.0f);
}

} // namespace Vell3D
