// The archive and map tools run where no window system is installed (build
// machines, servers): what they load at run time must hold no GL, SDL or
// cairo library, whatever the libraries they are built from pull in.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ProgramRun.h"

namespace {

// The names of the shared libraries ldd lists for a program.
std::vector<std::string> sharedLibraries(const std::string& program)
{
    const TestSupport::ProgramRun run = TestSupport::runCommand("ldd '" + program + "' 2>&1");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> names;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name;
        if (words >> name)
            names.push_back(name);
    }
    return names;
}

bool drawsOrOpensWindows(const std::string& library)
{
    for (const char* prefix : {"libGL.", "libGLU.", "libGLX.", "libOpenGL.", "libGLdispatch.", "libEGL.",
                               "libSDL2", "libcairo"}) {
        if (library.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

void expectNoWindowLibraries(const std::string& program)
{
    const std::vector<std::string> libraries = sharedLibraries(program);
    bool sawC = false;
    for (const std::string& library : libraries) {
        sawC = sawC || library.rfind("libc.so", 0) == 0;
        EXPECT_FALSE(drawsOrOpensWindows(library)) << program << " loads " << library;
    }
    // Proof that the list was read at all.
    EXPECT_TRUE(sawC) << program;
}

} // namespace

TEST(ToolLibraries, mapinfoLoadsNoWindowSystemLibrary)
{
    expectNoWindowLibraries(MAPINFO_PATH);
}

TEST(ToolLibraries, grptoolLoadsNoWindowSystemLibrary)
{
    expectNoWindowLibraries(GRPTOOL_PATH);
}

TEST(ToolLibraries, mkdemoLoadsNoWindowSystemLibrary)
{
    expectNoWindowLibraries(MKDEMO_PATH);
}

// The check itself: a program that does draw is caught.
TEST(ToolLibraries, theCheckFindsTheGLOfAProgramThatDraws)
{
    bool found = false;
    for (const std::string& library : sharedLibraries(MAPSHOT_PATH))
        found = found || drawsOrOpensWindows(library);
    EXPECT_TRUE(found);
}
