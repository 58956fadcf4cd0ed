// Shape: anything a Node can draw. A shape that also carries a
// Vell::UsageCounter is attached to by every node that shows it, so it
// refuses destruction while still in a scene.
#pragma once

namespace Vell3D {

class Shape {
public:
    virtual ~Shape() noexcept(false) {}
    // Draws in the node's frame with the node's material already applied.
    virtual void draw() = 0;
};

} // namespace Vell3D
