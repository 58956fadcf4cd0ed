// An offscreen target of any size (colour, depth and stencil) in the shared
// test context, so whole frames can be drawn at the view's 800 x 600 and
// read back. The framebuffer entry points come from the platform layer.
#pragma once

#include <cstdint>
#include <vector>

namespace RenderTests {

class OffscreenFrame {
public:
    OffscreenFrame(int width, int height);
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    // Whether the GL gave a complete framebuffer; drawing goes to it
    // from construction until destruction.
    bool ok() const { return complete; }
    // Every pixel, bottom row first, as 0xAABBGGRR.
    std::vector<std::uint32_t> pixels() const;

    const int width;
    const int height;

private:
    unsigned int framebuffer = 0;
    unsigned int buffers[2] = {};
    bool complete = false;
};

} // namespace RenderTests
