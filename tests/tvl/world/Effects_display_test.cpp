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

#include <algorithm>
#include <cmath>

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
    // An opaque puff shows whole: its quad as two triangles.
    ASSERT_EQ(effects[0].vertices.getVertexCount(), 6u);
    EXPECT_EQ(effects[0].vertices[0].position, sf::Vector2f(56.0f, 56.0f));
}

TEST_F(EffectsDisplay, PuffsCutToWhatCanShowLookAsTheirWholeQuads)
{
    // A soft round texture, clear at its corners, mipmapped as the game's puff textures are.
    sf::Image soft;
    soft.create(64, 64);
    for (unsigned y = 0; y < 64; ++y)
        for (unsigned x = 0; x < 64; ++x) {
            const float d = std::hypot((x + 0.5f - 32) / 32, (y + 0.5f - 32) / 32);
            const float a = std::max(0.0f, 1.0f - d);
            soft.setPixel(x, y, sf::Color(255, 220, 160, static_cast<sf::Uint8>(255 * a * a)));
        }
    ASSERT_TRUE(tvl::smokeTexture->loadFromImage(soft));
    tvl::smokeTexture->setSmooth(true);
    tvl::smokeTexture->setRepeated(true);
    ASSERT_TRUE(tvl::smokeTexture->generateMipmap());

    // Faint and strong, drawn smaller and larger than the texture, turned.
    const struct {
        sf::Vector2f at;
        float side, rotation;
        sf::Uint8 alpha;
    } puffs[] = {{{30, 30}, 50, 0.3f, 12}, {{45, 40}, 6, 1.1f, 40}, {{40, 52}, 30, 2.0f, 255},
                 {{55, 30}, 18, 0.0f, 3}, {{35, 60}, 60, 0.8f, 90}};
    for (const auto& p : puffs) {
        tvl::SmokeParticle& puff = tvl::smokeParticles.emplace_back(puffAt42<tvl::SmokeParticle>());
        puff.position = p.at;
        puff.size = {p.side, p.side};
        puff.rotation = p.rotation;
        puff.colour.a = p.alpha;
    }
    const sf::Image cut = drawInto([] { tvl::drawSmoke(); });
    const sf::Image whole = drawInto([&] {
        for (const auto& p : puffs) {
            sf::Vertex quad[4];
            const float c = std::cos(p.rotation), s = std::sin(p.rotation), h = p.side / 2;
            const sf::Vector2f corners[4] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
            for (int i = 0; i < 4; ++i) {
                const sf::Vector2f turned(corners[i].x * c - corners[i].y * s, corners[i].x * s + corners[i].y * c);
                quad[i] = sf::Vertex((p.at + turned - tvl::worldView.scroll) * tvl::worldView.worldRenderScale,
                                     sf::Color(255, 255, 255, p.alpha),
                                     {corners[i].x < 0 ? 0.0f : 64.0f, corners[i].y < 0 ? 0.0f : 64.0f});
            }
            sf::RenderStates states(sf::BlendAlpha);
            states.texture = &*tvl::smokeTexture;
            target.draw(quad, 4, sf::Quads, states);
        }
    });
    int worst = 0;
    for (unsigned y = 0; y < size; ++y)
        for (unsigned x = 0; x < size; ++x) {
            const sf::Color a = cut.getPixel(x, y), b = whole.getPixel(x, y);
            worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
        }
    EXPECT_LE(worst, 1);
    EXPECT_NE(cut.getPixel(64, 84), background); // the strong puff shows
}

} // namespace
