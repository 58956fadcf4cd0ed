#include "gui/Timer.h"

#include "gui/platform/Platform.h"

namespace Vell {

Timer::Timer(int identifier) : identifier(identifier) { registry().append(this); }

Timer::~Timer() noexcept(false)
{
    stop();
    List<Timer*>& list = registry();
    for (auto* node = list.headNode(); node; node = node->next)
        if (list.valueAt(node) == this) {
            list.remove(node);
            break;
        }
}

List<Timer*>& Timer::registry()
{
    static List<Timer*> timers;
    return timers;
}

void Timer::start(int milliseconds) { Platform::setTimer(Platform::noWindow, identifier, milliseconds); }
void Timer::stop() { Platform::killTimer(Platform::noWindow, identifier); }

void Timer::dispatch(std::uint64_t identifier)
{
    List<Timer*>& list = registry();
    auto* node = list.headNode();
    while (node && static_cast<std::uint64_t>(list.valueAt(node)->identifier) != identifier)
        node = node->next;
    // A missing node is refused by the list itself (ListException).
    list.valueAt(node)->timer();
}

} // namespace Vell
