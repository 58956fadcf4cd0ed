// ViewerWindow: the top-level window of both viewers (and of mapshot's
// hidden stage). Its client area is exactly the view's size; the window
// cannot be resized. Whenever it is activated the view it holds gets the
// keyboard focus, so keys reach the view and not the frame.
#pragma once

#include <cstdint>

#include "core/String.h"
#include "gui/Window.h"

namespace Vell3D {

class ViewerWindow : public Vell::Window {
public:
    // An overlapped window (caption, system menu, minimise and maximise
    // boxes and the thick frame that usually allows sizing: 0x00CF0000) that
    // clips its children (0x02000000). Its minimum and maximum sizes are its
    // size, so nothing can resize it whatever the frame says.
    static constexpr std::uint32_t style = 0x02CF0000;
    static constexpr int viewWidth = 800;
    static constexpr int viewHeight = 600;

    // The outer size is the client size plus the frame the window layer
    // counts around it: 810 x 630 for the viewers' 800 x 600.
    explicit ViewerWindow(const Vell::String& title, int clientWidth = viewWidth, int clientHeight = viewHeight);

    void onActivate() override;

    Vell::Window* view = nullptr;   // a child; not owned
};

} // namespace Vell3D
