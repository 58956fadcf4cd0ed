// Reports of exceptions that end a program, written to the log, and the
// guard that program entry points run their body under.
#pragma once

#include <functional>

#include "core/Exception.h"

namespace Vell {

// "unhandled exception: <class>\n[exception message: <message> ]\n"
void reportUnhandledException(const Exception& exception);
// "unhandled exception: unknown\n"
void reportUnknownException();

// Returns body's result; when an exception escapes it is reported and the
// result is 1, the exit status of a program ended by an unhandled exception.
int runGuarded(const std::function<int()>& body);

} // namespace Vell
