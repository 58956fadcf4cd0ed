#include "ReadBack.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "mapdata/TileSet.h"
#include "world/World.h"

namespace ReadBack {

using namespace Vell3D;

namespace {

constexpr double unitsPerMetre = 320.0;

const unsigned char* elementAt(const tinygltf::Model& model, int accessor, std::size_t i, std::size_t size)
{
    const tinygltf::Accessor& a = model.accessors[std::size_t(accessor)];
    const tinygltf::BufferView& view = model.bufferViews[std::size_t(a.bufferView)];
    const std::size_t stride = view.byteStride ? view.byteStride : size;
    return model.buffers[std::size_t(view.buffer)].data.data() + view.byteOffset + a.byteOffset + i * stride;
}

// The vertices of a primitive's triangles, through its indices if any.
std::vector<std::size_t> vertexOrder(const tinygltf::Model& model, const tinygltf::Primitive& p)
{
    std::vector<std::size_t> order;
    if (p.indices < 0) {
        const std::size_t count = model.accessors[std::size_t(p.attributes.at("POSITION"))].count;
        for (std::size_t i = 0; i < count; ++i)
            order.push_back(i);
        return order;
    }
    const tinygltf::Accessor& a = model.accessors[std::size_t(p.indices)];
    const std::size_t size = a.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT ? 4 : 2;
    for (std::size_t i = 0; i < a.count; ++i) {
        std::uint32_t index = 0;
        std::memcpy(&index, elementAt(model, p.indices, i, size), size);
        order.push_back(index);
    }
    return order;
}

void rotate(const std::vector<double>& q, double v[3])
{
    if (q.size() != 4)
        return;
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double tx = 2 * (y * v[2] - z * v[1]), ty = 2 * (z * v[0] - x * v[2]), tz = 2 * (x * v[1] - y * v[0]);
    const double r[3] = {v[0] + w * tx + (y * tz - z * ty), v[1] + w * ty + (z * tx - x * tz),
                         v[2] + w * tz + (x * ty - y * tx)};
    std::memcpy(v, r, sizeof r);
}

struct Vec {
    double x, y, z;
};
Vec sub(const double a[3], const double b[3]) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(const Vec& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vec normal(const Triangle& t)
{
    return cross(sub(t.p[1], t.p[0]), sub(t.p[2], t.p[0]));
}

// The plan area inside the sector's loops, outline less holes.
double planArea(const World& world, const WorldSector& sector)
{
    double twice = 0.0;
    for (int w : sector.walls) {
        const WallPoint& a = world.wallStart(w);
        const WallPoint& b = world.wallEnd(w);
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

double quadArea(const WallPiece& piece)
{
    const Vector3* c = piece.corners;
    auto half = [](const Vector3& a, const Vector3& b, const Vector3& d) {
        const double p[3] = {a.x, a.y, a.z}, q[3] = {b.x, b.y, b.z}, r[3] = {d.x, d.y, d.z};
        return length(cross(sub(q, p), sub(r, p))) / 2.0;
    };
    return half(c[0], c[1], c[2]) + half(c[0], c[2], c[3]);
}

// The pieces walkview draws of a sector: solid ones, masked middles and
// mirror glass, each only with some height.
std::vector<const WallPiece*> drawnPieces(const World& world, const WorldSector& sector)
{
    std::vector<const WallPiece*> pieces;
    for (int w : sector.walls) {
        const WorldWall& wall = world.walls[std::size_t(w)];
        for (const WallPiece* p : {&wall.upper, &wall.lower, &wall.middle}) {
            if (p != &wall.upper && !wall.isOpening())
                continue;
            const bool drawn = (p->flags & (pieceSolid | pieceMirror)) || (p == &wall.middle && (p->flags & pieceMasked));
            if (drawn && p->hasHeight())
                pieces.push_back(p);
        }
    }
    return pieces;
}

struct Expected {
    double u, v;
};

Expected mapped(const Matrix4& m, const Tile& tile, double x, double y, double z, double panU, double panV)
{
    const Vector3 t = m.transformPoint(Vector3(x, y, z));
    const double w = tile.width > 0 ? tile.width : 1, h = tile.height > 0 ? tile.height : 1;
    return {t.x / w + panU, t.y / h + panV};
}

bool near(const Expected& e, double u, double v)
{
    return std::fabs(e.u - u) < 1e-3 && std::fabs(e.v - v) < 1e-3;
}

// Whether the point lies on the piece's quad: on its wall's line in plan
// and between its bottom and top edges there.
bool onPiece(const WallPiece& piece, double x, double y, double z)
{
    const Vector3& a = piece.corners[1];   // start top
    const Vector3& b = piece.corners[0];   // end top
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    if (l2 == 0.0)
        return false;
    const double t = ((x - a.x) * dx + (y - a.y) * dy) / l2;
    const double off = std::fabs((x - a.x) * dy - (y - a.y) * dx) / std::sqrt(l2);
    if (t < -1e-6 || t > 1 + 1e-6 || off > 0.05)
        return false;
    const double top = a.z + t * (b.z - a.z);
    const double bottom = piece.corners[2].z + t * (piece.corners[3].z - piece.corners[2].z);
    return z <= top + 0.05 && z >= bottom - 0.05;
}

bool wallPointMaps(const std::vector<const WallPiece*>& pieces, const TileSet& tiles, double x, double y, double z,
                   double u, double v)
{
    for (const WallPiece* p : pieces) {
        if (!onPiece(*p, x, y, z))
            continue;
        const Tile& tile = tiles.tile(p->tile);
        const double w = tile.width > 0 ? tile.width : 1;
        if (near(mapped(p->textureMatrix, tile, x, y, z, p->panX / w, p->panY / 256.0), u, v))
            return true;
    }
    return false;
}

std::string sectorName(std::size_t s)
{
    return "sector " + std::to_string(s);
}

void checkSector(const World& world, const TileSet& tiles, std::size_t s, const std::vector<Triangle>& tris,
                 std::vector<std::string>& problems)
{
    const WorldSector& sector = world.sectors[s];
    double floorArea = 0.0, ceilingArea = 0.0, wallArea = 0.0;
    const std::vector<const WallPiece*> pieces = drawnPieces(world, sector);
    int badMaps = 0;
    static const double samples[4][3] = {{1 / 3.0, 1 / 3.0, 1 / 3.0}, {0.6, 0.2, 0.2}, {0.2, 0.6, 0.2}, {0.2, 0.2, 0.6}};
    for (const Triangle& t : tris) {
        const Vec n = normal(t);
        const double area = length(n) / 2.0;
        const bool flat = std::fabs(n.z) > 1e-3 * length(n);
        const bool floor = flat && n.z > 0;
        if (floor)
            floorArea += n.z / 2.0;
        else if (flat)
            ceilingArea -= n.z / 2.0;
        else
            wallArea += area;
        if (area < 1e-3)
            continue;
        for (const auto& b : samples) {
            double p[3], uv[2];
            for (int k = 0; k < 3; ++k)
                p[k] = b[0] * t.p[0][k] + b[1] * t.p[1][k] + b[2] * t.p[2][k];
            for (int k = 0; k < 2; ++k)
                uv[k] = b[0] * t.uv[0][k] + b[1] * t.uv[1][k] + b[2] * t.uv[2][k];
            bool ok;
            if (flat) {
                const Matrix4& m = floor ? sector.floorTextureMatrix : sector.ceilingTextureMatrix;
                const Tile& tile = tiles.tile(floor ? sector.floorTile : sector.ceilingTile);
                const Panning& pan = floor ? sector.floorPanning : sector.ceilingPanning;
                ok = near(mapped(m, tile, p[0], p[1], p[2], pan.x / 256.0, pan.y / 256.0), uv[0], uv[1]);
            } else {
                ok = wallPointMaps(pieces, tiles, p[0], p[1], p[2], uv[0], uv[1]);
            }
            badMaps += !ok;
        }
    }
    const double plan = sector.walls.size() >= 3 ? planArea(world, sector) : 0.0;
    auto compare = [&](const char* what, double got, double want) {
        if (std::fabs(got - want) > 1.0 + 1e-5 * want)
            problems.push_back(sectorName(s) + ": " + what + " area " + std::to_string(got) + ", the world's " +
                               std::to_string(want));
    };
    compare("floor", floorArea, sector.floorParallax ? 0.0 : plan);
    compare("ceiling", ceilingArea, sector.ceilingParallax ? 0.0 : plan);
    double pieceArea = 0.0;
    for (const WallPiece* p : pieces)
        pieceArea += quadArea(*p);
    compare("wall", wallArea, pieceArea);
    if (badMaps > 0)
        problems.push_back(sectorName(s) + ": " + std::to_string(badMaps) + " sampled points off their texture coordinate");
}

// A sprite's quad stands where the world puts it, a facing sprite turned to
// the player's start.
void checkSprite(const World& world, std::size_t i, const std::vector<Triangle>& tris,
                 std::vector<std::string>& problems)
{
    WorldSprite sprite = world.sprites[i];
    if (sprite.kind == spriteKindFace)
        sprite.faceCamera(world.camera.position());
    double area = 0.0;
    bool placed = true;
    for (const Triangle& t : tris) {
        area += length(normal(t)) / 2.0;
        for (const auto& p : t.p) {
            bool corner = false;
            for (const Vector3& c : sprite.corners)
                corner = corner || std::hypot(p[0] - c.x, p[1] - c.y, p[2] - c.z) < 0.01;
            placed = placed && corner;
        }
    }
    if (!placed || std::fabs(area - sprite.width * sprite.height) > 0.01 + 1e-5 * area)
        problems.push_back("sprite " + std::to_string(i) + ": not where the world puts it");
}

void checkPictures(const tinygltf::Model& model, const TileSet& tiles, std::vector<std::string>& problems)
{
    for (const tinygltf::Image& image : model.images) {
        const int number = std::atoi(image.name.c_str() + 5);
        const Tile& tile = tiles.tile(number);
        std::vector<std::uint8_t> want = tiles.pixels(number);
        if (tile.width <= 0 || tile.height <= 0)
            want = {128, 128, 128, 255};
        if (image.component != 4 || image.image != want)
            problems.push_back(image.name + ": pixels not the tile's palette colours");
    }
}

} // namespace

tinygltf::Model load(const std::vector<std::uint8_t>& glb)
{
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    if (!loader.LoadBinaryFromMemory(&model, &error, &warning, glb.data(), unsigned(glb.size())))
        throw std::runtime_error("unreadable glb: " + error);
    return model;
}

std::vector<Triangle> trianglesOf(const tinygltf::Model& model, const std::string& nodeName)
{
    std::vector<Triangle> out;
    for (const tinygltf::Node& node : model.nodes) {
        if (node.name != nodeName || node.mesh < 0)
            continue;
        for (const tinygltf::Primitive& p : model.meshes[std::size_t(node.mesh)].primitives) {
            const int position = p.attributes.at("POSITION");
            const auto uvAt = p.attributes.find("TEXCOORD_0");
            const std::vector<std::size_t> order = vertexOrder(model, p);
            for (std::size_t i = 0; i + 2 < order.size(); i += 3) {
                Triangle t{};
                t.material = p.material;
                for (std::size_t k = 0; k < 3; ++k) {
                    const std::size_t at = order[i + k];
                    float f[3] = {};
                    std::memcpy(f, elementAt(model, position, at, 12), 12);
                    double g[3] = {f[0], f[1], f[2]};
                    rotate(node.rotation, g);
                    for (std::size_t a = 0; a < node.translation.size() && a < 3; ++a)
                        g[a] += node.translation[a];
                    t.p[k][0] = g[0] * unitsPerMetre;
                    t.p[k][1] = -g[2] * unitsPerMetre;
                    t.p[k][2] = g[1] * unitsPerMetre;
                    if (uvAt != p.attributes.end()) {
                        float uv[2] = {};
                        std::memcpy(uv, elementAt(model, uvAt->second, at, 8), 8);
                        t.uv[k][0] = uv[0];
                        t.uv[k][1] = uv[1];
                    }
                }
                out.push_back(t);
            }
        }
    }
    return out;
}

std::vector<std::string> check(const tinygltf::Model& model, const World& world, const TileSet& tiles)
{
    std::vector<std::string> problems;
    for (std::size_t s = 0; s < world.sectors.size(); ++s)
        checkSector(world, tiles, s, trianglesOf(model, sectorName(s)), problems);
    std::vector<bool> held(world.sprites.size());
    for (const WorldSector& sector : world.sectors)
        for (int i : sector.sprites)
            held[std::size_t(i)] = true;
    for (std::size_t i = 0; i < world.sprites.size(); ++i) {
        const WorldSprite& sprite = world.sprites[i];
        const bool shown = held[i] && !(sprite.flags & spriteInvisible) && sprite.kind != spriteKindNone &&
                           sprite.width > 0 && sprite.height > 0;
        const std::vector<Triangle> tris = trianglesOf(model, "sprite " + std::to_string(i));
        if (shown != !tris.empty())
            problems.push_back("sprite " + std::to_string(i) + (shown ? ": missing" : ": shown, walkview draws none"));
        else if (shown)
            checkSprite(world, i, tris, problems);
    }
    checkPictures(model, tiles, problems);
    return problems;
}

} // namespace ReadBack
