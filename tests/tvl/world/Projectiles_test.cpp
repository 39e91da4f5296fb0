#include "world/Projectiles.h"

#include "support/GameFixture.h"

#include "core/Hash.h"
#include "world/GameAssets.h"
#include "world/Images.h"
#include "world/Physics.h"
#include "world/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace tvl;

constexpr float pi = 3.14159265f;
constexpr float right = pi * 0.5f; // the heading toward +x
const sf::Vector2f still(0.0f, 0.0f);

// A game with the three projectile images (pulse 12 x 32, drone pulse 10 x 24, missile
// 20 x 60) and no window.
class ProjectilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        gametest::resetGameState();
        resetImageTables();
        const sf::Vector2i sizes[] = {{64, 64}, {12, 32}, {10, 24}, {20, 60}};
        for (int i = 0; i < 4; ++i) {
            (*images)[static_cast<size_t>(i)].width = sizes[i].x;
            (*images)[static_cast<size_t>(i)].height = sizes[i].y;
        }
        imageCount = 4;
        energyPulseImageNumber = 1;
        dronePulseImageNumber = 2;
        missileImageNumber = 3;
    }
    void TearDown() override
    {
        energyPulseImageNumber = dronePulseImageNumber = missileImageNumber = 0;
        resetImageTables();
        gametest::endGameState();
    }

    // A player of radius 24 at (x, y).
    static Player& add(uint16_t id, float x, float y, bool computer = false)
    {
        auto p = std::make_shared<Player>();
        p->playerId = id;
        p->x = x;
        p->y = y;
        p->radius = 24.0f;
        p->isComputer = computer;
        game.players.push_back(p);
        return *p;
    }

    static Projectile* fire(WeaponType type, sf::Vector2f origin, float angle, int16_t owner,
                            int16_t target = -1, int id = -1, sf::Vector2f inherited = {})
    {
        return fireWeapon(type, &origin, &angle, owner, target, id, &inherited);
    }

    static std::vector<GameEventType> eventTypes()
    {
        std::vector<GameEventType> types;
        for (const GameEvent& e : game.events)
            types.push_back(e.type);
        return types;
    }

    static void becomeClient()
    {
        game.gameType = MultiplayerGame;
        netRole = ClientRole;
    }
    static void becomeServer()
    {
        game.gameType = MultiplayerGame;
        netRole = ServerRole;
    }
};

float speedOf(const Projectile& p)
{
    return std::hypot(p.vx, p.vy);
}

TEST_F(ProjectilesTest, EachWeaponIsMadeFromItsTable)
{
    struct Case {
        WeaponType type;
        int image;
        float width, height, speed, lifetime;
        bool smoke;
        sf::Vector2f puff, lightHalf;
        sf::Color light;
    };
    const Case cases[] = {
        {WeaponType::PulseCannon, 1, 12.0f, 32.0f, 1000.0f, 7.5f, false, {0, 0}, {64, 64}, sf::Color(255, 255, 0)},
        {WeaponType::DronePulse, 2, 7.5f, 18.0f, 1000.0f, 7.5f, false, {0, 0}, {32, 32}, sf::Color(255, 0, 0)},
        {WeaponType::Missile, 3, 10.0f, 30.0f, 500.0f, 12.0f, true, {4, 4}, {20, 60}, sf::Color(255, 255, 255)},
    };
    add(1, 500.0f, 500.0f);
    add(2, 3000.0f, 500.0f);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const Projectile* p = fire(c.type, {100.0f, 200.0f}, right, 1, 2);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->image, c.image);
        EXPECT_FLOAT_EQ(p->width, c.width);
        EXPECT_FLOAT_EQ(p->height, c.height);
        EXPECT_NEAR(p->vx, c.speed, 1e-3f);
        EXPECT_NEAR(p->vy, 0.0f, 1e-3f);
        EXPECT_EQ(p->vx, p->baseVx);
        EXPECT_FLOAT_EQ(p->lifetime, c.lifetime);
        EXPECT_EQ(p->smokeTrail, c.smoke);
        EXPECT_EQ(sf::Vector2f(p->puffWidth, p->puffHeight), c.puff);
        EXPECT_TRUE(p->light.enabled && p->light.glowByDay && p->light.visible);
        EXPECT_EQ(sf::Vector2f(p->light.halfWidth, p->light.halfHeight), c.lightHalf);
        EXPECT_EQ(p->light.colour, c.light);
        EXPECT_EQ(p->light.quad.getVertexCount(), 4u);
        EXPECT_EQ(sf::Vector2f(p->x, p->y), sf::Vector2f(100.0f, 200.0f));
        EXPECT_EQ(p->ownerId, 1);
    }
    ASSERT_EQ(game.projectiles.size(), 3u);
    EXPECT_EQ(game.projectiles[1].id, game.projectiles[0].id + 1);
}

TEST_F(ProjectilesTest, PulsesFlyStraightAtTheirSpeed)
{
    fire(WeaponType::PulseCannon, {100.0f, 1000.0f}, right, 1);
    fire(WeaponType::DronePulse, {2000.0f, 1000.0f}, 0.0f, 1);
    for (int i = 0; i < 5; ++i)
        updateProjectiles(0.1f);
    ASSERT_EQ(game.projectiles.size(), 2u);
    EXPECT_NEAR(game.projectiles[0].x, 600.0f, 1e-2f);
    EXPECT_NEAR(game.projectiles[0].y, 1000.0f, 1e-2f);
    EXPECT_NEAR(game.projectiles[1].x, 2000.0f, 1e-2f);
    EXPECT_NEAR(game.projectiles[1].y, 500.0f, 1e-2f);
    EXPECT_NEAR(game.projectiles[0].lifetime, 7.0f, 1e-4f);
}

// A vehicle driving forward adds its speed to its shots; the extra bleeds off at 12.5 px/s².
TEST_F(ProjectilesTest, ForwardSpeedIsInheritedAndBleedsOff)
{
    ASSERT_TRUE(createPhysicsWorld(4000.0f, 4000.0f));
    struct Case {
        float bodyVy;   // metres per second; up is forward at heading 0
        float launch;   // px/s
        float afterOne; // px/s after 1 s
        float last;     // px/s after 7.4 s
    };
    const Case cases[] = {{-10.0f, 1160.0f, 1147.5f, 1067.5f},
                          {10.0f, 1000.0f, 1000.0f, 1000.0f},
                          {0.0f, 1000.0f, 1000.0f, 1000.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bodyVy);
        clearProjectiles();
        game.players.clear();
        Player& owner = add(1, 2000.0f, 2000.0f);
        ASSERT_NE(createVehicleBody(owner, 2000.0f, 2000.0f, 0.0f, 32.0f, 48.0f), nullptr);
        owner.body->SetLinearVelocity(b2Vec2(0.0f, c.bodyVy));
        const Projectile* p = fire(WeaponType::PulseCannon, {2000.0f, 2000.0f}, 0.0f, 1);
        ASSERT_NE(p, nullptr);
        EXPECT_NEAR(speedOf(*p), c.launch, 1e-2f);
        EXPECT_NEAR(p->vx, 0.0f, 1e-3f);
        EXPECT_FLOAT_EQ(p->baseVy, -1000.0f);
        for (int i = 0; i < 10; ++i)
            updateProjectiles(0.1f);
        ASSERT_EQ(game.projectiles.size(), 1u);
        EXPECT_NEAR(speedOf(game.projectiles[0]), c.afterOne, 1e-2f);
        // 160 px/s at 12.5 px/s² would take 12.8 s: the 7.5 s lifetime ends the shot first.
        updateProjectiles(6.4f);
        ASSERT_EQ(game.projectiles.size(), 1u);
        EXPECT_NEAR(speedOf(game.projectiles[0]), c.last, 1e-2f);
        updateProjectiles(0.2f);
        EXPECT_TRUE(game.projectiles.empty());
        destroyPlayerBody(owner);
    }
}

TEST_F(ProjectilesTest, TheLastStepOfTheBleedLandsOnTheBaseVelocity)
{
    fire(WeaponType::PulseCannon, {100.0f, 100.0f}, right, 1, -1, -1, {5.0f, 0.0f});
    updateProjectiles(0.2f); // 2.5 px/s of 5
    EXPECT_NEAR(game.projectiles[0].vx, 1002.5f, 1e-3f);
    updateProjectiles(0.3f); // 3.75 px/s asked, 2.5 left
    EXPECT_EQ(game.projectiles[0].vx, game.projectiles[0].baseVx);
    EXPECT_EQ(game.projectiles[0].vy, game.projectiles[0].baseVy);
}

TEST_F(ProjectilesTest, MissileTurnsTowardItsTargetAndKeepsItsLaunchVelocity)
{
    add(1, 0.0f, 0.0f);
    add(2, 2000.0f, 1000.0f); // due right of the launch point
    fire(WeaponType::Missile, {1000.0f, 1000.0f}, 0.0f, 1, 2);
    updateProjectiles(0.0125f);
    const Projectile& m = game.projectiles[0];
    // A quarter turn wanted, 0.0125 s x 4 of it taken; then 9.375 px along the new heading.
    const float angle = 0.05f * right;
    EXPECT_NEAR(m.angle, angle, 1e-4f);
    EXPECT_NEAR(m.x, 1000.0f + std::sin(angle) * 9.375f, 1e-3f);
    EXPECT_NEAR(m.y, 1000.0f - std::cos(angle) * 9.375f, 1e-3f);
    EXPECT_NEAR(m.vx, 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(m.vy, -500.0f);
    // The turn is the short way: a target on the left turns it back through 0 into 2π.
    findPlayer(2)->x = 0.0f;
    findPlayer(2)->y = m.y;
    for (int i = 0; i < 20; ++i)
        updateProjectiles(0.05f);
    EXPECT_GT(game.projectiles[0].angle, pi);
    EXPECT_LT(game.projectiles[0].angle, 2.0f * pi);
}

// A missile whose target left disappears on the next update, on every machine; only the
// simulating one reports it.
TEST_F(ProjectilesTest, MissileWithoutItsTargetIsRemoved)
{
    struct Case {
        const char* role;
        void (*become)();
        bool reported;
    };
    const Case cases[] = {
        {"single player", [] {}, true},
        {"server", [] { becomeServer(); }, true},
        {"client", [] { becomeClient(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        SetUp();
        c.become();
        add(1, 0.0f, 0.0f);
        add(2, 3000.0f, 3000.0f);
        ASSERT_NE(fire(WeaponType::Missile, {1000.0f, 1000.0f}, 0.0f, 1, 2, 77), nullptr);
        updateProjectiles(0.1f);
        ASSERT_EQ(game.projectiles.size(), 1u);
        erasePlayer(1);
        game.events.clear();
        updateProjectiles(0.1f);
        EXPECT_TRUE(game.projectiles.empty());
        EXPECT_EQ(eventTypes(), c.reported ? std::vector<GameEventType>{GameEventType::ProjectileRemoved}
                                           : std::vector<GameEventType>{});
        TearDown();
    }
}

// Who a shot at (1000, 1000) overlaps, by the role of this machine.
TEST_F(ProjectilesTest, HitsByRole)
{
    enum Kind { Local, Computer, Remote };
    struct Case {
        const char* what;
        void (*become)();
        Kind kind;
        bool removed;
        bool appliedHere;
        std::vector<GameEventType> events;
    };
    using E = GameEventType;
    const Case cases[] = {
        {"single player, computer", [] {}, Computer, true, true, {E::Sound, E::ProjectileRemoved}},
        {"single player, local", [] {}, Local, true, true, {E::Sound, E::ProjectileRemoved}},
        // A hit applied on a server bursts into debris, which its clients are told of.
        {"server, computer", [] { becomeServer(); }, Computer, true, true,
         {E::Sound, E::Debris, E::ProjectileRemoved}},
        {"server, own player", [] { becomeServer(); }, Local, true, true,
         {E::Sound, E::Debris, E::ProjectileRemoved}},
        {"server, a client's player", [] { becomeServer(); }, Remote, true, false,
         {E::Sound, E::PlayerHit, E::ProjectileRemoved}},
        {"client, own player", [] { becomeClient(); }, Local, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.become();
        add(1, 0.0f, 0.0f); // the shooter, far away
        Player& victim = add(9, 1000.0f, 1000.0f, c.kind == Computer);
        game.localPlayerIndex = c.kind == Local ? 1 : 0;
        // A shot with its id given, as a client makes the announced ones.
        ASSERT_NE(fire(WeaponType::PulseCannon, {970.0f, 1000.0f}, right, 1, -1, 5), nullptr);
        game.events.clear();
        updateProjectiles(0.01f); // 10 px on: the shot's tip is inside the square
        EXPECT_EQ(game.projectiles.size(), c.removed ? 0u : 1u);
        EXPECT_FLOAT_EQ(victim.pulseHit, c.appliedHere ? pulseHitSeconds : 0.0f);
        EXPECT_EQ(eventTypes(), c.events);
        for (const GameEvent& e : game.events) {
            if (e.type == E::Sound) {
                EXPECT_EQ(e.soundName, kv::hashName("Contact\\LaserHit"));
            } else if (e.type == E::PlayerHit) {
                EXPECT_EQ(e.playerId, 9);
                EXPECT_EQ(e.item, static_cast<int32_t>(WeaponType::PulseCannon));
                EXPECT_NEAR(e.vx, 1000.0f, 1e-2f);
            }
        }
        TearDown();
    }
}

TEST_F(ProjectilesTest, NeverHitsItsOwnerAndHitsTheFirstOverlappingPlayer)
{
    add(1, 1000.0f, 1000.0f, true); // the owner, right on the shot
    Player& first = add(2, 1010.0f, 1000.0f, true);
    Player& second = add(3, 1000.0f, 1010.0f, true);
    fire(WeaponType::DronePulse, {1000.0f, 1000.0f}, right, 1);
    updateProjectiles(0.001f);
    EXPECT_TRUE(game.projectiles.empty());
    EXPECT_FLOAT_EQ(first.dronePulseHit, dronePulseHitSeconds);
    EXPECT_FLOAT_EQ(second.dronePulseHit, 0.0f);
    EXPECT_FLOAT_EQ(findPlayer(1)->dronePulseHit, 0.0f);

    fire(WeaponType::PulseCannon, {1000.0f, 1000.0f}, right, 1);
    first.x = second.x = 3000.0f;
    updateProjectiles(0.001f);
    EXPECT_EQ(game.projectiles.size(), 1u);
    EXPECT_FLOAT_EQ(findPlayer(1)->pulseHit, 0.0f);
}

// A pulse crosses 100 px in a tenth of a second, more than a vehicle and the shot together
// (48 + 12): a long frame must still hit the vehicle it passes through.
TEST_F(ProjectilesTest, ALongFrameDoesNotCarryAShotThroughAVehicle)
{
    add(1, 1000.0f, 1000.0f, true);
    Player& target = add(2, 1060.0f, 1000.0f, true);
    fire(WeaponType::PulseCannon, {1000.0f, 1000.0f}, right, 1);
    updateProjectiles(0.1f);
    EXPECT_TRUE(game.projectiles.empty());
    EXPECT_FLOAT_EQ(target.pulseHit, pulseHitSeconds);
}

// A simulating machine removes a shot when its lifetime runs out; a client only drops it, without
// a word, when the server's removal is two seconds late.
TEST_F(ProjectilesTest, LifetimeByRole)
{
    struct Case {
        const char* role;
        void (*become)();
        std::vector<float> steps;
        std::vector<bool> present; // after each step
    };
    const Case cases[] = {
        {"single player", [] {}, {7.4f, 0.2f}, {true, false}},
        {"server", [] { becomeServer(); }, {7.4f, 0.2f}, {true, false}},
        {"client", [] { becomeClient(); }, {7.4f, 0.2f, 1.8f, 0.2f}, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        SetUp();
        c.become();
        ASSERT_NE(fire(WeaponType::PulseCannon, {0.0f, 0.0f}, right, 1, -1, 12), nullptr);
        game.events.clear();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            updateProjectiles(c.steps[i]);
            EXPECT_EQ(game.projectiles.size(), c.present[i] ? 1u : 0u) << "step " << i;
        }
        const bool simulating = netRole != ClientRole;
        EXPECT_EQ(eventTypes(), simulating ? std::vector<GameEventType>{GameEventType::ProjectileRemoved}
                                           : std::vector<GameEventType>{});
        TearDown();
    }
}

TEST_F(ProjectilesTest, AClientForwardsItsShotsAndMakesTheAnnouncedOnes)
{
    becomeClient();
    ASSERT_TRUE(createPhysicsWorld(4000.0f, 4000.0f));
    Player& me = add(4, 1000.0f, 1000.0f);
    game.localPlayerIndex = 0;
    ASSERT_NE(createVehicleBody(me, 1000.0f, 1000.0f, right, 32.0f, 48.0f), nullptr);
    me.body->SetLinearVelocity(b2Vec2(5.0f, 0.0f));

    EXPECT_EQ(fire(WeaponType::Missile, {1000.0f, 1000.0f}, right, 4, 7, -1, {1.0f, 2.0f}), nullptr);
    EXPECT_TRUE(game.projectiles.empty());
    ASSERT_EQ(eventTypes(), std::vector<GameEventType>{GameEventType::WeaponFired});
    const GameEvent& forwarded = game.events[0];
    EXPECT_EQ(forwarded.item, static_cast<int32_t>(WeaponType::Missile));
    EXPECT_EQ(forwarded.projectileId, -1);
    EXPECT_EQ(sf::Vector2f(forwarded.x, forwarded.y), sf::Vector2f(1000.0f, 1000.0f));
    EXPECT_FLOAT_EQ(forwarded.angle, right);
    EXPECT_FLOAT_EQ(forwarded.vx, 81.0f); // 5 m/s forward is 80 px/s on top
    EXPECT_FLOAT_EQ(forwarded.vy, 2.0f);
    EXPECT_EQ(forwarded.playerId, 4);
    EXPECT_EQ(forwarded.targetId, 7);

    // The server's announcement: its id and velocity as given, no report back.
    game.events.clear();
    const Projectile* announced = fire(WeaponType::PulseCannon, {50.0f, 60.0f}, right, 4, -1, 321, {81.0f, 0.0f});
    ASSERT_NE(announced, nullptr);
    EXPECT_EQ(announced->id, 321);
    EXPECT_NEAR(announced->vx, 1081.0f, 1e-2f);
    EXPECT_EQ(game.events.size(), 1u); // the fire sound only
    EXPECT_EQ(game.events[0].type, GameEventType::Sound);
    EXPECT_EQ(game.events[0].soundName, 0u);
    // A duplicate announcement is ignored.
    EXPECT_EQ(fire(WeaponType::PulseCannon, {70.0f, 80.0f}, 0.0f, 4, -1, 321), nullptr);
    ASSERT_EQ(game.projectiles.size(), 1u);
    EXPECT_EQ(game.projectiles[0].x, 50.0f);
    // Removal by id; an unknown id changes nothing.
    removeProjectile(999);
    EXPECT_EQ(game.projectiles.size(), 1u);
    removeProjectile(321);
    EXPECT_TRUE(game.projectiles.empty());
    destroyPlayerBody(me);
}

TEST_F(ProjectilesTest, AServerReportsEachNewShotWithItsId)
{
    becomeServer();
    add(1, 0.0f, 0.0f);
    game.localPlayerIndex = 0;
    add(2, 900.0f, 900.0f);
    const Projectile* p = fire(WeaponType::Missile, {10.0f, 20.0f}, right, 1, 2, -1, {3.0f, 4.0f});
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(eventTypes(), (std::vector<GameEventType>{GameEventType::Sound, GameEventType::WeaponFired}));
    const GameEvent& fired = game.events[1];
    EXPECT_EQ(fired.projectileId, p->id);
    EXPECT_EQ(fired.item, static_cast<int32_t>(WeaponType::Missile));
    EXPECT_EQ(sf::Vector2f(fired.x, fired.y), sf::Vector2f(10.0f, 20.0f));
    EXPECT_EQ(sf::Vector2f(fired.vx, fired.vy), sf::Vector2f(3.0f, 4.0f));
    EXPECT_EQ(fired.playerId, 1);
    EXPECT_EQ(fired.targetId, 2);
}

TEST_F(ProjectilesTest, IdsWrapAfter999999AndRefuseUnknownWeapons)
{
    setLastProjectileId(999998);
    const int expected[] = {999999, 0, 1};
    for (int id : expected)
        EXPECT_EQ(fire(WeaponType::PulseCannon, {0.0f, 0.0f}, 0.0f, 1)->id, id);
    EXPECT_EQ(fire(static_cast<WeaponType>(3), {0.0f, 0.0f}, 0.0f, 1), nullptr);
    EXPECT_EQ(fire(static_cast<WeaponType>(-1), {0.0f, 0.0f}, 0.0f, 1, -1, 40), nullptr);
    EXPECT_EQ(game.projectiles.size(), 3u);
    clearProjectiles();
    EXPECT_TRUE(game.projectiles.empty());
    EXPECT_EQ(fire(WeaponType::PulseCannon, {0.0f, 0.0f}, 0.0f, 1)->id, 2);
}

} // namespace
