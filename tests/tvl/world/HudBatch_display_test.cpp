// The HUD's batches with pictures (a texture needs GL), and what they draw against the same
// parts drawn one by one, pixel for pixel.
#include "core/Framework.h"
#include "graphics/RenderLayers.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "world/HudBatch.h"
#include "world/ShaderParams.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

namespace TeamColour = kv::shaderUniforms::TeamColour;

// A part drawn as it is; the batch never looks inside.
struct Opaque : sf::Drawable {
    void draw(sf::RenderTarget&, sf::RenderStates) const override {}
};

sf::RectangleShape solid(sf::FloatRect box)
{
    sf::RectangleShape r({box.width, box.height});
    r.setPosition(box.left, box.top);
    r.setFillColor(sf::Color::Red);
    return r;
}

struct Step {
    char kind; // 's' solid, 'f' a frame (a 1 px border), 'a' / 'b' a picture of texture a or b, 't' a text
    sf::FloatRect box;
};
struct PlanCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<char> draws; // each draw's kind, in order
};

// The draws a frame's parts end in: the kinds share draws where nothing between them is touched.
TEST(HudBatchDisplay, PartsShareADrawOnlyPastWhatTheyDoNotTouch)
{
    REQUIRE_DISPLAY();
    const sf::FloatRect left(0, 0, 30, 30), middle(100, 0, 30, 30), right(200, 0, 30, 30);
    const sf::FloatRect overMiddle(110, 10, 30, 30);
    const PlanCase cases[] = {
        {"bars apart from the icons share one draw",
         {{'s', left}, {'a', middle}, {'s', right}, {'a', {300, 0, 30, 30}}},
         {'s', 'a'}},
        {"a bar over an icon stays over it",
         {{'s', left}, {'a', middle}, {'s', overMiddle}},
         {'s', 'a', 's'}},
        {"a text over a bar stays over it, the next bar joins past the text",
         {{'s', left}, {'t', {5, 5, 10, 10}}, {'s', right}},
         {'s', 't'}},
        {"a bar that a text before it touches gets a draw after the text",
         {{'s', left}, {'t', {5, 5, 200, 10}}, {'s', middle}},
         {'s', 't', 's'}},
        {"texts never share",
         {{'t', left}, {'t', right}},
         {'t', 't'}},
        {"two textures, each its own draw, icons of one texture together",
         {{'a', left}, {'b', middle}, {'a', right}, {'b', {300, 0, 30, 30}}},
         {'a', 'b'}},
        {"an icon over another texture's icon stays over it",
         {{'a', left}, {'b', middle}, {'a', overMiddle}},
         {'a', 'b', 'a'}},
        {"a frame round a text joins the bars past it",
         {{'s', left}, {'t', {105, 5, 20, 20}}, {'f', {100, 0, 30, 30}}},
         {'s', 't'}},
        {"a frame over a text's edge stays over it",
         {{'s', left}, {'t', {95, 5, 20, 20}}, {'f', {100, 0, 30, 30}}},
         {'s', 't', 's'}},
        {"parts a pixel apart share no pixel",
         {{'s', left}, {'a', {31, 0, 30, 30}}, {'s', {62, 0, 30, 30}}},
         {'s', 'a'}},
        {"nor do parts less than a pixel apart between two pixels' centres",
         {{'s', left}, {'a', {30.4f, 0, 30, 30}}, {'s', {60.8f, 0, 30, 30}}},
         {'s', 'a'}},
        {"parts that meet on a pixel's centre may share it",
         {{'s', left}, {'a', {29.5f, 0, 30, 30}}, {'s', {59.5f, 0, 30, 30}}},
         {'s', 'a', 's'}},
    };
    sf::Texture a, b;
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        tvl::HudBatch batch;
        std::vector<Opaque> texts(c.steps.size());
        for (size_t i = 0; i < c.steps.size(); i++) {
            const Step& step = c.steps[i];
            switch (step.kind) {
            case 's':
                batch.addShape(solid(step.box));
                break;
            case 'f':
                batch.addRect({step.box.left, step.box.top}, {step.box.width, step.box.height}, sf::Color::White,
                              false, 1);
                break;
            case 't':
                batch.addDrawable(texts[i], step.box);
                break;
            default: {
                sf::Sprite s(step.kind == 'a' ? a : b, sf::IntRect(0, 0, int(step.box.width), int(step.box.height)));
                s.setPosition(step.box.left, step.box.top);
                batch.addSprite(s);
            }
            }
        }
        std::vector<char> kinds;
        for (size_t d = 0; d < batch.drawCount(); d++) {
            const sf::Texture* t = batch.textureOf(d);
            kinds.push_back(t == &a ? 'a' : t == &b ? 'b' : batch.verticesOf(d).empty() ? 't' : 's');
        }
        EXPECT_EQ(kinds, c.draws);
    }
}

// A sprite is its four corners as placed, its picture's rectangle and its tint.
TEST(HudBatchDisplay, SpritesAreTheirCornersAndTheirRectangle)
{
    REQUIRE_DISPLAY();
    sf::Texture texture;
    sf::Sprite s(texture, {64, 0, 32, 16});
    s.setOrigin(16, 8);
    s.setPosition(50, 60);
    s.setScale(0.5f, 0.5f);
    s.setColor(sf::Color(255, 255, 255, 128));
    tvl::HudBatch batch;
    batch.addSprite(s);
    ASSERT_EQ(batch.drawCount(), 1u);
    EXPECT_EQ(batch.textureOf(0), &texture);
    const std::vector<sf::Vertex>& v = batch.verticesOf(0);
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[0].position, sf::Vector2f(42, 56));
    EXPECT_EQ(v[0].texCoords, sf::Vector2f(64, 0));
    EXPECT_EQ(v[5].position, sf::Vector2f(58, 64));
    EXPECT_EQ(v[5].texCoords, sf::Vector2f(96, 16));
    for (const sf::Vertex& vertex : v)
        EXPECT_EQ(vertex.color, s.getColor());

    tvl::HudBatch none;
    none.addSprite(sf::Sprite()); // no texture: SFML draws nothing
    EXPECT_EQ(none.drawCount(), 0u);
}

// One part as the HUD has it: drawn straight onto a target, or added to a batch.
struct Part {
    std::function<void(sf::RenderTarget&)> draw;
    std::function<void(tvl::HudBatch&)> add;
};

// A 32 x 32 picture: a light grey body the team colour repaints, a dark rim, clear corners.
sf::Image shipPicture()
{
    sf::Image image;
    image.create(32, 32, sf::Color::Transparent);
    for (unsigned y = 0; y < 32; y++)
        for (unsigned x = 0; x < 32; x++) {
            const float dx = float(x) - 15.5f, dy = float(y) - 15.5f;
            const float r = std::sqrt(dx * dx + dy * dy);
            if (r < 11)
                image.setPixel(x, y, sf::Color(sf::Uint8(170 + x * 2), sf::Uint8(170 + x * 2), sf::Uint8(170 + x * 2)));
            else if (r < 15)
                image.setPixel(x, y, sf::Color(40, sf::Uint8(8 * x), 60, sf::Uint8(120 + 4 * y)));
        }
    return image;
}

sf::Image shown(sf::RenderTexture& target)
{
    target.display();
    return target.getTexture().copyToImage();
}

// How many pixels of two pictures of one size differ, the first few reported.
int differingPixels(const sf::Image& a, const sf::Image& b)
{
    int differing = 0;
    for (unsigned y = 0; y < a.getSize().y; y++)
        for (unsigned x = 0; x < a.getSize().x; x++)
            if (a.getPixel(x, y) != b.getPixel(x, y)) {
                if (differing++ < 8)
                    ADD_FAILURE() << "pixel " << x << ", " << y << " differs";
            }
    return differing;
}

TEST(HudBatchDisplay, DrawsWhatItsPartsDrawnInTurnDraw)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(kv::test::openFrameworkWindow(640, 480));
    ASSERT_TRUE(kv::Shaders::init());
    kv::ShaderSlot& slot = kv::getShaderSlot(kv::shaderTeamColour);
    ASSERT_TRUE(slot.loaded);
    kv::CachedShader& program = *slot.shader;
    const auto useProgram = [&program](sf::Color colour) {
        tvl::shaderParams::setCurrentTexture(program, TeamColour::texture);
        const float minMatch[4] = {0.5f, 0.5f, 0.5f, 0.0f};
        program.setUniform4f(program.getUniformLocation(TeamColour::minMatchColour.name), minMatch);
        tvl::shaderParams::set(program, TeamColour::teamColour, colour);
    };

    sf::Texture ship;
    ASSERT_TRUE(ship.loadFromImage(shipPicture()));
    ship.setSmooth(true);
    sf::Texture other;
    ASSERT_TRUE(other.loadFromImage(shipPicture()));
    other.generateMipmap();
    other.setSmooth(true);

    std::vector<Part> parts;
    const auto shape = [&parts](const sf::Shape& s) {
        parts.push_back({[&s](sf::RenderTarget& t) { t.draw(s); }, [&s](tvl::HudBatch& b) { b.addShape(s); }});
    };
    const auto sprite = [&parts](const sf::Sprite& s) {
        parts.push_back({[&s](sf::RenderTarget& t) { t.draw(s); }, [&s](tvl::HudBatch& b) { b.addSprite(s); }});
    };
    const auto teamSprite = [&](const sf::Sprite& s, sf::Color colour) {
        parts.push_back({[&, colour](sf::RenderTarget& t) {
                             useProgram(colour);
                             t.draw(s, sf::RenderStates(&program));
                         },
                         [&, colour](tvl::HudBatch& b) { b.addSprite(s, program, TeamColour::teamColour, colour); }});
    };
    const auto text = [&parts](const sf::Text& s) {
        parts.push_back({[&s](sf::RenderTarget& t) { t.draw(s); },
                         [&s](tvl::HudBatch& b) { b.addText(s); }});
    };

    // A token bar: its back, its fill over it, both outlined, a little see-through; a score
    // over the bar's end.
    sf::RectangleShape back({100, 19}), fill({43.7f, 19});
    for (sf::RectangleShape* r : {&back, &fill}) {
        r->setPosition(40.5f, 11);
        r->setOutlineThickness(1);
        r->setOutlineColor(sf::Color::Black);
    }
    back.setFillColor(sf::Color(151, 151, 151, 220));
    fill.setFillColor(sf::Color(0, 255, 0, 220));
    shape(back);
    shape(fill);
    sf::Text score("Player: 3/10", *kv::standardFont, 18);
    score.setOutlineThickness(1);
    score.setOutlineColor(sf::Color::Black);
    score.setPosition(120, 8);
    text(score);

    // Team-coloured icons, two of one colour; a turned, shrunk, tinted picture of a mipmapped
    // texture; the same picture turned the other way over the first icon.
    sf::Sprite icons[3];
    const sf::Color colours[3] = {sf::Color(230, 60, 200), sf::Color(60, 220, 240), sf::Color(230, 60, 200)};
    for (int i = 0; i < 3; i++) {
        icons[i] = sf::Sprite(ship);
        icons[i].setScale(0.7f, 0.7f);
        icons[i].setPosition(8, 8 + 26.5f * float(i));
        teamSprite(icons[i], colours[i]);
    }
    sf::Sprite arrow(other), overIcon(other);
    arrow.setOrigin(16, 16);
    arrow.setPosition(260.3f, 120.6f);
    arrow.setRotation(37);
    arrow.setScale(1.5f, 0.75f);
    arrow.setColor(sf::Color(255, 200, 200, 200));
    sprite(arrow);
    overIcon.setPosition(14, 20);
    overIcon.setRotation(-20);
    sprite(overIcon);

    // Map markers: turned rectangles and three-point circles at fractions of a pixel, some over
    // the arrow; the map's see-through outline and the visible area's thick one over them.
    std::vector<sf::RectangleShape> rects;
    std::vector<sf::CircleShape> circles;
    rects.reserve(12);
    circles.reserve(12);
    for (int i = 0; i < 12; i++) {
        const sf::Vector2f at(150 + 13.37f * float(i), 95 + 7.1f * float(i % 5));
        sf::RectangleShape& r = rects.emplace_back(sf::Vector2f(3.3f + float(i % 3), 2.6f));
        r.setOrigin(r.getSize() * 0.5f);
        r.setPosition(at);
        r.setRotation(17.0f * float(i));
        r.setFillColor(sf::Color(255, 0, 0));
        sf::CircleShape& c = circles.emplace_back(2.5f + float(i % 4), 3);
        c.setOrigin(c.getRadius(), c.getRadius());
        c.setPosition(at + sf::Vector2f(4.25f, 9.5f));
        c.setRotation(29.0f * float(i));
        c.setFillColor(sf::Color(sf::Uint8(20 * i), 0, 240));
    }
    for (int i = 0; i < 12; i++) {
        shape(rects[size_t(i)]);
        shape(circles[size_t(i)]);
    }
    sf::RectangleShape mapOutline({190, 60}), visible({70.4f, 33.2f});
    mapOutline.setPosition(140, 90);
    mapOutline.setFillColor(sf::Color::Transparent);
    mapOutline.setOutlineColor(sf::Color(255, 255, 255, 128));
    mapOutline.setOutlineThickness(1);
    visible.setPosition(201.7f, 101.3f);
    visible.setFillColor(sf::Color::Transparent);
    visible.setOutlineColor(sf::Color(32, 255, 0, 128));
    visible.setOutlineThickness(2);
    shape(mapOutline);
    shape(visible);

    // A heading in a box, and a bar laid over the end of a text after it.
    sf::Text heading("057", *kv::osdFont, 16);
    heading.setOutlineThickness(1);
    heading.setPosition(150.5f, 16);
    text(heading);
    sf::RectangleShape box({38, 19});
    box.setPosition(146, 15);
    box.setFillColor(sf::Color::Transparent);
    box.setOutlineColor(sf::Color::White);
    box.setOutlineThickness(1);
    shape(box);
    sf::Text label("8M BRG 000", *kv::osdFont, 16);
    label.setOutlineThickness(0.75f);
    label.setPosition(30, 180);
    text(label);
    sf::RectangleShape over({30, 8});
    over.setPosition(100, 186);
    over.setFillColor(sf::Color(255, 0, 0, 160));
    shape(over);

    sf::RenderTexture oneByOne, batched;
    ASSERT_TRUE(oneByOne.create(320, 240));
    ASSERT_TRUE(batched.create(320, 240));
    oneByOne.clear(sf::Color::Transparent);
    for (const Part& part : parts)
        part.draw(oneByOne);

    tvl::HudBatch batch;
    for (const Part& part : parts)
        part.add(batch);
    // The bars, markers, outlines and boxes in one draw bar the one over the text; the icons
    // one a colour; the two pictures over the icons one; the texts one a font size.
    EXPECT_EQ(batch.drawCount(), 8u);
    kv::RenderLayer layer(kv::modePassthrough, "test");
    layer.target = &batched;
    batched.clear(sf::Color::Transparent);
    batch.draw(layer);
    EXPECT_EQ(batch.drawCount(), 0u) << "drawing empties the batch";

    const sf::Image a = shown(oneByOne), b = shown(batched);
    if (const char* dir = std::getenv("HUD_BATCH_SHOTS")) {
        a.saveToFile(std::string(dir) + "/one_by_one.png");
        b.saveToFile(std::string(dir) + "/batched.png");
    }
    EXPECT_EQ(differingPixels(a, b), 0);
    kv::renderWindow->close();
}

// Texts as the HUD and a player's name may have them, their glyphs batched against sf::Text's
// own draw, pixel for pixel.
TEST(HudBatchDisplay, TextsDrawWhatSfTextDraws)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(kv::test::openFrameworkWindow(640, 480));

    struct TextCase {
        const char* name;
        kv::LazyObject<sf::Font>* font;
        unsigned size;
        const char* string;
        float outline;
        sf::Vector2f position;
        sf::Uint32 style = sf::Text::Regular;
        float letterSpacing = 1, lineSpacing = 1;
    };
    const TextCase cases[] = {
        {"a score row", &kv::standardFont, 18, "Computer 2: 12/10", 1, {40.5f, 8}},
        {"a distance and bearing", &kv::osdFont, 16, "1234M BRG 087", 0.75f, {10.25f, 40.6f}},
        {"kerning pairs without an outline", &kv::standardFont, 18, "AVATAR Ty.Wa", 0, {12, 70}},
        {"blanks, a tab, a carriage return, lines", &kv::osdFont, 16, "a  b\tc\r\nsecond\n\nfourth", 1, {200.3f, 5}},
        {"spacing factors", &kv::standardFont, 18, "wide\nspread", 1, {20, 100}, sf::Text::Regular, 1.6f, 1.3f},
        {"beyond ASCII", &kv::standardFont, 18, "J\xc3\xb6rg \xc3\x85sa \xe2\x82\xac", 1, {300, 150}},
        {"bold goes as it is", &kv::standardFont, 18, "Bold 42", 1, {20, 200}, sf::Text::Bold},
    };
    sf::RenderTexture oneByOne, batched;
    ASSERT_TRUE(oneByOne.create(480, 240));
    ASSERT_TRUE(batched.create(480, 240));
    kv::RenderLayer layer(kv::modePassthrough, "test");
    layer.target = &batched;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        sf::Text text(sf::String::fromUtf8(c.string, c.string + std::strlen(c.string)), **c.font, c.size);
        text.setOutlineThickness(c.outline);
        text.setOutlineColor(sf::Color(10, 20, 30, 230));
        text.setFillColor(sf::Color(250, 240, 120));
        text.setPosition(c.position);
        text.setStyle(c.style);
        text.setLetterSpacing(c.letterSpacing);
        text.setLineSpacing(c.lineSpacing);
        oneByOne.clear(sf::Color::Transparent);
        oneByOne.draw(text);
        tvl::HudBatch batch;
        batch.addText(text);
        EXPECT_EQ(batch.drawCount(), 1u);
        batched.clear(sf::Color::Transparent);
        batch.draw(layer);
        EXPECT_EQ(differingPixels(shown(oneByOne), shown(batched)), 0);
    }
    kv::renderWindow->close();
}

} // namespace
