// A display-mode change re-creates the window: the layers follow it to the new size and the next
// frame, ImGui included, is composed whole, read back from the screen.
#include "app/Compositor.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "support/Display.h"
#include "support/ShownFrame.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>
#include <imgui.h>

using namespace kv;

namespace {

using test::near;

// One frame: black, a green square in the ground's bottom-right corner, a red one in the UI's
// top-left corner, a blue ImGui window in the middle; what was shown, read back.
sf::Image composeFrame()
{
    const sf::Vector2f view = renderWindow->getView().getSize();
    ImGui::SetNextWindowPos(ImVec2(view.x / 2 - 50, view.y / 2 - 50));
    ImGui::SetNextWindowSize(ImVec2(100, 100));
    ImGui::PushStyleColor(ImGuiCol_WindowBg, ImVec4(0, 0, 1, 1));
    ImGui::Begin("Probe", nullptr, ImGuiWindowFlags_NoDecoration);
    ImGui::End();
    ImGui::PopStyleColor();
    clearLayer(sf::Color::Black, layerDisplay);
    sf::RectangleShape square({40, 40});
    square.setFillColor(sf::Color::Green);
    square.setPosition(view - sf::Vector2f(40, 40));
    getRenderLayer(layerGround, true)->draw(square);
    square.setFillColor(sf::Color::Red);
    square.setPosition(0, 0);
    getRenderLayer(layerUI, true)->draw(square);
    frameTime = 1.0f / 60;
    displayFrame(0);
    return test::shownFrame();
}

TEST(DisplayModeChange, LayersFollowTheNewWindowAndAFrameComposesWhole)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    ASSERT_TRUE(Shaders::init());
    resetLighting();
    ASSERT_TRUE(ImGui::SFML::Init(*renderWindow));
    ImGui::GetIO().IniFilename = nullptr;
    imguiEnabled = true;
    ImGui::SFML::Update(*renderWindow, sf::seconds(0.1f));
    composeFrame();

    // Smaller, back, then the same size again (only the window is new).
    const sf::Vector2u sizes[] = {{800, 600}, {1024, 768}, {1024, 768}};
    for (sf::Vector2u size : sizes) {
        SCOPED_TRACE(testing::Message() << size.x << " x " << size.y);
        ASSERT_TRUE(KVCore::setDisplayMode(int(size.x), int(size.y), 32, true));
        ASSERT_EQ(renderWindow->getSize(), size);
        const sf::Image frame = composeFrame();
        for (RenderLayerId id = layerGroundLow; id <= layerThermalImaging; ++id) {
            RenderLayer& layer = *getRenderLayer(id, true);
            if (layer.mode == modeTexture) {
                ASSERT_NE(layer.renderTexture(), nullptr);
            }
        }
        ASSERT_EQ(frame.getSize(), size);
    }
    imguiEnabled = false;
    ImGui::SFML::Shutdown();
    renderWindow->close();
}

} // namespace
