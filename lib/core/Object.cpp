#include "core/Object.h"

#include <cstdio>
#include <cstring>
#include <exception>

#include "core/Exception.h"
#include "core/UsageCounter.h"

namespace Vell {

void Object::writeObject(Stream&) const
{
    throw InternalException("this object don't support serialization");
}

void Object::readObject(Stream&)
{
    throw InternalException("this object don't support serialization");
}

Exception::Exception(const char* message) noexcept
{
    if (!message)
        message = "";
    std::strncpy(text, message, sizeof text - 1);
    text[sizeof text - 1] = 0;
}

SubjectMessage::SubjectMessage(const char* lead, const char* subject, const char* reason) noexcept
{
    lead = lead ? lead : "";
    subject = subject ? subject : "";
    const char* separator = reason ? ": " : "";
    reason = reason ? reason : "";
    const char* cut = "";
    const std::size_t room = sizeof text - 1;
    const std::size_t fixed = std::strlen(lead) + 1 + std::strlen(separator) + std::strlen(reason) + 3;
    const std::size_t subjectLength = std::strlen(subject);
    if (fixed - 3 + subjectLength > room && fixed < room) {
        cut = "...";
        subject += subjectLength - (room - fixed);
    }
    std::snprintf(text, sizeof text, "%s %s%s%s%s", lead, cut, subject, separator, reason);
}

Exception::Exception(const Exception& other) noexcept : Object(other)
{
    std::memcpy(text, other.text, sizeof text);
}

Exception& Exception::operator=(const Exception& other) noexcept
{
    std::memcpy(text, other.text, sizeof text);
    return *this;
}

void UsageCounter::checkUnused() const
{
    if (attached != 0 && std::uncaught_exceptions() == 0)
        throw InternalException("server busy");
}

} // namespace Vell
