#include "core/UnhandledReport.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdio>

#include "core/Console.h"

namespace Vell {

void reportUnhandledException(const Exception& exception)
{
    log() << "unhandled exception: " << exception.className() << "\n"
          << "[exception message: " << exception.message() << " ]\n";
}

void reportUnknownException()
{
    log() << "unhandled exception: unknown\n";
}

namespace {

// A log target that fails while the report is written must not turn the
// exit status of a failed program into a crash.
template <typename Report>
void reportQuietly(Report report)
{
    try {
        report();
    } catch (...) {
    }
}

} // namespace

// Cancellation unwinds with an exception that has no object, which the
// undefined-behaviour checker would take for a null reference when caught.
__attribute__((no_sanitize("undefined")))
int runGuarded(const std::function<int()>& body)
{
    try {
        return body();
    } catch (abi::__forced_unwind&) {
        throw;   // thread cancellation must finish unwinding
    } catch (const Exception& exception) {
        reportQuietly([&] { reportUnhandledException(exception); });
    } catch (...) {
        reportQuietly(reportUnknownException);
    }
    return 1;
}

int printUsage(const char* text)
{
    std::fflush(stdout);
    std::fputs(text, stderr);
    return usageStatus;
}

int printHelp(const char* text)
{
    console() << text;
    return 0;
}

std::optional<int> answerOptions(int argc, char** argv, const char* usage,
                                 std::initializer_list<std::string_view> ownOptions,
                                 std::initializer_list<std::string_view> valueOptions)
{
    const auto isOption = [](std::string_view argument) { return argument.size() > 1 && argument[0] == '-'; };
    const auto among = [](std::initializer_list<std::string_view> options, std::string_view argument) {
        return std::find(options.begin(), options.end(), argument) != options.end();
    };
    bool unknown = false;
    bool value = false;   // the argument is the value of the option before it
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help")
            return printHelp(usage);
        unknown = unknown || (!value && isOption(argument) && !among(ownOptions, argument) &&
                              !among(valueOptions, argument));
        value = !value && among(valueOptions, argument);
    }
    if (unknown)
        return printUsage(usage);
    return std::nullopt;
}

} // namespace Vell
