#include "world/Projectiles.h"

#include "core/Geometry.h"
#include "core/Hash.h"
#include "core/Log.h"
#include "core/RateLimiter.h"
#include "platform/Clock.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/GameEvents.h"
#include "world/Images.h"
#include "world/Physics.h"
#include "world/Player.h"
#include "world/WorldSprites.h"
#include "world/WorldView.h"

#include <cmath>

namespace tvl {

namespace {

struct WeaponSpec {
    const int32_t* image; // the well-known image number, looked up when the game loads
    float scale;
    float speed; // at launch
    float lifetime;
    bool smokeTrail;
    sf::Vector2f puffSize;
    sf::Color puffColour;
    const char* fireSound;
    const char* hitSound;
    sf::Vector2f lightHalfSize; // (0, 0): the image's own size
    sf::Color lightColour;
};

const WeaponSpec weaponSpecs[weaponTypeCount] = {
    {&energyPulseImageNumber, 1.0f, 1000.0f, 7.5f, false, {}, {}, "Weapons\\PulseCannon",
     "Contact\\LaserHit", {64.0f, 64.0f}, sf::Color(255, 255, 0, 255)},
    {&dronePulseImageNumber, 0.75f, 1000.0f, 7.5f, false, {}, {}, "Weapons\\DronePulseFire",
     "Contact\\LaserHit", {32.0f, 32.0f}, sf::Color(255, 0, 0, 255)},
    {&missileImageNumber, 0.5f, 500.0f, 12.0f, true, {4.0f, 4.0f}, sf::Color(230, 230, 230, 255),
     "Weapons\\Missile", "Contact\\MissileHit", {0.0f, 0.0f}, sf::Color(255, 255, 255, 255)},
};

constexpr float puffInterval = 0.005f;

// For the log: one line a shot made and a hit decided, which the end-to-end runs wait for.
const char* const weaponNames[weaponTypeCount] = {"pulse cannon", "drone pulse", "missile"};
// Shots and hits come with the traffic (every machine logs every shot): a few lines a second
// of each, with a count of those left out.
constexpr uint32_t shotLinesPerSecond = 5;
kv::RateLimiter shotLines(shotLinesPerSecond, 1.0);
kv::RateLimiter hitLines(shotLinesPerSecond, 1.0);

int32_t projectileIdCounter = 0;

int32_t nextProjectileId()
{
    projectileIdCounter = projectileIdCounter >= maxProjectileId ? 0 : projectileIdCounter + 1;
    return projectileIdCounter;
}

sf::Vector2f imageSize(int image)
{
    if (image < 0 || image >= imageCount)
        return {0.0f, 0.0f};
    const ImageRecord& record = (*images)[static_cast<size_t>(image)];
    return {static_cast<float>(record.width), static_cast<float>(record.height)};
}

int findProjectile(int id)
{
    for (size_t i = 0; i < game.projectiles.size(); ++i)
        if (game.projectiles[i].id == id)
            return static_cast<int>(i);
    return -1;
}

void removeProjectileAt(size_t index)
{
    if (simulatesGame()) {
        GameEvent removed;
        removed.type = GameEventType::ProjectileRemoved;
        removed.projectileId = game.projectiles[index].id;
        reportEvent(removed);
    }
    game.projectiles.erase(game.projectiles.begin() + static_cast<std::ptrdiff_t>(index));
}

void reportWeaponFired(WeaponType type, int32_t id, const sf::Vector2f& origin, float angle,
                       const sf::Vector2f& inherited, int16_t ownerId, int16_t targetId)
{
    GameEvent fired;
    fired.type = GameEventType::WeaponFired;
    fired.playerId = static_cast<uint16_t>(ownerId);
    fired.item = static_cast<int32_t>(type);
    fired.projectileId = id;
    fired.x = origin.x;
    fired.y = origin.y;
    fired.angle = angle;
    fired.vx = inherited.x;
    fired.vy = inherited.y;
    fired.targetId = targetId;
    reportEvent(fired);
}

void setUpLight(kv::LightSource& light, const WeaponSpec& spec, const sf::Vector2f& imageSize)
{
    const bool ownSize = spec.lightHalfSize.x == 0.0f && spec.lightHalfSize.y == 0.0f;
    const sf::Vector2f half = ownSize ? imageSize : spec.lightHalfSize;
    light.enabled = true;
    light.glowByDay = true;
    light.halfWidth = half.x;
    light.halfHeight = half.y;
    light.colour = spec.lightColour;
    light.visible = true;
    light.buildQuad();
}

void flyMissile(Projectile& p, const Player& target, float dt)
{
    const kv::Angle bearing = kv::angleToPoint(p.x, p.y, target.x, target.y);
    const float error = kv::degrees(kv::angleDifference(bearing, kv::radians(p.angle))).asRadians();
    p.angle = kv::wrapRadians(p.angle + dt * missileTurnRate * error);
    kv::moveInDirection(p.x, p.y, kv::radians(p.angle), dt * missileHomingSpeed);
}

void flyPulse(Projectile& p, float dt)
{
    p.x += p.vx * dt;
    p.y += p.vy * dt;
    const float dx = p.baseVx - p.vx, dy = p.baseVy - p.vy;
    const float gap = std::hypot(dx, dy);
    const float step = dt * pulseSlowdown;
    if (gap == 0.0f || gap < step) {
        p.vx = p.baseVx;
        p.vy = p.baseVy;
    } else {
        p.vx += dx / gap * step;
        p.vy += dy / gap * step;
    }
}

// The first player but the owner whose square overlaps the shot, in list order; null for none.
Player* playerHitBy(const Projectile& p)
{
    const float left = p.x - p.width * 0.5f, top = p.y - p.height * 0.5f;
    for (const auto& player : game.players) {
        if (static_cast<int32_t>(player->playerId) == p.ownerId)
            continue;
        const float r = player->radius;
        if (kv::rotatedRectsOverlap(left, top, p.width, p.height, kv::radians(p.angle), player->x - r,
                                    player->y - r, 2.0f * r, 2.0f * r))
            return player.get();
    }
    return nullptr;
}

void applyHit(const Projectile& p, Player& player)
{
    const WeaponSpec& spec = weaponSpecs[static_cast<int>(p.type)];
    reportSound(p.hitSound, p.x, p.y, kv::hashName(spec.hitSound));
    kv::writeLogLimited(hitLines, kv::steadySeconds(),
                        player.name + " hit by " + weaponNames[static_cast<int>(p.type)] + " " +
                            std::to_string(p.id) + " of player " + std::to_string(p.ownerId));
    const sf::Vector2f velocity(p.vx, p.vy);
    if (isLocallyControlled(player.playerId) || player.isComputer) {
        player.hit(p.type, velocity);
        return;
    }
    GameEvent hit;
    hit.type = GameEventType::PlayerHit;
    hit.playerId = player.playerId;
    hit.item = static_cast<int32_t>(p.type);
    hit.vx = velocity.x;
    hit.vy = velocity.y;
    reportEvent(hit);
}

} // namespace

Projectile* fireWeapon(WeaponType type, const sf::Vector2f* origin, const float* angle, int16_t ownerId,
                       int16_t targetId, int id, const sf::Vector2f* inherited)
{
    const int typeIndex = static_cast<int>(type);
    if (typeIndex < 0 || typeIndex >= weaponTypeCount)
        return nullptr;
    // UDP may bring the same announcement twice.
    if (id != -1 && findProjectile(id) >= 0)
        return nullptr;
    const WeaponSpec& spec = weaponSpecs[typeIndex];
    const float a = *angle;

    sf::Vector2f carried = *inherited;
    if (id == -1 && ownerId >= 0) {
        const Player* owner = findPlayer(static_cast<uint16_t>(ownerId));
        if (owner && owner->body) {
            const float forward = bodyLocalVelocity(owner->body, angle).y;
            if (forward > 0.0f)
                kv::moveInDirection(carried.x, carried.y, kv::radians(a), forward * pixelsPerMetre);
        }
    }
    if (id == -1 && !simulatesGame()) {
        // The server makes the shot and announces it back with its id.
        reportWeaponFired(type, -1, *origin, a, carried, ownerId, targetId);
        return nullptr;
    }

    Projectile p;
    p.id = id == -1 ? nextProjectileId() : id;
    p.type = type;
    p.image = *spec.image;
    p.scale = spec.scale;
    const sf::Vector2f size = imageSize(p.image);
    p.width = size.x * spec.scale;
    p.height = size.y * spec.scale;
    p.smokeTrail = spec.smokeTrail;
    p.puffWidth = spec.puffSize.x;
    p.puffHeight = spec.puffSize.y;
    p.puffColour = spec.puffColour;
    p.targetId = targetId;
    p.x = origin->x;
    p.y = origin->y;
    p.angle = a;
    p.ownerId = ownerId;
    p.lifetime = spec.lifetime;
    p.baseVx = std::sin(a) * spec.speed;
    p.baseVy = -std::cos(a) * spec.speed;
    p.vx = p.baseVx + carried.x;
    p.vy = p.baseVy + carried.y;
    setUpLight(p.light, spec, size);
    p.hitSound = kv::Audio::getSoundNumber(spec.hitSound, false);

    reportSound(kv::Audio::getSoundNumber(spec.fireSound, false), p.x, p.y);
    if (id == -1)
        reportWeaponFired(type, p.id, *origin, a, carried, ownerId, targetId);
    kv::writeLogLimited(shotLines, kv::steadySeconds(),
                        std::string("Fired ") + weaponNames[typeIndex] + " " + std::to_string(p.id) +
                            " of player " + std::to_string(ownerId));
    game.projectiles.push_back(std::move(p));
    return &game.projectiles.back();
}

void removeProjectile(int id)
{
    const int index = findProjectile(id);
    if (index >= 0)
        removeProjectileAt(static_cast<size_t>(index));
}

namespace {

void updateProjectilesStep(float dt)
{
    const bool simulating = simulatesGame();
    // Backwards, so a removal leaves the shots still to visit where they were.
    for (size_t i = game.projectiles.size(); i-- > 0;) {
        Projectile& p = game.projectiles[i];
        if (p.type == WeaponType::Missile) {
            const Player* target = p.targetId >= 0 ? findPlayer(static_cast<uint16_t>(p.targetId)) : nullptr;
            if (!target) {
                removeProjectileAt(i);
                continue;
            }
            flyMissile(p, *target, dt);
        } else {
            flyPulse(p, dt);
        }
        p.lifetime -= dt;
        if (!simulating) {
            // The server's removal may have been lost: the shot would fly on for ever.
            if (p.lifetime <= -clientLifetimeMargin)
                game.projectiles.erase(game.projectiles.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (p.lifetime <= 0.0f) {
            removeProjectileAt(i);
            continue;
        }
        if (Player* hit = playerHitBy(p)) {
            applyHit(p, *hit);
            removeProjectileAt(i);
        }
    }
}

} // namespace

void updateProjectiles(float dt)
{
    // A pulse flies 1000 px a second and more: in a long frame it would pass through a vehicle.
    const int slices = simulationSliceCount(dt);
    for (int i = 0; i < slices; ++i)
        updateProjectilesStep(dt / static_cast<float>(slices));
}

void drawProjectiles(float dt)
{
    WorldView& view = worldView;
    static const sf::Color white(255, 255, 255, 255);
    static const sf::Vector2f still(0.0f, 0.0f);
    for (size_t i = 0; i < game.projectiles.size(); ++i) {
        Projectile& p = game.projectiles[i];
        const sf::Vector2f screen = worldToTexture({p.x, p.y}, view.scroll, view.worldRenderScale);
        drawSpriteShaded(view, p.image, screen, p.angle, 0.0f, static_cast<int>(i), p.scale, false, white);
        p.light.submit(kv::layerDisplay, screen, p.angle,
                       lightScale(p.scale, view.worldRenderScale, kv::currentDrawScale));

        p.puffTimer += dt;
        if (p.smokeTrail && p.puffTimer > puffInterval) {
            // From the tail: half the shot's length behind its centre.
            sf::Vector2f tail(p.x, p.y);
            kv::moveInDirection(tail.x, tail.y, kv::radians(p.angle), -p.height * 0.5f);
            const sf::Vector2f size(p.puffWidth, p.puffHeight);
            spawnSmoke(&tail, &still, &size, &p.puffColour, 0.3f, 1.0f, 0.25f);
            p.puffTimer = 0.0f;
        }
    }
}

void clearProjectiles()
{
    game.projectiles.clear();
}

void setLastProjectileId(int32_t id)
{
    projectileIdCounter = id;
}

} // namespace tvl
