// Runs the end-to-end window program headless and checks what its handlers
// saw, in order, and how it ended.
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"

#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>

namespace {

using TestSupport::ProgramRun;

ProgramRun runProgram(const std::string& arguments)
{
    return TestSupport::runCommand("SDL_VIDEODRIVER=offscreen LIBGL_ALWAYS_SOFTWARE=1 timeout 60 " +
                                   std::string(GUI_E2E_PROGRAM) + " " + arguments + " 2>&1");
}

// Each expected line appears after the one before it.
void expectInOrder(const std::string& output, const std::vector<std::string>& lines)
{
    size_t at = 0;
    for (const std::string& line : lines) {
        size_t found = output.find(line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << line << "\n" << output;
        at = found + line.size();
    }
}

} // namespace

TEST(EndToEnd, WindowRunsAndClosesOnEscape)
{
    ProgramRun run = runProgram("");
    EXPECT_EQ(run.status, 0) << run.output;
    expectInOrder(run.output, {
        "activate", "client 800 600 outer 810 630", "setfocus", "mouseenter",
        "frame gl ok text ok", "text pixels ok", "viewport 0 0 800 600",
        "keydown 87", "char 119", "keydown 87", "char 119", "keyup 87",
        "mousemove 241 206", "lbuttondown 241 206", "lbuttonup 241 206",
        "keydown 112", "keydown 27", "close listener", "destroy",
    });
    // Only one mouse enter, before any move.
    EXPECT_EQ(run.output.find("mouseenter"), run.output.rfind("mouseenter"));
    EXPECT_LT(run.output.find("mouseenter"), run.output.find("mousemove"));
}

TEST(EndToEnd, UnhandledExceptionIsReportedWithStatusOne)
{
    ProgramRun run = runProgram("throw");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("unhandled exception: IOException\n[exception message: x ]\n"), std::string::npos)
        << run.output;
}
