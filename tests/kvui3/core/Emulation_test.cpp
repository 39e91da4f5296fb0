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

TEST(WindowSize, FitsTheDesktopAndKeeps640x480)
{
    struct Case {
        int w, h;
        unsigned desktopW, desktopH;
        unsigned fitW, fitH;
    };
    const Case cases[] = {
        {800, 600, 1280, 1024, 800, 600},
        {1280, 1024, 1280, 1024, 1280, 1024},
        {800, 999999, 1280, 1024, 800, 1024},
        {800, 40000, 1280, 1024, 800, 1024},
        {100000, 600, 1920, 1080, 1920, 600},
        {2147483647, 2147483647, 1920, 1080, 1920, 1080},
        {320, 200, 1280, 1024, 640, 480},
        {-5, 0, 1280, 1024, 640, 480},
        // A desktop below the minimum still gets 640 x 480.
        {1024, 768, 600, 400, 640, 480},
        {1024, 768, 800, 400, 800, 480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " on " << c.desktopW << "x" << c.desktopH);
        EXPECT_EQ(kv::fitWindowSize(c.w, c.h, {c.desktopW, c.desktopH}), sf::Vector2u(c.fitW, c.fitH));
    }
}

TEST(WindowPosition, CentredOnTheDesktopAndNeverOffIt)
{
    struct Case {
        unsigned w, h, desktopW, desktopH;
        int x, y;
    };
    const Case cases[] = {
        {640, 480, 1280, 1024, 320, 272},
        {1920, 1080, 1920, 1080, 0, 0},
        {1024, 768, 1920, 1080, 448, 156},
        {801, 601, 1280, 1024, 239, 211},
        // A desktop smaller than the least window: the corner stays on it.
        {640, 480, 600, 400, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " on " << c.desktopW << "x" << c.desktopH);
        EXPECT_EQ(kv::centredWindowPosition({c.w, c.h}, {c.desktopW, c.desktopH}), sf::Vector2i(c.x, c.y));
    }
}

TEST(EmulatedSize, FitsTheLargestTextureWithItsAspect)
{
    struct Case {
        int w, h;
        float W, H;
        unsigned most;
        int fitW, fitH;
    };
    const Case cases[] = {
        {800, 600, 1024, 768, 16384, 800, 600},
        {320, 200, 1024, 768, 16384, 640, 480},
        {16384, 12288, 1024, 768, 16384, 16384, 12288},
        // Scaled down together: the view is then exactly the largest texture wide.
        {100000, 75000, 1024, 768, 16384, 16384, 12288},
        {100000, 75000, 1024, 768, 8192, 8192, 6144},
        // Both sides within the limit, but the view widened to a wide window is not.
        {16384, 16384, 1280, 1024, 16384, 13107, 13107},
        {640, 100000, 1280, 1024, 16384, 83, 13107},
        {100000, 480, 1280, 1024, 16384, 16384, 78},
        // No window yet: the request itself must fit.
        {20000, 600, 0, 0, 16384, 16384, 491},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.W << "x" << c.H << " up to " << c.most);
        sf::Vector2i fit = kv::fitEmulatedSize(c.w, c.h, c.W, c.H, c.most);
        EXPECT_EQ(fit, sf::Vector2i(c.fitW, c.fitH));
        kv::Emulation e = kv::computeEmulation(c.W, c.H, fit.x, fit.y);
        EXPECT_LE(static_cast<unsigned>(e.viewWidth), c.most);
        EXPECT_LE(static_cast<unsigned>(e.viewHeight), c.most);
    }
}
