#include "world/Physics.h"

#include "core/Angle.h"
#include "core/Geometry.h"
#include "world/GameState.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace tvl {

float physicsAccumulator = 0.0f;

BodyUserData* fixtureUserData(b2Fixture* fixture)
{
    return reinterpret_cast<BodyUserData*>(fixture->GetUserData().pointer);
}

namespace {

ContactFilter contactFilter;
ContactListener contactListener;
BodyUserData wallUserData[4];

// Below this a pose counts as unchanged (FLT_EPSILON).
constexpr float poseEpsilon = 1.1920929e-7f;
// -1 degree: "use the body's own angle".
constexpr float ownAngle = -kv::degreesToRadians;

// The player a moving body belongs to, or null for walls and foreign bodies.
PlayerBody* vehicleOwner(b2Body* body)
{
    if (body->GetType() == b2_staticBody || !body->GetFixtureList())
        return nullptr;
    const BodyUserData* data = fixtureUserData(body->GetFixtureList());
    return data && data->kind == BodyUserData::player ? data->owner : nullptr;
}

float resolveAngle(const b2Body* body, const float* angle)
{
    return !angle || *angle == ownAngle ? kv::wrapRadians(body->GetAngle()) : *angle;
}

// Before a step: the pose the step starts from is also the pose drawn so far.
void takeStepPoses()
{
    for (b2Body* body = game.physicsWorld->GetBodyList(); body; body = body->GetNext()) {
        PlayerBody* owner = vehicleOwner(body);
        if (!owner)
            continue;
        const sf::Vector2f p = toPixels(body->GetPosition());
        owner->stepX = owner->renderX = p.x;
        owner->stepY = owner->renderY = p.y;
        owner->stepAngle = owner->renderAngle = kv::wrapRadians(body->GetAngle());
    }
}

void interpolatePoses(float alpha)
{
    for (b2Body* body = game.physicsWorld->GetBodyList(); body; body = body->GetNext()) {
        PlayerBody* owner = vehicleOwner(body);
        if (!owner)
            continue;
        const sf::Vector2f p = toPixels(body->GetPosition());
        if (std::fabs(p.x - owner->stepX) > poseEpsilon
            || std::fabs(p.y - owner->stepY) > poseEpsilon) {
            owner->renderX = owner->stepX * (1.0f - alpha) + p.x * alpha;
            owner->renderY = owner->stepY * (1.0f - alpha) + p.y * alpha;
        }
        const float turn =
            kv::angleDifference(kv::radians(body->GetAngle()), kv::radians(owner->stepAngle));
        if (std::fabs(turn) > poseEpsilon)
            owner->renderAngle = (kv::radians(owner->stepAngle) + kv::degrees(turn) * alpha)
                                     .wrapUnsigned()
                                     .asRadians();
    }
}

void addWall(BodyUserData& data, float left, float top, float width, float height)
{
    // A map of one pixel or less still gets walls of positive size.
    width = std::max(width, 1.0f);
    height = std::max(height, 1.0f);

    b2BodyDef def;
    def.type = b2_staticBody;
    def.position = toPhysics(left + width * 0.5f, top + height * 0.5f);
    def.angle = 0.0f;
    b2Body* body = game.physicsWorld->CreateBody(&def);

    b2PolygonShape box;
    box.SetAsBox(width * 0.5f * metresPerPixel, height * 0.5f * metresPerPixel);
    b2FixtureDef fixture;
    fixture.shape = &box;
    fixture.friction = 0.0f;
    fixture.restitution = 0.0f;
    fixture.restitutionThreshold = 1.0f;
    fixture.density = 0.0f;
    fixture.filter.categoryBits = wallCategory;
    fixture.filter.maskBits = wallMask;
    fixture.filter.groupIndex = 0;
    data = BodyUserData{BodyUserData::wall, body, nullptr};
    fixture.userData.pointer = reinterpret_cast<uintptr_t>(&data);
    body->CreateFixture(&fixture);
}

} // namespace

PlayerBody::~PlayerBody()
{
    destroyPlayerBody(*this);
}

bool filtersCollide(const b2Filter& a, const b2Filter& b)
{
    if (a.groupIndex == b.groupIndex && a.groupIndex != 0)
        return a.groupIndex > 0;
    return (a.maskBits & b.categoryBits) != 0 && (a.categoryBits & b.maskBits) != 0;
}

bool ContactFilter::ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB)
{
    return filtersCollide(fixtureA->GetFilterData(), fixtureB->GetFilterData());
}

bool createPhysicsWorld(float mapWidth, float mapHeight)
{
    game.physicsWorld.reset(new (std::nothrow) b2World(b2Vec2(0.0f, 0.0f)));
    if (!game.physicsWorld)
        return false;
    game.physicsWorld->SetContactFilter(&contactFilter);
    game.physicsWorld->SetContactListener(&contactListener);

    const float w = mapWidth, h = mapHeight;
    addWall(wallUserData[0], -wallThickness, 0.0f, wallThickness, h - 1.0f);
    addWall(wallUserData[1], 0.0f, -wallThickness, w - 1.0f, wallThickness);
    addWall(wallUserData[2], w - 1.0f, 0.0f, wallThickness, h - 1.0f);
    addWall(wallUserData[3], 0.0f, h - 1.0f, w - 1.0f, wallThickness);
    return true;
}

void destroyPhysicsWorld()
{
    game.physicsWorld.reset();
}

PhysicsWorld& PhysicsWorld::operator=(PhysicsWorld&& other) noexcept
{
    if (this != &other) {
        reset(other.world);
        other.world = nullptr;
    }
    return *this;
}

void PhysicsWorld::reset(b2World* next)
{
    if (world) {
        // No player may keep a pointer into the world that is about to go.
        for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
            for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
                BodyUserData* data = fixtureUserData(f);
                if (!data)
                    continue;
                if (data->owner)
                    data->owner->body = nullptr;
                data->body = nullptr;
            }
        delete world;
    }
    world = next;
}

b2Body* createVehicleBody(PlayerBody& player, float x, float y, float angle, float width,
                          float height)
{
    if (!game.physicsWorld)
        return nullptr;
    destroyPlayerBody(player);

    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position = toPhysics(x, y);
    def.angle = angle;
    def.linearDamping = 0.5f;
    def.angularDamping = 2.0f;
    def.allowSleep = true;
    def.awake = true;
    def.enabled = true;
    def.gravityScale = 1.0f;
    b2Body* body = game.physicsWorld->CreateBody(&def);

    b2PolygonShape box;
    box.SetAsBox(std::max(width, 1.0f) * 0.5f * metresPerPixel,
                 std::max(height, 1.0f) * 0.5f * metresPerPixel);
    b2FixtureDef fixture;
    fixture.shape = &box;
    fixture.friction = 0.0f;
    fixture.restitution = 0.5f;
    fixture.restitutionThreshold = 1.0f;
    fixture.density = 800.0f;
    fixture.isSensor = false;
    fixture.filter.categoryBits = vehicleCategory;
    fixture.filter.maskBits = vehicleMask;
    fixture.filter.groupIndex = 0;
    player.bodyUserData = BodyUserData{BodyUserData::player, body, &player};
    fixture.userData.pointer = reinterpret_cast<uintptr_t>(&player.bodyUserData);
    body->CreateFixture(&fixture);

    player.body = body;
    player.stepX = player.renderX = x;
    player.stepY = player.renderY = y;
    player.stepAngle = player.renderAngle = kv::wrapRadians(angle);
    return body;
}

void destroyPlayerBody(PlayerBody& player)
{
    // A body is only ever left set while it lives in the current world.
    if (player.body && game.physicsWorld)
        game.physicsWorld->DestroyBody(player.body);
    player.body = nullptr;
    player.bodyUserData.body = nullptr;
}

int stepPhysics(float dt, PlayerBody* localPlayer, const PlayerInput& input)
{
    if (!game.physicsWorld)
        return 0;
    // A negative or broken frame time adds nothing.
    if (dt > 0.0f)
        physicsAccumulator += dt;
    const float due = std::floor(physicsAccumulator / physicsStepSeconds);
    if (due > 0.0f)
        physicsAccumulator -= due * physicsStepSeconds;
    // Rounding, or an absurd frame time, must not leave the remainder outside one step.
    if (!(physicsAccumulator >= 0.0f))
        physicsAccumulator = 0.0f;
    physicsAccumulator = std::min(physicsAccumulator, physicsStepSeconds);
    const float alpha = physicsAccumulator / physicsStepSeconds;

    const int steps =
        due > 0.0f ? static_cast<int>(std::min(due, float(maxPhysicsStepsPerFrame))) : 0;
    for (int i = 0; i < steps; i++) {
        takeStepPoses();
        if (localPlayer)
            localPlayer->handleKeyboard(input);
        game.physicsWorld->Step(physicsStepSeconds, physicsVelocityIterations,
                           physicsPositionIterations);
    }
    game.physicsWorld->ClearForces();
    interpolatePoses(alpha);
    return steps;
}

sf::Vector2f bodyLocalVelocity(const b2Body* body, const float* angle)
{
    if (!body)
        return {0.0f, 0.0f};
    const float a = resolveAngle(body, angle);
    const b2Vec2 v = body->GetLinearVelocity();
    const float c = std::cos(a), s = std::sin(a);
    return {-(v.x * c + v.y * s), v.x * s - v.y * c};
}

sf::Vector2f projectVelocity(const b2Body* body, float angle)
{
    if (!body)
        return {0.0f, 0.0f};
    const b2Vec2 v = body->GetLinearVelocity();
    if (angle == 0.0f)
        return {v.x, v.y};
    float ux = 0.0f, uy = 1.0f;
    kv::rotatePoint(ux, uy, kv::radians(resolveAngle(body, &angle)), 0.0f, 0.0f);
    const float along = v.x * ux + v.y * uy;
    return {along * ux, along * uy};
}

bool PhysicsDebugAABBCallback::ReportFixture(b2Fixture* fixture)
{
    fixtures.push_back(fixture);
    return true;
}

void queryPhysicsFixtures(const sf::FloatRect& view, PhysicsDebugAABBCallback& result)
{
    if (!game.physicsWorld)
        return;
    b2AABB box;
    box.lowerBound = toPhysics(view.left, view.top);
    box.upperBound = toPhysics(view.left + view.width, view.top + view.height);
    game.physicsWorld->QueryAABB(&result, box);
}

} // namespace tvl
