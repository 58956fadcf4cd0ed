// The demo's sky, glass, mirror and sprite pictures.
#include <cmath>

#include "tools/demo/DemoArt.h"
#include "tools/demo/DemoTiles.h"
#include "tools/demo/TileCanvas.h"

namespace VellTools {

namespace {

using namespace DemoTiles;

struct SkyStyle {
    Ramp top;
    Ramp bottom;
    Ramp hills;
    int hillLevel;
    bool stars;
};

// Row 0 is the top of the sky; the horizon sits in the middle of the tile,
// where the sky cylinder meets the viewer's eye height.
void drawSky(TileCanvas& c, const SkyStyle& style, int number)
{
    const int horizon = c.height() / 2;
    for (int x = 0; x < c.width(); ++x) {
        double phase = (number * c.width() + x) * 2 * M_PI / (c.width() * 2.5);
        int hill = horizon - 6 - static_cast<int>(8 + 7 * std::sin(phase) + 3 * std::sin(phase * 3.7));
        for (int y = 0; y < c.height(); ++y) {
            int color;
            if (y < hill) {
                int level = 4 + 11 * y / horizon;
                color = colorIndex(y < horizon / 2 ? style.top : style.bottom, level);
                if (style.stars && grain(x, y, number) > 252)
                    color = colorIndex(Ramp::grey, 15);
                else if (!style.stars && y > 10 && y < 36 && grain(x / 6, y / 3, number) > 200)
                    color = colorIndex(Ramp::grey, 14);
            } else {
                color = colorIndex(style.hills, y < horizon + 4 ? style.hillLevel : style.hillLevel - 2);
            }
            c.set(x, y, color);
        }
    }
}

void drawDisc(TileCanvas& c, int cx, int cy, int r, int color)
{
    for (int x = cx - r; x <= cx + r; ++x)
        for (int y = cy - r; y <= cy + r; ++y)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                c.set(x, y, color);
}

ArtTile lampPicture()
{
    TileCanvas c(32, 64);
    c.fillRect(14, 16, 18, 64, colorIndex(Ramp::metal, 7));
    c.fillRect(10, 60, 22, 64, colorIndex(Ramp::metal, 5));
    drawDisc(c, 16, 9, 8, colorIndex(Ramp::sand, 15));
    drawDisc(c, 16, 9, 4, colorIndex(Ramp::warm, 15));
    return c.take();
}

ArtTile treePicture()
{
    TileCanvas c(64, 128);
    c.fillRect(28, 64, 36, 128, colorIndex(Ramp::wood, 6));
    drawDisc(c, 32, 40, 26, colorIndex(Ramp::leaf, 9));
    drawDisc(c, 24, 52, 14, colorIndex(Ramp::grass, 8));
    drawDisc(c, 40, 30, 12, colorIndex(Ramp::grass, 11));
    return c.take();
}

// A board with an arrow pointing right: a flipped sign points left.
ArtTile signPicture()
{
    TileCanvas c(64, 32);
    c.fillRect(0, 2, 64, 30, colorIndex(Ramp::wood, 9));
    c.fillRect(8, 13, 40, 19, colorIndex(Ramp::red, 12));
    for (int i = 0; i < 12; ++i)
        c.fillRect(40 + i, 4 + i, 41 + i, 28 - i, colorIndex(Ramp::red, 12));
    c.fillRect(2, 2, 6, 10, colorIndex(Ramp::sand, 14)); // a corner mark shows vertical flips
    return c.take();
}

ArtTile emblemPicture()
{
    TileCanvas c(64, 64);
    drawDisc(c, 32, 32, 30, colorIndex(Ramp::purple, 8));
    drawDisc(c, 32, 32, 24, colorIndex(Ramp::sand, 13));
    c.fillRect(29, 14, 35, 50, colorIndex(Ramp::red, 10));
    for (int i = 0; i < 10; ++i)
        c.fillRect(22 + i, 14 + i, 42 - i, 15 + i, colorIndex(Ramp::red, 10));
    return c.take();
}

ArtTile barrelPicture()
{
    TileCanvas c(32, 48);
    for (int x = 2; x < 30; ++x) {
        int level = 5 + 8 * (15 - std::abs(x - 16)) / 15;
        for (int y = 0; y < 48; ++y)
            c.set(x, y, (y % 16 < 2) ? colorIndex(Ramp::metal, level) : colorIndex(Ramp::wood, level));
    }
    return c.take();
}

ArtTile ghostPicture()
{
    TileCanvas c(32, 64);
    drawDisc(c, 16, 16, 14, colorIndex(Ramp::grey, 15));
    c.fillRect(2, 16, 30, 56, colorIndex(Ramp::grey, 15));
    for (int x = 2; x < 30; ++x)
        for (int y = 56; y < 56 + (x / 4 % 2) * 6; ++y)
            c.set(x, y, colorIndex(Ramp::grey, 15));
    drawDisc(c, 11, 16, 3, colorIndex(Ramp::grey, 0));
    drawDisc(c, 21, 16, 3, colorIndex(Ramp::grey, 0));
    return c.take();
}

} // namespace

ArtTile skyTile(int number)
{
    TileCanvas c(128, 128);
    if (number >= nightSky) {
        drawSky(c, {Ramp::sky, Ramp::purple, Ramp::leaf, 3, true}, number);
        if (number == nightSky)
            drawDisc(c, 90, 24, 10, colorIndex(Ramp::warm, 14));
    } else if (number >= duskSky) {
        drawSky(c, {Ramp::purple, Ramp::orange, Ramp::stone, 4, false}, number);
    } else {
        drawSky(c, {Ramp::sky, Ramp::sky, Ramp::leaf, 8, false}, number);
    }
    return c.take();
}

ArtTile glassPicture()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            bool streak = (x + y) % 32 < 3 || (x + y + 9) % 32 < 1;
            c.set(x, y, colorIndex(streak ? Ramp::grey : Ramp::cyan, streak ? 15 : 12));
        }
    return c.take();
}

ArtTile mirrorPicture()
{
    TileCanvas c(64, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            c.set(x, y, colorIndex(Ramp::metal, 11 + (x + 2 * y) % 64 / 16));
    return c.take();
}

ArtTile spriteTile(int number)
{
    switch (number) {
    case lamp: return lampPicture();
    case tree: return treePicture();
    case sign: return signPicture();
    case emblem: return emblemPicture();
    case barrel: return barrelPicture();
    default: return ghostPicture();
    }
}

} // namespace VellTools
