#include "core/Framework.h"

#include <gtest/gtest.h>

TEST(Emulation, WidensToTheWindowAspect)
{
    struct Case {
        float W, H;
        int w, h;
        float viewW, viewH;
        float left, top, width, height;
    };
    const Case cases[] = {
        // Wider window: the width follows the aspect and the view fills the window.
        {1920, 1080, 800, 600, 600.0f * 1920 / 1080, 600, 0, 0, 1, 1},
        // Portrait window: the height follows.
        {1080, 1920, 800, 600, 800, 800.0f * 1920 / 1080, 0, 0, 1, 1},
        // Requests below 640x480 are raised first.
        {1280, 960, 320, 200, 640, 480, 0, 0, 1, 1},
        // A landscape window narrower than the request keeps the request's width.
        {1280, 1024, 1280, 720, 1280, 1024, 0, 0, 1, 1},
        {1280, 1024, 640, 480, 640, 512, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " emulating " << c.w << "x" << c.h);
        kv::Emulation e = kv::computeEmulation(c.W, c.H, c.w, c.h);
        EXPECT_NEAR(e.viewWidth, c.viewW, 0.01f);
        EXPECT_NEAR(e.viewHeight, c.viewH, 0.01f);
        EXPECT_NEAR(e.viewportLeft, c.left, 1e-5f);
        EXPECT_NEAR(e.viewportTop, c.top, 1e-5f);
        EXPECT_NEAR(e.viewportWidth, c.width, 1e-5f);
        EXPECT_NEAR(e.viewportHeight, c.height, 1e-5f);
        EXPECT_GE(e.viewWidth, static_cast<float>(std::max(c.w, 640)) - 0.01f);
        EXPECT_GE(e.viewHeight, static_cast<float>(std::max(c.h, 480)) - 0.01f);
    }
    EXPECT_EQ(static_cast<int>(kv::computeEmulation(1920, 1080, 800, 600).viewWidth), 1066);
}
