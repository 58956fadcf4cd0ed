// A glTF file read back with tinygltf's loader and checked against the world
// it was made from, with nothing taken from the export's own code: the
// floors' and ceilings' plan areas against the shoelace areas of the
// sector's wall loops, the walls' areas against the pieces' quads, the
// texture coordinate at sampled points against the world's texture
// matrices, the sprites' quads against the world's sprites, and every
// picture against the tile's palette colours.
#pragma once

#include <cstring>
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

// Changes every vertex attribute of the given type in place, N floats each:
// the faults the checks must find are planted with it.
template <int N, class Change>
void editFloats(tinygltf::Model& model, int type, Change change)
{
    for (const tinygltf::Accessor& a : model.accessors) {
        if (a.type != type)
            continue;
        const tinygltf::BufferView& view = model.bufferViews[std::size_t(a.bufferView)];
        for (std::size_t i = 0; i < a.count; ++i) {
            float f[N];
            unsigned char* at = model.buffers[0].data.data() + view.byteOffset + a.byteOffset + i * view.byteStride;
            std::memcpy(f, at, sizeof f);
            change(f);
            std::memcpy(at, f, sizeof f);
        }
    }
}

// Calls change(corners, positions) for each triangle of the primitive, with
// its three vertex indices and their positions; the indices as change
// leaves them are written back.
template <class Change>
void editTriangles(tinygltf::Model& model, const tinygltf::Primitive& primitive, Change change)
{
    const tinygltf::Accessor& indices = model.accessors[std::size_t(primitive.indices)];
    const tinygltf::Accessor& positions = model.accessors[std::size_t(primitive.attributes.at("POSITION"))];
    const tinygltf::BufferView& indexView = model.bufferViews[std::size_t(indices.bufferView)];
    const tinygltf::BufferView& positionView = model.bufferViews[std::size_t(positions.bufferView)];
    unsigned char* data = model.buffers[0].data.data();
    const std::size_t indexSize = indices.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT ? 4 : 2;
    const std::size_t positionStride = positionView.byteStride ? positionView.byteStride : 12;
    unsigned char* indexAt = data + indexView.byteOffset + indices.byteOffset;
    for (std::size_t t = 0; t + 2 < indices.count; t += 3) {
        std::uint32_t corners[3] = {};
        float p[3][3];
        for (std::size_t k = 0; k < 3; ++k) {
            std::memcpy(&corners[k], indexAt + (t + k) * indexSize, indexSize);   // little-endian
            std::memcpy(p[k], data + positionView.byteOffset + positions.byteOffset + corners[k] * positionStride,
                        sizeof p[k]);
        }
        change(corners, p);
        for (std::size_t k = 0; k < 3; ++k)
            std::memcpy(indexAt + (t + k) * indexSize, &corners[k], indexSize);
    }
}

} // namespace ReadBack
