#include "frontend/HostWindow.h"
#include "frontend/WindowParts.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Messages.h"
#include "dialogs/ModalBackdrop.h"
#include "frontend/GameLoop.h"
#include "frontend/GameSettingsWindow.h"
#include "frontend/MapCarousel.h"
#include "platform/FileSystem.h"
#include "world/GameAssets.h"
#include "world/GameState.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tvl {

namespace {

constexpr float buttonWidth = 150;

void loadPreview(sf::Texture& preview, int map)
{
    preview = sf::Texture();
    if (map < 0 || static_cast<std::size_t>(map) >= mapListEntries.size())
        return;
    if (!preview.loadFromFile(kv::resolvePath(previewPath(mapListEntries[static_cast<std::size_t>(map)].mapFilename))))
        preview = sf::Texture();
    preview.setSmooth(true);
}

// The preview at its own size, or scaled down into room with its shape kept.
void showPreview(const sf::Texture& preview, ImVec2 room)
{
    const sf::Vector2u size = preview.getSize();
    if (size.x == 0 || size.y == 0 || room.x <= 0 || room.y <= 0)
        return;
    const float scale = std::min({1.0f, room.x / static_cast<float>(size.x), room.y / static_cast<float>(size.y)});
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(preview.getNativeHandle())),
                 ImVec2(static_cast<float>(size.x) * scale, static_cast<float>(size.y) * scale));
}

// The window's frames until Cancel (nothing) or Launch (the chosen map's file).
std::optional<std::string> chooseHostMap()
{
    kv::ModalScope scope;
    dropQueuedEnter();
    kv::ModalBackdrop backdrop;
    backdrop.capture();
    const bool haveMaps = !mapListEntries.empty();
    int selected = findMapIndex(mapListEntries, gameSettings.serverMap);
    sf::Texture preview;
    loadPreview(preview, selected);
    kv::WindowLog log("Start Network Game Server");
    for (;;) {
        kv::drawModalBackground(backdrop);
        const ImGuiIO& io = ImGui::GetIO();
        // Never larger than the window, so the bottom row stays on screen in the smallest mode.
        const ImVec2 size(std::min(600.0f, io.DisplaySize.x - 20), std::min(500.0f, io.DisplaySize.y - 20));
        ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always,
                                ImVec2(0.5f, 0.5f));
        ImGui::SetNextWindowSize(size, ImGuiCond_Always);
        bool openSettings = false, cancel = false, launch = false;
        if (ImGui::Begin("Start Network Game Server", nullptr,
                         frontendImGuiFlags() | ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse)) {
            ImGui::TextUnformatted("Maps");
            // Room under the list for what follows it: four lines of text, three rows of
            // controls and two separators.
            const float below = 4 * ImGui::GetTextLineHeightWithSpacing() + 3 * ImGui::GetFrameHeightWithSpacing() +
                                2 * ImGui::GetStyle().ItemSpacing.y;
            const float listHeight = std::max(ImGui::GetContentRegionAvail().y - below, 3 * ImGui::GetFrameHeight());
            if (!haveMaps) {
                ImGui::TextUnformatted("No maps");
            } else {
                if (ImGui::BeginListBox("##MapSelection", ImVec2(220, listHeight))) {
                    for (int i = 0; i < static_cast<int>(mapListEntries.size()); i++) {
                        ImGui::PushID(i);
                        if (ImGui::Selectable(mapListEntries[static_cast<std::size_t>(i)].title.c_str(), i == selected) &&
                            i != selected) {
                            selected = i;
                            loadPreview(preview, selected);
                        }
                        ImGui::PopID();
                    }
                    ImGui::EndListBox();
                }
                ImGui::SameLine();
                ImGui::BeginGroup();
                const MapListEntry& map = mapListEntries[static_cast<std::size_t>(selected)];
                ImGui::Text("%u by %u", map.width, map.height);
                showPreview(preview, ImVec2(ImGui::GetContentRegionAvail().x,
                                            listHeight - ImGui::GetTextLineHeightWithSpacing()));
                ImGui::EndGroup();
            }
            ImGui::TextUnformatted("Max Players");
            ImGui::SliderInt("##MaxPlayers", &gameSettings.maxNetPlayers, 2, 8, "%d",
                             ImGuiSliderFlags_AlwaysClamp | ImGuiSliderFlags_NoInput);
            ImGui::Separator();
            ImGui::Text("Skill: %s", skillName(gameSettings.skillLevel).c_str());
            ImGui::Text("Tokens: %d", gameSettings.tokensCount);
            ImGui::Text("Items Density: %s", itemsDensityName(gameSettings.itemsDensity).c_str());
            openSettings = ImGui::Button("Change Game Settings");
            ImGui::Separator();
            cancel = ImGui::Button("Cancel", ImVec2(buttonWidth, 0));
            ImGui::SameLine();
            ImGui::SetCursorPosX(ImGui::GetCursorPosX() + ImGui::GetContentRegionAvail().x - buttonWidth);
            ImGui::BeginDisabled(!haveMaps);
            launch = ImGui::Button("Launch", ImVec2(buttonWidth, 0));
            ImGui::EndDisabled();
            log.settled(imguiWindowArea());
        }
        ImGui::End();
        cancel = keyTaken(sf::Keyboard::Escape) || cancel;
        launch = haveMaps && (keyTaken(sf::Keyboard::Enter) || launch);
        kv::displayFrame(0);
        if (cancel)
            return std::nullopt;
        if (launch)
            return mapListEntries[static_cast<std::size_t>(selected)].mapFilename;
        // Opened between frames: one ImGui window loop never runs inside another's Begin.
        if (openSettings)
            gameSettingsWindow();
    }
}

} // namespace

int findMapIndex(const std::vector<MapListEntry>& maps, const std::string& mapFile)
{
    const auto found = std::find_if(maps.begin(), maps.end(),
                                    [&](const MapListEntry& map) { return map.mapFilename == mapFile; });
    return found == maps.end() ? 0 : static_cast<int>(found - maps.begin());
}

bool startServer(const std::string& mapFile, bool (*bind)(uint16_t))
{
    gameSettings.serverMap = mapFile;
    serverAddress = NetAddress{};
    const int32_t port = gameSettings.localServerPort;
    if (port < 1 || port > 65535 || !bind(static_cast<uint16_t>(port))) {
        kv::printError("Failed to start server on UDP port " + std::to_string(port));
        return false;
    }
    printNetworkEvent("Local server listening on UDP port " + std::to_string(port));
    netRole = ServerRole;
    return true;
}

void hostServerWindow()
{
    if (!kv::imguiEnabled || !frontendWindowOpen())
        return;
    const std::optional<std::string> mapFile = chooseHostMap();
    if (!mapFile || !startServer(*mapFile))
        return;
    const GameStartSettings start{gameSettings.tokensCount, gameSettings.skillLevel, gameSettings.itemsDensity};
    playGame(MultiplayerGame, *mapFile, &start);
}

} // namespace tvl
