// The frame timer: the line a frame left by an exception writes, and only
// then.
#include <gtest/gtest.h>

#include <regex>

#include "WalkviewFixture.h"
#include "core/Exception.h"
#include "render/WireRenderer.h"
#include "tools/demo/DemoMaps.h"
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

TEST(StopWatch, aFrameLeftByAnExceptionWritesTheElapsedLine)
{
    auto* failingRenderer = new FailingRenderer;
    WalkviewFixture::ViewScene scene(VellTools::firstLevelMap(), std::unique_ptr<Renderer>(failingRenderer),
                                     std::make_unique<WireRenderer>());
    FailingRenderer& failing = *failingRenderer;
    // A frame that ends normally stops its watch: nothing is written.
    testing::internal::CaptureStdout();
    scene.view->repaint();
    scene.pump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(scene.view->lastFrameTime(), std::int32_t(scene.view->lastFrameMicroseconds() / 1000));

    failing.armed = true;
    scene.view->repaint();
    testing::internal::CaptureStdout();
    EXPECT_THROW(scene.pump(), Vell::Exception);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(out, std::regex("elapsed: [0-9]+\n"))) << out;
    failing.armed = false;
}
