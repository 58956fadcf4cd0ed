#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

#include "core/Console.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/String.h"
#include "core/UnhandledReport.h"
#include "tests/support/ScratchFolder.h"

using namespace Vell;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(Console, WritesToStandardOutput)
{
    CaptureStdout();
    console() << "use: " << 3 << '\n';
    secondConsole() << "second\n";
    EXPECT_EQ(GetCapturedStdout(), "use: 3\nsecond\n");
}

TEST(Console, TokenEndsAtEndOfInput)
{
    TestSupport::ScratchFolder dir{"core"};
    std::string path = dir.path("input.txt");
    std::ofstream(path) << "  41 word";
    ASSERT_NE(std::freopen(path.c_str(), "r", stdin), nullptr);
    int number = 0;
    String word;
    console() >> number >> word;
    EXPECT_EQ(number, 41);
    EXPECT_STREQ(word.text(), "word");
    EXPECT_THROW(console() >> word, IOException);
    EXPECT_TRUE(consoleStream().endOfInput());
}

TEST(LogDevice, RefusesReading)
{
    try {
        logDevice().readByte();
        FAIL();
    } catch (InternalException& e) {
        EXPECT_STREQ(e.message(), "write-only device");
    }
}

TEST(LogDevice, EchoOffWithoutTargetsIsSilent)
{
    LogDevice device;
    device.echoOff();
    CaptureStdout();
    device.write("quiet", 5);
    device.writeByte('!');
    EXPECT_EQ(GetCapturedStdout(), "");
}

TEST(LogDevice, FileTargetGetsTheSameBytes)
{
    TestSupport::ScratchFolder dir{"core"};
    std::string path = dir.path("log.txt");
    {
        File file(path.c_str(), File::create);
        logDevice().attachTarget(file);
        CaptureStdout();
        log() << "line " << 1 << "\n";
        EXPECT_EQ(GetCapturedStdout(), "line 1\n");
        // An attached target cannot be destroyed under the log.
        EXPECT_EQ(file.usageCount(), 1);
        logDevice().detachTarget(file);
        EXPECT_THROW(logDevice().detachTarget(file), ListException);
    }
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "line 1\n");
}

TEST(LogDevice, TargetsInOrderAndDetachAll)
{
    LogDevice device;
    device.echoOff();
    String a, b;
    device.attachTarget(a);
    device.attachTarget(b);
    device.attachTarget(a);
    device.write("xy", 2);
    EXPECT_STREQ(a.text(), "xyxy");
    EXPECT_STREQ(b.text(), "xy");
    device.detachTarget(a);
    device.write("z", 1);
    EXPECT_STREQ(a.text(), "xyxyz");
    device.detachAllTargets();
    EXPECT_EQ(a.usageCount(), 0);
}

TEST(UnhandledReport, ReportsAndExitsWithOne)
{
    CaptureStdout();
    int status = runGuarded([]() -> int { throw IOException("x"); });
    EXPECT_EQ(GetCapturedStdout(), "unhandled exception: IOException\n[exception message: x ]\n");
    EXPECT_EQ(status, 1);

    CaptureStdout();
    status = runGuarded([]() -> int { throw 5; });
    EXPECT_EQ(GetCapturedStdout(), "unhandled exception: unknown\n");
    EXPECT_EQ(status, 1);

    EXPECT_EQ(runGuarded([] { return 7; }), 7);
}

// "-" alone is an argument (standard input or output, for programs that
// take it); "--help" wins over anything else on the line.
TEST(UnhandledReport, OptionsEveryProgramAnswers)
{
    using testing::internal::CaptureStderr;
    using testing::internal::GetCapturedStderr;
    auto answer = [](std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), "program");
        return answerOptions(int(arguments.size()), const_cast<char**>(arguments.data()), "use: program\n",
                             {"--large"});
    };
    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(answer({"--bogus", "--help"}), 0);
    EXPECT_EQ(GetCapturedStdout(), "use: program\n");
    EXPECT_EQ(GetCapturedStderr(), "");

    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(answer({"x", "-y"}), usageStatus);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(), "use: program\n");

    EXPECT_EQ(answer({}), std::nullopt);
    EXPECT_EQ(answer({"-", "--large", "x"}), std::nullopt);
}

// The value after an option that takes one is no option itself, even when
// it starts with "-"; anywhere else the same word is a wrong command line.
TEST(UnhandledReport, ValuesOfOptionsMayStartWithADash)
{
    using testing::internal::CaptureStderr;
    using testing::internal::GetCapturedStderr;
    auto answer = [](std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), "program");
        return answerOptions(int(arguments.size()), const_cast<char**>(arguments.data()), "use: program\n", {},
                             {"--wall"});
    };
    EXPECT_EQ(answer({"--wall", "-1", "x"}), std::nullopt);
    EXPECT_EQ(answer({"--wall", "--wall", "x"}), std::nullopt) << "an option's value is not an option";
    CaptureStderr();
    EXPECT_EQ(answer({"--wall", "1", "-1"}), usageStatus);
    EXPECT_EQ(answer({"-1", "--wall", "2"}), usageStatus);
    EXPECT_EQ(GetCapturedStderr(), "use: program\nuse: program\n");
}
