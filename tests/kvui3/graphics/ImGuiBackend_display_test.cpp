#include "graphics/ImGuiBackend.h"

#include <SFML/Graphics.hpp>

#include "support/Display.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <cstdlib>

namespace {

sf::Event mouseButton(sf::Event::EventType type, int x, int y)
{
    sf::Event e;
    e.type = type;
    e.mouseButton.button = sf::Mouse::Left;
    e.mouseButton.x = x;
    e.mouseButton.y = y;
    return e;
}

sf::Event typed(sf::Uint32 unicode)
{
    sf::Event e;
    e.type = sf::Event::TextEntered;
    e.text.unicode = unicode;
    return e;
}

TEST(ImGuiBackendDisplay, DrawsAWindowOverTheFrameAndKeepsSfmlState)
{
    REQUIRE_DISPLAY();
    sf::RenderWindow window(sf::VideoMode(320, 240), "imgui test");
    ASSERT_TRUE(ImGui::SFML::Init(window));
    ImGui::GetIO().IniFilename = nullptr;

    // A click whose press and release fall in one frame still reaches ImGui.
    ImGui::SFML::ProcessEvent(window, mouseButton(sf::Event::MouseButtonPressed, 5, 6));
    ImGui::SFML::ProcessEvent(window, mouseButton(sf::Event::MouseButtonReleased, 5, 6));
    for (sf::Uint32 c : {sf::Uint32('a'), sf::Uint32(127), sf::Uint32(1), sf::Uint32('b')})
        ImGui::SFML::ProcessEvent(window, typed(c));
    ImGui::SFML::Update(window, sf::seconds(1.0f / 60.0f));
    const ImGuiIO& io = ImGui::GetIO();
    EXPECT_EQ(io.DisplaySize.x, 320.0f);
    EXPECT_EQ(io.DisplaySize.y, 240.0f);
    EXPECT_TRUE(io.MouseDown[0]);
    EXPECT_EQ(io.MousePos.x, 5.0f);
    ASSERT_EQ(io.InputQueueCharacters.Size, 2);
    EXPECT_EQ(io.InputQueueCharacters[0], 'a');
    EXPECT_EQ(io.InputQueueCharacters[1], 'b');

    ImGui::SetNextWindowPos(ImVec2(100, 100));
    ImGui::SetNextWindowSize(ImVec2(120, 80));
    ImGui::Begin("Probe");
    ImGui::Text("Hello");
    ImGui::End();

    window.clear(sf::Color::Black);
    ImGui::SFML::Render(window);
    // SFML drawing after ImGui must still work: its state cache and GL agree again.
    sf::RectangleShape marker(sf::Vector2f(10.0f, 10.0f));
    marker.setFillColor(sf::Color::Red);
    window.draw(marker);

    sf::Texture shot;
    ASSERT_TRUE(shot.create(320, 240));
    shot.update(window);
    const sf::Image image = shot.copyToImage();
    window.display();

    EXPECT_EQ(image.getPixel(5, 5), sf::Color::Red);
    EXPECT_EQ(image.getPixel(300, 20), sf::Color::Black);
    const sf::Color inside = image.getPixel(150, 150); // the window's translucent background
    EXPECT_NE(inside, sf::Color::Black);

    // The next frame sees the button released.
    ImGui::SFML::Update(window, sf::seconds(1.0f / 60.0f));
    EXPECT_FALSE(ImGui::GetIO().MouseDown[0]);
    ImGui::SFML::Render(window);
    ImGui::SFML::Shutdown();
    EXPECT_EQ(ImGui::GetCurrentContext(), nullptr);
}

} // namespace
