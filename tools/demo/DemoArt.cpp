#include "tools/demo/DemoArt.h"

#include <cmath>

#include "core/Exception.h"
#include "tools/demo/DemoTiles.h"
#include "tools/demo/TileCanvas.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

ArtTile checkerTile()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            c.set(x, y, ((x / 8 + y / 8) & 1) ? colorIndex(Ramp::pink, 12) : colorIndex(Ramp::grey, 3));
    return c.take();
}

ArtTile brickTile()
{
    TileCanvas c(64, 64);
    for (int y = 0; y < 64; ++y) {
        int row = y / 16;
        for (int x = 0; x < 64; ++x) {
            int bx = x + (row & 1) * 16;
            bool mortar = y % 16 == 15 || bx % 32 == 31;
            int brickShade = 8 + grain(bx / 32, row, 3) % 4;
            c.set(x, y, mortar ? colorIndex(Ramp::grey, 9) : colorIndex(Ramp::brick, brickShade + grain(x, y, 1) % 3 - 1));
        }
    }
    return c.take();
}

ArtTile stoneTile(Ramp ramp, int base, int seed)
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            int row = y / 21;
            int bx = x + row * 11;
            bool joint = y % 21 == 20 || y == 63 || bx % 24 == 23;
            int block = grain(bx / 24, row, seed) % 3;
            c.set(x, y, colorIndex(ramp, joint ? base - 5 : base + block + grain(x, y, seed) % 3 - 1));
        }
    }
    return c.take();
}

ArtTile woodTile()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x) {
        int plank = x / 16;
        for (int y = 0; y < 64; ++y) {
            double ring = std::sin((y + plank * 23) * 0.3 + std::sin(x * 0.7) * 1.5);
            int level = 8 + static_cast<int>(ring * 2.0) + grain(plank, 0, 5) % 3;
            bool seam = x % 16 == 0 || (y + plank * 19) % 64 == 0;
            c.set(x, y, colorIndex(Ramp::wood, seam ? 3 : level));
        }
    }
    return c.take();
}

ArtTile metalTile()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            int level = 9 + (x + y) % 7 / 3;
            if (x % 32 == 0 || y % 32 == 0)
                level = 5;
            else if (x % 32 == 1 || y % 32 == 1)
                level = 13;
            int rx = x % 32, ry = y % 32;
            bool rivet = (rx == 4 || rx == 28) && (ry == 4 || ry == 28);
            c.set(x, y, colorIndex(Ramp::metal, rivet ? 15 : level));
        }
    }
    return c.take();
}

ArtTile grassTile()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            int g = grain(x, y, 7);
            c.set(x, y, g > 240 ? colorIndex(Ramp::sand, 12) : colorIndex(Ramp::grass, 6 + g % 6));
        }
    return c.take();
}

ArtTile waterTile()
{
    TileCanvas c(64, 64);
    const double k = 2 * M_PI / 64;
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            double wave = std::sin(x * k * 2 + std::sin(y * k * 3) * 1.2) + std::sin(y * k * 4 + x * k);
            c.set(x, y, colorIndex(Ramp::water, 9 + static_cast<int>(std::lround(wave * 2.5))));
        }
    return c.take();
}

ArtTile plateTile(Ramp a, Ramp b)
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            bool edge = x % 32 == 0 || y % 32 == 0;
            Ramp r = ((x / 32 + y / 32) & 1) ? a : b;
            c.set(x, y, edge ? colorIndex(Ramp::grey, 2) : colorIndex(r, 10 + grain(x, y, 11) % 2));
        }
    return c.take();
}

ArtTile grateTile()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            bool bar = x % 16 < 3 || y % 16 < 3;
            if (bar)
                c.set(x, y, colorIndex(Ramp::metal, (x % 16 == 1 || y % 16 == 1) ? 13 : 8));
        }
    return c.take();
}

ArtTile stainedGlassTile()
{
    TileCanvas c(64, 64);
    const Ramp panes[4] = {Ramp::red, Ramp::sky, Ramp::sand, Ramp::leaf};
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            bool lead = x % 32 < 2 || y % 32 < 2 || (x + y) % 32 == 0;
            int pane = ((x / 32) + 2 * (y / 32) + ((x % 32) > (y % 32) ? 1 : 0)) % 4;
            c.set(x, y, lead ? colorIndex(Ramp::grey, 1) : colorIndex(panes[pane], 11));
        }
    return c.take();
}

// A capital F with an arrow under it: any flip of the picture shows.
ArtTile markerTile()
{
    TileCanvas c(64, 64, colorIndex(Ramp::sand, 12));
    c.fillRect(12, 8, 20, 44, colorIndex(Ramp::purple, 4));
    c.fillRect(20, 8, 44, 16, colorIndex(Ramp::purple, 4));
    c.fillRect(20, 22, 36, 30, colorIndex(Ramp::purple, 4));
    c.fillRect(8, 52, 48, 56, colorIndex(Ramp::red, 10));
    for (int i = 0; i < 8; ++i)
        c.fillRect(48 + i, 46 + i, 49 + i, 62 - i, colorIndex(Ramp::red, 10));
    return c.take();
}

// Small filler pictures for the numbers that no map uses, so that every
// number up to the last tile is a real picture.
ArtTile fillerTile(int number)
{
    TileCanvas c(16, 16);
    Ramp ramp = static_cast<Ramp>(number % 15);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            c.set(x, y, colorIndex(ramp, ((x / 4 + y / 4) & 1) ? 11 : 6));
    return c.take();
}

} // namespace

ArtTile demoTile(int number)
{
    switch (number) {
    case checker: return checkerTile();
    case brick: return brickTile();
    case stone: return stoneTile(Ramp::stone, 9, 2);
    case wood: return woodTile();
    case metal: return metalTile();
    case grass: return grassTile();
    case water: return waterTile();
    case floorPlates: return plateTile(Ramp::warm, Ramp::stone);
    case ceilingPanel: return plateTile(Ramp::grey, Ramp::grey);
    case grate: return grateTile();
    case stainedGlass: return stainedGlassTile();
    case marker: return markerTile();
    case darkStone: return stoneTile(Ramp::stone, 6, 9);
    case sand: return stoneTile(Ramp::sand, 10, 4);
    case glass: return glassPicture();
    case mirror: return mirrorPicture();
    default: break;
    }
    if (number >= daySky && number <= lastSkyTile)
        return skyTile(number);
    if (number >= lamp && number <= ghost)
        return spriteTile(number);
    return fillerTile(number);
}

Bytes demoArtFile(int fileNumber)
{
    if (fileNumber < 0 || fileNumber > 1)
        throw Vell::Exception("no such demo art file");
    int first = fileNumber == 0 ? 0 : firstFileTiles;
    int end = fileNumber == 0 ? firstFileTiles : tileCount;
    ArtWriter art(first);
    for (int number = first; number < end; ++number)
        art.add(demoTile(number));
    return art.bytes();
}

} // namespace VellTools
