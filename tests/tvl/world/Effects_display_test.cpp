#include "support/Display.h"
#include "support/RedirectedDraw.h"
#include "support/TestWindow.h"

#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/WorldView.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

namespace {

// Effects drawn into a render texture as the world frame redirects them, probed at known pixels.
class EffectsDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(640, 480));
        sf::Image white;
        white.create(16, 16, sf::Color::White);
        for (sf::Texture* t : {&*tvl::smokeTexture, &*tvl::fireTexture, &*tvl::pulseTexture})
            ASSERT_TRUE(t->loadFromImage(white));
        tvl::clearEffects();
        kv::clearLightQueues();
        tvl::worldView.scroll = {10.0f, 10.0f};
        tvl::worldView.worldRenderScale = 2.0f;
        ASSERT_TRUE(target.create(size, size));
    }
    void TearDown() override
    {
        tvl::clearEffects();
        kv::clearLightQueues();
        tvl::worldView.scroll = {0.0f, 0.0f};
        tvl::worldView.worldRenderScale = 1.5f;
    }

    template <typename Draw>
    sf::Image drawInto(Draw draw)
    {
        return gametest::drawRedirected(target, background, draw);
    }

    static constexpr unsigned size = 128;
    const sf::Color background{0, 0, 128, 255};
    sf::RenderTexture target;
};

// An 8 x 8 puff at world (42, 42): scroll 10 and scale 2 put it at 56 .. 72 of the target.
template <typename Particle>
Particle puffAt42()
{
    Particle p;
    p.position = {42.0f, 42.0f};
    p.size = {8.0f, 8.0f};
    p.colour = sf::Color::White;
    p.delay = 0;
    return p;
}

TEST_F(EffectsDisplay, PuffsAreDrawnAtTheirPlaceRelativeToTheScrollAndScaled)
{
    tvl::smokeParticles.push_back(puffAt42<tvl::SmokeParticle>());
    tvl::SmokeParticle waiting = puffAt42<tvl::SmokeParticle>();
    waiting.position = {20.0f, 20.0f};
    waiting.delay = 1; // not updated yet: not drawn
    tvl::smokeParticles.push_back(waiting);
    const sf::Image image = drawInto([] { tvl::drawSmoke(); });
    for (unsigned at : {57u, 64u, 71u})
        EXPECT_EQ(image.getPixel(at, 64), sf::Color::White) << at;
    for (unsigned at : {54u, 74u})
        EXPECT_EQ(image.getPixel(at, 64), background) << at;
    EXPECT_EQ(image.getPixel(20, 20), background);
}

TEST_F(EffectsDisplay, FireQueuesItsLightAndDebrisLightsTheDarkInWindowPixels)
{
    const sf::Vector2f at(42.0f, 42.0f), fireSize(8.0f, 8.0f);
    tvl::effectRandom = [] { return 1; };
    tvl::spawnFire(&at, 12.0f, &fireSize);
    tvl::updateFire(0.0f);
    tvl::debrisParticles.push_back(puffAt42<tvl::DebrisParticle>());
    const sf::Image image = drawInto([] {
        tvl::drawFire();
        tvl::drawDebris();
    });
    tvl::effectRandom = std::rand;
    EXPECT_NE(image.getPixel(64, 64), background);

    ASSERT_EQ(kv::queuedLights(kv::layerAir).size(), 1u);
    EXPECT_EQ(kv::queuedLights(kv::layerAir)[0].position, sf::Vector2f(64.0f, 64.0f));
    const auto effects = kv::queuedLightEffects(kv::lightEffectGroup);
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_FALSE(effects[0].onLightEffects);
    ASSERT_EQ(effects[0].vertices.quadVertices.size(), 4u);
    EXPECT_EQ(effects[0].vertices.quadVertices[0].position, sf::Vector2f(56.0f, 56.0f));
}

} // namespace
