#include "world/Player.h"

#include "core/Geometry.h"
#include "graphics/Textures.h" // only to destroy the renderer's texture holder
#include "world/Effects.h"
#include "world/GameRules.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"
#include "world/Map.h"

#include <algorithm>
#include <cmath>

namespace tvl {

GameImageSizes gameImageSizes;

namespace {

constexpr float kmhPerMetrePerSecond = 3.6f;
// Below this a forward speed counts as standing still (FLT_EPSILON).
constexpr float standingSpeed = 1.1920929e-7f;

// a - b the short way round, in radians.
float shortestTurn(float a, float b)
{
    return kv::degrees(kv::angleDifference(kv::radians(a), kv::radians(b))).asRadians();
}

float distance(float ax, float ay, float bx, float by)
{
    return std::hypot(bx - ax, by - ay);
}

} // namespace

// ---- Curve ----

Curve::Curve()
{
    for (int i = 0; i <= 10; i++)
        points.emplace_back(i * 0.1f, i * 0.1f);
}

float Curve::evaluate(float x) const
{
    const size_t n = points.size();
    if (n == 0)
        return 0.0f;
    if (n == 1)
        return points[0].y;
    size_t i = n - 1;
    while (i > 0 && points[i].x > x)
        i--;
    if (i == n - 1)
        return points[i].y;
    const float t = std::clamp((x - points[i].x) * static_cast<float>(n), 0.0f, 1.0f);
    return (1.0f - t) * points[i].y + t * points[i + 1].y;
}

// ---- The player and the list ----

Player::Player()
{
    static const sf::Vector2f thrust[] = {{0.0f, 1.0f},  {0.1f, 1.1f}, {0.2f, 1.3f},
                                          {0.3f, 1.6f},  {0.4f, 1.75f}, {0.5f, 1.9f},
                                          {0.6f, 2.0f},  {0.7f, 2.2f}, {0.8f, 2.3f},
                                          {0.9f, 2.5f},  {1.0f, 2.75f}};
    speedCurve.points.assign(std::begin(thrust), std::end(thrust));
}

Player::~Player() = default;

Player* localPlayer()
{
    if (game.localPlayerIndex < 0 || game.localPlayerIndex >= static_cast<int>(game.players.size()))
        return nullptr;
    return game.players[game.localPlayerIndex].get();
}

Player* findPlayer(uint16_t playerId)
{
    for (const auto& p : game.players)
        if (p->playerId == playerId)
            return p.get();
    return nullptr;
}

void clearPlayers()
{
    for (const auto& p : game.players)
        destroyPlayerBody(*p);
    game.players.clear();
    game.localPlayerIndex = -1;
}

void erasePlayer(int index)
{
    if (index < 0 || index >= static_cast<int>(game.players.size()))
        return;
    destroyPlayerBody(*game.players[index]);
    game.players.erase(game.players.begin() + index);
    if (index == game.localPlayerIndex)
        game.localPlayerIndex = -1;
    else if (index < game.localPlayerIndex)
        game.localPlayerIndex--;
}

bool simulatesGame()
{
    return game.gameType == SinglePlayerGame || (game.gameType == MultiplayerGame && netRole == ServerRole);
}

bool isLocallyControlled(uint16_t playerId)
{
    const Player* local = localPlayer();
    if (!local)
        return false;
    if (local->playerId == playerId)
        return true;
    if (netRole != ServerRole)
        return false;
    const Player* p = findPlayer(playerId);
    return p && p->isComputer;
}

bool Player::isDisabled() const
{
    if (!isLocallyControlled(playerId) && !(isComputer && simulatesGame()))
        return disabledReceived;
    return bombStun > 0.0f || pulseHit > 0.0f || missileHit > 0.0f || dronePulseHit > 0.0f
           || empTimer > 0.0f;
}

// ---- Driving ----

SpeedLimit speedLimit(bool nitroActive, bool timeWarp)
{
    if (timeWarp)
        return {61.425f, 0.35f};
    if (nitroActive)
        return {351.0f, 2.0f};
    return {175.5f, 1.0f};
}

float sideGrip(int skillLevel, float topSpeedFraction)
{
    if (skillLevel <= 0)
        return 0.0f;
    if (skillLevel == 1)
        return 0.75f;
    const float r = std::clamp(topSpeedFraction, 0.0f, 1.0f);
    return (1.0f - r) * 0.999999f + r * 0.99f;
}

float applyDrivingModel(b2Body& body, const PlayerInput& input, const DrivingState& state,
                        const Curve& speedCurve)
{
    const bool easy = state.skillLevel <= 0;
    const b2Vec2 velocity = body.GetLinearVelocity();
    const float pixelSpeed = velocity.Length() * kmhPerMetrePerSecond * 0.277778f * pixelsPerMetre;

    const SpeedLimit limit = speedLimit(state.nitroActive, state.timeWarp);
    const float a = kv::wrapRadians(body.GetAngle());
    const float s = std::sin(a), c = std::cos(a);
    // Metres per second along the heading (sin a, -cos a) and along its right (cos a, sin a).
    const float along = velocity.x * s - velocity.y * c;
    const float across = velocity.x * c + velocity.y * s;
    const float forwardKmh = along * kmhPerMetrePerSecond;
    const float r = std::clamp(std::fabs(forwardKmh / limit.topKmh), 0.0f, 1.0f);
    const float mass = body.GetMass();

    b2Vec2 force(0.0f, 0.0f);
    if (input.throttle != 0 || input.steering != 0) {
        const float steerFactor = state.nitroActive ? 2.0f : 1.0f;
        if (input.throttle != 0 && r < 1.0f) {
            float thrust = std::abs(input.throttle) * mass * 20.0f * limit.acceleration
                           * speedCurve.evaluate(1.0f - r);
            if (input.throttle < 0)
                thrust = -thrust;
            force += b2Vec2(s * thrust, -c * thrust);
        }
        if (input.steering != 0) {
            float torque = std::abs(input.steering) * steerFactor * mass * (easy ? 40.0f : 20.0f);
            if (input.steering < 0)
                torque = -torque;
            body.SetAwake(true);
            body.ApplyTorque(torque, true);
            if (!easy && r < 1.0f) {
                float side = std::abs(input.steering) * mass * 10.0f * limit.acceleration * r;
                if (input.steering < 0)
                    side = -side;
                force += b2Vec2(c * side, s * side);
            }
        } else if (easy) {
            body.SetAngularVelocity(0.0f);
        }
    }
    if (force.x != 0.0f || force.y != 0.0f)
        body.ApplyForceToCenter(force, true);

    // Grip: keep the forward part and a skill-dependent share of the sliding. The split is a
    // plain projection on both axes at every heading, straight up included.
    if (std::fabs(forwardKmh) > standingSpeed && !state.gripLost) {
        const float g = sideGrip(state.skillLevel, r);
        const b2Vec2 gripped(s * along + c * across * g, -c * along + s * across * g);
        if (gripped.Length() > 0.1f)
            body.SetLinearVelocity(gripped); // never zero here, so the body wakes
    }
    return pixelSpeed;
}

void Player::handleKeyboard(const PlayerInput& input)
{
    if (game.paused || !body || isComputer || input.keyboardTaken || !isLocallyControlled(playerId))
        return;
    DrivingState state;
    state.skillLevel = game.roundSettings.skillLevel;
    state.nitroActive = nitroActive;
    state.timeWarp = timeWarpTimer > 0.0f;
    state.gripLost = bombStun > 0.0f || missileHit > 0.0f;
    // Out of control it may still steer, but not accelerate.
    PlayerInput driving = input;
    if (isDisabled())
        driving.throttle = 0;
    speed = applyDrivingModel(*body, driving, state, speedCurve);
}

bool updateNitro(float& nitroSeconds, bool held, float dt)
{
    if (held) {
        nitroSeconds -= dt;
        if (nitroSeconds > 0.0f)
            return true;
        nitroSeconds = 0.0f;
        return false;
    }
    nitroSeconds = std::min(nitroSeconds + dt * nitroRefillRate, maxNitroSeconds);
    return false;
}

void smoothPose(float& x, float& y, float& angle, float targetX, float targetY,
                float targetAngle, float rate, float dt)
{
    if (distance(x, y, targetX, targetY) > snapDistance) {
        x = targetX;
        y = targetY;
        angle = targetAngle;
        return;
    }
    const float f = std::clamp(rate * dt, 0.0f, 1.0f);
    x = x * (1.0f - f) + targetX * f;
    y = y * (1.0f - f) + targetY * f;
    angle = kv::wrapRadians(angle + f * shortestTurn(targetAngle, angle));
}

// ---- The computer player ----

float chooseComputerHeading(float currentTarget, float bearingToToken, int roll3, int roll4,
                            int rollDegrees)
{
    float target = currentTarget;
    if (roll3 > 0)
        target = bearingToToken;
    if (roll4 < 1)
        target = kv::degrees(static_cast<float>(rollDegrees)).asRadians();
    return target;
}

float turnComputer(float angle, float target, float dt)
{
    bool down = false, up = false;
    const float step = computerTurnDegreesPerSecond * std::max(dt, 0.0f);
    return kv::turnTowards(kv::radians(kv::wrapRadians(angle)), kv::radians(kv::wrapRadians(target)), step,
                           down, up)
        .asRadians();
}

float keepInsideMap(float value, float radius, float size)
{
    if (value < radius)
        return radius;
    if (value + radius >= size)
        return size - radius - 1.0f;
    return value;
}

int nearestOtherPlayer(const Player& self, float maxDistance)
{
    int best = -1;
    float bestDistance = 0.0f;
    for (size_t i = 0; i < game.players.size(); i++) {
        const Player& p = *game.players[i];
        if (&p == &self)
            continue;
        const float d = distance(self.x, self.y, p.x, p.y);
        if (maxDistance >= 0.0f && !(d < maxDistance))
            continue;
        if (best < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

void tickEffectTimers(Player& player, float dt)
{
    for (float* timer : {&player.bombStun, &player.pulseHit, &player.missileHit,
                         &player.dronePulseHit, &player.empTimer, &player.timeWarpTimer})
        if (*timer > 0.0f)
            *timer = std::max(*timer - dt, 0.0f);
}

// ---- The frame update ----

namespace {

void reportItemUsed(const Player& p, ItemType item)
{
    GameEvent event;
    event.type = GameEventType::ItemUsed;
    event.playerId = p.playerId;
    event.item = item;
    reportEvent(event);
}

// 0 .. n - 1 from the game's own generator.
int rollBelow(uint32_t n)
{
    return static_cast<int>(game.random.next() % n);
}

void driveComputer(Player& p, float dt)
{
    // Its clock runs while it is stunned too, so it decides afresh as it comes to.
    p.aiDecisionTime += dt;
    if (p.isDisabled()) {
        p.speed = 0.0f;
        return;
    }
    if (p.aiDecisionTime > computerDecisionSeconds) {
        p.aiDecisionTime = 0.0f;
        const float bearing = kv::angleToPoint(p.x, p.y, game.token.x, game.token.y).asRadians();
        const int roll3 = rollBelow(3), roll4 = rollBelow(4), rollDegrees = rollBelow(360);
        p.aiTargetAngle = chooseComputerHeading(p.aiTargetAngle, bearing, roll3, roll4, rollDegrees);
    }
    if (p.angle != p.aiTargetAngle)
        p.angle = turnComputer(p.angle, p.aiTargetAngle, dt);
    p.speed = p.timeWarpTimer > 0.0f ? computerTimeWarpSpeed : computerSpeed;
}

void followReceivedPose(Player& p, float dt)
{
    if (!p.netReceived) {
        p.x = p.netTargetX;
        p.y = p.netTargetY;
        p.angle = kv::wrapRadians(p.netTargetAngle);
    } else {
        smoothPose(p.x, p.y, p.angle, p.netTargetX, p.netTargetY, p.netTargetAngle,
                   static_cast<float>(gameSettings.lerpRate), dt);
    }
    p.netReceived = true;
}

void useHeldItems(Player& p, float dt, const PlayerInput& input)
{
    p.nitroActive = updateNitro(p.nitroSeconds, input.nitro, dt);

    const bool button = input.useItem;
    if (p.itemCooldown > 0.0f)
        p.itemCooldown = button ? std::max(p.itemCooldown - dt, 0.0f) : 0.0f;

    if (p.currentItem < 0 || p.currentItem >= itemTypeCount)
        return;
    int& count = p.itemCounts[p.currentItem];
    if (count < 1)
        return;
    if (!((button && p.itemCooldown <= 0.0f) || input.useItemPressed))
        return;
    const ItemType item = static_cast<ItemType>(p.currentItem);
    count--;
    const bool spent = count < 1;
    p.useItem(item);
    p.itemCooldown = itemRepeatSeconds;
    reportItemUsed(p, item);
    if (spent)
        selectNextItem(p);
}

void fireGun(Player& p, float dt)
{
    if (p.gunShots < 1)
        return;
    p.gunCooldown -= dt;
    if (p.gunCooldown > 0.0f)
        return;
    const int target = nearestOtherPlayer(p, weaponRange);
    const float aim = target >= 0 ? kv::angleToPoint(p.x, p.y, game.players[target]->x,
                                                     game.players[target]->y).asRadians()
                                  : p.angle;
    const sf::Vector2f origin(p.x, p.y), still(0.0f, 0.0f);
    fireWeapon(WeaponType::PulseCannon, &origin, &aim, static_cast<int16_t>(p.playerId), -1, -1,
               &still);
    p.gunShots--;
    if (p.gunShots > 0)
        p.gunCooldown = gunShotInterval;
}

void flyDrone(Player& p, float dt)
{
    const float f = std::clamp(dt * 10.0f, 0.0f, 1.0f);
    p.droneX = p.droneX * (1.0f - f) + (p.x + droneOffsetX) * f;
    p.droneY = p.droneY * (1.0f - f) + (p.y + droneOffsetY) * f;

    const int target = nearestOtherPlayer(p, weaponRange);
    if (target >= 0) {
        const Player& t = *game.players[target];
        const float bearing = kv::angleToPoint(p.droneX, p.droneY, t.x, t.y).asRadians();
        p.droneAngle = kv::wrapRadians(p.droneAngle + 2.0f * dt * shortestTurn(bearing, p.droneAngle));
    }
    p.droneCooldown -= dt;
    if (p.droneCooldown <= 0.0f && target >= 0 && !game.players[target]->isDisabled()) {
        p.droneCooldown = droneShotInterval;
        const sf::Vector2f origin(p.droneX, p.droneY), still(0.0f, 0.0f);
        fireWeapon(WeaponType::DronePulse, &origin, &p.droneAngle,
                   static_cast<int16_t>(p.playerId), -1, -1, &still);
    }
    p.droneTime -= dt;
    if (p.droneTime <= 0.0f) {
        p.droneTime = 0.0f;
        p.droneActive = false;
        reportDroneState(p.playerId, false);
    }
}

void puffExhaust(Player& p, float dt)
{
    if (std::fabs(p.speed) <= 1.5f)
        return;
    p.trailTimer += dt;
    if (p.speed <= 0.0f || p.trailTimer <= 0.005f)
        return;
    sf::Vector2f at(p.x, p.y);
    kv::moveInDirection(at.x, at.y, kv::radians(p.angle), -p.radius);
    const sf::Vector2f still(0.0f, 0.0f);
    const sf::Vector2f size = p.nitroActive ? sf::Vector2f(32.0f, 32.0f) : sf::Vector2f(8.0f, 8.0f);
    const sf::Color colour = p.nitroActive ? sf::Color(64, 64, 64, 255) : sf::Color(230, 230, 230, 255);
    spawnSmoke(&at, &still, &size, &colour, 0.3f, 1.0f, 0.25f);
    p.trailTimer = 0.0f;
}

void takePickups(Player& p)
{
    const int index = findPickupToTake(p);
    if (index < 0)
        return;
    const Pickup pickup = game.pickups[static_cast<size_t>(index)];
    const ItemType type = static_cast<ItemType>(pickup.type);
    if (p.isComputer) {
        p.useItem(type);
        reportItemUsed(p, type);
    } else {
        p.currentItem = type;
        p.itemCounts[type]++;
    }
    reportSound(itemPickupSounds[type], pickup.x, pickup.y);
    GameEvent taken;
    taken.type = GameEventType::PickupTaken;
    taken.playerId = p.playerId;
    taken.pickupId = pickup.id;
    reportEvent(taken);
    removePickup(index);
}

void takeToken(Player& p)
{
    if (!game.token.present || !touchesToken(p))
        return;
    p.tokens++;
    reportSound(upSound, game.token.x, game.token.y);
    GameEvent taken;
    taken.type = GameEventType::TokenTaken;
    taken.playerId = p.playerId;
    taken.count = p.tokens;
    taken.x = game.token.x;
    taken.y = game.token.y;
    reportEvent(taken);
    placeToken(randomMapPosition(gameImageSizes.token.x * 0.5f));
    GameEvent moved;
    moved.type = GameEventType::TokenMoved;
    moved.x = game.token.x;
    moved.y = game.token.y;
    reportEvent(moved);
}

} // namespace

int simulationSliceCount(float dt)
{
    if (!(dt > maxSimulationSlice))
        return 1;
    return static_cast<int>(std::min(std::ceil(dt / maxSimulationSlice - 1e-4f), 60.0f));
}

void Player::update(float dt, const PlayerInput& input)
{
    if (game.paused)
        return;
    // The computer drives 780 px a second: in a frame of a tenth of a second it would jump past
    // the token. Everything else here is carried by its own time, pose or network.
    const int slices = isComputer ? simulationSliceCount(dt) : 1;
    for (int i = 0; i < slices; ++i)
        updateStep(dt / static_cast<float>(slices), input);
}

void Player::updateStep(float dt, const PlayerInput& input)
{
    const bool simulating = simulatesGame();
    const bool local = !isComputer && isLocallyControlled(playerId);

    if (isComputer)
        driveComputer(*this, dt);
    else if (!local)
        followReceivedPose(*this, dt);

    if (!simulating && !isComputer && droneActive)
        smoothPose(droneX, droneY, droneAngle, droneTargetX, droneTargetY, droneTargetAngle,
                   static_cast<float>(gameSettings.lerpRate), dt);

    if (local) {
        x = renderX;
        y = renderY;
        angle = kv::wrapRadians(renderAngle);
        if (!input.keyboardTaken)
            useHeldItems(*this, dt, input);
    }

    if (nitroActive) {
        GameEvent nitro;
        nitro.type = GameEventType::NitroSound;
        nitro.playerId = playerId;
        nitro.x = x;
        nitro.y = y;
        reportEvent(nitro);
    }

    const bool computerHere = isComputer && simulating;
    if (local || computerHere)
        fireGun(*this, dt);
    if (droneActive && simulating)
        flyDrone(*this, dt);

    if (computerHere) {
        if (speed != 0.0f)
            kv::moveInDirection(x, y, kv::radians(angle), speed * dt);
        x = keepInsideMap(x, radius, mapWorldSize.x);
        y = keepInsideMap(y, radius, mapWorldSize.y);
    }

    puffExhaust(*this, dt);
    if (simulating) {
        takePickups(*this);
        takeToken(*this);
    }
    tickEffectTimers(*this, dt);
}

} // namespace tvl
