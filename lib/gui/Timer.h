// Timer: an object the message loop calls when a timer message with its
// identifier arrives. Timers are found in a process-wide registry by
// identifier; a message for an identifier nobody registered raises
// ListException from the registry.
#pragma once

#include "core/List.h"
#include "core/Object.h"

#include <cstdint>

namespace Vell {

class Timer : public Object {
public:
    explicit Timer(int identifier);
    ~Timer() noexcept(false) override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const char* className() const override { return "Timer"; }

    virtual void timer() = 0;
    // Asks for a timer message every interval milliseconds.
    void start(int milliseconds);
    void stop();
    int getIdentifier() const { return identifier; }

    // Calls the timer registered under the identifier.
    static void dispatch(std::uint64_t identifier);
    static List<Timer*>& registry();

private:
    int identifier;
};

} // namespace Vell
