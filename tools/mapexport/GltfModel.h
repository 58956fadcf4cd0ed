// GltfModel: a glTF 2.0 model assembled in memory through tinygltf, which
// writes the JSON and the binary form. Vertex data, accessors, materials
// and the tile pictures are added here; each picture is stored once, its
// PNG bytes kept until the model is written, as a binary chunk (.glb) or
// as files beside the .gltf.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <tiny_gltf.h>

namespace VellTools {

// One primitive's vertices before they are stored: positions in metres,
// texture coordinates, linear RGBA colours.
struct GltfVertices {
    std::vector<float> positions;   // x, y, z
    std::vector<float> texCoords;   // u, v
    std::vector<std::uint16_t> colours;   // r, g, b, a as 0..65535
    bool textured = true;
    std::size_t count() const { return positions.size() / 3; }
};

enum class GltfAlpha { opaque, mask, blend };

struct GltfMaterialKey {
    int image = -1;          // -1: untextured
    bool clamp = false;      // texture not repeated (sprites)
    GltfAlpha alpha = GltfAlpha::opaque;
    bool doubleSided = false;
    auto tie() const { return std::tie(image, clamp, alpha, doubleSided); }
    bool operator<(const GltfMaterialKey& o) const { return tie() < o.tie(); }
};

class GltfModel {
public:
    GltfModel();

    tinygltf::Model& model() { return model_; }
    // The picture's index, stored on first use under the given name.
    int image(int key, const std::string& name, int width, int height, const std::vector<std::uint8_t>& rgba);
    // The index of the picture stored under key, or -1.
    int storedImage(int key) const;
    int material(const GltfMaterialKey& key, const std::string& name);
    // A mesh of one primitive per material, each of triangles (three
    // vertices each). Vertices met again are stored once: the primitives
    // index one shared table (one for the textured ones, one for the rest).
    int addMesh(const std::string& name, const std::map<int, GltfVertices>& groups);
    int addNode(tinygltf::Node node);

    // The whole model as a .glb file's bytes.
    std::vector<std::uint8_t> glb();
    // Writes name.gltf, name.bin and the pictures (name-<picture>.png) into
    // folder; false when tinygltf could not.
    bool writeGltf(const std::string& folder, const std::string& name);

    std::size_t imageBytes() const { return imageBytes_; }

private:
    // Vertex data goes into one buffer view per attribute, strided, laid
    // out when the model is written; pictures follow in views of their own.
    struct Stream {
        std::vector<std::uint8_t> bytes;
        std::vector<int> accessors;
        int stride = 0;
    };
    struct Table;
    int addAccessor(Stream& stream, const void* data, std::size_t bytes, int componentType, int type,
                    std::size_t count, bool normalized);
    void store(Table& table);
    int addIndices(const std::vector<std::uint32_t>& indices, std::size_t vertexCount);
    void layOut(bool pictureViews);

    tinygltf::Model model_;
    // Accessors wait here: a vector of them would copy them all as it grows.
    std::deque<tinygltf::Accessor> accessors_;
    Stream positions_{{}, {}, 12};
    Stream texCoords_{{}, {}, 8};
    Stream colours_{{}, {}, 8};
    Stream indices_{{}, {}, 0};
    bool laidOut_ = false;
    std::map<int, int> images_;
    std::map<GltfMaterialKey, int> materials_;
    std::map<std::tuple<int, bool>, int> textures_;
    std::size_t imageBytes_ = 0;
};

} // namespace VellTools
