// The frame timer: microseconds on the monotonic clock, and the line a frame
// left by an exception writes.
#include <gtest/gtest.h>

#include <regex>

#include "WalkviewFixture.h"
#include "core/Exception.h"
#include "render/WireRenderer.h"
#include "tools/DemoMaps.h"
#include "walkview/StopWatch.h"

using namespace Vell3D;

namespace {

class FailingRenderer : public WireRenderer {
public:
    void beginFrame() override
    {
        if (armed)
            throw Vell::Exception("frame failed");
    }
    bool armed = false;
};

} // namespace

TEST(StopWatch, onlyAWatchLeftRunningWritesItsLine)
{
    testing::internal::CaptureStdout();
    {
        StopWatch watch;
        watch.start();
        watch.stop();
        EXPECT_GE(watch.elapsedMicroseconds(), 0);
        EXPECT_EQ(watch.elapsed(), long(watch.elapsedMicroseconds() / 1000));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    testing::internal::CaptureStdout();
    {
        StopWatch watch;
        watch.start();
    }
    std::string line = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(line, std::regex("elapsed: [0-9]+\n"))) << line;
}

TEST(StopWatch, aFrameLeftByAnExceptionWritesTheElapsedLine)
{
    FailingRenderer failing;
    WireRenderer outline;
    WalkviewFixture::ViewScene scene(VellTools::firstLevelMap(), {&failing, &outline});
    failing.armed = true;
    scene.view->repaint();
    testing::internal::CaptureStdout();
    EXPECT_THROW(scene.pump(), Vell::Exception);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(out, std::regex("elapsed: [0-9]+\n"))) << out;
    failing.armed = false;
}
