#include "WindowTestSupport.h"

#include "core/Exception.h"
#include "gui/GUIApplication.h"
#include "gui/Timer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vell;

namespace {

class ScriptedApplication : public GUIApplication {
public:
    bool init() override { return initResult; }
    void onStart() override { ++starts; }
    bool onIdle(int count) override
    {
        counts.push_back(count);
        if (counts.size() == 4)
            Platform::postQuitMessage(5);
        return count < 3 && counts.size() <= 4;
    }
    bool initResult = true;
    int starts = 0;
    std::vector<int> counts;
};

class Ticker : public Timer {
public:
    explicit Ticker(int id) : Timer(id) {}
    void timer() override { ++ticks; }
    int ticks = 0;
};

class Starter : public Listener {
public:
    void notify() override { ++count; }
    int count = 0;
};

} // namespace

TEST(Application, IdleCountsRiseWhileTheHandlerAsksAgain)
{
    WindowTest::useOffscreen();
    ScriptedApplication app;
    EXPECT_EQ(app.run(), 5);       // the quit message's code
    ASSERT_GE(app.counts.size(), 4u);
    EXPECT_EQ(std::vector<int>(app.counts.begin(), app.counts.begin() + 4), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(app.starts, 1);
}

TEST(Application, FailedInitPumpsNothingAndSendsNoStart)
{
    ScriptedApplication app;
    app.initResult = false;
    Starter starter;
    startListeners().append(&starter);
    Platform::postMessage({Platform::noWindow, Platform::WM_NULL, 0, 0});
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(app.starts, 0);
    EXPECT_EQ(starter.count, 0);
    Platform::Message left;
    EXPECT_TRUE(Platform::peekMessage(left));   // still queued
    startListeners().clear();
}

TEST(Application, StandsForTheMainThread)
{
    ScriptedApplication app;
    EXPECT_EQ(theApplication, &app);
    EXPECT_TRUE(app.isRunning());
    EXPECT_THROW(app.start(), ThreadException);
    EXPECT_STREQ(app.className(), "GUIApplication");
}

TEST(Application, ExitStatusIsZeroWhateverRunReturns)
{
    ScriptedApplication app;
    char name[] = "prog";
    char* argv[] = {name};
    EXPECT_EQ(runApplication(1, argv), 0);
    ASSERT_EQ(app.arguments.count(), 1);
    EXPECT_STREQ(app.arguments.first().text(), "prog");
}

TEST(Application, AProgramThatStopsEarlyChoosesItsStatus)
{
    ScriptedApplication app;
    app.initResult = false;
    app.exitStatus = 2;
    char name[] = "prog";
    char* argv[] = {name};
    EXPECT_EQ(runApplication(1, argv), 2);
}

TEST(Application, TimerMessagesGoToTheRegisteredTimer)
{
    ScriptedApplication app;
    Ticker ticker(42);
    Platform::postMessage({Platform::noWindow, Platform::WM_TIMER, 42, 0});
    EXPECT_EQ(app.run(), 5);
    EXPECT_EQ(ticker.ticks, 1);
}

TEST(Application, UnknownTimerEndsTheProgramWithStatusOne)
{
    ScriptedApplication app;
    Platform::postMessage({Platform::noWindow, Platform::WM_TIMER, 999, 0});
    EXPECT_THROW(app.run(), ListException);
    testing::internal::CaptureStdout();
    Platform::postMessage({Platform::noWindow, Platform::WM_TIMER, 999, 0});
    char name[] = "prog";
    char* argv[] = {name};
    EXPECT_EQ(runApplication(1, argv), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("unhandled exception: ListException\n"), std::string::npos) << out;
}
