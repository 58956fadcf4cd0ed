#include "gui/Application.h"

#include "core/Console.h"
#include "core/UnhandledReport.h"

namespace Vell {

Application* theApplication = nullptr;

Application::Application()
{
    theApplication = this;
    // The object stands for the main thread, so isRunning is true and
    // start refuses.
    attachCurrentThread();
}

Application::~Application() noexcept(false)
{
    arguments.clear();
    // The main thread must outlive its object: let go without acting on it.
    releaseThread();
    if (theApplication == this)
        theApplication = nullptr;
}

int runApplication(int argc, char** argv)
{
    return runGuarded([argc, argv]() {
        if (!theApplication)
            throw InternalException("no application object");
        for (int i = 0; i < argc; ++i)
            theApplication->arguments.append(String(argv[i]));
        // run's result is not the exit status: a program that ends normally
        // exits with the status it chose, 0 unless it set another.
        theApplication->run();
        return theApplication->exitStatus;
    });
}

} // namespace Vell
