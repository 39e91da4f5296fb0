// The effect families without a window: caps and eviction, fire layers, puff ageing, debris
// growth, refusals and relay, wildlife sizes and lifetimes, plant placement, fading and sway.
#include "support/GameFixture.h"

#include "core/FrameUpdate.h"
#include "world/Effects.h"
#include "world/GameEvents.h"
#include "world/Particles.h"
#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace tvl;

namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();
const uint32_t birdId = kv::hashName("Bird.ini");
const uint32_t grassId = kv::hashName("Grass.ini");

int neverSkip()
{
    return 1;
}
int alwaysSkip()
{
    return 0;
}

class EffectsTest : public testing::Test {
protected:
    void SetUp() override
    {
        gametest::resetGameState();
        clearEffects();
        clearParticleDefinitions();
        effectRandom = neverSkip;
        mapNoiseSeed = 1234;
        windSpeed = 0.0f;
        savedView = worldView.scroll;
        worldView.scroll = {0.0f, 0.0f};
        worldView.pixelSize = {600, 450};
        worldView.worldRenderScale = 1.5f; // the view shows (0, 0, 400, 300)
        kv::pollerTicked = false;
        savedTick = kv::pollerTickSeconds;

        WildlifeDefinition bird;
        kv::HashedName::set(bird.id, "Bird.ini");
        bird.minScale = 1.0f;
        bird.maxScale = 3.0f;
        bird.uniformScale = false;
        bird.minLifetime = bird.maxLifetime = 10.0f;
        bird.frames = {{sf::IntRect(0, 0, 20, 10), 0.0f}};
        wildlifeDefinitions.push_back(bird);
        wildlifeDefinitionIndex[birdId] = 0;

        PlantDefinition grass;
        kv::HashedName::set(grass.id, "Grass.ini");
        grass.alpha = 0.5f;
        grass.frames = {{sf::IntRect(0, 0, 8, 12), 0.0f}};
        plantDefinitions.push_back(grass);
        plantDefinitionIndex[grassId] = 0;
    }
    void TearDown() override
    {
        clearEffects();
        clearParticleDefinitions();
        effectRandom = std::rand;
        worldView.scroll = savedView;
        worldView.pixelSize = {0, 0};
        kv::pollerTicked = false;
        kv::pollerTickSeconds = savedTick;
        gametest::endGameState();
    }

    sf::Vector2f savedView;
    float savedTick = 0.0f;
};

void smokeAt(float x)
{
    const sf::Vector2f at(x, 0.0f), still(0.0f, 0.0f), size(8.0f, 8.0f);
    const sf::Color colour(230, 230, 230, 255);
    spawnSmoke(&at, &still, &size, &colour, 0.0f, 1.0f, 0.25f);
}

void debrisAt(float x, bool relay = false)
{
    const sf::Vector2f at(x, 0.0f), velocity(1.0f, 0.0f), size(4.0f, 4.0f), maxSize(400.0f, 400.0f);
    const sf::Color colour(250, 75, 25, 255);
    spawnDebris(&at, &velocity, &size, &maxSize, &colour, 800.0f, 0.5f, relay);
}

TEST_F(EffectsTest, CappedFamiliesEvictTheOldestAndSkipOnlyWhereTheyMay)
{
    struct Family {
        const char* name;
        size_t cap;
        std::function<void(float)> spawn;
        std::function<size_t()> size;
        std::function<float()> oldestX;
        bool skips;
    };
    const Family families[] = {
        {"smoke", maxSmokeParticles, smokeAt, [] { return smokeParticles.size(); },
         [] { return smokeParticles.front().position.x; }, true},
        {"fire", maxFireParticles,
         [](float x) {
             const sf::Vector2f at(x, 0.0f), size(16.0f, 16.0f);
             spawnFire(&at, 0.0f, &size);
         },
         [] { return fireParticles.size(); }, [] { return fireParticles.front().position.x; }, true},
        {"debris", maxDebrisParticles, [](float x) { debrisAt(x); }, [] { return debrisParticles.size(); },
         [] { return debrisParticles.front().position.x; }, false},
        {"wildlife", maxWildlifeParticles,
         [](float x) {
             const sf::Vector2f at(x, 0.0f);
             spawnWildlife(&at, birdId);
         },
         [] { return wildlifeParticles.size(); }, [] { return wildlifeParticles.front().position.x; }, true},
    };
    for (const Family& f : families) {
        SCOPED_TRACE(f.name);
        effectRandom = neverSkip;
        for (size_t i = 0; i < f.cap + 5; ++i)
            f.spawn(static_cast<float>(i));
        EXPECT_EQ(f.size(), f.cap);
        EXPECT_EQ(f.oldestX(), 5.0f);
        // A skipped request has made room all the same.
        effectRandom = alwaysSkip;
        f.spawn(-1.0f);
        EXPECT_EQ(f.size(), f.skips ? f.cap - 1 : f.cap);
        EXPECT_EQ(f.oldestX(), 6.0f);
    }
}

TEST_F(EffectsTest, FireLightsTheLayerOfItsHeight)
{
    const struct {
        float height;
        kv::RenderLayerId layer;
    } cases[] = {{25.0f, kv::layerAir},     {10.0f, kv::layerAir},      {9.9f, kv::layerGroundHigh},
                 {2.0f, kv::layerGroundHigh}, {1.9f, kv::layerGround}, {0.0f, kv::layerGround},
                 {-1.0f, kv::layerGroundLow}, {nan, kv::layerGroundLow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        EXPECT_EQ(fireLayerForHeight(c.height), c.layer);
    }
    const sf::Vector2f at(5.0f, 5.0f), size(16.0f, 16.0f);
    spawnFire(&at, 2.0f, &size);
    ASSERT_EQ(fireParticles.size(), 1u);
    const FireParticle& fire = fireParticles[0];
    EXPECT_EQ(fire.layer, kv::layerGroundHigh);
    EXPECT_TRUE(fire.light.enabled);
    EXPECT_EQ(fire.light.colour, fire.colour);
    EXPECT_FLOAT_EQ(fire.light.halfWidth, fire.size.x * 1.5f);
    EXPECT_GE(fire.size.x, 12.0f);
    EXPECT_LT(fire.size.x, 16.0f);
}

TEST_F(EffectsTest, SmokeAgesBySecondsNotByFrames)
{
    for (int framesPerSecond : {30, 60, 1000}) {
        SCOPED_TRACE(framesPerSecond);
        clearEffects();
        smokeAt(0.0f);
        const float dt = 1.0f / static_cast<float>(framesPerSecond);
        updateSmoke(dt);
        ASSERT_EQ(smokeParticles.size(), 1u);
        const float start = smokeParticles[0].life;
        for (int i = 0; i < framesPerSecond; ++i)
            updateSmoke(dt);
        ASSERT_EQ(smokeParticles.size(), 1u);
        // fade 1 becomes 0.8 .. 1.2, and a second takes (1 + u) x fade x 30 of it.
        const float lost = start - smokeParticles[0].life;
        EXPECT_GE(lost, 24.0f);
        EXPECT_LT(lost, 72.0f);
        EXPECT_EQ(smokeParticles[0].colour.a, static_cast<uint8_t>(smokeParticles[0].life * 0.25f));
    }
}

TEST_F(EffectsTest, DebrisGrowsFadesAndGoesAtItsMaximum)
{
    debrisAt(0.0f);
    ASSERT_EQ(debrisParticles.size(), 1u);
    EXPECT_EQ(debrisParticles[0].delay, 1); // not drawn before its first update
    updateDebris(0.1f);
    const DebrisParticle& d = debrisParticles[0];
    EXPECT_EQ(d.delay, 0);
    EXPECT_GE(d.position.x, 0.8f * 1.6f); // 0.8 .. 1.2 of 1 unit a second, 16 px a unit
    EXPECT_LT(d.position.x, 1.2f * 1.6f);
    EXPECT_FLOAT_EQ(d.life, (1.0f - 4.0f / 400.0f) * 256.0f);
    EXPECT_EQ(d.colour.a, static_cast<uint8_t>(d.life * 0.5f));
    EXPECT_FLOAT_EQ(d.size.x, 84.0f);
    EXPECT_FLOAT_EQ(d.size.y, 84.0f);
    // 164, 244, 324, 404: the last is past 400 and ends it.
    for (int i = 0; i < 3; ++i)
        updateDebris(0.1f);
    ASSERT_EQ(debrisParticles.size(), 1u);
    updateDebris(0.1f);
    updateDebris(0.1f);
    EXPECT_TRUE(debrisParticles.empty());
}

TEST_F(EffectsTest, DebrisWithUnsoundValuesIsNeverMadeAndANaNLifeNeverLingers)
{
    const struct {
        const char* name;
        sf::Vector2f position, velocity, size, maxSize;
        float growthRate, alphaScale;
    } refused[] = {
        {"NaN position", {nan, 0}, {0, 0}, {4, 4}, {400, 400}, 800, 0.9f},
        {"infinite velocity", {0, 0}, {inf, 0}, {4, 4}, {400, 400}, 800, 0.9f},
        {"maxSize.x 0", {0, 0}, {0, 0}, {4, 4}, {0, 400}, 800, 0.9f},
        {"maxSize.x negative", {0, 0}, {0, 0}, {4, 4}, {-400, 400}, 800, 0.9f},
        {"negative size", {0, 0}, {0, 0}, {-4, 4}, {400, 400}, 800, 0.9f},
        {"absurd size", {0, 0}, {0, 0}, {4, maxDebrisSize * 2}, {400, 400}, 800, 0.9f},
        {"absurd maxSize", {0, 0}, {0, 0}, {4, 4}, {1e30f, 400}, 800, 0.9f},
        {"NaN growth", {0, 0}, {0, 0}, {4, 4}, {400, 400}, nan, 0.9f},
        {"NaN alpha", {0, 0}, {0, 0}, {4, 4}, {400, 400}, 800, nan},
    };
    const sf::Color colour(1, 2, 3, 4);
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(debrisFieldsSound(c.position, c.velocity, c.size, c.maxSize, c.growthRate, c.alphaScale));
        spawnDebris(&c.position, &c.velocity, &c.size, &c.maxSize, &colour, c.growthRate, c.alphaScale, true);
        EXPECT_TRUE(debrisParticles.empty());
        EXPECT_TRUE(game.events.empty());
    }

    // Made some other way: 0 / 0 and a NaN size give a NaN life, which removes them.
    DebrisParticle zero;
    zero.delay = 0;
    zero.size = {0, 0};
    DebrisParticle notANumber = zero;
    notANumber.size = {nan, nan};
    notANumber.maxSize = {400, 400};
    debrisParticles = {zero, notANumber};
    updateDebris(0.016f);
    EXPECT_TRUE(debrisParticles.empty());
}

TEST_F(EffectsTest, RelayedDebrisIsMadeOrAskedForByRole)
{
    const struct {
        const char* name;
        int32_t gameType, role;
        bool relay;
        size_t made, events;
    } cases[] = {
        {"single player", SinglePlayerGame, NoNetRole, true, 1, 0},
        {"client, relayed", MultiplayerGame, ClientRole, true, 0, 1},
        {"client, from its server", MultiplayerGame, ClientRole, false, 1, 0},
        {"server, relayed", MultiplayerGame, ServerRole, true, 1, 1},
        {"server, not relayed", MultiplayerGame, ServerRole, false, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearEffects();
        game.events.clear();
        game.gameType = c.gameType;
        netRole = c.role;
        debrisAt(7.0f, c.relay);
        EXPECT_EQ(debrisParticles.size(), c.made);
        ASSERT_EQ(game.events.size(), c.events);
        if (c.events == 1) {
            const GameEvent& e = game.events[0];
            EXPECT_EQ(e.type, GameEventType::Debris);
            EXPECT_EQ(e.x, 7.0f);
            EXPECT_EQ(e.vx, 1.0f);
            EXPECT_EQ(e.debrisSize, sf::Vector2f(4.0f, 4.0f));
            EXPECT_EQ(e.debrisMaxSize, sf::Vector2f(400.0f, 400.0f));
            EXPECT_EQ(e.debrisColour, sf::Color(250, 75, 25, 255));
            EXPECT_EQ(e.debrisGrowthRate, 800.0f);
            EXPECT_EQ(e.debrisAlphaScale, 0.5f);
        }
    }
}

TEST_F(EffectsTest, WildlifeSizeFollowsThePlaceAndItsHeadingDoesNot)
{
    const sf::Vector2f a(100.2f, 50.0f), b(100.9f, 900.0f), elsewhere(300.0f, 50.0f);
    spawnWildlife(&a, birdId);
    spawnWildlife(&b, birdId);
    spawnWildlife(&elsewhere, birdId);
    ASSERT_EQ(wildlifeParticles.size(), 3u);
    const WildlifeParticle &first = wildlifeParticles[0], &second = wildlifeParticles[1];
    EXPECT_EQ(first.width, second.width);
    EXPECT_EQ(first.height, second.height);
    EXPECT_NE(first.width, wildlifeParticles[2].width);
    EXPECT_GE(first.width, 20.0f);
    EXPECT_LT(first.width, 60.0f);
    EXPECT_EQ(sf::Vector2f(first.width, first.height), seededEffectSize(sf::IntRect(0, 0, 20, 10), 1.0f, 3.0f,
                                                                        false, effectSizeSeed(100.0f, birdId)));
    // Another map seeds another size.
    mapNoiseSeed = 99;
    EXPECT_NE(seededEffectSize(sf::IntRect(0, 0, 20, 10), 1.0f, 3.0f, false, effectSizeSeed(100.0f, birdId)).x,
              first.width);
    // Headings are free: of eight spawns at one place, not all face one way.
    bool differs = false;
    for (int i = 0; i < 8; ++i) {
        spawnWildlife(&a, birdId);
        differs = differs || wildlifeParticles.back().angle != first.angle;
    }
    EXPECT_TRUE(differs);
    // Unknown definitions make nothing.
    spawnWildlife(&a, grassId);
    EXPECT_EQ(wildlifeParticles.size(), 11u);
    updateWildlife(0.0f);
    EXPECT_EQ(wildlifeCount(birdId), 11);
    EXPECT_EQ(wildlifeCount(grassId), 0);
}

TEST_F(EffectsTest, WildlifeFarAwayFadesOutAndOffScreenGoes)
{
    const sf::Vector2f far(1300.0f, 150.0f), near(600.0f, 150.0f), inView(200.0f, 150.0f);
    for (const sf::Vector2f* at : {&far, &near, &inView})
        spawnWildlife(at, birdId);
    updateWildlife(0.01f);
    ASSERT_EQ(wildlifeParticles.size(), 3u);
    EXPECT_LE(wildlifeParticles[0].lifetime, 1.0f);
    EXPECT_NEAR(wildlifeParticles[1].lifetime, 9.99f, 1e-4f);
    EXPECT_GT(wildlifeParticles[0].fade, 0.0f); // still fading in this frame

    // 3 s of input ticks off screen and the near one goes; the one in view stays.
    kv::pollerTicked = true;
    kv::pollerTickSeconds = 1.0f / 30.0f;
    for (int i = 0; i < 89; ++i)
        updateWildlife(kv::pollerTickSeconds);
    ASSERT_EQ(wildlifeParticles.size(), 2u);
    EXPECT_EQ(wildlifeParticles[0].position, near);
    updateWildlife(kv::pollerTickSeconds);
    updateWildlife(kv::pollerTickSeconds);
    ASSERT_EQ(wildlifeParticles.size(), 1u);
    EXPECT_EQ(wildlifeParticles[0].position, inView);
    EXPECT_EQ(wildlifeParticles[0].offscreenTime, 0.0f);
}

TEST_F(EffectsTest, FramesAdvanceByTheirDuration)
{
    const std::vector<ParticleFrame> frames = {{sf::IntRect(), 0.5f}, {sf::IntRect(), 0.25f}, {sf::IntRect(), 0.0f}};
    int16_t frame = 0;
    float frameTime = 0.0f;
    const struct {
        float now;
        int16_t frame;
        float frameTime;
    } steps[] = {{0.4f, 0, 0.0f}, {0.5f, 1, 0.5f}, {0.74f, 1, 0.5f}, {0.75f, 2, 0.75f}, {99.0f, 2, 0.75f}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.now);
        advanceEffectFrame(frame, frameTime, frames, s.now);
        EXPECT_EQ(frame, s.frame);
        EXPECT_EQ(frameTime, s.frameTime);
    }
    // The last frame wraps to the first; a single frame never moves.
    const std::vector<ParticleFrame> two = {{sf::IntRect(), 1.0f}, {sf::IntRect(), 1.0f}};
    frame = 1;
    frameTime = 0.0f;
    EXPECT_TRUE(advanceEffectFrame(frame, frameTime, two, 1.0f));
    EXPECT_EQ(frame, 0);
    EXPECT_FALSE(advanceEffectFrame(frame, frameTime, {two[0]}, 50.0f));
}

TEST_F(EffectsTest, PlantsArePlacedOnTheMapAndFadeInAndOut)
{
    const float width = mapWorldSize.x, height = mapWorldSize.y;
    for (const sf::Vector2f& outside : {sf::Vector2f(width, 5.0f), sf::Vector2f(-0.5f, 5.0f),
                                        sf::Vector2f(5.0f, height), sf::Vector2f(nan, 5.0f)})
        spawnPlant(&outside, grassId);
    const sf::Vector2f top(5.0f, 0.0f);
    spawnPlant(&top, birdId); // a creature is no plant
    EXPECT_TRUE(plantParticles.empty());

    spawnPlant(&top, grassId);
    ASSERT_EQ(plantParticles.size(), 1u);
    PlantParticle& plant = plantParticles.front();
    EXPECT_EQ(plant.height, 12.0f);
    EXPECT_EQ(plant.position, sf::Vector2f(5.0f, -6.0f));
    EXPECT_EQ(plant.fade, 0.0f);
    EXPECT_EQ(plant.colour.a, 0);

    updatePlants(0.25f);
    EXPECT_FLOAT_EQ(plant.fade, 0.5f);
    EXPECT_EQ(plant.colour.a, static_cast<uint8_t>(0.5f * 0.5f * 255.0f));
    updatePlants(1.0f);
    EXPECT_EQ(plant.fade, 1.0f);
    plant.fadingOut = true;
    updatePlants(0.25f);
    EXPECT_FLOAT_EQ(plant.fade, 0.5f);
    EXPECT_EQ(plantCountById[grassId], 1);

    // Full: the next is refused, however good its place.
    plantParticles.resize(maxPlantParticles);
    spawnPlant(&top, grassId);
    EXPECT_EQ(plantParticles.size(), maxPlantParticles);
}

TEST_F(EffectsTest, PlantsSwayWithTheWindUpToFullStrength)
{
    const struct {
        float windSpeed, k;
    } cases[] = {{66.0f, 1.0f}, {33.0f, 1.0f}, {16.5f, 0.5f}, {0.0f, 0.0f}, {-10.0f, 0.0f}, {nan, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windSpeed);
        EXPECT_FLOAT_EQ(plantSwayStrength(c.windSpeed), c.k);
    }
    PlantParticle plant;
    plant.swayPhase = 0.9f;
    plant.swayRising = true;
    advanceSwayPhase(plant, 1.0f, 0.01f); // 0.2 a step: past the end, so it turns
    EXPECT_EQ(plant.swayPhase, 1.0f);
    EXPECT_FALSE(plant.swayRising);
    advanceSwayPhase(plant, 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(plant.swayPhase, 0.9f);
    advanceSwayPhase(plant, 0.0f, 0.01f); // no wind, no sway
    EXPECT_FLOAT_EQ(plant.swayPhase, 0.9f);
}

// The view is 100 x 100 from (0, 0); a plant 20 wide and 40 high reaches 22.4 px from its centre
// whichever way it is turned, and a sway moves its top a further shift.
TEST_F(EffectsTest, APlantIsDrawnWhenItsQuadCanReachTheView)
{
    const sf::FloatRect view(0, 0, 100, 100);
    const struct {
        sf::Vector2f centre;
        float angle, shift;
        bool reaches;
    } cases[] = {
        {{50, 50}, 0.0f, 0.0f, true},     // inside
        {{-22, 50}, 0.0f, 0.0f, true},    // the corner's reach, not the width, counts
        {{-23, 50}, 1.2f, 0.0f, false},   // beyond every turned corner
        {{-27, 50}, 0.0f, 0.0f, false},
        {{-27, 50}, 0.0f, 10.0f, true},   // the swaying top reaches in
        {{123, 50}, 0.0f, 0.0f, false},
        {{50, -22}, 0.7f, 0.0f, true},
        {{50, 123}, 0.0f, 0.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.centre.x << "," << c.centre.y << " shift " << c.shift);
        PlantParticle plant;
        plant.width = 20;
        plant.height = 40;
        plant.position = c.centre;
        plant.angle = c.angle;
        EXPECT_EQ(plantReaches(plant, c.shift, view), c.reaches);
    }
}

} // namespace

// Whether (u, v) lies inside the convex outline (any winding).
static bool insideOutline(const sf::Vector2f (&outline)[8], sf::Vector2f p)
{
    float sign = 0;
    for (int i = 0; i < 8; ++i) {
        const sf::Vector2f a = outline[i], b = outline[(i + 1) % 8];
        const float cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        if (std::abs(cross) < 1e-6f)
            continue;
        if (sign == 0)
            sign = cross;
        else if ((cross > 0) != (sign > 0))
            return false;
    }
    return true;
}

TEST(PuffReachTest, ATexelShowsFromTheAlphaThatBlendsHalfAStepOfIt)
{
    // A 4 x 4 texture: one texel of alpha 64 at the centre's corner, one of 255 in a corner.
    uint8_t alpha[16] = {};
    alpha[1 * 4 + 1] = 64; // centre (1.5, 1.5): (-0.25, -0.25) in half-textures
    alpha[3 * 4 + 3] = 255; // centre (3.5, 3.5): (0.75, 0.75)
    const PuffReach reach = puffReach(alpha, 4, 4);
    const float near = std::hypot(0.25f, 0.25f), far = std::hypot(0.75f, 0.75f);
    const struct {
        int puffAlpha;
        float expected;
    } cases[] = {{0, -1.0f}, {1, far}, {255, far}};
    for (const auto& c : cases)
        EXPECT_NEAR(reach.reach[c.puffAlpha], c.expected, 1e-5f) << c.puffAlpha;

    alpha[3 * 4 + 3] = 0;
    const PuffReach centreOnly = puffReach(alpha, 4, 4);
    EXPECT_LT(centreOnly.reach[1], 0.0f); // 64 x 1 blends a quarter of a step: nothing shows
    EXPECT_NEAR(centreOnly.reach[2], near, 1e-5f); // 64 x 2 = 128: half a step
    EXPECT_NEAR(centreOnly.reach[200], near, 1e-5f);

    const PuffReach clear = puffReach(nullptr, 0, 0);
    EXPECT_LT(clear.reach[255], 0.0f);
}

TEST(PuffReachTest, TheOutlineHoldsTheDiscAndCutsTheCorners)
{
    for (float r : {0.1f, 0.5f, 0.9f, 1.0f, 1.2f, 1.4f, 1.5f}) {
        sf::Vector2f outline[8];
        puffOutline(r, outline);
        for (int k = 0; k < 360; k += 5) {
            const float a = static_cast<float>(k) * 0.0174533f;
            const sf::Vector2f onDisc(std::clamp(r * 0.999f * std::cos(a), -1.0f, 1.0f),
                                      std::clamp(r * 0.999f * std::sin(a), -1.0f, 1.0f));
            EXPECT_TRUE(insideOutline(outline, onDisc)) << r << " at " << k;
        }
        for (const sf::Vector2f& corner : outline) {
            EXPECT_LE(std::abs(corner.x), 1.0f);
            EXPECT_LE(std::abs(corner.y), 1.0f);
        }
        // Below sqrt 2 the quad's corners are left out.
        EXPECT_EQ(insideOutline(outline, {0.999f, 0.999f}), r >= 1.414f) << r;
    }
}
