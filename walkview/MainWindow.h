// MainWindow: the viewer's top-level window, fixed at 810 x 630 outer
// pixels so that the 800 x 600 view fills its client area. Whoever wants to
// hear that the window became active (to give the view the keyboard focus)
// adds a listener to activateListeners; the window owns those listeners.
#pragma once

#include "core/List.h"
#include "core/String.h"
#include "gui/Listener.h"
#include "gui/Window.h"

namespace Vell3D {

class MainWindow : public Vell::Window {
public:
    static constexpr std::uint32_t mainWindowStyle = 0x02CF0000;  // overlapped, sizing border, clips children
    static constexpr int outerWidth = 810;
    static constexpr int outerHeight = 630;

    explicit MainWindow(const Vell::String& title);
    ~MainWindow() noexcept(false) override;

    void onActivate() override;

    Vell::List<Vell::Listener*> activateListeners;   // owned
};

} // namespace Vell3D
