// UsageCounter: counts the objects attached to another one. An object whose
// counter is not zero refuses destruction with InternalException "server busy".
#pragma once

namespace Vell {

class UsageCounter {
public:
    UsageCounter() = default;
    UsageCounter(const UsageCounter&) : count(0) {}            // attachments are not copied
    UsageCounter& operator=(const UsageCounter&) { return *this; }
    virtual ~UsageCounter() noexcept(false) = default;

    virtual void attach() { ++count; }
    virtual void detach() { --count; }
    int usageCount() const { return count; }

    // Called from the destructor of the class that owns the counter. Throws
    // "server busy" while something is attached, except while another
    // exception is already unwinding the stack (a second throw would end the
    // process).
    void checkUnused() const;

private:
    int count = 0;
};

} // namespace Vell
