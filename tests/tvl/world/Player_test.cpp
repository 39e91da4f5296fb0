#include "world/Player.h"

#include "support/FakeInput.h"
#include "support/GameFixture.h"

#include "core/Geometry.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "world/Game.h"
#include "world/GameSession.h"
#include "world/Map.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

using namespace tvl;

constexpr float pi = 3.14159265f;

kv::test::FakeInput::KeySet& heldKeys = kv::test::FakeInput::keys;
kv::test::FakeInput::ButtonSet& heldButtons = kv::test::FakeInput::buttons;

// What the game reads from the held keys and buttons for a frame.
PlayerInput held()
{
    return playerInputFrom(kv::input);
}

// A single-player game on a map of mapW x mapH pixels with fake input; no window.
class PlayerTest : public ::testing::Test {
protected:
    std::optional<kv::test::FakeInput> fakeInput;
    static constexpr float mapW = 4000.0f, mapH = 4000.0f;

    void SetUp() override
    {
        fakeInput.emplace();
        kv::Keyboard::pressedKeys.clear();
        gametest::resetGameState();
        gametest::useMap(static_cast<int>(mapW / 16.0f), static_cast<int>(mapH / 16.0f));
        gameImageSizes.ship = {32.0f, 48.0f};
        gameImageSizes.token = {40.0f, 40.0f};
        for (sf::Vector2f& s : gameImageSizes.items)
            s = {64.0f, 64.0f};
        physicsAccumulator = 0.0f;
        ASSERT_TRUE(createPhysicsWorld(mapW, mapH));
    }
    void TearDown() override
    {
        gametest::endGameState();
        fakeInput.reset();
    }

    static Player& add(float x, float y, bool computer = false, uint16_t id = 0)
    {
        auto p = std::make_shared<Player>();
        p->x = p->renderX = x;
        p->y = p->renderY = y;
        p->radius = 24.0f;
        p->isComputer = computer;
        p->playerId = id ? id : static_cast<uint16_t>(501 + game.players.size());
        game.players.push_back(p);
        return *p;
    }
    // The local player at index 0 with a vehicle body.
    static Player& addLocal(float x, float y, float angle = 0.0f)
    {
        Player& p = add(x, y);
        game.localPlayerIndex = static_cast<int>(game.players.size()) - 1;
        p.angle = angle;
        EXPECT_TRUE(createVehicleBody(p, x, y, angle, 32.0f, 48.0f));
        return p;
    }
    static float kmh(const Player& p) { return p.body->GetLinearVelocity().Length() * 3.6f; }
};

TEST(PlayerCurve, EvaluatesWithTheFactorOfItsPointCount)
{
    Player player;
    Curve identity;
    Curve empty;
    empty.points.clear();
    Curve single;
    single.points = {{0.5f, 7.0f}};
    struct Case {
        const Curve* curve;
        float x, y;
    } cases[] = {
        {&player.speedCurve, 0.0f, 1.0f},
        {&player.speedCurve, 0.05f, 1.055f},  // t = 0.05 x 11
        {&player.speedCurve, 0.95f, 2.6375f},
        {&player.speedCurve, 1.0f, 2.75f},
        {&player.speedCurve, 0.5f, 1.9f},
        {&player.speedCurve, 0.595f, 2.0f},    // t clamps at 1 before the next point
        {&identity, 0.3f, 0.3f},
        {&identity, -1.0f, 0.0f},
        {&empty, 0.5f, 0.0f},
        {&single, 0.0f, 7.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.curve->evaluate(c.x), c.y, 1e-4f) << "x = " << c.x;
    EXPECT_EQ(identity.points.size(), 11u);
    EXPECT_EQ(player.speedCurve.points.size(), 11u);
}

TEST(PlayerDriving, LimitsAndGripBySkill)
{
    struct LimitCase {
        bool nitro, warp;
        float top, accel;
    } limits[] = {{false, false, 175.5f, 1.0f}, {true, false, 351.0f, 2.0f},
                  {false, true, 61.425f, 0.35f}, {true, true, 61.425f, 0.35f}};
    for (const LimitCase& c : limits) {
        const SpeedLimit l = speedLimit(c.nitro, c.warp);
        EXPECT_FLOAT_EQ(l.topKmh, c.top);
        EXPECT_FLOAT_EQ(l.acceleration, c.accel);
    }
    struct GripCase {
        int skill;
        float r, grip;
    } grips[] = {{0, 0.5f, 0.0f},      {1, 0.0f, 0.75f},    {1, 1.0f, 0.75f},
                 {2, 0.0f, 0.999999f}, {2, 1.0f, 0.99f},    {2, 0.5f, 0.9949995f},
                 {2, 3.0f, 0.99f},     {2, -1.0f, 0.999999f}};
    for (const GripCase& c : grips)
        EXPECT_NEAR(sideGrip(c.skill, c.r), c.grip, 1e-6f) << c.skill << " " << c.r;
}

TEST_F(PlayerTest, GripKeepsTheForwardSpeedAndAShareOfTheSlide)
{
    struct Case {
        int skill;
        bool gripLost;
        float angle;
        float minShare, maxShare;
    } cases[] = {
        {0, false, 0.0f, 0.0f, 0.0f}, // straight up: the split must still remove the slide
        {0, false, pi / 2, 0.0f, 0.0f},
        {0, false, 1.0f, 0.0f, 0.0f},
        {1, false, 0.3f, 0.75f, 0.75f},
        {2, false, 0.0f, 0.99f, 0.999999f},
        {2, false, 4.0f, 0.99f, 0.999999f},
        {0, true, 1.0f, 1.0f, 1.0f}, // thrown by a bomb or missile: no grip at all
    };
    for (const Case& c : cases) {
        Player& p = addLocal(2000.0f, 2000.0f, c.angle);
        const float s = std::sin(c.angle), co = std::cos(c.angle);
        // 20 m/s forward, 5 m/s to the right.
        p.body->SetLinearVelocity(b2Vec2(s * 20.0f + co * 5.0f, -co * 20.0f + s * 5.0f));
        DrivingState state;
        state.skillLevel = c.skill;
        state.gripLost = c.gripLost;
        applyDrivingModel(*p.body, PlayerInput{}, state, p.speedCurve);
        const b2Vec2 v = p.body->GetLinearVelocity();
        const float forward = v.x * s - v.y * co, side = v.x * co + v.y * s;
        EXPECT_NEAR(forward, 20.0f, 1e-3f) << "skill " << c.skill << " angle " << c.angle;
        EXPECT_GE(side / 5.0f, c.minShare - 1e-5f) << "skill " << c.skill << " angle " << c.angle;
        EXPECT_LE(side / 5.0f, c.maxShare + 1e-5f) << "skill " << c.skill << " angle " << c.angle;
        clearPlayers();
    }
}

TEST_F(PlayerTest, SteeringReleaseStopsTheTurnOnlyOnEasyWithThrottleHeld)
{
    struct Case {
        int skill;
        PlayerInput input;
        bool stops;
    } cases[] = {
        {0, {1, 0}, true},
        {0, {-1, 0}, true},
        {0, {0, 0}, false}, // no key at all: it keeps turning
        {1, {1, 0}, false},
        {2, {1, 0}, false},
    };
    for (const Case& c : cases) {
        Player& p = addLocal(2000.0f, 2000.0f, 1.0f);
        p.body->SetAngularVelocity(2.0f);
        DrivingState state;
        state.skillLevel = c.skill;
        applyDrivingModel(*p.body, c.input, state, p.speedCurve);
        EXPECT_EQ(p.body->GetAngularVelocity() == 0.0f, c.stops) << "skill " << c.skill;
        clearPlayers();
    }
}

// Holds the keys through the player's own driving for a few seconds of fixed steps.
TEST_F(PlayerTest, TopSpeedsAndControlWhileDisabled)
{
    createPhysicsWorld(20000.0f, 4000.0f);
    struct Case {
        bool nitro, warp, stunned;
        int steerKey;
        float top; // km/h; 0: must not move
    } cases[] = {
        {false, false, false, -1, 175.5f},
        {true, false, false, -1, 351.0f},
        {false, true, false, -1, 61.425f},
        {false, false, true, sf::Keyboard::D, 0.0f}, // stunned: steering only
    };
    for (const Case& c : cases) {
        Player& p = addLocal(200.0f, 2000.0f, pi / 2); // heading right along the long axis
        p.nitroActive = c.nitro;
        p.timeWarpTimer = c.warp ? 100.0f : 0.0f;
        p.empTimer = c.stunned ? 100.0f : 0.0f;
        heldKeys = {sf::Keyboard::Up};
        if (c.steerKey >= 0)
            heldKeys.insert(c.steerKey);
        float maxKmh = 0.0f;
        for (int frame = 0; frame < 150; frame++) { // 3 s
            stepPhysics(0.02f, &p, held());
            maxKmh = std::max(maxKmh, kmh(p));
        }
        if (c.top > 0.0f) {
            // Thrust stops at the top speed; the damping holds the vehicle a little below it.
            EXPECT_GT(maxKmh, c.top * 0.8f) << "top " << c.top;
            EXPECT_LT(maxKmh, c.top * 1.01f) << "top " << c.top;
            EXPECT_NEAR(p.speed, kmh(p) / 3.6f * 16.0f, p.speed * 0.02f);
        } else {
            EXPECT_LT(maxKmh, 0.01f);
            EXPECT_GT(std::fabs(p.body->GetAngle() - pi / 2), 0.5f); // it turned
        }
        clearPlayers();
    }
}

TEST_F(PlayerTest, DrivingIsIgnoredWhenNotInControl)
{
    for (int blocker = 0; blocker < 4; blocker++) {
        Player& p = addLocal(2000.0f, 2000.0f, 0.0f);
        heldKeys = {sf::Keyboard::W};
        game.paused = blocker == 0;
        PlayerInput input = held();
        input.keyboardTaken = blocker == 1 || blocker == 2; // the console, the Audio Panel
        if (blocker == 3)
            game.localPlayerIndex = -1;
        for (int i = 0; i < 10; i++)
            stepPhysics(0.02f, &p, input);
        EXPECT_LT(kmh(p), 0.01f) << blocker;
        game.paused = false;
        clearPlayers();
    }
}

TEST_F(PlayerTest, FullSpeedIntoEachWallStaysOnTheMap)
{
    createPhysicsWorld(800.0f, 600.0f);
    mapWorldSize = {800.0f, 600.0f};
    for (float heading : {0.0f, pi / 2, pi, 3 * pi / 2}) {
        Player& p = addLocal(400.0f, 300.0f, heading);
        p.nitroActive = true;
        heldKeys = {sf::Keyboard::Up};
        float travelled = 0.0f;
        for (int frame = 0; frame < 250; frame++) { // 5 s
            stepPhysics(0.02f, &p, held());
            travelled = std::max(travelled, std::hypot(p.renderX - 400.0f, p.renderY - 300.0f));
            const b2Vec2 at = p.body->GetPosition();
            ASSERT_GE(at.x * 16.0f, 0.0f) << heading;
            ASSERT_LE(at.x * 16.0f, 800.0f) << heading;
            ASSERT_GE(at.y * 16.0f, 0.0f) << heading;
            ASSERT_LE(at.y * 16.0f, 600.0f) << heading;
        }
        EXPECT_GT(travelled, 200.0f) << heading; // it reached the wall
        clearPlayers();
    }
}

TEST(PlayerNitro, BurnsOnlyWhatIsLeftAndRefillsAtAQuarterRate)
{
    float reserve = 0.0f;
    EXPECT_FALSE(updateNitro(reserve, true, 0.02f));
    EXPECT_EQ(reserve, 0.0f);

    reserve = 5.0f;
    int burning = 0;
    for (int i = 0; i < 300; i++) // 6 s held
        burning += updateNitro(reserve, true, 0.02f);
    EXPECT_EQ(reserve, 0.0f);
    EXPECT_NEAR(burning, 249, 1); // 5 s of burning

    for (int i = 0; i < 950; i++) // 19 s released
        EXPECT_FALSE(updateNitro(reserve, false, 0.02f));
    EXPECT_LT(reserve, 5.0f);
    EXPECT_GT(reserve, 4.7f);
    for (int i = 0; i < 100; i++)
        updateNitro(reserve, false, 0.02f);
    EXPECT_FLOAT_EQ(reserve, 5.0f);
}

TEST(PlayerSmoothing, SnapsBeyondTheLimitAndGlidesWithin)
{
    struct Case {
        float targetX, targetAngle;
        float x, angle; // after one frame of 0.05 s at rate 10
    } cases[] = {
        {1000.5f, 1.0f, 1000.5f, 1.0f},           // jumps there
        {999.0f, 0.0f, 499.5f, 0.0f},             // half way
        {0.0f, 0.2f, 0.0f, 0.1f},
        {0.0f, 2 * pi - 0.2f, 0.0f, 2 * pi - 0.1f}, // across zero the short way
    };
    for (const Case& c : cases) {
        float x = 0.0f, y = 0.0f, angle = 0.0f;
        smoothPose(x, y, angle, c.targetX, 0.0f, c.targetAngle, 10.0f, 0.05f);
        EXPECT_NEAR(x, c.x, 1e-3f) << c.targetX;
        EXPECT_NEAR(angle, c.angle, 1e-4f) << c.targetAngle;
    }
}

TEST(PlayerComputer, ChoosesAndTurnsTowardItsTarget)
{
    struct Choice {
        int roll3, roll4, degrees;
        float expected;
    } choices[] = {
        {0, 1, 90, 0.5f},   // keeps its heading
        {1, 3, 90, 2.0f},   // the token
        {2, 0, 90, pi / 2}, // the random heading wins
        {0, 0, 180, pi},
    };
    for (const Choice& c : choices)
        EXPECT_NEAR(chooseComputerHeading(0.5f, 2.0f, c.roll3, c.roll4, c.degrees), c.expected, 1e-5f)
            << c.roll3 << " " << c.roll4;

    // 4 degrees in a sixtieth of a second, whatever the frame time.
    const float step = 4.0f * pi / 180.0f;
    struct Turn {
        float from, to, dt, expected;
    } turns[] = {
        {0.0f, 1.0f, 1.0f / 60, step},
        {0.0f, 1.0f, 1.0f / 30, 2 * step},
        {0.0f, 1.0f, 1.0f / 144, step * 60 / 144},
        {0.1f, 2 * pi - 0.1f, 1.0f / 60, 0.1f - step},           // the short way across zero
        {1.0f, 1.0f + step * 0.5f, 1.0f / 60, 1.0f + step * 0.5f}, // nearer than a step: arrives
        {0.2f, 0.0f, 1.0f / 60, 0.2f - step},
        {0.0f, 1.0f, 0.0f, 0.0f},
        {-0.5f, 0.5f, 1.0f, 0.5f},                              // wrapped first
    };
    for (const Turn& t : turns)
        EXPECT_NEAR(turnComputer(t.from, t.to, t.dt), t.expected, 1e-4f) << t.from << " " << t.to << " " << t.dt;

    struct Edge {
        float value, expected;
    } edges[] = {{10.0f, 24.0f}, {500.0f, 500.0f}, {976.0f, 975.0f}, {975.9f, 975.9f}};
    for (const Edge& e : edges)
        EXPECT_FLOAT_EQ(keepInsideMap(e.value, 24.0f, 1000.0f), e.expected);
}

TEST_F(PlayerTest, ComputerDrivesAlongItsHeadingUnlessDisabled)
{
    Player& local = addLocal(100.0f, 100.0f);
    (void)local;
    Player& ai = add(2000.0f, 2000.0f, true);
    ai.angle = ai.aiTargetAngle = pi / 2;
    ai.aiDecisionTime = -1e9f; // no new decision during the test
    ai.update(0.1f);
    EXPECT_FLOAT_EQ(ai.speed, 780.0f);
    EXPECT_NEAR(ai.x, 2078.0f, 1e-2f);
    EXPECT_NEAR(ai.y, 2000.0f, 1e-2f);

    ai.timeWarpTimer = 1.0f;
    ai.update(0.1f);
    EXPECT_NEAR(ai.x, 2097.5f, 1e-2f);

    ai.empTimer = 1.0f;
    EXPECT_TRUE(ai.isDisabled());
    ai.update(0.1f);
    EXPECT_EQ(ai.speed, 0.0f);
    EXPECT_NEAR(ai.x, 2097.5f, 1e-2f);

    // Driven into the edge it stops inside.
    ai.empTimer = 0.0f;
    ai.x = mapW - 30.0f;
    ai.update(0.1f);
    EXPECT_FLOAT_EQ(ai.x, mapW - ai.radius - 1.0f);
}

TEST_F(PlayerTest, NearestOtherPlayerWithinRange)
{
    Player& self = add(0.0f, 0.0f);
    add(999.0f, 0.0f);   // 1
    add(0.0f, -600.0f);  // 2
    add(600.0f, 0.0f);   // 3: ties with 2, the first wins
    add(1000.0f, 0.0f);  // 4: not strictly closer
    EXPECT_EQ(nearestOtherPlayer(self, 1000.0f), 2);
    EXPECT_EQ(nearestOtherPlayer(self, 500.0f), -1);
    EXPECT_EQ(nearestOtherPlayer(*game.players[4], 1.0f), -1);
    EXPECT_EQ(nearestOtherPlayer(*game.players[4], -1.0f), 1);
    EXPECT_EQ(nearestOtherPlayer(*game.players[4], 1.5f), 1);
}

TEST_F(PlayerTest, GunEmptiesInFiveShotsATenthApart)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    p.itemCounts[Gun] = 1;
    p.currentItem = Gun;
    p.useItem(Gun);
    EXPECT_EQ(p.gunShots, 5);
    const float frames[] = {0.01f, 0.05f, 0.06f, 0.1f, 0.1f, 0.1f, 0.1f};
    const int left[] = {4, 4, 3, 2, 1, 0, 0};
    for (size_t i = 0; i < std::size(frames); i++) {
        p.update(frames[i]);
        EXPECT_EQ(p.gunShots, left[i]) << "frame " << i;
    }
}

TEST_F(PlayerTest, PickupRulesTakeTheFirstOfATypeNotHeld)
{
    Player& p = add(500.0f, 500.0f);
    game.localPlayerIndex = 0;
    p.itemCounts[Bomb] = 1;
    game.pickups = {
        {1, 500.0f, 500.0f, 0.0f, Bomb},      // already holds one: drives over it
        {2, 500.0f, 500.0f, 0.0f, 9},         // no such item
        {3, 541.0f, 500.0f, 0.0f, EMP},       // touches: 16 + 24 < 41 fails
        {4, 539.0f, 500.0f, 0.0f, Gun},       // overlaps
        {5, 500.0f, 500.0f, 0.0f, Nitro},
    };
    EXPECT_EQ(findPickupToTake(p), 3);

    p.update(0.01f);
    EXPECT_EQ(p.currentItem, Gun);
    EXPECT_EQ(p.itemCounts[Gun], 1);
    ASSERT_EQ(game.pickups.size(), 4u);
    EXPECT_EQ(game.pickups[3].id, 5); // order kept
    p.update(0.01f);
    EXPECT_EQ(p.currentItem, Nitro);
    EXPECT_EQ(game.pickups.size(), 3u);
    p.update(0.01f);
    EXPECT_EQ(game.pickups.size(), 3u); // nothing more it may take

    // A computer player uses what it takes at once and never holds it.
    Player& ai = add(2000.0f, 2000.0f, true);
    ai.aiDecisionTime = -1e9f;
    ai.angle = ai.aiTargetAngle = 0.0f;
    game.pickups = {{6, 2000.0f, 1990.0f, 0.0f, Gun}};
    ai.update(0.01f);
    EXPECT_TRUE(game.pickups.empty());
    EXPECT_EQ(ai.itemCounts[Gun], 0);
    EXPECT_GE(ai.gunShots, 4);

    // A client leaves pickups to the server.
    game.gameType = MultiplayerGame;
    netRole = ClientRole;
    game.pickups = {{7, 500.0f, 500.0f, 0.0f, Drone}};
    p.update(0.01f);
    EXPECT_EQ(game.pickups.size(), 1u);
}

TEST_F(PlayerTest, TokenIsCountedAndMovedOnASimulatingMachine)
{
    Player& p = add(500.0f, 500.0f);
    game.localPlayerIndex = 0;
    placeToken({530.0f, 500.0f});
    p.update(0.01f);
    EXPECT_EQ(p.tokens, 1);
    EXPECT_TRUE(game.token.present);
    EXPECT_TRUE(game.token.x >= 20.0f && game.token.x <= mapW - 20.0f);

    game.gameType = MultiplayerGame;
    netRole = ClientRole;
    placeToken({500.0f, 500.0f});
    p.update(0.01f);
    EXPECT_EQ(p.tokens, 1);
}

TEST_F(PlayerTest, TakingThingsReportsTheSoundThenTheTakeInTheOrderThePacketsGo)
{
    // The network sends these in list order: the take before the pickup's removal, the token's
    // count before its new place, each where it was taken.
    Player& p = add(500.0f, 500.0f);
    game.localPlayerIndex = 0;
    game.pickups = {{8, 500.0f, 500.0f, 0.0f, Gun}};
    placeToken({530.0f, 500.0f});
    game.events.clear();
    p.update(0.01f);
    using T = GameEventType;
    const std::vector<T> order = {T::Sound, T::PickupTaken, T::PickupRemoved, T::Sound, T::TokenTaken,
                                  T::TokenMoved};
    std::vector<T> types;
    for (const GameEvent& e : game.events)
        types.push_back(e.type);
    ASSERT_EQ(types, order);
    const auto& e = game.events;
    EXPECT_EQ(e[0].x, 500.0f);
    EXPECT_EQ(e[1].playerId, p.playerId);
    EXPECT_EQ(e[1].pickupId, 8);
    EXPECT_EQ(e[2].pickupId, 8);
    EXPECT_EQ(e[3].x, 530.0f);
    EXPECT_EQ(e[4].count, 1);
    EXPECT_EQ(e[4].x, 530.0f);
    EXPECT_EQ(e[5].x, game.token.x);
    EXPECT_EQ(e[5].y, game.token.y);
}

TEST_F(PlayerTest, LocalItemUseByButtonRepeatsOncePerSecond)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    p.itemCounts[Nitro] = 3;
    p.itemCounts[EMP] = 1;
    p.currentItem = Nitro;
    heldButtons.insert(0);
    int frames = 0;
    while (p.itemCounts[Nitro] > 1 && frames < 1000) {
        p.update(0.25f, held());
        frames++;
    }
    EXPECT_EQ(frames, 5); // used at once, again after a second of holding
    heldButtons.clear();
    p.update(0.1f, held());
    EXPECT_EQ(p.itemCooldown, 0.0f); // released: ready at once

    PlayerInput press;
    press.useItemPressed = true;
    p.update(0.1f, press);
    EXPECT_EQ(p.itemCounts[Nitro], 0);
    EXPECT_EQ(p.currentItem, EMP);         // the spent type moves on
    EXPECT_FLOAT_EQ(p.nitroSeconds, 5.0f); // three items, capped
}

TEST_F(PlayerTest, TheItemUsePressUsesAtOnceWithoutTheButtonsWait)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    p.itemCounts[EMP] = 3;
    p.currentItem = EMP;
    PlayerInput press;
    press.useItemPressed = true;
    press.useItem = true; // held button and a press: the button's use, then the press's
    p.update(0.1f, press);
    EXPECT_EQ(p.itemCounts[EMP], 2);
    EXPECT_EQ(p.itemCooldown, itemRepeatSeconds);
    p.update(0.1f, press); // the button waits out its second, the press does not
    EXPECT_EQ(p.itemCounts[EMP], 1);
    p.update(0.1f, PlayerInput{}); // no press, no button: nothing
    EXPECT_EQ(p.itemCounts[EMP], 1);

    p.itemCooldown = 0.0f;
    press.keyboardTaken = true; // the console has the keyboard: no use
    p.update(0.1f, press);
    EXPECT_EQ(p.itemCounts[EMP], 1);
}

TEST_F(PlayerTest, NitroKeyBurnsTheReserveOfTheLocalPlayer)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    p.nitroSeconds = 1.0f;
    heldKeys = {sf::Keyboard::RShift};
    p.update(0.5f, held());
    EXPECT_TRUE(p.nitroActive);
    EXPECT_FLOAT_EQ(p.nitroSeconds, 0.5f);
    heldKeys.clear();
    p.update(0.5f, held());
    EXPECT_FALSE(p.nitroActive);
    EXPECT_FLOAT_EQ(p.nitroSeconds, 0.625f);
}

TEST_F(PlayerTest, InputIsReadFromTheHeldKeysAndTheLeftButtonWhileFocused)
{
    using K = sf::Keyboard;
    struct Case {
        std::vector<int> keys;
        bool button, focus;
        int throttle, steering;
        bool nitro, use;
    } cases[] = {
        {{}, false, true, 0, 0, false, false},
        {{K::Up}, false, true, 1, 0, false, false},
        {{K::W, K::S}, false, true, 1, 0, false, false}, // forward wins
        {{K::Down}, false, true, -1, 0, false, false},
        {{K::S}, false, true, -1, 0, false, false},
        {{K::A, K::D}, false, true, 0, -1, false, false}, // left wins
        {{K::Left}, false, true, 0, -1, false, false},
        {{K::Right}, false, true, 0, 1, false, false},
        {{K::D}, false, true, 0, 1, false, false},
        {{K::Space}, false, true, 0, 0, true, false},
        {{K::LShift}, false, true, 0, 0, true, false},
        {{K::RShift}, false, true, 0, 0, true, false},
        {{}, true, true, 0, 0, false, true},
        {{K::W, K::D, K::Space}, true, false, 0, 0, false, false}, // no focus: nothing
    };
    for (const Case& c : cases) {
        heldKeys.clear();
        for (int key : c.keys)
            heldKeys.insert(key);
        heldButtons.clear();
        if (c.button)
            heldButtons.insert(0);
        kv::input.focus = c.focus;
        const PlayerInput input = held();
        EXPECT_EQ(input.throttle, c.throttle) << c.keys.size() << " keys, focus " << c.focus;
        EXPECT_EQ(input.steering, c.steering) << c.keys.size() << " keys, focus " << c.focus;
        EXPECT_EQ(input.nitro, c.nitro) << c.keys.size() << " keys, focus " << c.focus;
        EXPECT_EQ(input.useItem, c.use) << c.keys.size() << " keys, focus " << c.focus;
    }
    // The right button uses nothing.
    kv::input.focus = true;
    heldButtons = {1};
    EXPECT_FALSE(held().useItem);
}

TEST_F(PlayerTest, ItemEffects)
{
    Player& local = addLocal(1000.0f, 1000.0f);
    Player& ai = add(1400.0f, 1000.0f, true); // 400 px away
    Player& farAi = add(1000.0f, 1700.0f, true); // 700 px away

    local.nitroSeconds = 4.0f;
    local.useItem(Nitro);
    EXPECT_FLOAT_EQ(local.nitroSeconds, 5.0f);

    local.useItem(Drone);
    EXPECT_TRUE(local.droneActive);
    EXPECT_FLOAT_EQ(local.droneX, 1080.0f);
    EXPECT_FLOAT_EQ(local.droneY, 1020.0f);
    local.useItem(Drone);
    EXPECT_FLOAT_EQ(local.droneTime, 20.0f);

    local.useItem(TimeWarp);
    EXPECT_GT(ai.timeWarpTimer, 0.0f);
    EXPECT_EQ(farAi.timeWarpTimer, 0.0f);
    local.useItem(EMP);
    EXPECT_FLOAT_EQ(ai.empTimer, 3.0f);
    EXPECT_FLOAT_EQ(farAi.empTimer, 3.0f);
    EXPECT_EQ(local.empTimer, 0.0f); // the user is spared
    local.useItem(Bomb);
    EXPECT_FLOAT_EQ(ai.bombStun, 1.5f);
    EXPECT_EQ(farAi.bombStun, 0.0f);

    // A computer's bomb throws the local vehicle away from it and stuns it.
    local.body->SetLinearVelocity(b2Vec2(4.0f, 0.0f));
    ai.useItem(Bomb);
    EXPECT_FLOAT_EQ(local.bombStun, 1.5f);
    EXPECT_LT(local.body->GetLinearVelocity().x, -1.0f);
    EXPECT_NEAR(local.body->GetLinearVelocity().y, 0.0f, 1e-4f);

    // Types outside the table change nothing.
    for (int bad : {-1, 7, 1000}) {
        local.useItem(static_cast<ItemType>(bad));
        EXPECT_FLOAT_EQ(local.nitroSeconds, 5.0f);
        EXPECT_EQ(local.gunShots, 0);
    }

    // A client does not launch drones itself.
    game.gameType = MultiplayerGame;
    netRole = ClientRole;
    ai.useItem(Drone);
    EXPECT_FALSE(ai.droneActive);
}

TEST_F(PlayerTest, HitsStunAndPush)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    struct Case {
        WeaponType kind;
        float Player::*timer;
        float seconds;
    } cases[] = {
        {WeaponType::PulseCannon, &Player::pulseHit, 3.0f},
        {WeaponType::DronePulse, &Player::dronePulseHit, 3.0f},
        {WeaponType::Missile, &Player::missileHit, 2.0f},
    };
    for (const Case& c : cases) {
        p.body->SetLinearVelocity(b2Vec2(2.0f, 0.0f));
        p.hit(c.kind, sf::Vector2f(160.0f, 0.0f));
        EXPECT_FLOAT_EQ(p.*c.timer, c.seconds);
        EXPECT_TRUE(p.isDisabled());
        // Only the missile moves the vehicle: back against its own flight.
        EXPECT_FLOAT_EQ(p.body->GetLinearVelocity().x, c.kind == WeaponType::Missile ? -8.0f : 2.0f);
        p.*c.timer = 0.0f;
    }
    p.hit(static_cast<WeaponType>(7), sf::Vector2f(160.0f, 0.0f));
    EXPECT_FALSE(p.isDisabled());
}

TEST_F(PlayerTest, TimersRunDownAndDisableExceptTimeWarp)
{
    Player& p = addLocal(1000.0f, 1000.0f);
    p.bombStun = 0.05f;
    p.pulseHit = 3.0f;
    p.missileHit = 0.0f;
    p.timeWarpTimer = 0.5f;
    tickEffectTimers(p, 0.1f);
    EXPECT_EQ(p.bombStun, 0.0f);
    EXPECT_FLOAT_EQ(p.pulseHit, 2.9f);
    EXPECT_EQ(p.missileHit, 0.0f);
    EXPECT_FLOAT_EQ(p.timeWarpTimer, 0.4f);
    EXPECT_TRUE(p.isDisabled());
    p.pulseHit = 0.0f;
    EXPECT_FALSE(p.isDisabled()); // a Time Warp alone leaves control

    // A remote player's state is what was received.
    Player& remote = add(0.0f, 0.0f);
    remote.empTimer = 3.0f;
    EXPECT_FALSE(remote.isDisabled());
    remote.disabledReceived = true;
    EXPECT_TRUE(remote.isDisabled());
}

TEST_F(PlayerTest, LocalControlByRole)
{
    add(0.0f, 0.0f, false, 600);
    add(0.0f, 0.0f, true, 601);
    add(0.0f, 0.0f, false, 602);
    struct Case {
        int local;
        int32_t role;
        uint16_t id;
        bool expected;
    } cases[] = {
        {0, NoNetRole, 600, true},   {0, NoNetRole, 601, false}, {0, ServerRole, 601, true},
        {0, ServerRole, 602, false}, {0, ClientRole, 601, false}, {-1, ServerRole, 601, false},
        {-1, NoNetRole, 600, false}, {0, ServerRole, 999, false},
    };
    for (const Case& c : cases) {
        game.localPlayerIndex = c.local;
        netRole = c.role;
        EXPECT_EQ(isLocallyControlled(c.id), c.expected) << c.local << " " << c.role << " " << c.id;
    }
}

TEST_F(PlayerTest, ItemSelectionWrapsToTheNextHeld)
{
    Player& p = add(0.0f, 0.0f);
    struct Case {
        std::vector<int> held;
        int from, next, previous;
    } cases[] = {
        {{}, 3, 3, 3},         // nothing held: back where it started
        {{0}, 6, 0, 0},        // 6 wraps to 0
        {{2, 5}, 2, 5, 5},
        {{6}, 0, 6, 6},        // 0 wraps back to 6
        {{1, 4}, 4, 1, 1},
        {{1, 3, 4}, 3, 4, 1},
    };
    for (const Case& c : cases) {
        p.itemCounts.clear();
        for (int t : c.held)
            p.itemCounts[t] = 1;
        p.currentItem = c.from;
        selectNextItem(p);
        EXPECT_EQ(p.currentItem, c.next) << "from " << c.from;
        p.currentItem = c.from;
        selectPreviousItem(p);
        EXPECT_EQ(p.currentItem, c.previous) << "from " << c.from;
    }
}

TEST_F(PlayerTest, RemovingPlayersTakesTheirBodiesOutOfTheWorld)
{
    add(0.0f, 0.0f);
    Player& local = addLocal(500.0f, 500.0f); // index 1
    add(0.0f, 0.0f);
    const int walls = game.physicsWorld->GetBodyCount() - 1;
    std::shared_ptr<Player> kept = game.players[1]; // a snapshot still holds it
    erasePlayer(0);
    EXPECT_EQ(game.localPlayerIndex, 0);
    erasePlayer(0);
    EXPECT_EQ(game.localPlayerIndex, -1);
    EXPECT_EQ(local.body, nullptr);
    EXPECT_EQ(game.physicsWorld->GetBodyCount(), walls);
    erasePlayer(5); // ignored
    EXPECT_EQ(game.players.size(), 1u);
    stepPhysics(0.1f, nullptr); // nothing in the world points at a removed player
    clearPlayers();
    EXPECT_TRUE(game.players.empty());
}

TEST_F(PlayerTest, RemotePlayerFollowsTheReceivedPose)
{
    addLocal(0.0f, 0.0f);
    Player& remote = add(0.0f, 0.0f);
    remote.netTargetX = 300.0f;
    remote.netTargetY = 400.0f;
    remote.update(0.016f); // the first reception is taken as it is
    EXPECT_FLOAT_EQ(remote.x, 300.0f);
    EXPECT_TRUE(remote.netReceived);
    remote.netTargetX = 400.0f;
    remote.update(0.05f); // lerpRate 10: half way
    EXPECT_NEAR(remote.x, 350.0f, 1e-3f);
}

// Frames of dt until the player has taken the token, or -1 past limit seconds; drive sets the
// keys of the local player before each frame.
float secondsToFirstToken(Player& p, float dt, float limit, const std::function<void()>& drive)
{
    for (int frame = 0; frame * dt < limit; ++frame) {
        drive();
        stepPhysics(dt, localPlayer(), held());
        p.update(dt, held());
        if (p.tokens > 0)
            return frame * dt;
    }
    return -1.0f;
}

struct TokenPlace {
    const char* name;
    float x, y; // the player starts at (2000, 2000) heading up
};
const TokenPlace tokenPlaces[] = {
    {"ahead", 2000.0f, 1850.0f},   {"beside", 2120.0f, 2000.0f},
    {"behind", 2000.0f, 2160.0f},  {"behind right", 2150.0f, 2150.0f},
    {"far", 3600.0f, 400.0f},      {"far behind", 2000.0f, 3800.0f},
};

// A bearing taken once a second at 780 px/s often carries it past a token close by, and a
// token inside its turning circle is circled for a while; the random headings always break
// the circle. It gets there from every side, and as quickly at every frame rate.
TEST_F(PlayerTest, ComputerReachesTheTokenWherever)
{
    gameImageSizes.token = {32.0f, 32.0f};
    for (float fps : {20.0f, 60.0f, 144.0f}) {
        for (const TokenPlace& place : tokenPlaces) {
            for (unsigned seed = 1; seed <= 10; ++seed) {
                clearPlayers();
                game.random = seededRandom(seed);
                Player& ai = add(2000.0f, 2000.0f, true);
                placeToken({place.x, place.y});
                const float t = secondsToFirstToken(ai, 1.0f / fps, 240.0f, [] {});
                EXPECT_GE(t, 0.0f) << place.name << " at " << fps << " fps, seed " << seed;
            }
        }
    }
}

// The computer's decisions come from the game's generator and the frame times it is given:
// the first frame decides, the next a second of play later, and one seed with one set of frame
// times always drives the same way.
TEST_F(PlayerTest, ComputerDecidesFromTheGamesRandomAndItsFrameTimes)
{
    const float frames[] = {1.0f / 30.0f, 1.0f / 60.0f, 1.0f / 144.0f, 0.2f};
    const auto drive = [&](uint64_t seed, float seconds) {
        clearPlayers();
        game.random = seededRandom(seed);
        Player& ai = add(2000.0f, 2000.0f, true);
        game.token.present = false; // a bearing to follow, nothing to take
        game.token.x = 3000.0f;
        game.token.y = 500.0f;
        float t = 0.0f;
        for (int i = 0; t < seconds; ++i) {
            ai.update(frames[i % 4]);
            t += frames[i % 4];
        }
        return std::vector<float>{ai.x, ai.y, ai.angle, ai.aiTargetAngle};
    };
    EXPECT_EQ(drive(7, 20.0f), drive(7, 20.0f));
    EXPECT_NE(drive(7, 20.0f), drive(8, 20.0f));

    clearPlayers();
    game.random = seededRandom(7);
    Player& ai = add(2000.0f, 2000.0f, true);
    game.token = Token{};
    game.token.x = 2000.0f;
    game.token.y = 1000.0f;
    kv::Pcg32 rolls = seededRandom(7);
    ai.update(0.01f);
    const int roll3 = int(rolls.next() % 3), roll4 = int(rolls.next() % 4), degrees = int(rolls.next() % 360);
    EXPECT_EQ(game.random.state, rolls.state) << "three rolls for the first decision";
    const float bearing = kv::angleToPoint(2000.0f, 2000.0f, 2000.0f, 1000.0f).asRadians();
    EXPECT_FLOAT_EQ(ai.aiTargetAngle, chooseComputerHeading(0.0f, bearing, roll3, roll4, degrees));
    for (int i = 0; i < 9; ++i)
        ai.update(0.1f); // 0.9 s: not yet due
    EXPECT_EQ(game.random.state, rolls.state);
    ai.update(0.15f);
    EXPECT_NE(game.random.state, rolls.state) << "due after a second of play";
}

// In a frame of a fifth of a second it drives 156 px, further than the token's box and its
// own together: it must not jump over the token.
TEST_F(PlayerTest, ComputerDoesNotJumpOverTheTokenInALongFrame)
{
    gameImageSizes.token = {32.0f, 32.0f};
    Player& ai = add(1000.0f, 1000.0f, true);
    ai.angle = ai.aiTargetAngle = pi / 2; // right, toward the token
    ai.aiDecisionTime = -1e9f;
    placeToken({1100.0f, 1000.0f});
    ai.update(0.2f);
    EXPECT_EQ(ai.tokens, 1);
    EXPECT_NEAR(ai.x, 1156.0f, 0.1f);
}

// Holding W and steering at the token the driver gets there at every skill level.
TEST_F(PlayerTest, DriverHoldingThrottleAndSteeringReachesTheToken)
{
    gameImageSizes.token = {32.0f, 32.0f};
    for (int skill = 0; skill <= 2; ++skill) {
        game.roundSettings.skillLevel = skill;
        for (float fps : {30.0f, 60.0f}) {
            for (const TokenPlace& place : tokenPlaces) {
                clearPlayers();
                Player& me = addLocal(2000.0f, 2000.0f);
                placeToken({place.x, place.y});
                const auto steerAtToken = [&me] {
                    heldKeys = {sf::Keyboard::W};
                    const float off = kv::angleDifference(
                        kv::angleToPoint(me.x, me.y, game.token.x, game.token.y), kv::radians(me.angle));
                    if (off > 2.0f)
                        heldKeys.insert(sf::Keyboard::D);
                    else if (off < -2.0f)
                        heldKeys.insert(sf::Keyboard::A);
                };
                const float t = secondsToFirstToken(me, 1.0f / fps, 30.0f, steerAtToken);
                EXPECT_GE(t, 0.0f) << place.name << " at " << fps << " fps, skill " << skill;
            }
        }
    }
}

} // namespace
