#include "frontend/MapCarousel.h"

#include <gtest/gtest.h>

namespace {

TEST(MapCarousel, PreviousAndNextWrapBothWays)
{
    struct Case {
        int index, count, prev, next;
    } cases[] = {
        {0, 3, 2, 1}, {1, 3, 0, 2}, {2, 3, 1, 0}, // wrap at both ends
        {0, 1, 0, 0},                             // a single map stays put
        {0, 0, 0, 0},                             // no maps: nothing to index
        {7, 3, 2, 0}, {-1, 3, 2, 0},              // an index outside the list comes back into it
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tvl::prevMap(c.index, c.count), c.prev) << c.index << " of " << c.count;
        EXPECT_EQ(tvl::nextMap(c.index, c.count), c.next) << c.index << " of " << c.count;
    }
}

TEST(MapCarousel, PreviewFitsTheRoomLeftByTheScreen)
{
    struct Case {
        unsigned w, h;
        float viewW, viewH, outW, outH;
    } cases[] = {
        {800, 600, 1024, 768, 800.0f * 448.0f / 600.0f, 448}, // limited by height: about 597 x 448
        {600, 400, 1024, 768, 600, 400},                      // fits: its own size
        {674, 448, 1024, 768, 674, 448},                      // exactly the room
        {0, 0, 1024, 768, 0, 0},                              // no picture
        {0, 300, 1024, 768, 0, 0},
        {4000, 100, 1024, 768, 674, 100.0f * 674.0f / 4000.0f}, // very wide: limited by width
        {600, 400, 300, 200, 0, 0},                             // a view with no room draws nothing
    };
    for (const Case& c : cases) {
        const sf::Vector2f size = tvl::fitPreview({c.w, c.h}, {c.viewW, c.viewH});
        EXPECT_NEAR(size.x, c.outW, 0.01f) << c.w << "x" << c.h;
        EXPECT_NEAR(size.y, c.outH, 0.01f) << c.w << "x" << c.h;
    }
}

TEST(MapCarousel, PreviewPathChangesOnlyTheFileExtension)
{
    EXPECT_EQ(tvl::previewPath("Meadow.map"), "Base\\Maps\\Meadow.png");
    EXPECT_EQ(tvl::previewPath("Meadow"), "Base\\Maps\\Meadow.png");
    EXPECT_EQ(tvl::previewPath("old.maps\\Meadow"), "Base\\Maps\\old.maps\\Meadow.png");
}

TEST(MapCarousel, InfoLineNamesTheMusicWithoutItsExtension)
{
    EXPECT_EQ(tvl::mapInfoLine(128, 96, "Steel.Works.mus", "Default.mus"), "Size: 128 by 96 | Music: Steel.Works");
    EXPECT_EQ(tvl::mapInfoLine(0, 0, "", "BurningSoul.mus"), "Size: 0 by 0 | Music: BurningSoul");
    EXPECT_EQ(tvl::mapInfoLine(10, 20, "NoDot", ""), "Size: 10 by 20 | Music: NoDot");
}

TEST(MapCarousel, SkillNames)
{
    EXPECT_EQ(tvl::skillName(0), "Easy");
    EXPECT_EQ(tvl::skillName(1), "Normal");
    EXPECT_EQ(tvl::skillName(2), "Hard");
    EXPECT_EQ(tvl::skillName(3), "Unknown");
    EXPECT_EQ(tvl::skillName(-1), "Unknown");
}

TEST(MapCarousel, WheelUpIsPreviousDownIsNext)
{
    EXPECT_EQ(tvl::wheelStep(1.0f), -1);
    EXPECT_EQ(tvl::wheelStep(3.0f), -1);
    EXPECT_EQ(tvl::wheelStep(-1.0f), 1);
    EXPECT_EQ(tvl::wheelStep(0.0f), 0);
}

TEST(MapCarousel, HighlightStaysInsideItsRangeAfterALongFrame)
{
    float level = 0;
    bool rising = true;
    tvl::stepHighlight(level, rising, 0.5f);
    EXPECT_NEAR(level, 0.75f, 1e-5f);
    EXPECT_TRUE(rising);
    tvl::stepHighlight(level, rising, 10.0f); // a stall
    EXPECT_EQ(level, 1.0f);
    EXPECT_FALSE(rising);
    tvl::stepHighlight(level, rising, 0.2f);
    EXPECT_NEAR(level, 0.7f, 1e-5f);
    tvl::stepHighlight(level, rising, 10.0f);
    EXPECT_EQ(level, 0.0f);
    EXPECT_TRUE(rising);
}

} // namespace
