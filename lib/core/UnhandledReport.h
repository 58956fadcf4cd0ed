// How the programs end: the report of an exception that ends one, written
// to the log, the guard that program entry points run their body under,
// and the usage text of a wrong command line.
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

// The exit status of a program given a wrong command line.
constexpr int usageStatus = 2;
// Writes the usage text to the console and returns usageStatus.
int printUsage(const char* text);

} // namespace Vell
