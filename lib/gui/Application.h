// Application: the process's one application object. It stands for the
// main thread and holds the command-line arguments, the program name first.
#pragma once

#include "core/List.h"
#include "core/String.h"
#include "core/Thread.h"

namespace Vell {

class Application : public Thread {
public:
    Application();
    ~Application() noexcept(false) override;

    const char* className() const override { return "Application"; }

    List<String> arguments;
    // The process status after a run that ends without an exception; a
    // program sets it when it ends early on purpose (a wrong command line).
    int exitStatus = 0;
};

// The application object; set by the Application constructor.
extern Application* theApplication;

// The library's entry point: copies the arguments into theApplication and
// runs it. Returns the process exit status: the application's exitStatus
// (0 unless the program set another), or 1 when an exception ended the
// program (it is reported on the log).
int runApplication(int argc, char** argv);

} // namespace Vell
