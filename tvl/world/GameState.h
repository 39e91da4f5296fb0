#pragma once
// The state of the game in progress, in one record: what was started, the flags the frame
// loop and the rules read, the players, the pickups, the token, the projectiles, the physics
// world and what the last step did. A new game (and a test) starts from a fresh record:
// game = GameState{}. Main thread only.
#include "graphics/Lights.h"
#include "world/GameEvents.h"
#include "world/GameSettings.h"
#include "world/Physics.h"
#include "world/Projectiles.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tvl {

class Player;

enum GameType : int32_t {
    NoGame = 0,
    SinglePlayerGame = 1,
    MultiplayerGame = 2,
};

// What this machine is in a network game. It outlives a game: hosting or joining sets it
// before the game starts, and the network's end puts it back.
enum NetRole : int32_t {
    NoNetRole = 0,
    ClientRole = 1,
    ServerRole = 2,
};
extern int32_t netRole;

struct Pickup {
    int32_t id = 0;           // 0 .. 999999
    float x = 0.0f, y = 0.0f; // world pixels
    float angle = 0.0f;       // radians; spins while drawn
    int32_t type = 0;         // ItemType; other values give no item
};

struct Token {
    bool present = false;
    float x = 0.0f, y = 0.0f; // world pixels
    float angle = 0.0f;       // radians
    kv::LightSource light;    // set up by the first placeToken
};

struct GameState {
    // First, so that an assignment lets the old world go while the old players still exist to
    // be detached from it (members are assigned in order); destroyed last, after the players.
    PhysicsWorld physicsWorld;

    int32_t gameType = NoGame;
    bool paused = false;
    bool gameEnded = false;      // the frame loop ends after this frame
    bool consoleOpen = false;    // the console is shown and takes the keyboard
    bool audioPanelOpen = false; // the in-game Audio Panel is shown
    bool mapViewOpen = false;    // the full-screen map view is shown
    bool physicsDebug = false;   // the physics debug view is drawn
    bool netTicked = false;      // the tick callback has run at least once this game
    bool netAlive = true;        // the last networkTick result
    // This machine joined the game as a client. Kept apart from netRole, which the network's
    // end clears before the frame loop learns of it.
    bool joinedAsClient = false;

    // What the game was started with; the HUD, the driving model and the game-over window
    // read it.
    GameStartSettings roundSettings;

    // In the order they were added; at most maxPlayers (Player.h).
    std::vector<std::shared_ptr<Player>> players;
    // The player this machine drives, -1 for none.
    int localPlayerIndex = -1;
    // In creation order.
    std::vector<Pickup> pickups;
    Token token;
    // In firing order.
    std::vector<Projectile> projectiles;

    // What the simulation did since the frame loop last turned it into sounds and packets.
    GameEventList events;
};

extern GameState game;

} // namespace tvl
