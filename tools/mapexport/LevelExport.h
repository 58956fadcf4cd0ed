// LevelExport: one map as a glTF model that looks like what walkview draws.
// The surfaces come from surfaces/ (the same triangles the display lists
// replay), with the sprites turned to the player's start and the sky round
// it. The level sits in metres with +Y up, as glTF wants:
//
//   glTF (X, Y, Z) = (world x, world z, -world y) / unitsPerMetre
//
// a proper rotation, so nothing is mirrored: the world is the map already
// made right-handed (world x = -map x, z = -map z / 16). One world unit (a
// map x or y unit, 16 map z units) is 1/320 m, which puts walkview's eye,
// 550 units above the floor, at 1.72 m.
//
// The nodes: "sector <n>" (its floor, ceiling and walls, masked ones too,
// and mirror glass), "sprite <n>" (placed at the sprite and turned as it
// stands; sprites of one look share a mesh), "sky" and
// "camera" (walkview's start view), all children of the scene. Each
// sector's and sprite's extras carry the map record's numbers.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "3d/Vector3.h"
#include "surfaces/WorldSurfaces.h"
#include "tools/mapexport/GltfModel.h"

namespace Vell3D {
class Map;
class TileSet;
class World;
}

namespace VellTools {

class LevelExport {
public:
    static constexpr double unitsPerMetre = 320.0;

    struct Options {
        bool sky = true;
    };

    // The world must be built from the map with its textures attached.
    LevelExport(const Vell3D::Map& map, const Vell3D::World& world, Options options);

    GltfModel& model() { return model_; }
    // Where a world point lies in the file, relative to a node's origin.
    static std::array<double, 3> toGltf(double x, double y, double z);
    // The sky tile walkview shows at the start view; -1 for none.
    static int skyTile(const Vell3D::World& world);
    // walkview's eye at the player's start, standing on the floor there, in
    // world units.
    static Vell3D::Vector3 startEye(const Vell3D::World& world);

private:
    void addSectors();
    void addSprites(const Vell3D::WorldSurfaces& surfaces);
    void addSky();
    void addCamera();
    // A node of the given surfaces, its vertices relative to origin and
    // turned back by yaw (radians about the vertical); sprites that come
    // out alike share one mesh.
    int addNode(const std::string& name, const std::vector<const Vell3D::Surface*>& surfaces,
                const Vell3D::SurfaceMesh& mesh, const Vell3D::Vector3& origin, double yaw = 0.0);
    GltfVertices verticesOf(const Vell3D::Surface& surface, const Vell3D::SurfaceMesh& mesh,
                            const Vell3D::Vector3& origin, double yaw) const;
    int materialOf(const Vell3D::Surface& surface);
    int imageOf(int tile);
    tinygltf::Value sectorExtras(int sector) const;
    tinygltf::Value spriteExtras(int sprite) const;

    const Vell3D::Map& map;
    const Vell3D::World& world;
    const Vell3D::TileSet* tiles;
    Options options;
    GltfModel model_;
    std::map<std::string, int> spriteMeshes_;   // by material and vertex bytes
};

} // namespace VellTools
