#include "MapFeatures.h"

namespace VellTools {

namespace {

bool has(std::uint16_t flags, std::uint16_t bits) { return (flags & bits) == bits; }

// The feature named for each of the bits that the status word has.
struct NamedBits {
    std::uint16_t bits;
    std::string name;
};

void insertNamed(std::set<std::string>& out, std::uint16_t flags, std::initializer_list<NamedBits> names)
{
    for (const NamedBits& named : names)
        if (has(flags, named.bits))
            out.insert(named.name);
}

void surfaceFeatures(std::set<std::string>& out, const char* name, std::uint16_t flags, std::int16_t slope,
                     std::uint8_t panX, std::uint8_t panY)
{
    std::string n = name;
    if (has(flags, SurfaceBits::sloped) && slope != 0)
        out.insert("sloped " + n);
    insertNamed(out, flags,
                {{SurfaceBits::sky, "sky " + n},
                 {SurfaceBits::alignToWall, n + " aligned to first wall"},
                 {SurfaceBits::swapped, n + " swapped"},
                 {SurfaceBits::doubleSize, n + " double size"},
                 {SurfaceBits::flipX, n + " flipped x"},
                 {SurfaceBits::flipY, n + " flipped y"}});
    if (panX != 0 || panY != 0)
        out.insert(n + " panning");
}

void sectorFeatures(std::set<std::string>& out, const MapContent& map)
{
    std::set<int> visibilities;
    for (const Sector& s : map.sectors) {
        surfaceFeatures(out, "floor", s.floorFlags, s.floorSlope, s.floorPanX, s.floorPanY);
        surfaceFeatures(out, "ceiling", s.ceilingFlags, s.ceilingSlope, s.ceilingPanX, s.ceilingPanY);
        if (has(s.floorFlags, SurfaceBits::sky) && has(s.ceilingFlags, SurfaceBits::sky))
            out.insert("sky floor and ceiling");
        if (has(s.ceilingFlags, SurfaceBits::sky))
            out.insert("sky tile " + std::to_string(s.ceilingTile));
        if (s.floorShade != 0 || s.ceilingShade != 0)
            out.insert("shade");
        if (s.floorPalette != 0 || s.ceilingPalette != 0)
            out.insert("tinted surface");
        visibilities.insert(s.visibility);
        int loops = 0;
        for (int w = s.firstWall; w < s.firstWall + s.wallCount; ++w)
            if (map.walls[w].nextPoint < w)
                ++loops;
        if (loops > 1)
            out.insert("pillar");
    }
    if (visibilities.size() >= 3)
        out.insert("several visibilities");
}

void mirrorFeatures(std::set<std::string>& out, const MapContent& map)
{
    std::vector<std::size_t> mirrors;
    for (std::size_t w = 0; w < map.walls.size(); ++w)
        if (Vell3D::isMirror(map.walls[w]))
            mirrors.push_back(w);
    for (std::size_t a = 0; a < mirrors.size(); ++a) {
        for (std::size_t b = a + 1; b < mirrors.size(); ++b) {
            const Wall& wa = map.walls[mirrors[a]];
            const Wall& wb = map.walls[mirrors[b]];
            const Wall& ea = map.walls[wa.nextPoint];
            const Wall& eb = map.walls[wb.nextPoint];
            long long ax = ea.x - wa.x, ay = ea.y - wa.y, bx = eb.x - wb.x, by = eb.y - wb.y;
            // Parallel walls running opposite ways face each other across
            // their sector, since each sector lies on its walls' inner side.
            if (ax * by - ay * bx == 0 && ax * bx + ay * by < 0)
                out.insert("facing mirrors");
        }
    }
}

void wallFeatures(std::set<std::string>& out, const MapContent& map)
{
    for (std::size_t i = 0; i < map.walls.size(); ++i) {
        const Wall& w = map.walls[i];
        bool opening = w.otherSector != -1;
        if (opening) {
            out.insert("opening");
            if (map.sectors[w.otherSector].floorZ != map.sectors[map.walls[w.otherWall].otherSector].floorZ)
                out.insert("floor step");
        }
        if (Vell3D::isMirror(w))
            out.insert("mirror");
        if (opening && has(w.flags, WallBits::masked)) {
            out.insert("masked wall");
            if (has(w.flags, WallBits::translucent))
                out.insert(has(w.flags, WallBits::moreTranslucent) ? "more translucent masked wall"
                                                                   : "translucent masked wall");
        }
        if (opening && has(w.flags, WallBits::swapBottoms))
            out.insert("swapped bottoms");
        insertNamed(out, w.flags,
                    {{WallBits::bottomAligned, "bottom-aligned wall"},
                     {WallBits::flipX, "wall flipped x"},
                     {WallBits::flipY, "wall flipped y"}});
        if (w.panX != 0 || w.panY != 0)
            out.insert("wall panning");
    }
}

void spriteFeatures(std::set<std::string>& out, const MapContent& map)
{
    // By SpriteKind; a sprite of no known kind adds no feature.
    static const char* kinds[] = {nullptr, "face sprite", "wall sprite", "floor sprite"};
    for (const Sprite& s : map.sprites) {
        if (const char* kind = kinds[Vell3D::spriteKind(s.flags)])
            out.insert(kind);
        insertNamed(out, s.flags,
                    {{SpriteBits::centred, "centred sprite"},
                     {SpriteBits::flipX, "sprite flipped x"},
                     {SpriteBits::flipY, "sprite flipped y"},
                     {SpriteBits::oneSided, "one-sided sprite"},
                     {SpriteBits::invisible, "invisible sprite"}});
        if (has(s.flags, SpriteBits::translucent))
            out.insert(has(s.flags, SpriteBits::moreTranslucent) ? "more translucent sprite" : "translucent sprite");
    }
}

} // namespace

std::set<std::string> mapFeatures(const MapContent& map)
{
    // Expects a map that passed MapValidator: indices are used unchecked.
    std::set<std::string> out;
    sectorFeatures(out, map);
    wallFeatures(out, map);
    mirrorFeatures(out, map);
    spriteFeatures(out, map);
    return out;
}

const std::vector<std::string>& allFeatures()
{
    static const std::vector<std::string> list = {
        "opening", "floor step", "pillar", "sloped floor", "sloped ceiling", "sky ceiling",
        "sky floor and ceiling", "sky tile 80", "sky tile 84", "sky tile 89", "mirror", "facing mirrors",
        "masked wall", "translucent masked wall", "more translucent masked wall", "swapped bottoms",
        "bottom-aligned wall", "wall flipped x", "wall flipped y", "wall panning",
        "floor aligned to first wall", "ceiling aligned to first wall", "floor swapped", "ceiling swapped",
        "floor flipped x", "floor flipped y", "ceiling flipped x", "ceiling flipped y", "floor double size",
        "floor panning", "ceiling panning", "several visibilities", "shade", "tinted surface", "face sprite",
        "wall sprite", "floor sprite", "centred sprite", "sprite flipped x", "sprite flipped y",
        "one-sided sprite", "translucent sprite", "more translucent sprite", "invisible sprite"};
    return list;
}

} // namespace VellTools
