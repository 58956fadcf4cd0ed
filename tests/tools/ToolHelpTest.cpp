// grptool, mapinfo and mkdemo end to end: "--help" gives the usage on
// standard output with status 0 and does nothing else; an option a tool does
// not know gives the same text on standard error with status 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

struct Tool {
    const char* name;
    const char* path;
};

void PrintTo(const Tool& tool, std::ostream* out)
{
    *out << tool.name;
}

const Tool tools[] = {{"grptool", GRPTOOL_PATH}, {"mapinfo", MAPINFO_PATH}, {"mkdemo", MKDEMO_PATH}};

class ToolHelp : public ::testing::TestWithParam<Tool> {
protected:
    // Run in a scratch folder, so that anything a tool wrongly writes shows.
    TestSupport::ProgramRun run(const std::string& arguments)
    {
        return TestSupport::runCommandWithErrors("cd '" + scratch.path("") + "' && '" + GetParam().path + "' " +
                                                 arguments);
    }

    // The usage text, as a wrong argument count gives it.
    std::string usage()
    {
        const TestSupport::ProgramRun wrong = run("");
        EXPECT_EQ(wrong.status, 2);
        EXPECT_EQ(wrong.output, "");
        EXPECT_EQ(wrong.errors.rfind(std::string("use: ") + GetParam().name, 0), 0u) << wrong.errors;
        return wrong.errors;
    }

    bool wroteNothing() const { return fs::is_empty(scratch.path("")); }

    TestSupport::ScratchFolder scratch{"help"};
};

} // namespace

TEST_P(ToolHelp, helpPrintsTheUsageOnStandardOutput)
{
    const std::string text = usage();
    for (const char* arguments : {"--help", "out --help", "--help out"}) {
        SCOPED_TRACE(arguments);
        const TestSupport::ProgramRun help = run(arguments);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.output, text);
        EXPECT_EQ(help.errors, "");
    }
    // Asked for help among arguments that would otherwise do the work.
    EXPECT_EQ(run("pack out.grp --help").status, 0);
    EXPECT_TRUE(wroteNothing());
}

TEST_P(ToolHelp, anUnknownOptionPrintsTheUsageOnStandardError)
{
    const std::string text = usage();
    for (const char* arguments : {"--bogus", "-x out", "out -x", "pack out.grp --bogus", "--bogus game.grp '$'"}) {
        SCOPED_TRACE(arguments);
        const TestSupport::ProgramRun wrong = run(arguments);
        EXPECT_EQ(wrong.status, 2);
        EXPECT_EQ(wrong.output, "");
        EXPECT_EQ(wrong.errors, text);
    }
    EXPECT_TRUE(wroteNothing());
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolHelp, ::testing::ValuesIn(tools),
                         [](const ::testing::TestParamInfo<Tool>& info) { return std::string(info.param.name); });
