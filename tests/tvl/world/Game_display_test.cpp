// A player holds textures, and SFML opens the display for the first one: the rules that
// need players run here.
#include "world/Game.h"

#include "support/GameFixture.h"

#include "ui/Hints.h"
#include "world/Map.h"
#include "world/Player.h"
#include "world/WorldView.h"

#include "support/Display.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tvl;

using gametest::useMap;

class GameTest : public gametest::FreshGame {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        FreshGame::SetUp();
    }
};

TEST_F(GameTest, AddPlayerRefusesTheNinthAndNumbersFrom501)
{
    gameImageSizes.ship = {40.0f, 64.0f};
    for (int i = 0; i < 8; ++i) {
        auto p = addPlayer(sf::Color(1, 2, 3), "P" + std::to_string(i), i == 1);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->playerId, 501 + i);
        EXPECT_EQ(p->radius, 32.0f);
        EXPECT_EQ(p->tokens, 0);
        EXPECT_EQ(p->isComputer, i == 1);
    }
    EXPECT_EQ(addPlayer(sf::Color::Red, "Ninth", false), nullptr);
    EXPECT_EQ(game.players.size(), 8u);
    EXPECT_EQ(game.players.back()->name, "P7");

    // The counter outlives the list: the next game goes on from 509.
    clearPlayers();
    EXPECT_EQ(addPlayer(sf::Color::Red, "Again", false)->playerId, 509);
}

TEST_F(GameTest, AddPlayerSkipsIdsInUse)
{
    // A player that kept its ID all game, met again by the counter.
    auto kept = std::make_shared<Player>();
    kept->playerId = 502;
    game.players.push_back(kept);
    EXPECT_EQ(addPlayer(sf::Color::Red, "A", false)->playerId, 501);
    EXPECT_EQ(addPlayer(sf::Color::Red, "B", false)->playerId, 503);
}

TEST_F(GameTest, PlayerIdsWrapAfter999ToZero)
{
    uint16_t id = 0;
    for (int added = 1; added <= 501; ++added) {
        if (game.players.size() == 8)
            clearPlayers();
        id = addPlayer(sf::Color::Red, "P", false)->playerId;
        if (added == 499) {
            EXPECT_EQ(id, 999);
        }
        if (added == 500) {
            EXPECT_EQ(id, 0) << "the 500th player of a run";
        }
    }
    EXPECT_EQ(id, 1);
}

TEST_F(GameTest, WinCheckAnnouncesEveryWinnerOfTheFrameInListOrder)
{
    game.roundSettings.tokensCount = 3;
    auto a = addPlayer(sf::Color::Red, "A", false);
    auto b = addPlayer(sf::Color::Blue, "B", true);
    auto c = addPlayer(sf::Color::Green, "C", false);
    a->tokens = 3;
    b->tokens = 2;
    c->tokens = 4;
    std::vector<int> announced;
    EXPECT_EQ(checkForWinners([&](int index) { announced.push_back(index); }), 2);
    EXPECT_EQ(announced, (std::vector<int>{0, 2}));

    // The window pumps ticks: a player may leave (or join) while the first winner is shown.
    announced.clear();
    std::vector<std::string> names;
    EXPECT_EQ(checkForWinners([&](int index) {
                  names.push_back(game.players[static_cast<size_t>(index)]->name);
                  announced.push_back(index);
                  if (names.size() == 1) {
                      erasePlayer(0);
                      addPlayer(sf::Color::White, "Joined", false);
                  }
              }),
              2);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(announced, (std::vector<int>{0, 1}));

    b->tokens = 0;
    c->tokens = 0;
    announced.clear();
    EXPECT_EQ(checkForWinners([&](int index) { announced.push_back(index); }), 0);
    EXPECT_TRUE(announced.empty());
}

TEST_F(GameTest, CameraFollowsTheLocalPlayerAndStaysOnTheMap)
{
    const sf::Vector2u savedPixels = worldView.pixelSize;
    const float savedScale = worldView.worldRenderScale;
    worldView.pixelSize = {1280, 720};
    worldView.worldRenderScale = 2.0f; // 640 x 360 world pixels in view
    auto p = addPlayer(sf::Color::Red, "Me", false);
    game.localPlayerIndex = 0;

    struct Case {
        int mapW, mapH; // tiles
        sf::Vector2f at;
        sf::Vector2f scroll;
    };
    const Case cases[] = {
        {100, 100, {800, 800}, {480, 620}},      // centred
        {100, 100, {10, 10}, {0, 0}},            // top-left corner
        {100, 100, {1590, 1590}, {959, 1239}},   // far corner: map - view - 1
        {20, 10, {160, 80}, {0, 0}},             // map smaller than the view: never negative
        {20, 10, {319, 159}, {0, 0}},
    };
    for (const Case& c : cases) {
        useMap(c.mapW, c.mapH);
        p->x = c.at.x;
        p->y = c.at.y;
        updateGameCamera();
        EXPECT_EQ(worldView.scroll, c.scroll) << c.mapW << " x " << c.mapH << " at " << c.at.x << ", " << c.at.y;
    }
    worldView.pixelSize = savedPixels;
    worldView.worldRenderScale = savedScale;
    worldView.scroll = {0, 0};
}

TEST_F(GameTest, WheelWithoutControlPicksItems)
{
    gameSettings = GameSettings();
    auto p = addPlayer(sf::Color::Red, "Me", false);
    game.localPlayerIndex = 0;
    p->itemCounts[Bomb] = 1;
    p->currentItem = Nitro;
    handleMouseWheel(-1.0f, false);
    EXPECT_EQ(p->currentItem, Bomb);
    EXPECT_EQ(gameSettings.renderScale, 1.5f);

}

} // namespace
