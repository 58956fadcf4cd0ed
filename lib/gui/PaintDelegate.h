// PaintDelegate: draws a window's contents with the paint DC. A window
// holds one; replacing it changes what the window paints.
#pragma once

namespace Vell {

class DC;

class PaintDelegate {
public:
    virtual ~PaintDelegate() = default;
    virtual void paint(DC& dc) = 0;
};

} // namespace Vell
