#include "tools/mapexport/LevelExport.h"

#include <cmath>
#include <map>

#include "core/Exception.h"
#include "gui/Size.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "render/PassState.h"
#include "render/WalkScene.h"
#include "surfaces/SkyCylinder.h"
#include "viewer/ViewerWindow.h"
#include "world/World.h"

namespace VellTools {

using namespace Vell3D;

namespace {

// glTF colours are linear; walkview multiplies the tile's sRGB colours by
// the surface colour as they are, which a viewer reproduces when the vertex
// colour is the linear form of the same value.
std::uint16_t linear(std::uint8_t srgb)
{
    const double c = srgb / 255.0;
    const double l = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    return std::uint16_t(std::lround(l * 65535.0));
}

tinygltf::Value number(double value)
{
    return tinygltf::Value(value);
}

tinygltf::Value number(int value)
{
    return tinygltf::Value(value);
}

const char* kindName(DrawKind kind)
{
    switch (kind) {
    case DrawKind::masked: return " masked";
    case DrawKind::translucent: return " translucent";
    case DrawKind::mirror: return " glass";
    case DrawKind::sky: return " sky";
    default: return "";
    }
}

// Which way a sprite's quad runs, from its first corner to its second: the
// turn about the vertical that lays it along world x.
double spriteYaw(const SurfaceMesh& mesh, const Surface& surface)
{
    const SurfaceVertex* v = mesh.verticesOf(surface);
    const SurfaceVertex& a = v[SurfaceMesh::quadVertices[0]];
    const SurfaceVertex& b = v[SurfaceMesh::quadVertices[1]];
    return std::atan2(b.y - a.y, b.x - a.x);
}

} // namespace

LevelExport::LevelExport(const Map& map, const World& world, Options options)
    : map(map), world(world), tiles(world.textureCache), options(options)
{
    addSectors();
    if (options.sky)
        addSky();
    addCamera();
}

std::array<double, 3> LevelExport::toGltf(double x, double y, double z)
{
    return {x / unitsPerMetre, z / unitsPerMetre, -y / unitsPerMetre};
}

// The player stands on the start sector's floor, as walkview and mapshot
// show him once he stands (the first move lifts him there).
Vector3 LevelExport::startEye(const World& world)
{
    Vector3 eye = world.camera.toParent(Vector3(0.0, 0.0, WalkScene::eyeHeight));
    const int s = world.camera.sector;
    if (inRange(s, world.sectors.size()))
        eye.z = world.sectors[std::size_t(s)].floorZAt(eye.x, eye.y) + PlayerNode::standingHeight +
                WalkScene::eyeHeight;
    return eye;
}

// As the renderer picks it: the last sky sector its walk of the start view
// lists (a ceiling over a floor), where the walk over the whole view decides.
int LevelExport::skyTile(const World& world)
{
    WalkScene scene;
    scene.setWorld(const_cast<World*>(&world));   // the walk only reads it
    scene.resetCamera();
    scene.portalCamera.setViewport(Vell::Size(ViewerWindow::viewWidth, ViewerWindow::viewHeight));
    scene.portalCamera.updateVisibility();
    const Vector3 eye = startEye(world);
    scene.playerCamera.translateGlobal(0.0, 0.0, eye.z - scene.portalCamera.eye().z);
    scene.portalCamera.updateVisibility();
    int listed = PassState::noSky;
    for (int s : scene.portalCamera.visible) {
        const WorldSector& sector = world.sectors[std::size_t(s)];
        if (sector.floorParallax)
            listed = sector.floorTile;
        if (sector.ceilingParallax)
            listed = sector.ceilingTile;
    }
    return scene.portalCamera.skyTile(listed);
}

void LevelExport::addSectors()
{
    WorldSurfaces surfaces;
    surfaces.build(world);
    const SurfaceMesh& mesh = surfaces.mesh();
    for (std::size_t s = 0; s < world.sectors.size(); ++s) {
        const WorldSurfaces::Range range = surfaces.sector(int(s));
        std::vector<const Surface*> list;
        for (std::uint32_t i = range.first; i < range.first + range.count; ++i)
            list.push_back(&mesh.surfaces[i]);
        const int node = addNode("sector " + std::to_string(s), list, mesh, Vector3());
        model_.model().nodes[std::size_t(node)].extras = sectorExtras(int(s));
    }
    surfaces.addSprites(world, startEye(world));
    addSprites(surfaces);
}

void LevelExport::addSprites(const WorldSurfaces& surfaces)
{
    const SurfaceMesh& mesh = surfaces.mesh();
    const WorldSurfaces::Range range = surfaces.sprites();
    for (std::uint32_t i = range.first; i < range.first + range.count; ++i) {
        const Surface& surface = mesh.surfaces[i];
        const Vector3& p = world.sprites[std::size_t(surface.index)].position;
        const std::array<double, 3> at = toGltf(p.x, p.y, p.z);
        const double yaw = spriteYaw(mesh, surface);
        const int node = addNode("sprite " + std::to_string(surface.index), {&surface}, mesh, p, yaw);
        tinygltf::Node& n = model_.model().nodes[std::size_t(node)];
        n.translation = {at[0], at[1], at[2]};
        n.rotation = {0.0, std::sin(yaw / 2.0), 0.0, std::cos(yaw / 2.0)};
        n.extras = spriteExtras(surface.index);
    }
}

// The cylinder stands round the start, as walkview draws it round the
// player there.
void LevelExport::addSky()
{
    const int tile = skyTile(world);
    if (tile < 0)
        return;
    SurfaceMesh mesh;
    SkyCylinder().build(mesh, tile, 0.0, 0.0);
    std::vector<const Surface*> list;
    for (const Surface& surface : mesh.surfaces)
        list.push_back(&surface);
    const Vector3 eye = startEye(world);
    const int node = addNode("sky", list, mesh, Vector3());
    const std::array<double, 3> at = toGltf(eye.x, eye.y, 0.0);
    model_.model().nodes[std::size_t(node)].translation = {at[0], at[1], at[2]};
}

// walkview's view at the start: the eye above the player, level, turned by
// his heading about the vertical, with the 800 x 600 view's frustum.
void LevelExport::addCamera()
{
    tinygltf::Camera camera;
    camera.name = "walkview";
    camera.type = "perspective";
    const double halfHeight = 0.5 * ViewerWindow::viewHeight * WalkScene::pixelScale;
    camera.perspective.yfov = 2.0 * std::atan(halfHeight / WalkScene::nearDistance);
    camera.perspective.aspectRatio = double(ViewerWindow::viewWidth) / ViewerWindow::viewHeight;
    camera.perspective.znear = WalkScene::nearDistance / unitsPerMetre;
    camera.perspective.zfar = WalkScene::farDistance / unitsPerMetre;
    model_.model().cameras.push_back(camera);

    const Matrix4& m = world.camera.matrix();
    const double heading = std::atan2(m.at(1, 0), m.at(0, 0));
    const Vector3 eye = startEye(world);
    tinygltf::Node node;
    node.name = "camera";
    node.camera = int(model_.model().cameras.size()) - 1;
    const std::array<double, 3> at = toGltf(eye.x, eye.y, eye.z);
    node.translation = {at[0], at[1], at[2]};
    node.rotation = {0.0, std::sin(heading / 2.0), 0.0, std::cos(heading / 2.0)};
    model_.model().scenes[0].nodes.push_back(model_.addNode(node));
}

GltfVertices LevelExport::verticesOf(const Surface& surface, const SurfaceMesh& mesh, const Vector3& origin,
                                     double yaw) const
{
    GltfVertices v;
    v.textured = surface.tile >= 0;
    const SurfaceColour& c = surface.colour;
    const std::uint16_t colour[4] = {linear(c.red), linear(c.green), linear(c.blue), std::uint16_t(c.alpha * 257)};
    const double cosine = std::cos(-yaw), sine = std::sin(-yaw);
    const SurfaceVertex* p = mesh.verticesOf(surface);
    for (std::uint32_t i = 0; i < surface.count; ++i) {
        const double x = p[i].x - origin.x, y = p[i].y - origin.y;
        const std::array<double, 3> at = toGltf(x * cosine - y * sine, x * sine + y * cosine, p[i].z - origin.z);
        v.positions.insert(v.positions.end(), {float(at[0]), float(at[1]), float(at[2])});
        if (v.textured)
            v.texCoords.insert(v.texCoords.end(), {float(p[i].u), float(p[i].v)});
        v.colours.insert(v.colours.end(), colour, colour + 4);
    }
    return v;
}

int LevelExport::addNode(const std::string& name, const std::vector<const Surface*>& surfaces,
                         const SurfaceMesh& mesh, const Vector3& origin, double yaw)
{
    std::map<int, GltfVertices> groups;
    for (const Surface* surface : surfaces) {
        GltfVertices more = verticesOf(*surface, mesh, origin, yaw);
        GltfVertices& v = groups[materialOf(*surface)];
        v.textured = more.textured;
        v.positions.insert(v.positions.end(), more.positions.begin(), more.positions.end());
        v.texCoords.insert(v.texCoords.end(), more.texCoords.begin(), more.texCoords.end());
        v.colours.insert(v.colours.end(), more.colours.begin(), more.colours.end());
    }
    std::string look;
    const bool sprite = surfaces.size() == 1 && surfaces[0]->part == partSprite;
    if (sprite) {
        const GltfVertices& v = groups.begin()->second;
        look = std::to_string(groups.begin()->first) + ":";
        look.append(reinterpret_cast<const char*>(v.positions.data()), v.positions.size() * sizeof(float));
        look.append(reinterpret_cast<const char*>(v.texCoords.data()), v.texCoords.size() * sizeof(float));
        look.append(reinterpret_cast<const char*>(v.colours.data()), v.colours.size() * sizeof(std::uint16_t));
    }
    tinygltf::Node node;
    node.name = name;
    if (auto shared = spriteMeshes_.find(look); sprite && shared != spriteMeshes_.end()) {
        node.mesh = shared->second;
    } else {
        node.mesh = model_.addMesh(name, groups);
        if (sprite)
            spriteMeshes_[look] = node.mesh;
    }
    const int index = model_.addNode(std::move(node));
    model_.model().scenes[0].nodes.push_back(index);
    return index;
}

int LevelExport::materialOf(const Surface& surface)
{
    GltfMaterialKey key;
    key.image = surface.tile >= 0 ? imageOf(surface.tile) : -1;
    key.clamp = surface.part == partSprite;
    key.alpha = surface.kind == DrawKind::masked ? GltfAlpha::mask
                : surface.kind == DrawKind::translucent || surface.kind == DrawKind::mirror ? GltfAlpha::blend
                                                                                           : GltfAlpha::opaque;
    key.doubleSided = surface.part == partSprite && !(world.sprites[std::size_t(surface.index)].flags & spriteOneSided);
    std::string name = key.image >= 0 ? model_.model().images[std::size_t(key.image)].name : "black";
    name += kindName(surface.kind);
    if (key.clamp)
        name += " sprite";
    if (key.doubleSided)
        name += " two-sided";
    return model_.material(key, name);
}

// The tile as walkview's texture holds it; numbers the set lacks show its
// tile 0, and a tile of no size walkview's 1 x 1 grey.
int LevelExport::imageOf(int tile)
{
    const int count = tiles ? tiles->tileCount() : 0;
    const int slot = tile < 0 || tile >= count ? 0 : tile;
    if (const int stored = model_.storedImage(slot); stored >= 0)
        return stored;
    const Tile& record = tiles ? tiles->tile(slot) : Tile();
    std::vector<std::uint8_t> rgba{128, 128, 128, 255};
    int width = 1, height = 1;
    if (record.width > 0 && record.height > 0) {
        try {
            rgba = tiles->pixels(slot);
        } catch (const Vell::Exception& e) {
            const std::string why = "tile " + std::to_string(slot) + " of " + record.artFile.text() + ": " +
                                    (e.message() ? e.message() : "unreadable");
            throw Vell::Exception(why.c_str());
        }
        width = record.width;
        height = record.height;
    }
    return model_.image(slot, "tile " + std::to_string(slot), width, height, rgba);
}

// The sector's walls are the map's firstWall .. firstWall + wallCount - 1;
// their numbers go in lists, one entry per wall in that order.
tinygltf::Value LevelExport::sectorExtras(int s) const
{
    const Sector& r = map.sectors()[std::size_t(s)];
    tinygltf::Value::Array lowTags, highTags, palettes, shades;
    for (int w = r.firstWall; w < r.firstWall + r.wallCount && w < map.wallCount(); ++w) {
        const Wall& wall = map.walls()[std::size_t(w)];
        lowTags.push_back(number(wall.lowTag));
        highTags.push_back(number(wall.highTag));
        palettes.push_back(number(wall.palette));
        shades.push_back(number(wall.shade));
    }
    return tinygltf::Value(tinygltf::Value::Object{
        {"sector", number(s)}, {"lowTag", number(r.lowTag)}, {"highTag", number(r.highTag)},
        {"floorTile", number(r.floorTile)}, {"ceilingTile", number(r.ceilingTile)},
        {"floorPalette", number(r.floorPalette)}, {"floorShade", number(r.floorShade)},
        {"ceilingPalette", number(r.ceilingPalette)}, {"ceilingShade", number(r.ceilingShade)},
        {"fogFactor", number(world.sectors[std::size_t(s)].fogFactor)}, {"firstWall", number(r.firstWall)},
        {"wallCount", number(r.wallCount)}, {"wallLowTags", tinygltf::Value(std::move(lowTags))},
        {"wallHighTags", tinygltf::Value(std::move(highTags))}, {"wallPalettes", tinygltf::Value(std::move(palettes))},
        {"wallShades", tinygltf::Value(std::move(shades))}});
}

tinygltf::Value LevelExport::spriteExtras(int i) const
{
    const Sprite& r = map.sprites()[std::size_t(i)];
    return tinygltf::Value(tinygltf::Value::Object{
        {"sprite", number(i)}, {"sector", number(r.sector)}, {"tile", number(r.tile)},
        {"lowTag", number(r.lowTag)}, {"highTag", number(r.highTag)}, {"palette", number(r.palette)},
        {"shade", number(r.shade)}, {"status", number(int(r.flags))}});
}

} // namespace VellTools
