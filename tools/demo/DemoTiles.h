// Tile numbers of the demo art, shared by the art generator and the demo maps.
#pragma once

#include "mapdata/MapFlags.h"

namespace VellTools::DemoTiles {

constexpr int checker = 0; // also what any unknown tile number falls back to
constexpr int brick = 1;
constexpr int stone = 2;
constexpr int wood = 3;
constexpr int metal = 4;
constexpr int grass = 5;
constexpr int water = 6;
constexpr int floorPlates = 7;
constexpr int ceilingPanel = 8;
constexpr int grate = 9;        // masked, with transparent holes
constexpr int stainedGlass = 10;
constexpr int marker = 11;      // an asymmetric picture that shows flips
constexpr int darkStone = 12;
constexpr int sand = 13;

// Each sky draws its base tile and the four after it around the horizon.
constexpr int daySky = Vell3D::SpecialTiles::daySky;
constexpr int duskSky = Vell3D::SpecialTiles::duskSky;
constexpr int nightSky = Vell3D::SpecialTiles::nightSky;
constexpr int lastSkyTile = 93;

constexpr int firstFileTiles = 128; // tiles000.art holds 0..127
constexpr int glass = Vell3D::SpecialTiles::mirrorGlass;
constexpr int mirror = Vell3D::SpecialTiles::mirror;
constexpr int lamp = 520;
constexpr int tree = 521;
constexpr int sign = 522;
constexpr int emblem = 523;
constexpr int barrel = 524;
constexpr int ghost = 525;
constexpr int tileCount = 600; // tiles001.art holds 128..599

} // namespace VellTools::DemoTiles
