// SectorRenderer: walkview's sector renderer, which draws the textured
// view. A frame draws the portal camera's visible sectors from one display
// list each (fog, then the solid surfaces grouped by tile), draws mirrors on
// the spot, then the sky, then masked walls and sprites from far to near.
// Mirrors re-enter the pass with a reflected camera, up to 32 levels deep.
//
// Where the code lives:
//   render/SectorRenderer.cpp  construction, frame, passes, overlay
//   render/SurfaceDrawing.cpp  surfaces, sprites, sky
//   render/DisplayLists.cpp    prepare, sector fog, sky fog
//
// What a surface is (its triangles, texture coordinates, colour and tile)
// comes from surfaces/ (WorldSurfaces, SkyCylinder), which prepare builds
// once per world; this renderer only turns those triangles into GL. Once
// the lists hold the solid surfaces it keeps only the middle pieces that
// frames draw one by one.
//
// Display lists belong to the context that made them (contexts are not
// shared), so every list lives in the renderer and the renderer in its view.
//   render/MirrorDrawing.cpp   drawMirror and its cameras
//   render/AimMarker.cpp       drawAimHook, drawAimMarker, the sphere list
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/PassState.h"
#include "render/PortalCamera.h"
#include "mapdata/TileSet.h"
#include "render/Renderer.h"
#include "surfaces/SkyCylinder.h"
#include "surfaces/WorldSurfaces.h"



namespace Vell3D {

class SectorRenderer : public Renderer {
public:
    static constexpr int maxMirrorDepth = 32;

    SectorRenderer();
    ~SectorRenderer() noexcept(false) override;

    void beginFrame() override;
    void renderFrame() override;
    void drawAimHook() override;
    void drawOverlay() override;
    // One display list per sector, every tile made into a texture before
    // the list that binds it is opened; then the driver's occlusion
    // queries are required. Lists of an earlier prepare are deleted first.
    void prepare() override;
    void release() override { deleteLists(); }
    int mirrorCount() const override { return mirrorsDrawn; }
    void drawAimMarker(const Vector3& point) override;

    // Surfaces (SurfaceDrawing.cpp): a surface's triangles with its colour,
    // under whatever texture is bound. Bad or empty geometry draws nothing.
    static void drawSurface(const SurfaceMesh& mesh, const Surface& surface);
    // The same for a surface of one quad (Surface::isQuad), drawn as a
    // quad; any other surface as triangles.
    static void drawQuadSurface(const SurfaceMesh& mesh, const Surface& surface);
    void drawSprite(const WorldSprite& sprite, int index, const Vector3& eye);
    void drawSky(int skyTile, double x0, double y0);

    // The frame (SectorRenderer.cpp).
    void drawPass();
    void drawSector(int sector);
    void drawTransparent();
    // Mirrors (MirrorDrawing.cpp).
    void drawMirror(const WallPiece& mirror, int sector);

    // Fog (DisplayLists.cpp).
    static void sectorFog(double fogFactor);
    static void skyFog();
    // Off: no fog anywhere, sectors nor sky (mapshot --no-fog, for pictures
    // compared with renderers that have none). One switch for the process,
    // set before anything is drawn: the lists record the sectors' fog.
    static bool fogShown;

    unsigned int listBase() const { return listBase_; }
    // The aim marker's sphere, made by prepare in the view's context and
    // freed with the sector lists; 0 before prepare.
    unsigned int sphereList() const { return sphereList_; }
    int listCount() const { return listCount_; }
    // The surface of wall w's masked or translucent middle piece (or a
    // mirror's glass), which frames draw one by one; null for other walls
    // and before prepare. The solid surfaces live only in the lists: prepare
    // keeps just these of what it recorded from.
    const Surface* middle(int wall) const;
    const SurfaceMesh& middles() const { return middles_; }
    const PassState& rootPass() const { return rootPass_; }
    int mirrorDepth() const { return mirrorDepth_; }
    // The camera of the last mirror drawn at that depth (1 = seen directly),
    // kept until the next mirror at that depth; null when none was drawn yet.
    const PortalCamera* mirrorCamera(int depth) const;

private:
    // A mirror level's temporaries, kept between frames so that drawing a
    // mirror allocates nothing once every level has been reached.
    struct MirrorLevel;

    TileSet* tiles() const;
    // Binds the tile's texture with filtering; numbers the tile set lacks
    // bind its neutral tile. Nothing without a tile set.
    void bindTile(int tile, bool repeat);
    // Texture made or not, as drawSky binds them; null when not readable.
    Texture* skyTexture(int tile);
    // One quad: texture coordinate i, then corner i.
    static void drawQuad(const Vector2 texCoords[4], const Vector3 corners[4]);
    // Sector lists and the sphere list, in the context current now, and the
    // middle surfaces kept with them.
    void deleteLists();
    void makeSphereList();
    void drawSphere() const;
    void recordSector(const WorldSurfaces& surfaces, int sector);
    // Keeps the middle pieces' surfaces (middle) out of all recorded.
    void keepMiddles(const WorldSurfaces& surfaces);
    void makeSectorTextures(const WorldSector& sector);
    void makeFrameTextures();
    void collectItems(int sector, const WorldSector& record);
    // Sets the sector's fog unless `current` already holds its factor.
    void itemFog(int sector, double& current);
    // Scissors drawing to the parts of the view the camera's walk reached
    // the sector through (-1: the whole view).
    void clipTo(const PortalCamera& camera, int sector);
    void clipTo(const ViewWindow& window);
    MirrorLevel& mirrorLevel(int depth);
    void markArea(const WallPiece& mirror, int k);
    void enterMirror(MirrorLevel& level, const WallPiece& mirror, int sector, const Vector3& normal,
                     const PortalCamera& passCamera, const ViewWindow& window);

    SurfaceMesh middles_;
    std::vector<int> middleOf_;             // per wall: in middles_.surfaces, or -1
    SkyCylinder sky_;
    SurfaceMesh frameMesh;                  // a sprite's or the sky's; kept for its storage
    bool recording = false;                 // a sector's list is open
    unsigned int listBase_ = 0;
    int listCount_ = 0;
    unsigned int sphereList_ = 0;
    PassState rootPass_;
    PassState* currentPass = &rootPass_;
    int mirrorDepth_ = 0;
    int mirrorsDrawn = 0;
    Vector3 frameEye;                       // the top-level eye of this frame
    int viewport[4] = {};                   // of this frame
    std::vector<std::unique_ptr<MirrorLevel>> mirrorLevels;
};

} // namespace Vell3D
