#pragma once
// A fresh single-player game state on a 100 x 100 tile map, for the game rule tests.
#include "core/Messages.h"
#include "ui/Hints.h"
#include "world/Game.h"
#include "world/GameSettings.h"
#include "world/GameState.h"
#include "world/Map.h"
#include "world/Player.h"

#include <gtest/gtest.h>

namespace gametest {

inline void useMap(int widthTiles, int heightTiles)
{
    tvl::mapWidth = widthTiles;
    tvl::mapHeight = heightTiles;
    tvl::mapWorldSize = sf::Vector2f(widthTiles * 16.0f, heightTiles * 16.0f);
}

inline void resetGameState()
{
    using namespace tvl;
    game = GameState{};
    game.gameType = SinglePlayerGame;
    netRole = NoNetRole;
    resetIdCountersForTests();
    gameSettings = GameSettings();
    gameImageSizes = GameImageSizes();
    kv::hints.clear();
    kv::messageList.clear();
    useMap(100, 100);
}

inline void endGameState()
{
    tvl::game = tvl::GameState{};
    tvl::netRole = tvl::NoNetRole;
}

// Each test starts on resetGameState and ends on endGameState.
class FreshGame : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override { endGameState(); }
};

} // namespace gametest
