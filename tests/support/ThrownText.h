// What an action throws, as text a test can compare: the library
// exception's message, or its class name and message as the unhandled
// report writes them, or the given text when nothing is thrown.
#pragma once

#include <functional>
#include <string>

#include "core/Exception.h"

namespace TestSupport {

inline std::string thrownMessage(const std::function<void()>& action, const char* none = "no exception")
{
    try {
        action();
    } catch (Vell::Exception& e) {
        return e.message();
    }
    return none;
}

inline std::string thrownReport(const std::function<void()>& action, const char* none = "no exception")
{
    try {
        action();
    } catch (Vell::Exception& e) {
        return std::string(e.className()) + ": " + e.message();
    }
    return none;
}

} // namespace TestSupport
