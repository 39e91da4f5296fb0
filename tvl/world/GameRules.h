#pragma once
// The game's rules over the record game (GameState.h): the token and the pickups (where they
// go and how many a map holds), the player and pickup IDs, adding players, the win check and
// pause. Plain functions over the state, so they run without a window. Main thread only.
//
// Whether this machine runs the rules is simulatesGame (Player.h).
#include "world/GameState.h"
#include "world/Items.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tvl {

class Player;

// --- Pickups and the token ---

constexpr int32_t maxPickupId = 999999;
constexpr int32_t maxPickupCount = 5000;

// A uniformly random point at least margin pixels inside the loaded map (x in margin ..
// width - margin, likewise y); on a map narrower than two margins, its middle.
sf::Vector2f randomMapPosition(float margin);

// Moves the token to position (angle 0, present). The first call also sets up its light.
void placeToken(sf::Vector2f position);

// The next pickup ID: the counter advances and wraps to 0 beyond 999999.
int32_t nextPickupId();
// Appends a pickup (angle 0). id -1 takes nextPickupId and reports PickupAdded (a server tells
// its clients); any other id is kept (a client uses the server's IDs).
void addPickup(const sf::Vector2f& position, ItemType type, int id);
// On a simulating machine only (simulatesGame): a pickup of a random type (0 .. 6, each equally likely) at a
// random position 50 pixels inside the map. Elsewhere nothing.
void spawnRandomPickup();
// Removes pickups[index] (order kept) and reports PickupRemoved. An index outside the list is
// ignored.
void removePickup(int index);

// How many pickups a map of widthTiles x heightTiles holds at itemsDensity (0 None .. 4
// Ultra): (tiles / 10000, whole) x {1, 3, 6, 32}, clamped to 1 .. 5000. None gives 0; any
// other density gives the lower clamp, 1.
int pickupTargetFor(int itemsDensity, int64_t widthTiles, int64_t heightTiles);
// The same for roundSettings and the loaded map.
int pickupTarget();
// Spawns pickups until the list holds pickupTarget (simulating machine only).
void topUpPickups();

// --- Players ---

// The next player ID: a counter that starts at 500 and is never reset by a game; it advances
// and wraps to 0 above 999, so a run's first player gets 501.
uint16_t nextPlayerId();
// A client's own player carries this until the server names it: no ID on the wire is
// negative, so no packet can name it.
constexpr uint16_t unassignedPlayerId = 65535;
// Appends a player with that colour, name and flag, 0 tokens, radius half the larger side of
// the ship image and the next player ID that no player in the list holds. With 8 players
// already: "Too many players" (error) and null.
std::shared_ptr<Player> addPlayer(sf::Color colour, std::string name, bool isComputer);

// Test support: the ID counters as at program start (player 500, pickup 0).
void resetIdCountersForTests();

// --- The win check ---

// Every player in a snapshot of the list (taken first: the game-over window pumps ticks that
// may add or remove players) whose tokens reach roundSettings.tokensCount gets announce(its
// index in the list at that moment), in list order; one an earlier announcement removed is
// skipped. Returns how many were announced.
int checkForWinners(const std::function<void(int)>& announce);

// --- Pause ---

// The Pause key: single player toggles paused; multiplayer prints "Cannot pause in
// multiplayer" and leaves the game running.
void pressPause();

} // namespace tvl
