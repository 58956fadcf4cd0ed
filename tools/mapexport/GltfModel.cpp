#include "tools/mapexport/GltfModel.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>
#include <unordered_map>

#include "gui/PngFile.h"

namespace VellTools {

namespace {

void alignTo4(std::vector<unsigned char>& data)
{
    while (data.size() % 4 != 0)
        data.push_back(0);
}

// The picture's PNG bytes wait in Image::image until the model is written;
// for a .gltf they become the file the image's uri names.
bool writePicture(const std::string* folder, const std::string* file, const tinygltf::Image* image, bool,
                  std::string* uri, void*)
{
    std::string error;
    if (!tinygltf::WriteWholeFile(&error, (std::filesystem::path(*folder) / *file).string(), image->image, nullptr))
        return false;
    *uri = *file;
    return true;
}

} // namespace

GltfModel::GltfModel()
{
    model_.asset.version = "2.0";
    model_.asset.generator = "mapexport";
    model_.extensionsUsed.push_back("KHR_materials_unlit");
    model_.scenes.emplace_back();
    model_.defaultScene = 0;
}

int GltfModel::image(int key, const std::string& name, int width, int height,
                     const std::vector<std::uint8_t>& rgba)
{
    auto found = images_.find(key);
    if (found != images_.end())
        return found->second;
    tinygltf::Image image;
    image.name = name;
    image.mimeType = "image/png";
    image.width = width;
    image.height = height;
    image.image = Vell::encodePngRgba(width, height, rgba);
    imageBytes_ += image.image.size();
    model_.images.push_back(std::move(image));
    return images_[key] = int(model_.images.size()) - 1;
}

int GltfModel::storedImage(int key) const
{
    auto found = images_.find(key);
    return found == images_.end() ? -1 : found->second;
}

int GltfModel::material(const GltfMaterialKey& key, const std::string& name)
{
    auto found = materials_.find(key);
    if (found != materials_.end())
        return found->second;
    tinygltf::Material m;
    m.name = name;
    m.doubleSided = key.doubleSided;
    m.alphaMode = key.alpha == GltfAlpha::opaque ? "OPAQUE" : key.alpha == GltfAlpha::mask ? "MASK" : "BLEND";
    m.pbrMetallicRoughness.metallicFactor = 0.0;
    m.pbrMetallicRoughness.roughnessFactor = 1.0;
    m.extensions["KHR_materials_unlit"] = tinygltf::Value(tinygltf::Value::Object());
    if (key.image >= 0) {
        auto [texture, fresh] = textures_.try_emplace({key.image, key.clamp}, int(model_.textures.size()));
        if (fresh) {
            tinygltf::Sampler sampler;
            sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
            sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
            sampler.wrapS = sampler.wrapT = key.clamp ? TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE
                                                      : TINYGLTF_TEXTURE_WRAP_REPEAT;
            model_.samplers.push_back(sampler);
            tinygltf::Texture t;
            t.source = key.image;
            t.sampler = int(model_.samplers.size()) - 1;
            model_.textures.push_back(t);
        }
        m.pbrMetallicRoughness.baseColorTexture.index = texture->second;
    }
    model_.materials.push_back(std::move(m));
    return materials_[key] = int(model_.materials.size()) - 1;
}

int GltfModel::addAccessor(Stream& stream, const void* data, std::size_t bytes, int componentType, int type,
                           std::size_t count, bool normalized)
{
    tinygltf::Accessor accessor;
    accessor.byteOffset = stream.bytes.size();
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    accessor.normalized = normalized;
    const auto* p = static_cast<const std::uint8_t*>(data);
    stream.bytes.insert(stream.bytes.end(), p, p + bytes);
    accessors_.push_back(std::move(accessor));
    stream.accessors.push_back(int(accessors_.size()) - 1);
    return stream.accessors.back();
}

namespace {

// A vertex as its bytes: position, texture coordinate and colour.
struct VertexKey {
    std::array<std::uint32_t, 7> words{};
    bool operator==(const VertexKey& o) const { return words == o.words; }
};

struct VertexHash {
    std::size_t operator()(const VertexKey& k) const
    {
        std::size_t h = 0;
        for (std::uint32_t w : k.words)
            h = h * 0x9E3779B97F4A7C15ull + w;
        return h ^ (h >> 29);
    }
};

} // namespace

struct GltfModel::Table {
    GltfVertices unique;
    std::unordered_map<VertexKey, std::uint32_t, VertexHash> seen;
    int position = -1, texCoord = -1, colour = -1;

    std::uint32_t add(const GltfVertices& v, std::size_t i)
    {
        VertexKey key;
        std::memcpy(key.words.data(), &v.positions[3 * i], 12);
        if (v.textured)
            std::memcpy(key.words.data() + 3, &v.texCoords[2 * i], 8);
        std::memcpy(key.words.data() + 5, &v.colours[4 * i], 8);
        auto [at, fresh] = seen.try_emplace(key, std::uint32_t(unique.count()));
        if (fresh) {
            unique.positions.insert(unique.positions.end(), &v.positions[3 * i], &v.positions[3 * i] + 3);
            if (v.textured)
                unique.texCoords.insert(unique.texCoords.end(), &v.texCoords[2 * i], &v.texCoords[2 * i] + 2);
            unique.colours.insert(unique.colours.end(), &v.colours[4 * i], &v.colours[4 * i] + 4);
        }
        return at->second;
    }
};

void GltfModel::store(Table& table)
{
    const GltfVertices& v = table.unique;
    const std::size_t n = v.count();
    table.position = addAccessor(positions_, v.positions.data(), v.positions.size() * sizeof(float),
                                 TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, n, false);
    // Viewers need the bounds of the positions, as the floats stored.
    std::vector<double> lo(3, std::numeric_limits<double>::infinity()), hi(3, -lo[0]);
    for (std::size_t i = 0; i < v.positions.size(); ++i) {
        lo[i % 3] = std::min(lo[i % 3], double(v.positions[i]));
        hi[i % 3] = std::max(hi[i % 3], double(v.positions[i]));
    }
    accessors_[std::size_t(table.position)].minValues = lo;
    accessors_[std::size_t(table.position)].maxValues = hi;
    if (!v.texCoords.empty())
        table.texCoord = addAccessor(texCoords_, v.texCoords.data(), v.texCoords.size() * sizeof(float),
                                     TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, n, false);
    table.colour = addAccessor(colours_, v.colours.data(), v.colours.size() * sizeof(std::uint16_t),
                               TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_VEC4, n, true);
}

// Short indices where the table is small enough; every index starts on a
// four-byte boundary.
int GltfModel::addIndices(const std::vector<std::uint32_t>& indices, std::size_t vertexCount)
{
    indices_.bytes.resize((indices_.bytes.size() + 3) / 4 * 4);
    if (vertexCount <= 0xFFFF) {
        std::vector<std::uint16_t> shorter(indices.begin(), indices.end());
        return addAccessor(indices_, shorter.data(), shorter.size() * 2, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT,
                           TINYGLTF_TYPE_SCALAR, shorter.size(), false);
    }
    return addAccessor(indices_, indices.data(), indices.size() * 4, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                       TINYGLTF_TYPE_SCALAR, indices.size(), false);
}

int GltfModel::addMesh(const std::string& name, const std::map<int, GltfVertices>& groups)
{
    Table tables[2];
    std::vector<std::pair<int, std::vector<std::uint32_t>>> primitives;
    for (const auto& [material, v] : groups) {
        if (v.count() == 0)
            continue;
        Table& table = tables[v.textured];
        std::vector<std::uint32_t> indices;
        indices.reserve(v.count());
        for (std::size_t i = 0; i < v.count(); ++i)
            indices.push_back(table.add(v, i));
        primitives.emplace_back(material, std::move(indices));
    }
    if (primitives.empty())
        return -1;
    for (Table& table : tables)
        if (table.unique.count() > 0)
            store(table);
    tinygltf::Mesh mesh;
    mesh.name = name;
    for (auto& [material, indices] : primitives) {
        const Table& table = tables[groups.at(material).textured];
        tinygltf::Primitive p;
        p.mode = TINYGLTF_MODE_TRIANGLES;
        p.material = material;
        p.attributes["POSITION"] = table.position;
        if (table.texCoord >= 0)
            p.attributes["TEXCOORD_0"] = table.texCoord;
        p.attributes["COLOR_0"] = table.colour;
        p.indices = addIndices(indices, table.unique.count());
        mesh.primitives.push_back(std::move(p));
    }
    model_.meshes.push_back(std::move(mesh));
    return int(model_.meshes.size()) - 1;
}

int GltfModel::addNode(tinygltf::Node node)
{
    model_.nodes.push_back(std::move(node));
    return int(model_.nodes.size()) - 1;
}

// Buffer 0 holds the three vertex streams and, for a .glb, the pictures.
void GltfModel::layOut(bool pictureViews)
{
    if (laidOut_)
        return;
    laidOut_ = true;
    tinygltf::Buffer buffer;
    std::size_t total = 0;
    for (const Stream* stream : {&positions_, &texCoords_, &colours_, &indices_})
        total += stream->bytes.size() + 4;
    for (const tinygltf::Image& image : model_.images)
        total += pictureViews ? image.image.size() + 4 : 0;
    buffer.data.reserve(total);
    for (Stream* stream : {&positions_, &texCoords_, &colours_, &indices_}) {
        if (stream->bytes.empty())
            continue;
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.data.size();
        view.byteLength = stream->bytes.size();
        view.byteStride = std::size_t(stream->stride);
        view.target = stream == &indices_ ? TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER : TINYGLTF_TARGET_ARRAY_BUFFER;
        buffer.data.insert(buffer.data.end(), stream->bytes.begin(), stream->bytes.end());
        alignTo4(buffer.data);
        model_.bufferViews.push_back(view);
        for (int a : stream->accessors)
            accessors_[std::size_t(a)].bufferView = int(model_.bufferViews.size()) - 1;
        stream->bytes = {};
    }
    for (tinygltf::Image& image : model_.images) {
        if (!pictureViews)
            continue;
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.data.size();
        view.byteLength = image.image.size();
        buffer.data.insert(buffer.data.end(), image.image.begin(), image.image.end());
        alignTo4(buffer.data);
        model_.bufferViews.push_back(view);
        image.bufferView = int(model_.bufferViews.size()) - 1;
        image.image = {};
    }
    if (!buffer.data.empty())
        model_.buffers.push_back(std::move(buffer));
    model_.accessors.reserve(accessors_.size());
    for (tinygltf::Accessor& accessor : accessors_)
        model_.accessors.push_back(std::move(accessor));
    accessors_ = {};
}

std::vector<std::uint8_t> GltfModel::glb()
{
    layOut(true);
    std::ostringstream out;
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model_, out, false, true))
        return {};
    const std::string_view bytes = out.view();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool GltfModel::writeGltf(const std::string& folder, const std::string& name)
{
    layOut(false);
    if (!model_.buffers.empty())
        model_.buffers[0].uri = name + ".bin";
    for (tinygltf::Image& image : model_.images)
    {
        std::string file = image.name;
        std::replace(file.begin(), file.end(), ' ', '-');
        image.uri = name + "-" + file + ".png";
    }
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(&writePicture, nullptr);
    return writer.WriteGltfSceneToFile(&model_, (std::filesystem::path(folder) / (name + ".gltf")).string(), false,
                                       false, true, false);
}

} // namespace VellTools
