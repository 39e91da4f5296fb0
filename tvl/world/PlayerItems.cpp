// Items on the player: choosing one, picking up, using, and being hit.
#include "world/Player.h"

#include "audio/Audio.h"
#include "core/Geometry.h"
#include "core/Hash.h"
#include "core/Log.h"
#include "world/Effects.h"
#include "world/GameRules.h"
#include "world/GameAssets.h"

#include <algorithm>
#include <cmath>

namespace tvl {

namespace {

int heldCount(const Player& player, int type)
{
    const auto it = player.itemCounts.find(type);
    return it == player.itemCounts.end() ? 0 : it->second;
}

void stepItem(Player& player, int direction)
{
    const int start = std::clamp(player.currentItem, 0, itemTypeCount - 1);
    int type = start;
    do
        type = (type + direction + itemTypeCount) % itemTypeCount;
    while (heldCount(player, type) < 1 && type != start);
    player.currentItem = type;
}

float distanceBetween(const Player& a, const Player& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

sf::Vector2f bodyVelocity(const Player& player)
{
    if (!player.body)
        return {0.0f, 0.0f};
    const b2Vec2 v = player.body->GetLinearVelocity();
    return {v.x, v.y};
}

struct Burst {
    uint8_t r, g, b;
    float maxSize;
    float growthRate;
};
constexpr Burst hitBurst{250, 75, 25, 400.0f, 800.0f};
constexpr Burst bombBurst{250, 75, 25, 1000.0f, 1400.0f};
constexpr Burst empBurst{175, 175, 250, 1800.0f, 2400.0f};
constexpr Burst timeWarpBurst{250, 250, 175, 1200.0f, 1500.0f};

void burstAt(const Player& player, const Burst& burst)
{
    const sf::Vector2f at(player.x, player.y);
    const sf::Vector2f velocity = bodyVelocity(player) * 0.75f;
    const sf::Vector2f size(4.0f, 4.0f), maxSize(burst.maxSize, burst.maxSize);
    const sf::Color colour(burst.r, burst.g, burst.b, 255);
    spawnDebris(&at, &velocity, &size, &maxSize, &colour, burst.growthRate, 0.9f, true);
}

// The local player, when it is somebody other than user and within radius of it.
Player* localVictim(const Player& user, float radius)
{
    Player* local = localPlayer();
    if (!local || local == &user || !(distanceBetween(user, *local) < radius))
        return nullptr;
    return local;
}

void slowBody(Player& player)
{
    if (player.body)
        player.body->SetLinearVelocity(0.25f * player.body->GetLinearVelocity());
}

void bomb(Player& user, bool actsHere)
{
    kv::writeLog(user.name + " set off a bomb");
    if (simulatesGame()) {
        static const uint32_t bombHitHash = kv::hashName("Contact\\BombHit");
        for (const auto& p : game.players) {
            if (p.get() == &user || !(distanceBetween(user, *p) < bombRadius))
                continue;
            if (p->isComputer) {
                p->bombStun = bombStunSeconds;
                burstAt(*p, hitBurst);
            }
            reportSound(bombHitSound, p->x, p->y, bombHitHash);
        }
    }
    if (Player* victim = localVictim(user, bombRadius)) {
        if (victim->body) {
            slowBody(*victim);
            const b2Vec2 from = toPhysics(user.x, user.y);
            b2Vec2 away = victim->body->GetPosition() - from;
            const float d = away.Length();
            if (d > 0.0f) {
                const float ratio = d / 31.25f;
                away *= (50000.0f / (ratio * ratio)) / d;
                victim->body->ApplyLinearImpulseToCenter(away, true);
            }
        }
        victim->bombStun = bombStunSeconds;
        burstAt(*victim, hitBurst);
    }
    if (actsHere)
        burstAt(user, bombBurst);
}

// EMP and Time Warp: the same reach, a different timer.
void areaEffect(Player& user, bool actsHere, float radius, float Player::*timer, float seconds,
                const Burst& burst)
{
    if (simulatesGame())
        for (const auto& p : game.players)
            if (p.get() != &user && p->isComputer && distanceBetween(user, *p) < radius)
                (*p).*timer = seconds;
    if (Player* victim = localVictim(user, radius)) {
        slowBody(*victim);
        (*victim).*timer = seconds;
    }
    if (actsHere)
        burstAt(user, burst);
}

} // namespace

void selectNextItem(Player& player)
{
    stepItem(player, 1);
}

void selectPreviousItem(Player& player)
{
    stepItem(player, -1);
}

int findPickupToTake(const Player& player)
{
    const float half = std::max(gameImageSizes.ship.x, gameImageSizes.ship.y) * 0.5f;
    for (size_t i = 0; i < game.pickups.size(); i++) {
        const Pickup& pickup = game.pickups[i];
        // A type outside the item table is no item and cannot be taken.
        if (pickup.type < 0 || pickup.type >= itemTypeCount || heldCount(player, pickup.type) >= 1)
            continue;
        const sf::Vector2f image = gameImageSizes.items[pickup.type];
        const float halfW = image.x * 0.25f, halfH = image.y * 0.25f;
        if (player.x - half < pickup.x + halfW && pickup.x - halfW < player.x + half
            && player.y - half < pickup.y + halfH && pickup.y - halfH < player.y + half)
            return static_cast<int>(i);
    }
    return -1;
}

bool touchesToken(const Player& player)
{
    const float side = std::max(gameImageSizes.token.x, gameImageSizes.token.y);
    const float r = player.radius;
    return kv::rotatedRectsOverlap(player.x - r, player.y - r, 2.0f * r, 2.0f * r, kv::Angle::Zero,
                                   game.token.x - side * 0.5f, game.token.y - side * 0.5f, side, side);
}

void Player::useItem(ItemType type)
{
    // Types come from the network too: anything outside the table is ignored whole.
    if (type < 0 || type >= itemTypeCount)
        return;
    reportSound(itemUseSounds[type], x, y);
    const bool actsHere = this == localPlayer() || (isComputer && simulatesGame());
    const sf::Vector2f origin(x, y), still(0.0f, 0.0f);

    switch (type) {
    case Nitro:
        nitroSeconds = std::min(nitroSeconds + nitroItemSeconds, maxNitroSeconds);
        break;
    case Missile:
        if (actsHere) {
            const int target = nearestOtherPlayer(*this, -1.0f);
            if (target >= 0)
                fireWeapon(WeaponType::Missile, &origin, &angle, static_cast<int16_t>(playerId),
                           static_cast<int16_t>(game.players[target]->playerId), -1, &still);
        }
        break;
    case Bomb:
        bomb(*this, actsHere);
        break;
    case EMP:
        areaEffect(*this, actsHere, empRadius, &Player::empTimer, empSeconds, empBurst);
        break;
    case TimeWarp:
        areaEffect(*this, actsHere, timeWarpRadius, &Player::timeWarpTimer, timeWarpSeconds,
                   timeWarpBurst);
        break;
    case Gun:
        if (actsHere) {
            gunShots += gunShotsPerItem;
            gunCooldown = 0.0f;
        }
        break;
    case Drone:
        if (!simulatesGame())
            break;
        if (!droneActive) {
            droneX = x + droneOffsetX;
            droneY = y + droneOffsetY;
            droneAngle = angle;
            reportDroneState(playerId, true);
        }
        droneActive = true;
        droneTime += droneSecondsPerItem;
        break;
    }
}

void Player::hit(WeaponType kind, const sf::Vector2f& projectileVelocity)
{
    switch (kind) {
    case WeaponType::PulseCannon:
        pulseHit = pulseHitSeconds;
        break;
    case WeaponType::DronePulse:
        dronePulseHit = dronePulseHitSeconds;
        break;
    case WeaponType::Missile:
        missileHit = missileHitSeconds;
        // Subtracted on purpose: the blast throws the victim back along the missile's path.
        if (body) {
            const b2Vec2 v = body->GetLinearVelocity()
                             - b2Vec2(projectileVelocity.x * metresPerPixel,
                                      projectileVelocity.y * metresPerPixel);
            body->SetLinearVelocity(v);
            if (v.x != 0.0f || v.y != 0.0f)
                body->SetAwake(true);
        }
        break;
    default:
        return; // not a weapon
    }
    burstAt(*this, hitBurst);
}

} // namespace tvl
