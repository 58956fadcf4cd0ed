// The reference for what the sector walk must find: every sector of the
// world drawn in a flat colour of its own (depth test on, no textures, no
// fog) from the surfaces the sector renderer draws, so it is the same
// geometry, and with nothing of the walk. Skies are closed (the sector's
// floor or ceiling polygon, and the wall pieces between two skies): what
// shows past a sky is whatever sectors the walk listed, so only the
// pictures drawn with and without narrowing can be compared there, not
// this pass.
#pragma once

#include <cstdint>
#include <vector>

#include "render/Renderer.h"
#include "render/SectorRenderer.h"

namespace RenderTests {

class SectorIdPass : public Vell3D::Renderer {
public:
    // Records one display list per sector; needs the context current.
    explicit SectorIdPass(Vell3D::World& world);
    ~SectorIdPass() noexcept(false) override;

    void beginFrame() override {}
    void renderFrame() override;
    void drawAimHook() override {}
    void drawOverlay() override {}
    void prepare() override {}
    int mirrorCount() const override { return 0; }

    // The sector whose colour each pixel (as OffscreenFrame reads them)
    // shows, -1 where none is drawn.
    static std::vector<int> sectorsAt(const std::vector<std::uint32_t>& pixels);

private:
    void record(int sector);

    Vell3D::WorldSurfaces lidded;   // cut with every sky closed
    unsigned int listBase = 0;
    std::vector<unsigned int> textures;
};

} // namespace RenderTests
