// ViewerSession: one of the viewers on a map in an offscreen window, driven
// as a user drives it, for the benchmarks that time or weigh the shell.
#pragma once

#include <cstdlib>

#include "core/String.h"
#include "gui/platform/Platform.h"

// A viewer on a map, its first frame presented; keys as the keyboard sends
// them, each followed by the loop until a new frame is presented. With
// settle, the idle handler runs once more after the frame, as between a
// user's keys (where the viewers give a left map's memory back); timings of
// key to frame leave it out.
template <class Application>
class ViewerSession {
public:
    ViewerSession(const char* archive, const char* map, bool settle = true) : settle(settle)
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        for (const char* value : {"viewer", archive, map})
            application.arguments.append(Vell::String(value));
        application.init();
        top = application.mainWindow->handle();
        waitForFrame(0);
    }
    ~ViewerSession() { application.mainWindow->close(true); }

    void key(int virtualKey)
    {
        const int presented = Vell::Platform::presentCount(top);
        Vell::Platform::simulateKey(virtualKey, true);
        Vell::Platform::simulateKey(virtualKey, false);
        waitForFrame(presented);
    }

    void repaint()
    {
        const int presented = Vell::Platform::presentCount(top);
        application.pane()->repaint();
        waitForFrame(presented);
    }

    Application application;

private:
    void waitForFrame(int presented)
    {
        // As the message loop does: the idle handler when nothing is queued.
        Vell::Platform::Message m;
        while (Vell::Platform::presentCount(top) <= presented)
            if (Vell::Platform::peekMessage(m)) {
                Vell::Platform::translateMessage(m);
                Vell::Platform::dispatchMessage(m);
            } else {
                application.onIdle(0);
            }
        if (settle)
            application.onIdle(0);
    }

    bool settle;
    Vell::Platform::Handle top = 0;
};
