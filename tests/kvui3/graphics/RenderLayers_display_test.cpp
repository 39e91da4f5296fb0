#include "core/Framework.h"
#include "graphics/CachedShader.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "support/TempDir.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned side = 64;

// The layers composed into a 64 x 64 render texture standing in for the window.
class LayersDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(side, side, "layers test"));
        initRenderLayers();
        screen = std::make_unique<sf::RenderTexture>();
        ASSERT_TRUE(screen->create(side, side));
        screen->clear(sf::Color::Black);
        getRenderLayer(layerDisplay, true)->target = screen.get();
        resizeLayerTextures();
        ui().clear(sf::Color::Transparent);
    }
    void TearDown() override
    {
        test::closeTestWindow();
    }

    static RenderLayer& ui() { return *getRenderLayer(layerUI, true); }

    sf::Color pixel(unsigned x, unsigned y)
    {
        screen->display();
        return screen->getTexture().copyToImage().getPixel(x, y);
    }

    static void fill(RenderLayerId id, sf::FloatRect rect, sf::Color colour, const sf::RenderStates& states = {})
    {
        sf::RectangleShape shape({rect.width, rect.height});
        shape.setPosition(rect.left, rect.top);
        shape.setFillColor(colour);
        getRenderLayer(id)->draw(shape, states);
    }

    std::unique_ptr<sf::RenderTexture> screen;
};

TEST_F(LayersDisplay, TextureLayerIsComposedOnlyWhenDrawnTo)
{
    fill(layerUI, {0, 0, 32, 64}, sf::Color::Green);
    clearLayer(sf::Color(0, 0, 0, 0), layerUI); // only keeps the sizes: the content stays
    EXPECT_TRUE(ui().drawnTo);
    ui().replay(*screen);
    EXPECT_EQ(pixel(10, 10), sf::Color::Green);
    EXPECT_EQ(pixel(40, 10), sf::Color::Black);

    clearLayer(sf::Color::White, layerUI); // white now, but nothing drawn: not composed
    EXPECT_FALSE(ui().drawnTo);
    screen->clear(sf::Color::Black);
    ui().replay(*screen);
    EXPECT_EQ(pixel(40, 10), sf::Color::Black);
}

TEST_F(LayersDisplay, TextureLayersStillDrawAfterTheWindowIsRecreated)
{
    renderWindow->create(sf::VideoMode(side, side), "layers test again");
    resizeLayerTextures();
    fill(layerUI, {0, 0, 32, 64}, sf::Color::Green);
    ui().replay(*screen);
    EXPECT_EQ(pixel(10, 10), sf::Color::Green);
}

TEST_F(LayersDisplay, ClipRectanglesClipAndNestedClipsRestoreTheOuterOne)
{
    const sf::View before = ui().renderTexture()->getView();

    beginClipRect(&ui(), {16, 16}, {16, 16}, false);
    fill(layerGround, {0, 0, 64, 64}, sf::Color::White); // any id lands in the clip layer
    endClipRect();

    beginClipRect(&ui(), {40, 40}, {16, 16}, true);
    fill(layerCurrent, {0, 0, 4, 4}, sf::Color::Red); // local: (0,0) is the clip's corner
    endClipRect();

    beginClipRect(&ui(), {0, 40}, {20, 20}, false);
    beginClipRect(&ui(), {2, 42}, {2, 2}, false);
    endClipRect();
    fill(layerUI, {0, 0, 64, 64}, sf::Color::Blue); // back in the outer clip
    endClipRect();

    EXPECT_FALSE(layerRedirected);
    EXPECT_EQ(currentRenderLayer, &layerRedirect);
    const sf::View& after = ui().renderTexture()->getView();
    EXPECT_EQ(after.getCenter(), before.getCenter());
    EXPECT_EQ(after.getSize(), before.getSize());
    EXPECT_EQ(after.getViewport(), before.getViewport());

    ui().replay(*screen);
    EXPECT_EQ(pixel(20, 20), sf::Color::White);
    EXPECT_EQ(pixel(10, 10), sf::Color::Black);
    EXPECT_EQ(pixel(35, 20), sf::Color::Black);
    EXPECT_EQ(pixel(41, 41), sf::Color::Red);
    EXPECT_EQ(pixel(46, 46), sf::Color::Black);
    EXPECT_EQ(pixel(10, 50), sf::Color::Blue);
    EXPECT_EQ(pixel(30, 50), sf::Color::Black);
}

TEST_F(LayersDisplay, DeferredDrawsReplayWithTheirOwnUniformValues)
{
    if (!shaderSlots[0].shader) {
        ASSERT_TRUE(Shaders::init());
    }
    testsupport::TempDir dir;
    dir.write("flat.frag", "uniform vec4 colour;\nvoid main() { gl_FragColor = colour; }\n");
    ShaderId id = Shaders::addShader("", (dir.path() / "flat.frag").string());
    ASSERT_GT(id, 0);
    ShaderSlot& slot = getShaderSlot(id);
    ASSERT_TRUE(slot.loaded);
    CachedShader& shader = *slot.shader;
    const int colour = shader.getUniformLocation("colour");
    ASSERT_GE(colour, 0);

    sf::RenderStates states(&shader);
    const float red[4] = {1, 0, 0, 1}, green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 1};
    shader.setUniform4f(colour, red);
    fill(layerGround, {0, 0, 32, 64}, sf::Color::White, states);
    shader.setUniform4f(colour, green);
    fill(layerGround, {32, 0, 32, 64}, sf::Color::White, states);
    shader.setUniform4f(colour, blue); // after both draws: neither shows it

    RenderLayer& ground = *getRenderLayer(layerGround, true);
    ASSERT_EQ(ground.records.size(), 2u);
    EXPECT_EQ(ground.records[0].shader, &shader);
    ground.replay(*screen);
    EXPECT_EQ(pixel(10, 10), sf::Color::Red);
    EXPECT_EQ(pixel(50, 10), sf::Color::Green);
    ground.clear(sf::Color::Transparent);
}

TEST_F(LayersDisplay, DeferredQuadsAreDrawnAsTriangles)
{
    const sf::Vertex quads[8] = {
        {{0, 0}, sf::Color::Yellow},  {{16, 0}, sf::Color::Yellow},  {{16, 16}, sf::Color::Yellow},
        {{0, 16}, sf::Color::Yellow}, {{32, 32}, sf::Color::Cyan},   {{48, 32}, sf::Color::Cyan},
        {{48, 48}, sf::Color::Cyan},  {{32, 48}, sf::Color::Cyan},
    };
    RenderLayer& air = *getRenderLayer(layerAir, true);
    air.drawVertices(quads, 8, sf::Quads);
    air.replay(*screen);
    EXPECT_EQ(pixel(4, 12), sf::Color::Yellow); // both triangles of each quad
    EXPECT_EQ(pixel(12, 4), sf::Color::Yellow);
    EXPECT_EQ(pixel(40, 40), sf::Color::Cyan);
    EXPECT_EQ(pixel(24, 24), sf::Color::Black);
    air.clear(sf::Color::Transparent);
}

} // namespace
