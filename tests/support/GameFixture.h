#pragma once
// A fresh single-player game state on a 100 x 100 tile map, for the game rule tests.
#include "net/Packets.h"
#include "ui/Hints.h"
#include "world/Game.h"
#include "world/GameSettings.h"
#include "world/Map.h"
#include "world/Player.h"

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
    clearPlayers();
    pickups.clear();
    token = Token();
    resetIdCountersForTests();
    gameType = SinglePlayerGame;
    netRole = NoNetRole;
    paused = false;
    gameEnded = false;
    consoleOpen = false;
    audioPanelOpen = false;
    roundSettings = GameStartSettings();
    gameSettings = GameSettings();
    gameImageSizes = GameImageSizes();
    kv::hints.clear();
    useMap(100, 100);
}

inline void endGameState()
{
    tvl::clearPlayers();
    tvl::pickups.clear();
    tvl::gameType = tvl::NoGame;
}

} // namespace gametest
