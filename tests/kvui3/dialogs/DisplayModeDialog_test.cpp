// The display-mode dialog's rows: each size once, in the display's order, the window's own size
// marked and selected.
#include "dialogs/DisplayModeDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kv;

TEST(DisplayModeRows, EachSizeOnceWithTheWindowsSizeSelected)
{
    using M = sf::VideoMode;
    struct Case {
        const char* name;
        std::vector<M> modes;
        sf::Vector2u window;
        std::vector<std::string> texts;
        std::vector<int> modeIndices;
        int selected;
    } cases[] = {
        {"depth copies of each size, window in the list",
         {M(1920, 1080, 32), M(800, 600, 32), M(320, 200, 32), M(1920, 1080, 24), M(800, 600, 24),
          M(320, 200, 24)},
         {800, 600},
         {"1920 x 1080", "800 x 600 (current resolution)", "320 x 200"},
         {0, 1, 2},
         1},
        {"window size not in the list",
         {M(1920, 1080, 32), M(1920, 1080, 24), M(1024, 768, 16)},
         {800, 600},
         {"1920 x 1080", "1024 x 768"},
         {0, 2},
         -1},
        {"a virtual screen: six copies of its one size",
         std::vector<M>(6, M(1280, 1024, 24)),
         {1280, 1024},
         {"1280 x 1024 (current resolution)"},
         {0},
         0},
        {"same width, other height", {M(1024, 600, 32), M(1024, 768, 32)}, {1024, 768},
         {"1024 x 600", "1024 x 768 (current resolution)"}, {0, 1}, 1},
        {"no modes", {}, {1024, 768}, {}, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayModeRows got = listDisplayModes(c.modes, c.window);
        std::vector<std::string> texts;
        std::vector<int> indices;
        for (const DisplayModeRow& row : got.rows) {
            texts.push_back(row.text);
            indices.push_back(row.modeIndex);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(indices, c.modeIndices);
        EXPECT_EQ(got.selected, c.selected);
    }
}
