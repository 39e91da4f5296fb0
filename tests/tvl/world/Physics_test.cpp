#include "world/Physics.h"

#include "world/GameState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

using namespace tvl;

constexpr float mapW = 640.0f, mapH = 480.0f;
constexpr float twoPi = 6.2831855f;

// A fixture's box in pixels, without the skin Box2D adds around polygons.
sf::FloatRect shapeRect(b2Fixture* fixture)
{
    const b2AABB aabb = fixture->GetAABB(0);
    const b2Vec2 skin(b2_polygonRadius, b2_polygonRadius);
    const sf::Vector2f lo = toPixels(aabb.lowerBound + skin);
    const sf::Vector2f hi = toPixels(aabb.upperBound - skin);
    return {lo, hi - lo};
}

int bodyCount()
{
    return game.physicsWorld ? game.physicsWorld->GetBodyCount() : 0;
}

class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        physicsAccumulator = 0.0f;
        ASSERT_TRUE(createPhysicsWorld(mapW, mapH));
    }
    void TearDown() override { destroyPhysicsWorld(); }
};

// A driver that holds the vehicle at a fixed velocity, as full throttle would.
struct Driver : PlayerBody {
    b2Vec2 velocity{0.0f, 0.0f};
    int steps = 0;
    void handleKeyboard(const PlayerInput&) override
    {
        steps++;
        if (body)
            body->SetLinearVelocity(velocity);
    }
};

TEST_F(PhysicsTest, StepCountPerFrame)
{
    struct Case {
        std::vector<float> frames;
        std::vector<int> steps;
        float alpha; // remainder after the last frame, in steps
    } cases[] = {
        {{0.019f}, {0}, 0.95f},
        {{0.02f}, {1}, 0.0f},
        {{0.1f}, {5}, 0.0f},
        {{0.2f}, {10}, 0.0f}, // five frames a second still drive at full speed
        {{0.3f}, {12}, 0.0f}, // the other three steps are dropped, not caught up
        {{0.01f, 0.015f}, {0, 1}, 0.25f},
        {{0.3f, 0.01f}, {12, 0}, 0.5f},
        {{-0.5f, 0.02f}, {0, 1}, 0.0f},
    };
    for (const Case& c : cases) {
        physicsAccumulator = 0.0f;
        Driver driver;
        ASSERT_TRUE(createVehicleBody(driver, 320.0f, 240.0f, 0.0f, 32.0f, 48.0f));
        for (size_t i = 0; i < c.frames.size(); i++)
            EXPECT_EQ(stepPhysics(c.frames[i], &driver), c.steps[i]) << "frame " << i;
        EXPECT_NEAR(physicsAccumulator / physicsStepSeconds, c.alpha, 1e-3f);
        int total = 0;
        for (int s : c.steps)
            total += s;
        EXPECT_EQ(driver.steps, total); // the driver runs once before every step
    }
    // Without a world nothing steps.
    destroyPhysicsWorld();
    EXPECT_EQ(stepPhysics(0.1f, nullptr), 0);
}

TEST_F(PhysicsTest, DrawnPositionIsInterpolatedBetweenSteps)
{
    Driver driver;
    driver.velocity = b2Vec2(10.0f, -5.0f); // metres per second
    b2Body* body = createVehicleBody(driver, 320.0f, 240.0f, 0.0f, 32.0f, 48.0f);
    ASSERT_TRUE(body);
    EXPECT_EQ(driver.renderX, 320.0f);

    ASSERT_EQ(stepPhysics(0.03f, &driver), 1); // one step, half a step left over
    const sf::Vector2f after = toPixels(body->GetPosition());
    EXPECT_FLOAT_EQ(driver.stepX, 320.0f);
    EXPECT_FLOAT_EQ(driver.stepY, 240.0f);
    EXPECT_NEAR(driver.renderX, (320.0f + after.x) * 0.5f, 1e-3f);
    EXPECT_NEAR(driver.renderY, (240.0f + after.y) * 0.5f, 1e-3f);

    // A frame shorter than a step runs none, yet the drawn pose moves on towards the body.
    const float before = driver.renderX;
    ASSERT_EQ(stepPhysics(0.005f, &driver), 0);
    EXPECT_GT(driver.renderX, before);
    EXPECT_NEAR(driver.renderX, 320.0f * 0.25f + after.x * 0.75f, 1e-3f);
}

TEST_F(PhysicsTest, DrawnAngleTakesTheShortWayAcrossZero)
{
    struct Case {
        float start;
        float spin; // radians per second
    } cases[] = {{6.2f, 6.0f}, {0.05f, -6.0f}, {3.0f, 4.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        physicsAccumulator = 0.0f;
        Driver driver;
        b2Body* body = createVehicleBody(driver, 320.0f, 240.0f, c.start, 32.0f, 48.0f);
        ASSERT_TRUE(body);
        body->SetAngularVelocity(c.spin);
        ASSERT_EQ(stepPhysics(0.03f, &driver), 1);
        const float turned = body->GetAngle() - c.start; // Box2D does not wrap its angle
        ASSERT_GT(std::fabs(turned), 0.01f);
        float expected = std::fmod(c.start + turned * 0.5f + twoPi, twoPi);
        EXPECT_NEAR(driver.renderAngle, expected, 1e-4f);
        EXPECT_GE(driver.renderAngle, 0.0f);
        EXPECT_LT(driver.renderAngle, twoPi);
        destroyPlayerBody(driver);
    }
}

TEST_F(PhysicsTest, WallsKeepTheVehicleOnTheMap)
{
    const float full = 100.0f; // the most Box2D moves a body in one step (2 m)
    const b2Vec2 directions[] = {{-full, 0}, {full, 0}, {0, -full}, {0, full},
                                 {-full, -full}, {full, -full}, {-full, full}, {full, full}};
    for (const b2Vec2& v : directions) {
        SCOPED_TRACE(testing::Message() << v.x << "," << v.y);
        Driver driver;
        driver.velocity = v;
        b2Body* body = createVehicleBody(driver, 320.0f, 240.0f, 0.7f, 32.0f, 48.0f);
        ASSERT_TRUE(body);
        for (int frame = 0; frame < 250; frame++) // 5 s at 50 frames a second
            stepPhysics(0.02f, &driver);
        const sf::Vector2f p = toPixels(body->GetPosition());
        EXPECT_GE(p.x, 0.0f);
        EXPECT_LE(p.x, mapW);
        EXPECT_GE(p.y, 0.0f);
        EXPECT_LE(p.y, mapH);
        // It did reach the wall it was driven at.
        if (v.x != 0) {
            EXPECT_LT(v.x < 0 ? p.x : mapW - p.x, 40.0f);
        }
        if (v.y != 0) {
            EXPECT_LT(v.y < 0 ? p.y : mapH - p.y, 40.0f);
        }
        destroyPlayerBody(driver);
    }
}

TEST(PhysicsFilter, BoxTwoDRule)
{
    auto filter = [](uint16_t category, uint16_t mask, int16_t group) {
        b2Filter f;
        f.categoryBits = category;
        f.maskBits = mask;
        f.groupIndex = group;
        return f;
    };
    const b2Filter vehicle = filter(vehicleCategory, vehicleMask, 0);
    const b2Filter wall = filter(wallCategory, wallMask, 0);
    struct Case {
        const char* label;
        b2Filter a, b;
        bool collide;
    } cases[] = {
        {"vehicle and wall", vehicle, wall, true},
        {"wall and vehicle", wall, vehicle, true},
        {"two vehicles", vehicle, vehicle, false},
        {"category 0x0200 is in the vehicle's mask", vehicle, filter(0x0200, 0xFFFF, 0), true},
        {"one mask only", vehicle, filter(0x0008, 0xFFFF, 0), false},
        {"same positive group beats the masks", filter(2, 0, 3), filter(2, 0, 3), true},
        {"same negative group beats the masks", filter(2, 0xFFFF, -3), filter(2, 0xFFFF, -3),
         false},
        {"different groups use the masks", filter(2, 0xFFFF, -3), filter(2, 0xFFFF, -4), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filtersCollide(c.a, c.b), c.collide) << c.label;
}

TEST_F(PhysicsTest, WorldFiltersVehiclesAgainstEachOther)
{
    Driver a, b;
    b2Body* bodyA = createVehicleBody(a, 300.0f, 240.0f, 0.0f, 32.0f, 48.0f);
    b2Body* bodyB = createVehicleBody(b, 340.0f, 240.0f, 0.0f, 32.0f, 48.0f);
    ASSERT_TRUE(bodyA && bodyB);
    // Driven through each other: no contact pushes them apart.
    a.velocity = b2Vec2(2.0f, 0.0f);
    b.velocity = b2Vec2(-2.0f, 0.0f);
    for (int i = 0; i < 50; i++) {
        a.handleKeyboard(PlayerInput{});
        stepPhysics(0.02f, &b);
    }
    EXPECT_GT(bodyA->GetPosition().x, bodyB->GetPosition().x);
    EXPECT_GT(bodyA->GetLinearVelocity().x, 1.95f); // damping only, no bounce
}

TEST_F(PhysicsTest, UnitsAndWallRectangles)
{
    EXPECT_EQ(toPhysics(16.0f, -32.0f), b2Vec2(1.0f, -2.0f));
    EXPECT_EQ(toPixels(b2Vec2(0.5f, 3.0f)), sf::Vector2f(8.0f, 48.0f));

    Driver driver;
    b2Body* body = createVehicleBody(driver, 100.0f, 200.0f, 0.0f, 32.0f, 48.0f);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->GetPosition(), b2Vec2(6.25f, 12.5f));
    const sf::FloatRect box = shapeRect(body->GetFixtureList());
    EXPECT_NEAR(box.width, 32.0f, 0.01f);
    EXPECT_NEAR(box.height, 48.0f, 0.01f);

    // The walls in pixels: left, top, width, height.
    std::vector<sf::FloatRect> walls;
    for (b2Body* b = game.physicsWorld->GetBodyList(); b; b = b->GetNext()) {
        if (b->GetType() != b2_staticBody)
            continue;
        walls.push_back(shapeRect(b->GetFixtureList()));
    }
    const sf::FloatRect expected[] = {{-20.0f, 0.0f, 20.0f, mapH - 1.0f},
                                      {0.0f, -20.0f, mapW - 1.0f, 20.0f},
                                      {mapW - 1.0f, 0.0f, 20.0f, mapH - 1.0f},
                                      {0.0f, mapH - 1.0f, mapW - 1.0f, 20.0f}};
    ASSERT_EQ(walls.size(), 4u);
    for (const sf::FloatRect& e : expected) {
        bool found = false;
        for (const sf::FloatRect& w : walls)
            found = found || (std::fabs(w.left - e.left) < 0.01f && std::fabs(w.top - e.top) < 0.01f
                              && std::fabs(w.width - e.width) < 0.01f
                              && std::fabs(w.height - e.height) < 0.01f);
        EXPECT_TRUE(found) << e.left << "," << e.top << " " << e.width << "x" << e.height;
    }
}

TEST_F(PhysicsTest, VelocityInTheHeadingFrame)
{
    Driver driver;
    const float heading = 0.6f;
    b2Body* body = createVehicleBody(driver, 320.0f, 240.0f, heading, 32.0f, 48.0f);
    ASSERT_TRUE(body);
    // 7 m/s forward along the heading (sin a, -cos a) and 2 m/s to its left.
    const b2Vec2 forward(std::sin(heading), -std::cos(heading));
    const b2Vec2 left(-std::cos(heading), -std::sin(heading));
    body->SetLinearVelocity(7.0f * forward + 2.0f * left);

    const float own = -0.017453292f;
    for (const float* angle : {&heading, &own, static_cast<const float*>(nullptr)}) {
        const sf::Vector2f local = bodyLocalVelocity(body, angle);
        EXPECT_NEAR(local.y, 7.0f, 1e-4f);
        EXPECT_NEAR(local.x, 2.0f, 1e-4f);
    }
    EXPECT_EQ(bodyLocalVelocity(nullptr, &heading), sf::Vector2f(0.0f, 0.0f));

    // Projection: 0 gives everything; the heading keeps only the forward part.
    const b2Vec2 v = body->GetLinearVelocity();
    EXPECT_EQ(projectVelocity(body, 0.0f), sf::Vector2f(v.x, v.y));
    for (float angle : {heading, own, heading + 3.14159265f}) {
        const sf::Vector2f along = projectVelocity(body, angle);
        EXPECT_NEAR(along.x, 7.0f * forward.x, 1e-4f);
        EXPECT_NEAR(along.y, 7.0f * forward.y, 1e-4f);
    }
    EXPECT_EQ(projectVelocity(nullptr, heading), sf::Vector2f(0.0f, 0.0f));
}

// No fixture may outlive its player, and no player may keep a body of a deleted world.
TEST_F(PhysicsTest, BodiesAndPlayersNeverOutliveEachOther)
{
    const int walls = bodyCount();
    {
        Driver driver;
        ASSERT_TRUE(createVehicleBody(driver, 320.0f, 240.0f, 0.0f, 32.0f, 48.0f));
        ASSERT_TRUE(createVehicleBody(driver, 100.0f, 100.0f, 0.0f, 32.0f, 48.0f));
        EXPECT_EQ(bodyCount(), walls + 1); // a new body replaces the old one
        EXPECT_EQ(driver.bodyUserData.kind, BodyUserData::player);
        EXPECT_EQ(driver.bodyUserData.owner, &driver);
        EXPECT_EQ(driver.bodyUserData.body, driver.body);
    }
    EXPECT_EQ(bodyCount(), walls); // the player went, and its body with it
    stepPhysics(0.1f, nullptr);

    Driver survivor;
    ASSERT_TRUE(createVehicleBody(survivor, 320.0f, 240.0f, 0.0f, 32.0f, 48.0f));
    destroyPhysicsWorld();
    EXPECT_EQ(survivor.body, nullptr);
    EXPECT_EQ(survivor.bodyUserData.body, nullptr);
    EXPECT_EQ(createVehicleBody(survivor, 0.0f, 0.0f, 0.0f, 32.0f, 48.0f), nullptr);
}

TEST_F(PhysicsTest, DebugQueryFindsFixturesInTheView)
{
    Driver driver;
    ASSERT_TRUE(createVehicleBody(driver, 320.0f, 240.0f, 0.0f, 32.0f, 48.0f));
    struct Case {
        sf::FloatRect view;
        int vehicles, walls;
    } cases[] = {
        {{200.0f, 150.0f, 240.0f, 180.0f}, 1, 0},
        {{-100.0f, 100.0f, 150.0f, 100.0f}, 0, 1},
        {{-100.0f, -100.0f, 900.0f, 700.0f}, 1, 4},
    };
    for (const Case& c : cases) {
        PhysicsDebugAABBCallback found;
        queryPhysicsFixtures(c.view, found);
        int vehicles = 0, walls = 0;
        for (b2Fixture* f : found.fixtures) {
            const auto* data = reinterpret_cast<const BodyUserData*>(f->GetUserData().pointer);
            ASSERT_NE(data, nullptr);
            (data->kind == BodyUserData::player ? vehicles : walls)++;
        }
        EXPECT_EQ(vehicles, c.vehicles) << c.view.left;
        EXPECT_EQ(walls, c.walls) << c.view.left;
    }
}

} // namespace
