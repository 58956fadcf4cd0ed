// GUIApplication: an application with windows. run calls the program's
// init and then runs the message loop until the quit message arrives.
#pragma once

#include "core/List.h"
#include "gui/Application.h"
#include "gui/CommandListener.h"
#include "gui/Listener.h"

#include <cstdint>

namespace Vell {

class Window;

class GUIApplication : public Application {
public:
    GUIApplication() = default;

    const char* className() const override { return "GUIApplication"; }

    int run() override;
    virtual bool init() = 0;
    // Gives up the time slice; returning true asks to be called again.
    virtual bool onIdle(int count);
    // Closes the main window and posts the quit message (exit code 0).
    virtual void quit();
    virtual void onCommand(int) {}
    virtual void onStart() {}

    // Polls until the quit message and returns its exit code.
    int messageLoop();

    Window* mainWindow = nullptr;
    // How long the loop may wait for input when the queue is empty and the
    // idle handler has nothing more to do, so an idle program does not keep
    // a processor busy. 0 polls without pause.
    int idleWaitMilliseconds = 2;
};

// Process-wide listener lists (not owning their elements).
List<Listener*>& startListeners();
List<CommandListener*>& commandListeners();

// Tells the application and every command listener that a UI element fired.
void notifyCommand(int identifier);

} // namespace Vell
