// A glTF file read back with tinygltf's loader and checked against the world
// it was made from, with nothing taken from the export's own code: the
// floors' and ceilings' plan areas against the shoelace areas of the
// sector's wall loops, the walls' areas against the pieces' quads, the
// texture coordinate at sampled points against the world's texture
// matrices, the sprites' quads against the world's sprites, and every
// picture against the tile's palette colours.
#pragma once

#include <string>
#include <vector>

#include <tiny_gltf.h>

namespace Vell3D {
class TileSet;
class World;
}

namespace ReadBack {

// One triangle as the file holds it, in world units (the file's metres
// carried back: world x = X, y = -Z, z = Y, times 320).
struct Triangle {
    double p[3][3];
    double uv[3][2];
    int material;
};

tinygltf::Model load(const std::vector<std::uint8_t>& glb);
// The triangles of node "sector <s>", or of any node by name.
std::vector<Triangle> trianglesOf(const tinygltf::Model& model, const std::string& nodeName);
// What does not match, one line each; empty for a faithful file.
std::vector<std::string> check(const tinygltf::Model& model, const Vell3D::World& world,
                               const Vell3D::TileSet& tiles);

} // namespace ReadBack
