#include "core/UnhandledReport.h"

#include <cxxabi.h>

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
    console() << text;
    return usageStatus;
}

} // namespace Vell
