#include "graphics/DrawnArea.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace kv;

namespace {

bool contains(const sf::IntRect& outer, const sf::IntRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width && inner.top + inner.height <= outer.top + outer.height;
}

// What the compositor relies on: every added rectangle lies inside one part, and no two parts
// share a texel (a shared texel would be composed twice).
void expectCoveredOnce(const DrawnArea& area, const std::vector<sf::IntRect>& added)
{
    for (const sf::IntRect& rect : added) {
        bool inside = false;
        for (size_t i = 0; i < area.size(); ++i)
            inside = inside || contains(area[i], rect);
        EXPECT_TRUE(inside) << rect.left << "," << rect.top << " " << rect.width << "x" << rect.height;
    }
    for (size_t i = 0; i < area.size(); ++i)
        for (size_t j = i + 1; j < area.size(); ++j)
            EXPECT_FALSE(area[i].intersects(area[j])) << "parts " << i << " and " << j << " overlap";
}

TEST(DrawnArea, KeepsApartWhatIsApartAndJoinsWhatOverlaps)
{
    struct Case {
        const char* name;
        std::vector<sf::IntRect> added;
        std::vector<sf::IntRect> parts;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"an empty rectangle adds nothing", {{5, 5, 0, 10}, {5, 5, 10, -1}}, {}},
        {"two apart", {{0, 0, 10, 10}, {20, 20, 10, 10}}, {{0, 0, 10, 10}, {20, 20, 10, 10}}},
        {"two overlapping", {{0, 0, 10, 10}, {5, 5, 10, 10}}, {{0, 0, 15, 15}}},
        {"one bridging two", {{0, 0, 10, 10}, {30, 0, 10, 10}, {8, 2, 25, 2}}, {{0, 0, 40, 10}}},
        // The join of the first two reaches the third, which neither met.
        {"a join that reaches a third", {{0, 0, 10, 10}, {0, 40, 10, 10}, {20, 20, 5, 5}, {5, 5, 30, 40}},
         {{0, 0, 35, 50}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawnArea area;
        for (const sf::IntRect& rect : c.added)
            area.add(rect);
        ASSERT_EQ(area.size(), c.parts.size());
        for (size_t i = 0; i < c.parts.size(); ++i) {
            bool found = false;
            for (size_t j = 0; j < area.size(); ++j)
                found = found || area[j] == c.parts[i];
            EXPECT_TRUE(found) << "part " << i;
        }
    }
}

TEST(DrawnArea, ManyRectanglesStayCoveredOnceWithinTheLimit)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, 1000), extent(1, 60);
    for (int run = 0; run < 50; ++run) {
        DrawnArea area;
        std::vector<sf::IntRect> added;
        for (int i = 0; i < 40; ++i) {
            added.push_back({at(random), at(random), extent(random), extent(random)});
            area.add(added.back());
            ASSERT_LE(area.size(), DrawnArea::maxParts);
        }
        expectCoveredOnce(area, added);
    }
}

TEST(DrawnArea, AllIsOnePartAndClearEmptiesIt)
{
    DrawnArea area;
    area.add({3, 3, 4, 4});
    area.all(640, 480);
    ASSERT_EQ(area.size(), 1u);
    EXPECT_EQ(area[0], sf::IntRect(0, 0, 640, 480));
    area.clear();
    EXPECT_TRUE(area.empty());
}

} // namespace
