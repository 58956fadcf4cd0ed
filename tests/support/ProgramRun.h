// Runs a shell command for the end-to-end tests and collects its standard
// output and exit status (-1 when it did not exit normally), and when asked
// its standard error apart.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace TestSupport {

struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;   // only from runCommandWithErrors
};

inline ProgramRun runCommand(const std::string& command)
{
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// The same, with standard error collected in errors instead of passed on.
inline ProgramRun runCommandWithErrors(const std::string& command)
{
    char path[] = "/tmp/vell-errors-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return ProgramRun();
    close(fd);
    ProgramRun run = runCommand("(" + command + ") 2>'" + path + "'");
    std::ostringstream errors;
    errors << std::ifstream(path).rdbuf();
    run.errors = errors.str();
    unlink(path);
    return run;
}

} // namespace TestSupport
