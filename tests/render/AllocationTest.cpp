// A frame allocates nothing once its arrays have grown: the transparent
// items, the mirror levels and their visible lists are kept from frame to
// frame. Counted through the global allocation function of this program.
#include <cstdlib>
#include <new>

#include "RenderScene.h"

namespace {
bool counting = false;
int allocations = 0;
} // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using namespace RenderTests;

class Allocation : public RenderTest {};

TEST_F(Allocation, SteadyFramesAllocateNothing)
{
    // Two facing mirrors 32 levels deep, sprites and a translucent wall.
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 4096, 2048), mapZ(0), mapZ(1024));
    b.addSector(box(4096, 0, 4608, 2048), mapZ(0), mapZ(1024));
    b.addSector(box(-512, 0, 0, 2048), mapZ(0), mapZ(1024));
    for (VellTools::MapPoint p : {VellTools::MapPoint{4096, 0}, VellTools::MapPoint{0, 2048}}) {
        b.wallFrom(0, p.x, p.y).flags = WallBits::oneWay;
        b.wallFrom(0, p.x, p.y).overTile = SpecialTiles::mirror;
    }
    for (int k = 0; k < 8; ++k)
        b.addSprite(0, 1000 + 300 * k, 700 + 50 * k, mapZ(0), std::int16_t(k % tileCount), std::uint16_t(k % 2 ? 0 : SpriteBits::wallKind));
    b.setStart(3072, 1024, 0, 0, 0);
    SolidScene solid(b.build());
    Scene& scene = solid.scene;
    scene.frame();
    scene.frame();
    ASSERT_EQ(scene.sectors.mirrorCount(), 32);
    allocations = 0;
    counting = true;
    scene.frame();
    counting = false;
    EXPECT_EQ(allocations, 0);
}
