// How the programs end: the report of an exception that ends one, written
// to the log, the guard that program entry points run their body under,
// and the usage text, asked for or for a wrong command line.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>

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
// Writes the usage text to standard error and returns usageStatus.
int printUsage(const char* text);
// Writes the usage text to standard output, where it was asked for, and
// returns 0.
int printHelp(const char* text);

// The options every program answers the same way, before it looks at its
// arguments: "--help" anywhere prints the usage text (printHelp), and any
// other argument that starts with "-" (but "-" alone) and is not among the
// program's own options is a wrong command line (printUsage). Returns the
// exit status then, and nothing when the arguments are the program's to
// read. Files whose names start with "-" are reached as "./-name".
// Options among valueOptions take the argument after them as their value,
// which is not read as an option even when it starts with "-" (a number
// may be negative).
std::optional<int> answerOptions(int argc, char** argv, const char* usage,
                                 std::initializer_list<std::string_view> ownOptions = {},
                                 std::initializer_list<std::string_view> valueOptions = {});

} // namespace Vell
