// The HUD over a real single-player game on a map of the runtime tree, at three window sizes,
// read back from the shown frame. Each frame is saved beside the game folder for a look.
#include "app/Compositor.h"
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "ui/Hints.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"
#include "world/GameState.h"
#include "world/Hud.h"
#include "world/Images.h"
#include "world/Items.h"
#include "world/Minimap.h"
#include "world/Player.h"
#include "world/WorldView.h"

// The sanitizer's allocator keeps its own books of new and free: a counting operator new beside
// it makes every other display test report a mismatch.
#ifndef __SANITIZE_ADDRESS__
#include "../../../bench/AllocationCounter.h"
#endif
#include "support/Display.h"
#include "support/GameFixture.h"
#include "support/GameWindow.h"
#include "support/GlDrawCount.h"
#include "support/HudScene.h"
#include "support/ShownFrame.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unistd.h>

namespace {

using kv::test::near;

using gametest::drawnFrame;

// Pixels of a box that differ between two frames by more than tolerance.
int changedPixels(const sf::Image& a, const sf::Image& b, sf::IntRect box, int tolerance = 8)
{
    int changed = 0;
    for (int y = std::max(0, box.top); y < box.top + box.height && y < int(a.getSize().y); y++)
        for (int x = std::max(0, box.left); x < box.left + box.width && x < int(a.getSize().x); x++)
            changed += !near(a.getPixel(x, y), b.getPixel(x, y), tolerance);
    return changed;
}

void save(const sf::Image& frame, const std::string& name)
{
    frame.saveToFile(std::string(TVL_GAME_DIR "/../") + name + ".png");
}

// A game whose local player sits in the middle of the map with every kind of HUD part showing:
// four players, three effects running, a full nitro tank, all items held, the token off screen
// to the right.
void stageGame()
{
    using namespace tvl;
    addPlayer(sf::Color(230, 60, 200), "Computer 2", true);
    addPlayer(sf::Color(60, 220, 240), "Computer 3", true);
    ASSERT_EQ(game.players.size(), 4u);
    for (size_t i = 0; i < game.players.size(); i++)
        game.players[i]->tokens = int(i) * 3;
    Player& me = *localPlayer();
    const sf::Vector2f middle = mapWorldSize * 0.5f;
    me.x = me.renderX = me.stepX = middle.x;
    me.y = me.renderY = me.stepY = middle.y;
    me.angle = me.renderAngle = me.stepAngle = 1.0f; // 57 degrees
    updateGameCamera();
    game.token.present = true;
    game.token.x = middle.x + 900; // off screen, on the map
    game.token.y = middle.y;
    updateGameWorld(0); // the map view's markers
    me.nitroSeconds = maxNitroSeconds;
    me.bombStun = 0.75f;
    me.missileHit = 1.0f;
    me.timeWarpTimer = 3.0f;
    for (int type = 0; type < itemTypeCount; type++)
        me.itemCounts[type] = 1;
    me.currentItem = Gun;
}

// Near-white pixels of a box: the target arrow is a white picture.
int whitePixels(const sf::Image& image, sf::IntRect box)
{
    int white = 0;
    for (int y = std::max(0, box.top); y < box.top + box.height && y < int(image.getSize().y); y++)
        for (int x = std::max(0, box.left); x < box.left + box.width && x < int(image.getSize().x); x++)
            white += near(image.getPixel(x, y), sf::Color::White, 24);
    return white;
}

// Where the staged game's item column and the arrow toward its token go, from the real fonts
// and item pictures.
struct ArrowAndColumn {
    sf::FloatRect arrow, column;
};
ArrowAndColumn placeArrowAndColumn(sf::Vector2f v)
{
    using namespace tvl;
    HudMetrics m;
    m.lineSpacing18 = kv::standardFont->getLineSpacing(18);
    m.nitroTextWidth = kv::textWidth(*kv::standardFont, 18, "Nitro");
    int counts[itemTypeCount];
    sf::Vector2f sizes[itemTypeCount];
    for (int type = 0; type < itemTypeCount; type++) {
        counts[type] = 1;
        const ImageRecord& image = (*images)[itemImageNumbers[type]];
        sizes[type] = {float(image.width), float(image.height)};
    }
    ItemSlot slots[itemTypeCount];
    const int n = itemColumnFor(counts, Gun, sizes, v.x, hudLayoutFor(v, m).itemColumnTop, slots);
    const float nameWidth = kv::textWidth(*kv::standardFont, 18, itemName(Gun));
    const sf::FloatRect column = itemColumnBox(slots, n, sizes, nameWidth, m.lineSpacing18);
    const TargetView view{worldView.scroll, worldView.worldRenderScale, worldView.pixelSize, worldView.screenRect, v};
    const sf::FloatRect arrow = uiSprite1->getLocalBounds();
    const Player& me = *localPlayer();
    const TargetMarker marker = targetMarkerFor({game.token.x, game.token.y}, {me.x, me.y}, view, false,
                                                {arrow.width / 2, arrow.height / 2}, {&column, 1});
    return {{marker.spot.x - arrow.width / 2, marker.spot.y - arrow.height / 2, arrow.width, arrow.height}, column};
}

// The middle of the full nitro bar on a view of that size.
sf::Vector2u nitroBarMiddle(sf::Vector2f v)
{
    const float lineSpacing = kv::standardFont->getLineSpacing(18);
    return {unsigned(v.x - v.x * 0.075f - 10), unsigned(10 + (lineSpacing - 2) / 2)};
}

TEST(HudDisplay, EveryPartShowsInPlaceAtCommonSizes)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));

    const sf::Vector2u sizes[] = {{640, 480}, {1280, 720}, {1920, 1080}};
    for (sf::Vector2u size : sizes) {
        const std::string name = "hud_" + std::to_string(size.x) + "x" + std::to_string(size.y);
        SCOPED_TRACE(name);
        // The window itself, at any size the X screen allows or not: the compositor reads back
        // what was drawn, not what the screen shows.
        kv::renderWindow->create(sf::VideoMode(size.x, size.y), "HUD test", sf::Style::Titlebar | sf::Style::Close);
        kv::initRenderLayers();
        ASSERT_EQ(kv::renderWindow->getView().getSize(), sf::Vector2f(size));
        // Larger than the X screen the window still has its size, and the frame read back is whole.
        ASSERT_EQ(kv::renderWindow->getSize(), size);

        tvl::GameStartSettings settings;
        settings.tokensCount = 10;
        settings.itemsDensity = 1;
        ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Meadow.map", &settings));
        ASSERT_NO_FATAL_FAILURE(stageGame());
        const sf::Vector2f v(size);

        const sf::Image frame = drawnFrame();
        ASSERT_EQ(frame.getSize(), size);
        save(frame, name);

        // The full nitro bar, its bar hiding the back.
        const sf::Vector2u nitro = nitroBarMiddle(v);
        EXPECT_TRUE(near(frame.getPixel(nitro.x, nitro.y), sf::Color(192, 192, 192))) << "nitro bar";
        const float lineSpacing = kv::standardFont->getLineSpacing(18);
        // The bomb stun's bar, half full, lowest of the three.
        const sf::Vector2i stun(int(v.x / 2 - v.x * 0.1f + 68 + 4), int(v.y - 60 + (lineSpacing - 2) / 2));
        EXPECT_TRUE(near(frame.getPixel(stun.x, stun.y), sf::Color(255, 0, 0))) << "effect bar";
        // The heading box's top edge, its outline just above y = 15.
        const float boxWidth = kv::textWidth(*kv::osdFont, 16, "0000");
        const unsigned boxX = unsigned((v.x - boxWidth) / 2) + 2;
        EXPECT_TRUE(near(frame.getPixel(boxX, 14), sf::Color::White, 40)
                    || near(frame.getPixel(boxX, 13), sf::Color::White, 40))
            << "heading box";

        // The arrow toward the token rests on the right edge, or, where the items fill that edge,
        // back on the line toward the token, clear of the item column; with the token gone that
        // part of the screen shows the world again.
        const ArrowAndColumn placed = placeArrowAndColumn(v);
        EXPECT_FALSE(placed.arrow.intersects(placed.column)) << "arrow over the items";
        const bool atTheEdge = placed.arrow.left + placed.arrow.width >= v.x - 2;
        const bool onTheLine = std::abs(placed.arrow.top + placed.arrow.height / 2 - v.y / 2) < 2;
        EXPECT_TRUE(atTheEdge || onTheLine) << "arrow off the right edge and off the way to the token";
        const sf::IntRect arrow(placed.arrow);
        tvl::game.token.present = false;
        const sf::Image noToken = drawnFrame();
        EXPECT_GT(changedPixels(frame, noToken, arrow), 400) << "target arrow";
        EXPECT_GT(whitePixels(frame, arrow), whitePixels(noToken, arrow) + 200) << "target arrow";
        tvl::game.token.present = true;

        // The map view: the map's picture centred on black, the markers over it.
        tvl::session.mapViewOpen = true;
        const sf::Image mapView = drawnFrame();
        save(mapView, name + "_map");
        const sf::Vector2u mapSize = tvl::minimapImage.getSize();
        ASSERT_GT(mapSize.x, 0u);
        EXPECT_TRUE(mapSize.x <= size.x && mapSize.y <= size.y);
        const sf::Vector2u corner((size.x - mapSize.x) / 2, (size.y - mapSize.y) / 2);
        int same = 0;
        for (unsigned y = 0; y < mapSize.y; y += 4)
            for (unsigned x = 0; x < mapSize.x; x += 4)
                same += near(mapView.getPixel(corner.x + x, corner.y + y), tvl::minimapImage.getPixel(x, y), 4);
        const int samples = int(((mapSize.x + 3) / 4) * ((mapSize.y + 3) / 4));
        EXPECT_GT(same, samples * 8 / 10) << "the map picture at " << corner.x << ", " << corner.y;
        EXPECT_TRUE(near(mapView.getPixel(1, size.y - 2), sf::Color::Black)) << "black around the map";
        tvl::session.mapViewOpen = false;

        tvl::tearDownGame();
    }
    gametest::endGameState();
    kv::renderWindow->close();
}

// Once its texts are set, a steady game frame with the whole HUD over it costs next to no heap:
// the frame's many texture and shader binds share one GL context record.
// A staged game on Meadow with ten tokens and items, in a 1280 x 720 window.
void openStagedMeadowGame()
{
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(1280, 720));
    tvl::GameStartSettings settings;
    settings.tokensCount = 10;
    settings.itemsDensity = 1;
    ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Meadow.map", &settings));
    ASSERT_NO_FATAL_FAILURE(stageGame());
}

TEST(HudDisplay, ASteadyFrameAllocatesNextToNothing)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "allocations are not counted beside the sanitizer";
#else
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(openStagedMeadowGame());
    for (int i = 0; i < 3; i++)
        tvl::drawGameFrame();
    const int frames = 10;
    const long before = allocations.load();
    for (int i = 0; i < frames; i++)
        tvl::drawGameFrame();
    EXPECT_LE(allocations.load() - before, 2 * frames);

    tvl::tearDownGame();
    gametest::endGameState();
    kv::renderWindow->close();
#endif
}

// The GL draw calls of the HUD alone, over the frame drawn before it.
long hudDraws()
{
    const long before = testsupport::glDrawCalls();
    tvl::drawHud();
    return testsupport::glDrawCalls() - before;
}

// The HUD draws in as few calls as its states allow: one for all its bars and boxes, one for
// the ship icons of each team colour, one for the pictures of each texture and one for the
// texts of each font size. The map view adds its picture and one call for the shapes over it:
// its markers, however many, its frame and the visible area.
TEST(HudDisplay, DrawsInAsFewCallsAsItsTexturesAllow)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(openStagedMeadowGame());
    drawnFrame();

    // Four rows of four colours; the texts in the standard font at 18 (the rows', "Nitro",
    // "Gun") and in the OSD font at 16 (the arrow's two, the heading); the textures: the seven
    // items' pictures (the effects' icons are three of them) and the UI sheet the arrow is cut
    // from.
    const long colours = 4, fontSizes = 2, textures = tvl::itemTypeCount + 1;
    const long budget = 1 + colours + textures + fontSizes;
    EXPECT_LE(hudDraws(), budget);

    tvl::session.mapViewOpen = true;
    const long mapView = hudDraws();
    EXPECT_LE(mapView, budget + 2);
    for (int i = 0; i < 300; i++) {
        const sf::Vector2f at(tvl::mapWorldSize.x * float(i % 20) / 20, tvl::mapWorldSize.y * float(i / 20) / 15);
        const sf::Vector2f size(24, 24);
        const float angle = 0.1f * float(i);
        const uint8_t red[3] = {255, 0, 0};
        tvl::addMinimapMarker(i % 3 == 0 ? 1 : 0, &at, &size, &angle, red);
    }
    EXPECT_EQ(hudDraws(), mapView) << "300 markers more";
    tvl::session.mapViewOpen = false;

    tvl::tearDownGame();
    gametest::endGameState();
    kv::renderWindow->close();
}

// A new display mode lays the HUD out again for the new view.
TEST(HudDisplay, FollowsADisplayModeChange)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));
    tvl::GameStartSettings settings;
    ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Meadow.map", &settings));
    tvl::localPlayer()->nitroSeconds = tvl::maxNitroSeconds;

    ASSERT_TRUE(kv::KVCore::setDisplayMode(1024, 768, 32, true));
    kv::initRenderLayers();
    const sf::Vector2f v = kv::renderWindow->getView().getSize();
    ASSERT_EQ(v, sf::Vector2f(1024, 768));
    const sf::Image frame = drawnFrame();
    save(frame, "hud_after_mode_change");
    const sf::Vector2u nitro = nitroBarMiddle(v);
    EXPECT_TRUE(near(frame.getPixel(nitro.x, nitro.y), sf::Color(192, 192, 192)));
    EXPECT_FALSE(near(frame.getPixel(nitro.x - unsigned(v.x * 0.15f), nitro.y), sf::Color(192, 192, 192)))
        << "the bar is as wide as the new view makes it";

    tvl::tearDownGame();
    gametest::endGameState();
    kv::renderWindow->close();
}

// The table of the HUD's layout test counts in these fonts and pictures: the runtime tree's.
TEST(HudDisplay, TheLayoutTableMeasuresAsTheRuntimeTree)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));
    kv::initFpsText();
    const tvl::HudMetrics real = tvl::measureHudMetrics(), table = hudtest::realMetrics();
    EXPECT_NEAR(real.lineSpacing18, table.lineSpacing18, 0.5f);
    EXPECT_NEAR(real.lineSpacing16, table.lineSpacing16, 0.5f);
    EXPECT_NEAR(real.nitroTextWidth, table.nitroTextWidth, 0.5f);
    EXPECT_NEAR(real.headingBoxWidth, table.headingBoxWidth, 0.5f);
    EXPECT_EQ(real.shipImageSize, table.shipImageSize);
    EXPECT_NEAR(real.hintTextWidth, table.hintTextWidth, 0.5f);
    EXPECT_NEAR(real.hintShadow, table.hintShadow, 0.5f);
    EXPECT_NEAR(real.fpsTextWidth, table.fpsTextWidth, 0.5f);
    EXPECT_NEAR(real.fpsLineSpacing, table.fpsLineSpacing, 0.5f);

    const hudtest::TextWidths& w = hudtest::textWidths;
    const sf::Font& standard = *kv::standardFont;
    EXPECT_NEAR(kv::textWidth(standard, 18, "Player: 24/25"), w.player, 0.5f);
    EXPECT_NEAR(kv::textWidth(standard, 18, "Computer: 25/25"), w.computer, 0.5f);
    EXPECT_NEAR(kv::textWidth(standard, 18, "Computer 3: 25/25"), w.computer3, 0.5f);
    EXPECT_NEAR(kv::textWidth(standard, 18, tvl::itemName(tvl::Gun)), w.gun, 0.5f);
    EXPECT_NEAR(kv::textWidth(*kv::osdFont, 16, "1234M BRG 359"), w.targetTexts, 0.5f);
    for (int type = 0; type < tvl::itemTypeCount; type++) {
        const tvl::ImageRecord& image = (*tvl::images)[tvl::itemImageNumbers[type]];
        EXPECT_EQ(sf::Vector2f(float(image.width), float(image.height)), hudtest::itemSizes[type]) << type;
    }
    const sf::FloatRect arrow = tvl::uiSprite1->getLocalBounds();
    EXPECT_EQ(sf::Vector2f(arrow.width, arrow.height), hudtest::arrowSize);

    // The frame-rate text at its widest stays inside the box the HUD keeps clear of.
    kv::showFPS = true;
    kv::fpsCounter.shownRate = 9999;
    kv::fpsCounter.secondStart = kv::programClock.getElapsedTime().asSeconds(); // the rate stands this frame
    kv::displayFrame(0);
    kv::showFPS = false;
    kv::fpsCounter = kv::FpsCounter();
    const sf::Vector2f v = kv::renderWindow->getView().getSize();
    const sf::FloatRect box = kv::fpsTextBox(v, kv::fpsTextWidth, kv::fpsLineSpacing);
    const sf::FloatRect text = kv::fpsText->getGlobalBounds();
    EXPECT_EQ(kv::fpsText->getString(), "9999 FPS");
    EXPECT_GE(text.left - 5, box.left);
    EXPECT_GE(text.top - 5, box.top);
    EXPECT_LE(text.left + text.width + 5, box.left + box.width);
    EXPECT_LE(text.top + text.height + 5, box.top + box.height);
    gametest::endGameState();
    kv::renderWindow->close();
}

// The staged game as the layout table tells a frame: rows, items, effects, hint, frame rate.
hudtest::Scene stagedScene(sf::Vector2f view)
{
    using namespace tvl;
    hudtest::Scene s;
    s.view = view;
    s.metrics = measureHudMetrics();
    for (const auto& player : game.players)
        s.rowTexts.push_back(kv::textWidth(*kv::standardFont, 18,
                                           player->name + ": " + std::to_string(player->tokens) + "/"
                                               + std::to_string(game.roundSettings.tokensCount)));
    const Player& me = *localPlayer();
    for (int type = 0; type < itemTypeCount; type++) {
        const auto found = me.itemCounts.find(type);
        s.itemCounts[type] = found == me.itemCounts.end() ? 0 : found->second;
    }
    s.currentItem = me.currentItem;
    s.itemNameWidth = kv::textWidth(*kv::standardFont, 18, itemName(ItemType(me.currentItem)));
    const float timers[effectTimerCount] = {me.bombStun, me.pulseHit, me.missileHit, me.dronePulseHit, me.empTimer,
                                            me.timeWarpTimer};
    std::copy(timers, timers + effectTimerCount, s.timers);
    s.hint = kv::findHint(renderScaleHintId) >= 0;
    s.fps = kv::showFPS;
    return s;
}

// With the token straight above, below, left and right of the player and toward a corner, at
// each common size, with the render-scale hint and the frame rate up: the arrow shows, and every
// other part of the HUD looks just as it does without a token. Each frame is saved for a look.
TEST(HudDisplay, TheTargetArrowLeavesEveryOtherPartAsItWas)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));
    kv::initFpsText();
    const sf::Vector2u sizes[] = {{640, 480}, {1280, 720}, {1920, 1080}};
    struct Way {
        const char* name;
        sf::Vector2f offset; // of the token from the player, world pixels
    } ways[] = {{"above", {0, -700}}, {"below", {0, 700}}, {"left", {-900, 0}}, {"right", {900, 0}},
                {"up_left", {-900, -700}}};
    for (sf::Vector2u size : sizes) {
        kv::renderWindow->create(sf::VideoMode(size.x, size.y), "HUD test", sf::Style::Titlebar | sf::Style::Close);
        kv::initRenderLayers();
        const sf::Vector2f v(size);
        tvl::GameStartSettings settings;
        settings.tokensCount = 25;
        ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Meadow.map", &settings));
        ASSERT_NO_FATAL_FAILURE(stageGame());
        ASSERT_GT(tvl::mapWorldSize.y, 2 * 700.0f);
        tvl::gameSettings.renderScale = 2.5f;
        tvl::showRenderScaleHint();
        tvl::updateGameCamera();
        // A world in the dark: its moving water and plants cannot change a part between frames.
        kv::ambientLightLevel = 0;
        drawnFrame(); // the world view takes its new scale
        kv::showFPS = true;
        const hudtest::Scene scene = stagedScene(v);
        const int hint = kv::findHint(tvl::renderScaleHintId);
        ASSERT_GE(hint, 0);
        EXPECT_EQ(kv::hints[size_t(hint)].position,
                  tvl::renderScaleHintPosition(tvl::hudLayoutFor(v, scene.metrics), scene.metrics, 4))
            << "the hint under the four rows";
        std::vector<sf::FloatRect> keepClear;
        const std::vector<hudtest::NamedBox> parts = hudtest::fixedParts(scene, keepClear);
        const tvl::Player& me = *tvl::localPlayer();
        for (const Way& way : ways) {
            const std::string name = "hud_" + std::to_string(size.x) + "x" + std::to_string(size.y) + "_" + way.name;
            SCOPED_TRACE(name);
            tvl::game.token.present = true;
            tvl::game.token.x = me.x + way.offset.x;
            tvl::game.token.y = me.y + way.offset.y;
            const sf::Image frame = drawnFrame();
            save(frame, name);
            tvl::game.token.present = false;
            const sf::Image noToken = drawnFrame();
            EXPECT_GT(changedPixels(frame, noToken, {0, 0, int(size.x), int(size.y)}), 400) << "no arrow";
            // The light the vehicle carries still flickers a little through the parts nearest to
            // it; an arrow or a text drawn over a part changes it by far more.
            for (const hudtest::NamedBox& part : parts) {
                if (part.name == "frame rate") // its figure may change between two frames
                    continue;
                EXPECT_LE(changedPixels(frame, noToken, sf::IntRect(part.box), 48), 8) << part.name;
            }
        }
        kv::showFPS = false;
        kv::hints.clear();
        tvl::gameSettings.renderScale = tvl::defaultRenderScale;
        tvl::tearDownGame();
    }
    gametest::endGameState();
    kv::renderWindow->close();
}

} // namespace
