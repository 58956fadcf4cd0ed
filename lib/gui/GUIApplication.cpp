#include "gui/GUIApplication.h"

#include "gui/Timer.h"
#include "gui/Window.h"
#include "gui/platform/Platform.h"

namespace Vell {

using namespace Platform;

List<Listener*>& startListeners()
{
    static List<Listener*> listeners;
    return listeners;
}

List<CommandListener*>& commandListeners()
{
    static List<CommandListener*> listeners;
    return listeners;
}

void notifyCommand(int identifier)
{
    if (auto* app = dynamic_cast<GUIApplication*>(theApplication))
        app->onCommand(identifier);
    List<CommandListener*>& list = commandListeners();
    for (auto* node = list.headNode(); node;)
        list.nextNode(node)->notify(identifier);
}

int GUIApplication::run()
{
    if (!init())
        return 0;
    onStart();
    List<Listener*>& list = startListeners();
    for (auto* node = list.headNode(); node;)
        list.nextNode(node)->notify();
    return messageLoop();
}

int GUIApplication::messageLoop()
{
    for (;;) {
        Message message;
        while (peekMessage(message)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(static_cast<std::int64_t>(message.wParam));
            if (message.message == WM_TIMER) {
                Timer::dispatch(message.wParam);
                continue;
            }
            translateMessage(message);
            dispatchMessage(message);
        }
        int count = 0;
        while (onIdle(count))
            ++count;
        if (idleWaitMilliseconds > 0)
            waitMessage(idleWaitMilliseconds);
    }
}

bool GUIApplication::onIdle(int)
{
    yield();
    return false;
}

void GUIApplication::quit()
{
    if (mainWindow)
        mainWindow->close(false);
    postQuitMessage(0);
}

} // namespace Vell
