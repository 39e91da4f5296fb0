#pragma once
// The game's Box2D world. One world a game, no gravity, 16 pixels a metre; it runs in fixed
// 0.02 s steps and the drawn pose of a vehicle is interpolated between the last two steps.
// Only the local vehicle has a body; four static walls just outside the map keep it inside.
// Main thread only.
#include "world/PlayerInput.h"

#include <box2d/box2d.h>

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

constexpr float pixelsPerMetre = 16.0f;
constexpr float metresPerPixel = 0.0625f;

constexpr float physicsStepSeconds = 0.02f;
// A long frame runs at most this many steps (0.24 s); the rest of its time is dropped, not caught
// up. Enough that the vehicle keeps its speed down to about four frames a second, as the computer
// player does.
constexpr int maxPhysicsStepsPerFrame = 12;
constexpr int32_t physicsVelocityIterations = 6;
constexpr int32_t physicsPositionIterations = 2;

// Collision categories. The vehicle's mask names the walls and 0x0200, which nothing uses, so
// vehicles hit walls and nothing else.
constexpr uint16_t vehicleCategory = 0x0002;
constexpr uint16_t wallCategory = 0x0004;
constexpr uint16_t vehicleMask = 0x0204;
constexpr uint16_t wallMask = 0xFFFF;
// Thickness of the boundary walls in pixels.
constexpr float wallThickness = 20.0f;

inline b2Vec2 toPhysics(float xPixels, float yPixels)
{
    return b2Vec2(xPixels * metresPerPixel, yPixels * metresPerPixel);
}
inline sf::Vector2f toPixels(const b2Vec2& metres)
{
    return sf::Vector2f(metres.x * pixelsPerMetre, metres.y * pixelsPerMetre);
}

struct PlayerBody;

// What a fixture's user data points at. kind 1: a player's vehicle (owner = that player);
// kind 2: a boundary wall (no owner).
struct BodyUserData {
    static constexpr int32_t player = 1;
    static constexpr int32_t wall = 2;

    int32_t kind = 0;
    b2Body* body = nullptr;
    PlayerBody* owner = nullptr;
};

// The part of a player the physics glue reads and writes; tvl::Player derives from it. The
// body dies with its owner, so no fixture ever points at a freed player.
struct PlayerBody {
    PlayerBody() = default;
    virtual ~PlayerBody();
    PlayerBody(const PlayerBody&) = delete;
    PlayerBody& operator=(const PlayerBody&) = delete;

    // Applies the driving forces of the frame's input for one fixed step; run before every
    // step for the local player. Nothing here: the player's driving model overrides it.
    virtual void handleKeyboard(const PlayerInput&) {}

    b2Body* body = nullptr; // null unless this is the local vehicle in the current world
    BodyUserData bodyUserData;
    // Pose drawn this frame and pose before the last step: world pixels, radians in 0 .. 2π.
    float renderX = 0.0f, renderY = 0.0f, renderAngle = 0.0f;
    float stepX = 0.0f, stepY = 0.0f, stepAngle = 0.0f;
};

// Box2D's own rule: the same non-zero group collides exactly when the group is positive;
// otherwise each mask must hold a bit of the other's category.
bool filtersCollide(const b2Filter& a, const b2Filter& b);

class ContactFilter : public b2ContactFilter {
public:
    bool ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) override;
};

// Contacts need no reaction; the world still gets the game's own listener.
class ContactListener : public b2ContactListener {};

// The game's Box2D world (game.physicsWorld, GameState.h), or none. Letting a world go (reset,
// assignment, destruction) first detaches every player from its body, so no player keeps a
// pointer into a deleted world.
class PhysicsWorld {
public:
    PhysicsWorld() = default;
    PhysicsWorld(PhysicsWorld&& other) noexcept : world(other.world) { other.world = nullptr; }
    PhysicsWorld& operator=(PhysicsWorld&& other) noexcept;
    ~PhysicsWorld() { reset(); }

    // Lets the current world go and takes next (may be null).
    void reset(b2World* next = nullptr);
    b2World* get() const { return world; }
    b2World* operator->() const { return world; }
    explicit operator bool() const { return world != nullptr; }

private:
    b2World* world = nullptr;
};

// Frame time not yet stepped, in seconds; kept between frames and games.
extern float physicsAccumulator;

// Replaces any world with a new one (gravity 0, the game's contact filter and listener) and
// closes the map of mapWidth x mapHeight pixels with the four walls. false when the world
// cannot be made (game.physicsWorld stays empty); the game's set-up then fails.
bool createPhysicsWorld(float mapWidth, float mapHeight);
// Detaches every player from its body, then deletes the world. Safe without a world.
void destroyPhysicsWorld();

// Gives the player a dynamic vehicle body at (x, y) pixels and angle radians, a box of
// width x height pixels; its step and drawn poses start there. A body it already had is
// destroyed first. Null (nothing changed) without a world.
b2Body* createVehicleBody(PlayerBody& player, float x, float y, float angle, float width,
                          float height);
// Destroys the player's body, if any, and clears its pointers. Call it before a player that
// may own a body is dropped from the game (the destructor does it as a last resort).
void destroyPlayerBody(PlayerBody& player);

// Advances the world by dt seconds of frame time in fixed steps; before each step every
// vehicle's step pose is taken from its body and localPlayer (may be null) drives with input.
// Then the drawn poses are interpolated by the time left over. Returns the steps run (0 ... 5);
// nothing without a world.
int stepPhysics(float dt, PlayerBody* localPlayer, const PlayerInput& input = {});

// The body's velocity (metres per second) in the frame of the heading angle a: y is the speed
// along the heading (sin a, -cos a), x = -(vx cos a + vy sin a). An angle of exactly -1 degree,
// or a null angle, means the body's own angle. A null body gives (0, 0).
sf::Vector2f bodyLocalVelocity(const b2Body* body, const float* angle);
// The body's velocity projected onto the axis of heading angle; exactly 0 gives the whole
// velocity, -1 degree the body's own heading. A null body gives (0, 0).
sf::Vector2f projectVelocity(const b2Body* body, float angle);

// What a fixture's user data points at (BodyUserData), or null.
BodyUserData* fixtureUserData(b2Fixture* fixture);

// Collects every fixture whose bounding box overlaps the query box.
class PhysicsDebugAABBCallback : public b2QueryCallback {
public:
    bool ReportFixture(b2Fixture* fixture) override;
    std::vector<b2Fixture*> fixtures;
};

// Fixtures whose bounding boxes overlap view (world pixels), for the debug view.
void queryPhysicsFixtures(const sf::FloatRect& view, PhysicsDebugAABBCallback& result);

} // namespace tvl
