// The "Render Layer Debug" tool window: a layer's mode and record count, and previews of what
// the layers hold, replayed into textures of their own.
#include "graphics/RenderLayers.h"

#include "core/Framework.h"
#include "core/Messages.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <imgui.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

bool renderLayerDebugOpen = false;

namespace {

constexpr int worldLayerCount = 4; // layerGroundLow .. layerAir
std::unique_ptr<sf::RenderTexture> previews[worldLayerCount];
int selectedLayer = 0;
bool showAllWorldLayers = false;

const char* modeName(uint32_t mode)
{
    switch (mode) {
    case modePassthrough: return "Passthrough";
    case modeTexture: return "Texture";
    default: return "Deferred";
    }
}

// Replays the layer into preview slot index, cleared first; null without a display.
sf::RenderTexture* replayPreview(int index, RenderLayer& layer)
{
    sf::RenderTarget* display = renderLayers[layerDisplay - 1].target;
    if (!display)
        return nullptr;
    std::unique_ptr<sf::RenderTexture>& preview = previews[index];
    sf::Vector2u size = display->getSize();
    if (!preview)
        preview = std::make_unique<sf::RenderTexture>();
    if (preview->getSize() != size && !preview->create(size.x, size.y))
        return nullptr;
    preview->setView(display->getView());
    preview->clear(sf::Color(0, 0, 0, 0));
    layer.replay(*preview);
    preview->display();
    return preview.get();
}

void showPreview(const sf::RenderTexture& preview, float width)
{
    sf::Vector2u size = preview.getSize();
    float height = width * static_cast<float>(size.y) / static_cast<float>(size.x);
    // Render textures are stored upside down.
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(preview.getTexture().getNativeHandle())),
                 ImVec2(width, height), ImVec2(0, 1), ImVec2(1, 0));
}

bool savePreview(const sf::RenderTexture& preview, const char* layerName)
{
    std::string file = std::string(layerName) + ".png";
    if (!preview.getTexture().copyToImage().saveToFile(file))
        return false;
    printMessage("Saved " + file);
    return true;
}

} // namespace

void drawRenderLayerDebug()
{
    if (!ImGui::Begin("Render Layer Debug", &renderLayerDebugOpen)) {
        ImGui::End();
        return;
    }
    const char* names[renderLayerCount];
    for (int i = 0; i < renderLayerCount; ++i)
        names[i] = renderLayers[i].name;
    ImGui::Combo("Layer", &selectedLayer, names, renderLayerCount);
    ImGui::Checkbox("Show All World Layers", &showAllWorldLayers);

    if (!showAllWorldLayers) {
        RenderLayer& layer = renderLayers[selectedLayer];
        ImGui::Text("Layer Info");
        ImGui::Separator();
        ImGui::Text("Mode: %s", modeName(layer.mode));
        ImGui::Text("Draw Calls: %zu", layer.records.size());
        ImGui::Text("Layer Preview");
        ImGui::Separator();
        // The first preview slot doubles as the single-layer preview.
        sf::RenderTexture* preview = replayPreview(0, layer);
        if (preview) {
            showPreview(*preview, 400);
            if (ImGui::Button("Save Layer to Image"))
                savePreview(*preview, layer.name);
        }
    } else {
        ImGui::Text("World Layers");
        ImGui::Separator();
        sf::RenderTexture* shown[worldLayerCount] = {};
        if (ImGui::BeginTable("WorldLayersTable", 2)) {
            for (int i = 0; i < worldLayerCount; ++i) {
                RenderLayer& layer = renderLayers[layerGroundLow - 1 + i];
                ImGui::TableNextColumn();
                if (layer.mode == modeDeferred)
                    ImGui::Text("%s (Deferred) (%zu draw calls)", layer.name, layer.records.size());
                else
                    ImGui::Text("%s (%s)", layer.name, modeName(layer.mode));
                shown[i] = replayPreview(i, layer);
                if (shown[i])
                    showPreview(*shown[i], 300);
            }
            ImGui::EndTable();
        }
        if (ImGui::Button("Save Layers to Images")) {
            for (int i = 0; i < worldLayerCount; ++i)
                if (shown[i])
                    savePreview(*shown[i], renderLayers[layerGroundLow - 1 + i].name);
        }
    }
    ImGui::End();
}

} // namespace kv
