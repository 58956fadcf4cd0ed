// UsageCounter: counts the objects attached to another one. An object whose
// counter is not zero refuses destruction with InternalException "server busy".
#pragma once

namespace Vell {

class UsageCounter {
public:
    UsageCounter() = default;
    UsageCounter(const UsageCounter&) : attached(0) {}            // attachments are not copied
    UsageCounter& operator=(const UsageCounter&) { return *this; }
    virtual ~UsageCounter() noexcept(false) = default;

    virtual void attach() { ++attached; }
    virtual void detach() { --attached; }
    int usageCount() const { return attached; }

    // Called from the destructor of the class that owns the counter. Throws
    // "server busy" while something is attached, except while another
    // exception is already unwinding the stack (a second throw would end the
    // process).
    void checkUnused() const;

private:
    int attached = 0;
};

} // namespace Vell
