// LogDevice: the write-only device behind the log. Every byte goes to
// standard output (while echo is on) and then to each attached target in
// order. Targets are not owned, but each is attached through its usage
// counter, so a target cannot be destroyed while the log still writes to it.
#pragma once

#include "core/List.h"
#include "core/Mutex.h"
#include "core/Stream.h"

namespace Vell {

class LogDevice : public Stream {
public:
    ~LogDevice() noexcept(false) override;

    // Throws InternalException "write-only device".
    std::uint8_t readByte() override;
    void writeByte(std::uint8_t byte) override;
    int write(const void* buffer, int length) override;

    virtual void attachTarget(Stream& target);
    virtual void detachAllTargets();
    // Throws ListException when the stream is not attached.
    virtual void detachTarget(Stream& target);
    virtual void echoOn() { echo = true; }
    virtual void echoOff() { echo = false; }

    bool echoing() const { return echo; }

private:
    bool echo = true;
    List<Stream*> targets;
    // Carried for callers that want to serialise their lines; writing does
    // not take it.
    Mutex mutex;
};

} // namespace Vell
