// The library's exception hierarchy. Every exception carries its message
// inline (at most 127 characters, longer texts are cut) and never allocates,
// so it can be thrown when memory is exhausted.
#pragma once

#include "core/Object.h"

namespace Vell {

class Exception : public Object {
public:
    Exception() noexcept { text[0] = 0; }
    explicit Exception(const char* message) noexcept;
    Exception(const Exception& other) noexcept;
    Exception& operator=(const Exception& other) noexcept;
    ~Exception() noexcept override {}

    const char* className() const override { return "Exception"; }
    virtual const char* message() const noexcept { return text; }

private:
    char text[128];
};

#define VELL_EXCEPTION_CLASS(Name, Base)                                  \
    class Name : public Base {                                            \
    public:                                                               \
        Name() noexcept = default;                                        \
        explicit Name(const char* message) noexcept : Base(message) {}    \
        const char* className() const override { return #Name; }          \
    };

// A message that names its subject: "<lead> <subject>", or with a reason
// "<lead> <subject>: <reason>". What does not fit an exception's 127
// characters is cut from the front of the subject, marked "...": the end of
// a path (the file's own name) says the most. Built in place, without
// allocating, like the exceptions that carry it.
class SubjectMessage {
public:
    SubjectMessage(const char* lead, const char* subject, const char* reason = nullptr) noexcept;
    operator const char*() const noexcept { return text; }

private:
    char text[128];
};

VELL_EXCEPTION_CLASS(InternalException, Exception)
VELL_EXCEPTION_CLASS(IOException, Exception)
VELL_EXCEPTION_CLASS(ListException, Exception)
VELL_EXCEPTION_CLASS(ResourceException, Exception)
VELL_EXCEPTION_CLASS(MemoryException, ResourceException)
VELL_EXCEPTION_CLASS(ThreadException, Exception)
VELL_EXCEPTION_CLASS(WindowException, Exception)
VELL_EXCEPTION_CLASS(ScannerException, Exception)

} // namespace Vell
