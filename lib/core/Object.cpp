#include "core/Object.h"

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
