// PortalCamera: the camera through which walkview draws, and which finds the
// sectors that can be seen. Whenever its transform or its frustum changes it
// takes the eye, the window (the near-plane rectangle, or a mirror's quad)
// and five planes, then walks from the source node's sector through the
// openings that lie in view, depth first. Visibility is purely geometric.
//
// The walk narrows as it goes (PortalWalk.cpp): each sector keeps the parts
// of the view (ViewWindows) through which it is reached, and what lies
// behind one of its openings is looked for only in the part of such a
// window which the opening covers. A sector reached along several paths is
// listed once, at its first reaching, and keeps what reaches it as a few
// windows; one that adds to them sends its openings round again with what
// grew, once the walk in hand is done (sight that widens a sector several
// times meanwhile sends them round once), so nothing the sector shows is
// lost. Windows only grow and every side of
// one is a side of the view or of a projected opening, so the walk ends.
// Each window is a little wider than the geometry (ViewProjection::margin):
// near a decision a sector is kept. The renderer keeps each sector's
// drawing to its windows.
//
// A sky is a hole in that scheme (PortalSkies.cpp): past a sky ceiling (or
// floor) the eye sees over walls, solid ones too, whatever rises high
// enough, and the walk over the whole view (as it was before it narrowed)
// lists some of that by way of openings that narrowing closes. So when a
// sky is listed, the walk goes on from those openings over the whole view
// and lists what it meets that rises past one of the skies within the part
// of the view above that sky's edges (or sinks below a sky floor's); a sky
// listed so has what was met looked at again. The windows of what
// narrowing listed take in where it shows past them.
//
// The near plane cuts holes of the same kind (PortalNear.cpp): a wall, a
// floor or a ceiling nearer the eye than the near distance is cut away,
// and whatever the walk over the whole view lists shows through; so is an
// eye above its own sector's ceiling (or below its floor), all over the
// view, and so is the half of the view behind a closed wall (solid, a
// mirror, a shut door) whose line the eye stands on. Each hole is looked
// past as a sky with no height to rise past. An eye standing on an
// opening's line is on both sides of it and reaches the sector behind with
// its own window. The sky a frame shows is taken from the whole view's
// order of sectors (skyTile).
//
// The visible list belongs to the frustum that is drawn: render recomputes
// it when the frustum's sides or near distance changed since the last walk
// (a camera reset followed by the view's setViewport, for instance), and a
// frame with an unchanged camera does no visibility work at all.
#pragma once

#include <cstdint>
#include <vector>

#include "3d/Camera.h"
#include "3d/Plane.h"
#include "render/ViewProjection.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

class Renderer;

class PortalCamera : public Camera {
public:
    static constexpr int visibleReserve = 256;

    explicit PortalCamera(Node* parent = nullptr);

    // Multiplies the model-view matrix by the pitch, then calls the
    // renderer's drawAimHook.
    void draw() override;
    // Stencil write mask 0xFFFF and clear value 0 before the frame's clear.
    void prepareClear() override;
    // Recomputes the visible set first if the frustum changed.
    void render() override;
    void setNear(double value) override;
    // The change hook: updateVisibility, unless the camera is mirrored
    // (those are walked once, explicitly, from their mirror).
    void changed() override;

    // Eye, window, planes, then the walk.
    void updateVisibility();
    // For a mirror's camera: the window is the mirror quad (corners as a
    // wall piece holds them: 0 end top, 1 start top, 2 start bottom, 3 end
    // bottom). Takes the eye from the transform, builds the mirrored planes
    // and walks from startSector, which is seen through `through` (the part
    // of the view the mirror covers, from the pass the mirror is met in).
    void updateMirrorVisibility(const Vector3 mirrorCorners[4], int startSector, const ViewWindow& through);

    // Whether the opening (a middle piece) faces the eye and lies at least
    // partly inside all four side planes.
    bool sees(const WallPiece& opening) const;
    // Whether the eye stands on the wall: on its line in plan (where the
    // facing test calls an opening edge-on) between its ends, or within
    // rounding of it. The eye then sees past it on both sides.
    bool standsOn(const World& world, const WorldWall& wall) const;
    // The part of the view through which the last walk reached the sector,
    // the box round its windows (the whole view for one it did not list).
    ViewWindow windowOf(int sector) const;
    // The whole view the last walk started from (for a mirror's camera,
    // the part of the view its mirror covers).
    const ViewWindow& view() const { return viewWindow; }
    // The box round the parts of the view where the near plane cuts a
    // surface away, or where the eye sees past its own sector's ceiling or
    // floor (PortalNear.cpp): whatever lies behind shows there, the sky
    // too. Empty after a walk that did not narrow.
    ViewWindow holes() const { return narrowWalk ? holeWindow : ViewWindow{}; }
    // The part of windowOf(sector) that the piece, a wall of that sector,
    // covers; empty when nothing of it can be seen. The whole window when
    // the walk does not narrow.
    ViewWindow windowThrough(const WallPiece& piece, int sector) const;

    // The sky the frame shows, given the sky of the drawn list's last sky
    // sector (-1 for none), which is how the renderer picks it. A narrowed
    // list holds fewer sectors, in another order, and may end on another
    // sky than the walk over the whole view: where the world's skies differ
    // the whole view's order decides, by a walk that lists nothing, made
    // once per walk when first asked.
    int skyTile(int listedSky);

    // The camera's origin in world coordinates.
    Vector3 eye() const { return eye_; }
    const Plane& plane(int i) const { return planes[i]; }
    int visibleCount() const { return int(visible.size()); }

    // Sector indices in the order found; what the renderers draw and the
    // status overlay counts ("visible sectors").
    std::vector<int> visible;
    PlayerNode* source = nullptr;    // gives the world and the start sector
    bool mirrored = false;           // seen in a mirror: every plane turns round
    // Off: every opening is looked through with the whole view, as before
    // the walk narrowed (kept to measure against; mirrors copy it).
    bool narrowing = true;
    Renderer* renderer = nullptr;    // the view's current renderer

    enum Corner { leftBottom, leftTop, rightTop, rightBottom };

private:
    // The frustum a walk was made for.
    struct FrustumKey {
        double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0, near = 0.0;
        bool operator==(const FrustumKey&) const = default;
    };
    FrustumKey currentKey() const;
    // How a sector was reached in the walk numbered `walk`; stale entries
    // (another walk's number) stand for sectors not reached, so a walk
    // clears nothing per sector. `whole` is the same for the walks over the
    // whole view, numbered on their own.
    struct Reach {
        static constexpr int maxWindows = 4;

        bool covers(const ViewWindow& window) const;
        ViewWindow bounds() const;
        int add(const ViewWindow& window);

        ViewWindow windows[maxWindows];
        int windowCount = 0;
        unsigned grown = 0;              // windows that grew since the walls went round
        std::uint32_t walk = 0;
        std::uint32_t widenedWalk = 0;   // waiting in `widened`
        std::uint32_t whole = 0;
        std::uint32_t hidden = 0;    // behind an opening narrowing closed
    };
    // A sector whose walls are looked through with one of its windows.
    struct Frame {
        int sector;
        std::size_t nextWall;
        ViewWindow window;
    };
    // A sky listed (or the eye's own place, sector -1): what shows past it
    // rises above `height` (with up false, sinks below it), climbs (falls)
    // at least as steeply as `slope`, and lies in `window`, the part of the
    // view past the sky's edges (taken when first needed).
    struct SkyView {
        int sector;
        bool up;
        double height;
        double slope;
        ViewWindow window;
        bool windowTaken;
    };
    void takeFrame();
    Vector3 frameToWorld(double x, double y, double z) const;
    void takeNearWindow();
    void buildPlanes();
    bool eyeAboveCeiling(const World& world, int sector) const;
    bool eyeBelowFloor(const World& world, int sector) const;
    // The walk (PortalWalk.cpp).
    void walk(int startSector, const ViewWindow& through);
    void walkAll(const World& world);
    void startWalk(std::size_t sectorCount);
    void nextWholeWalk();
    bool listed(int sector) const;
    bool opens(const World& world, const WorldWall& wall) const;
    void enlist(int sector, const ViewWindow& through);
    void lookThrough(const World& world, const ViewWindow& from, const WorldWall& wall);
    void reach(int sector, const ViewWindow& through);
    void walkWidened(int sector);
    enum class WholeVisit { list, pastSky, sky };
    void walkWhole(const World& world, int startSector, WholeVisit visit);
    void meet(const World& world, int sector, WholeVisit visit);
    bool showsPastSky(const World& world, int sector);
    // Past skies (PortalSkies.cpp).
    void lookPastSkies(const World& world, int startSector);
    void takeSkies(const World& world, std::size_t& taken);
    void addSky(const SkyView& sky);
    ViewWindow seenPastSky(const World& world, int sector);
    bool mayRisePastSky(const WorldSector& sector) const;
    ViewWindow pastSky(const World& world, const SectorBox& box);
    ViewWindow pastEdges(const World& world, int sector, bool ceiling) const;
    double slopeTo(double z, const SectorBox& box, bool steepest) const;
    // What the near plane cuts (PortalNear.cpp).
    void addNearHoles(const World& world);
    void addNearHoles(const World& world, const WorldSector& sector, double cutDepth);
    ViewWindow nearCutOf(const WorldSector& sector, bool ceiling) const;
    bool standsIn(const World& world, const WorldWall& wall, const WallPiece& piece) const;
    ViewWindow behind(const World& world, const WorldWall& wall) const;
    void addHole(const ViewWindow& hole);

    Vector3 eye_;
    Vector3 axes[3];                 // world offsets of the unit axes
    Vector3 window[4];               // by Corner
    Plane planes[5];                 // four sides, then the window plane
    ViewProjection projection;
    ViewWindow viewWindow;           // what the last walk started from
    bool narrowWalk = true;          // the last walk narrowed
    std::vector<Reach> reached;      // by sector
    std::uint32_t walkNumber = 0;
    std::uint32_t wholeNumber = 0;
    std::vector<Frame> stack;        // depth first
    std::vector<int> widened;        // listed sectors whose windows grew, in turn
    std::vector<int> hidden;         // sectors behind openings narrowing closed
    std::vector<int> unseen;         // met looking past skies, not listed
    std::vector<SkyView> skies;      // of the last walk
    double lowestSkyUp = 0.0;        // the lowest height of those skies looked up past
    double highestSkyDown = 0.0;     // the highest of those looked down past
    FrustumKey walkedFor;
    ViewWindow holeWindow;           // round the holes of the last walk
    int walkStart = -1;              // the sector the last walk started from
    std::uint32_t skyWalk = 0;       // the walk wholeSky belongs to
    int wholeSky = -1;
};

} // namespace Vell3D
