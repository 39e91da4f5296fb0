#pragma once
// One vehicle and its driver, and the game's player list. Three kinds exist: the local player
// (a dynamic Box2D body driven by forces), a computer player (no body, moves by its own rules)
// and a remote player (follows the pose received from the network, smoothed).
//
// Units: positions in world pixels, angles in radians (0 = up, clockwise, kept in 0 .. 2π),
// speeds in pixels per second unless a name says km/h, times in seconds. Main thread only.
#include "world/GameState.h"
#include "world/Items.h"
#include "world/Physics.h"
#include "world/Projectiles.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv {
struct GameTexture;
}

namespace tvl {

// A piecewise-linear curve over points of ascending x.
struct Curve {
    // The identity line (0,0), (0.1,0.1) ... (1,1).
    Curve();

    // No points: 0; one point: its y. Otherwise the last point i with x_i <= x (searching from
    // the end) is found; the last point gives its y, any other blends to the next with
    // t = (x - x_i) x N clamped to 0 .. 1, N being the number of points (not N - 1, so a curve
    // of 11 points reaches the next point a little before its x). Below the first x: the first y.
    float evaluate(float x) const;

    std::vector<sf::Vector2f> points;
    std::string name;
};

// Timings (seconds), reaches (pixels) and speeds of the items, effects and the computer player.
constexpr float maxNitroSeconds = 5.0f;
constexpr float nitroRefillRate = 0.25f; // reserve seconds gained per second unused
constexpr float nitroItemSeconds = 2.5f;
constexpr float bombStunSeconds = 1.5f;
constexpr float pulseHitSeconds = 3.0f;
constexpr float missileHitSeconds = 2.0f;
constexpr float dronePulseHitSeconds = 3.0f;
constexpr float empSeconds = 3.0f;
constexpr float timeWarpSeconds = 3.0f;
constexpr int gunShotsPerItem = 5;
constexpr float gunShotInterval = 0.1f;
constexpr float droneSecondsPerItem = 10.0f;
constexpr float droneShotInterval = 2.5f;
// The drone hovers this far right of and below its owner.
constexpr float droneOffsetX = 80.0f, droneOffsetY = 20.0f;
constexpr float itemRepeatSeconds = 1.0f;
// The gun and the drone only aim at players strictly closer than this.
constexpr float weaponRange = 1000.0f;
// A remote pose further than this from the received one jumps there.
constexpr float snapDistance = 1000.0f;
constexpr float bombRadius = 500.0f;
constexpr float empRadius = 900.0f;
constexpr float timeWarpRadius = 600.0f;
constexpr float computerSpeed = 780.0f;
constexpr float computerTimeWarpSpeed = 195.0f;
// 4 degrees a frame at 60 frames a second; by time, so that the frame rate does not set how well
// the computer drives.
constexpr float computerTurnDegreesPerSecond = 240.0f;
constexpr float computerDecisionSeconds = 1.0f;
// What moves by speed x time and is tested for contact once a step (the computer player, the
// projectiles) steps at most this far in time: a long frame would carry it past what it touches.
constexpr float maxSimulationSlice = 1.0f / 60.0f;
// The slices of a frame of dt seconds: the fewest that keep each within maxSimulationSlice, 1 for
// a short or empty frame, and no more than 60 (a longer stall takes longer slices).
int simulationSliceCount(float dt);

class Player : public PlayerBody {
public:
    Player();
    // Out of line, where the texture holder's type is known.
    ~Player();

    // Lost control: a stun, a hit or an EMP is running (a Time Warp does not count). For a
    // player this machine neither drives nor simulates, the state last received.
    bool isDisabled() const;

    // Once per frame, dt in seconds; nothing while the game is paused. input is the frame's
    // (nitro and the held items), read only when this is the local player. The computer player
    // runs it in slices (simulationSliceCount).
    void update(float dt, const PlayerInput& input = {});
    // The driving model with the frame's input, once per physics step for the local player.
    void handleKeyboard(const PlayerInput& input) override;
    // Applies one item; the caller takes it from the counts. Types outside 0 .. 6 are ignored.
    void useItem(ItemType type);
    // A projectile hit; projectileVelocity in pixels per second.
    void hit(WeaponType kind, const sf::Vector2f& projectileVelocity);

    uint32_t netTag = 0; // copied between machines; gameplay never reads it
    float x = 0.0f, y = 0.0f;
    float angle = 0.0f;
    float speed = 0.0f;
    std::string name;
    sf::Color colour = sf::Color::Black;
    int32_t tokens = 0;
    float aiTargetAngle = 0.0f;
    bool isComputer = false;
    // Seconds of play since the computer player's last decision; it starts due, so the first
    // frame that takes time decides. A paused game does not count.
    float aiDecisionTime = computerDecisionSeconds;
    // The vehicle's texture holder, made by the world renderer when it first draws the player
    // (a texture needs the window, so a player alone never builds one).
    std::unique_ptr<kv::GameTexture> texture;
    float radius = 0.0f; // half the larger side of the ship image
    float trailTimer = 0.0f;
    int32_t currentItem = Nitro;
    // Count per ItemType; a missing type reads as 0 (operator[] adds it).
    std::unordered_map<int, int> itemCounts;
    bool nitroActive = false;
    float nitroSeconds = 0.0f; // 0 .. maxNitroSeconds
    float itemCooldown = 0.0f;
    bool disabledReceived = false;
    float bombStun = 0.0f;
    float pulseHit = 0.0f;
    float missileHit = 0.0f;
    float dronePulseHit = 0.0f;
    float empTimer = 0.0f;
    float timeWarpTimer = 0.0f;
    int32_t gunShots = 0;
    float gunCooldown = 0.0f;
    bool droneActive = false;
    float droneTime = 0.0f;
    float droneCooldown = 0.0f;
    float droneX = 0.0f, droneY = 0.0f, droneAngle = 0.0f;
    // body, bodyUserData, renderX/Y/Angle and stepX/Y/Angle come from PlayerBody.
    Curve speedCurve; // thrust factor by the fraction of top speed still to go
    uint16_t playerId = 0;

    // A remote player eases toward the pose (and its drone's) last received; the network
    // writes them. What was last sent to or heard from each machine it keeps itself.
    float netTargetX = 0.0f, netTargetY = 0.0f, netTargetAngle = 0.0f;
    float droneTargetX = 0.0f, droneTargetY = 0.0f, droneTargetAngle = 0.0f;
    bool netReceived = false; // a received pose has been applied at least once

private:
    void updateStep(float dt, const PlayerInput& input);
};

// game.players holds at most this many (GameState.h).
constexpr int maxPlayers = 8;

// Sizes in pixels of the pictures the collision boxes are made from: the ship, the token and
// each item's pickup image. The game fills them from the image table when it starts; while
// they are 0 nothing overlaps.
struct GameImageSizes {
    sf::Vector2f ship;
    sf::Vector2f token;
    sf::Vector2f items[itemTypeCount];
};
extern GameImageSizes gameImageSizes;

// The local player, or null.
Player* localPlayer();
// Empties the list (localPlayerIndex = -1) and erases one player (keeping the order and the
// local index pointing at the same player; -1 when that was the local one; an index outside
// the list is ignored). Both take each player's body out of the physics world first, so the
// world never points at a player that is gone.
void clearPlayers();
void erasePlayer(int index);
// The first player with that ID, or null.
Player* findPlayer(uint16_t playerId);

// This machine decides the game's outcome: a single-player game, or the server of a
// multiplayer game.
bool simulatesGame();

// True for the local player's ID; otherwise only on a server, for a computer player's ID.
// False whenever there is no local player.
bool isLocallyControlled(uint16_t playerId);

// Steps currentItem forward (wrapping 6 -> 0) to the next type held; back where it started
// when none is held. selectPreviousItem steps the other way.
void selectNextItem(Player& player);
void selectPreviousItem(Player& player);

// ---- The rules behind the update and the driving model, over plain values ----

// What the driving model needs besides the body.
struct DrivingState {
    int skillLevel = 1; // 0 Easy, 1 Normal, 2 Hard
    bool nitroActive = false;
    bool timeWarp = false;  // a Time Warp is slowing this vehicle
    bool gripLost = false;  // a bomb or a missile has thrown it: no grip this step
};

// Top speed (km/h) and acceleration factor: 175.5 and 1; 61.425 and 0.35 under a Time Warp
// (which wins over nitro); 351 and 2 with nitro.
struct SpeedLimit {
    float topKmh;
    float acceleration;
};
SpeedLimit speedLimit(bool nitroActive, bool timeWarp);

// The share of sideways velocity a vehicle keeps each step: Easy 0, Normal 0.75, Hard from
// 0.999999 at rest to 0.99 at top speed (topSpeedFraction clamped to 0 .. 1).
float sideGrip(int skillLevel, float topSpeedFraction);

// One step of the driving model on body with input's throttle and steering: thrust along the
// heading by the speed curve, torque (and on Normal and Hard a side force) for steering, then
// grip. Returns the speed in pixels per second.
float applyDrivingModel(b2Body& body, const PlayerInput& input, const DrivingState& state,
                        const Curve& speedCurve);

// Nitro for one frame: while held the reserve burns and nitro is on as long as some is left
// (an empty reserve stays 0); released, it refills at a quarter rate up to the maximum.
// Returns whether nitro burns this frame.
bool updateNitro(float& nitroSeconds, bool held, float dt);

// Eases a pose toward a received one: beyond snapDistance it jumps there, otherwise it moves by
// f = clamp(rate x dt, 0, 1) of the way, the angle the short way round (result in 0 .. 2π).
void smoothPose(float& x, float& y, float& angle, float targetX, float targetY,
                float targetAngle, float rate, float dt);

// The computer player's new heading from three rolls of game.random (roll3 in 0 .. 2, roll4 in
// 0 .. 3, rollDegrees in 0 .. 359, drawn in that order once a decision is due): two in three turn it toward
// the token, then one in four overrides that with rollDegrees (0 .. 359) degrees; when neither
// applies it keeps currentTarget.
float chooseComputerHeading(float currentTarget, float bearingToToken, int roll3, int roll4,
                            int rollDegrees);
// dt seconds of turning from angle toward target (radians): at most computerTurnDegreesPerSecond
// x dt the short way, arriving when nearer than that. The result is in 0 .. 2π.
float turnComputer(float angle, float target, float dt);
// Keeps a computer player's coordinate in radius .. size - radius - 1.
float keepInsideMap(float value, float radius, float size);

// The index in players of the nearest player other than self, strictly closer than maxDistance
// (any distance when maxDistance < 0); ties keep the first in list order; -1 for none.
int nearestOtherPlayer(const Player& self, float maxDistance);

// The index in pickups of the first pickup the player may take: one of a type it holds none
// of whose box (half its image) strictly overlaps the player's square (the larger side of the
// ship image). -1 for none.
int findPickupToTake(const Player& player);

// The player's square of side 2 x radius overlaps the token's (the larger side of its image).
bool touchesToken(const Player& player);

// Counts every stun, hit and effect timer down by dt, floored at 0.
void tickEffectTimers(Player& player, float dt);

} // namespace tvl
