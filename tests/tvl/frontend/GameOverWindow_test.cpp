#include "frontend/GameOverWindow.h"
#include "world/Game.h"

#include "support/GameFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(GameOverWindow, BarFractionIsTokensOverTargetClampedAndFullWithoutTarget)
{
    struct Case {
        int32_t tokens, target;
        float fraction;
    };
    const Case cases[] = {
        {25, 25, 1.0f}, {10, 25, 0.4f}, {0, 25, 0.0f},  {30, 25, 1.0f},
        {-3, 25, 0.0f}, {0, 0, 1.0f},   {7, -5, 1.0f}, {1, 500, 0.002f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(tvl::tokenBarFraction(c.tokens, c.target), c.fraction) << c.tokens << "/" << c.target;
}

// Rows come in list order with the local mark; ranking puts the most tokens first and keeps
// every row, ties included.
TEST(GameOverWindow, RowsMarkTheLocalPlayerAndRankByTokens)
{
    gametest::resetGameState();
    const char* names[] = {"Ann", "Bob", "Cid", "Dee"};
    const int32_t tokens[] = {10, 25, 4, 25};
    for (int i = 0; i < 4; ++i)
        tvl::addPlayer(sf::Color::Red, names[i], i != 2)->tokens = tokens[i];
    tvl::game.localPlayerIndex = 2;

    std::vector<tvl::GameOverRow> rows = tvl::gameOverRows();
    ASSERT_EQ(rows.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].name, names[i]);
        EXPECT_EQ(rows[i].tokens, tokens[i]);
        EXPECT_EQ(rows[i].local, i == 2) << names[i];
    }

    EXPECT_EQ(tvl::gameOverTitle(rows, 3), "Dee wins!") << "the index names the winner, not the tie";
    tvl::rankGameOverRows(rows);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].tokens, 25);
    EXPECT_EQ(rows[1].tokens, 25);
    EXPECT_EQ(rows[0].name, "Bob") << "a tie keeps list order";
    EXPECT_EQ(rows[1].name, "Dee");
    EXPECT_EQ(rows[2].name, "Ann");
    EXPECT_EQ(rows[3].name, "Cid");
    EXPECT_TRUE(rows[3].local) << "the mark travels with its row";
    gametest::endGameState();
}

} // namespace
