#include "frontend/GameSettingsWindow.h"
#include "frontend/WindowParts.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "dialogs/ModalBackdrop.h"

#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

#include <algorithm>

namespace tvl {

namespace {

const char* const skillNames[] = {"Easy", "Normal", "Hard"};
const char* const densityNames[] = {"None", "Low", "Medium", "High", "Ultra"};

void settingRow(const char* caption)
{
    ImGui::TableNextRow();
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(caption);
    ImGui::TableNextColumn();
    // A fixed width: the default one follows the window, which here follows its contents.
    ImGui::SetNextItemWidth(200);
}

} // namespace

GameSettingsEdit GameSettingsEdit::from(const GameSettings& settings)
{
    return {settings.skillLevel, settings.tokensCount, settings.itemsDensity};
}

void GameSettingsEdit::save(GameSettings& settings) const
{
    settings.skillLevel = std::clamp(skillLevel, 0, 2);
    settings.tokensCount = std::clamp(tokensCount, 1, 500);
    settings.itemsDensity = std::clamp(itemsDensity, 0, 4);
}

void gameSettingsWindow()
{
    if (!kv::imguiEnabled || !frontendWindowOpen())
        return;
    kv::ModalScope scope;
    dropQueuedEnter();
    kv::ModalBackdrop backdrop;
    backdrop.capture();
    GameSettingsEdit edit = GameSettingsEdit::from(gameSettings);
    kv::WindowLog log("Game Settings");
    for (;;) {
        kv::drawModalBackground(backdrop);
        const ImGuiIO& io = ImGui::GetIO();
        // Enter and Escape that end typing into the slider, or close a combo's list, are theirs.
        const bool busy = io.WantTextInput || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId);
        ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always,
                                ImVec2(0.5f, 0.5f));
        bool save = false, cancel = false;
        if (ImGui::Begin("Game Settings", nullptr, frontendImGuiFlags() | ImGuiWindowFlags_AlwaysAutoResize)) {
            if (ImGui::BeginTable("##SettingsTable", 2, ImGuiTableFlags_SizingFixedFit)) {
                settingRow("Skill");
                ImGui::Combo("##SkillCombo", &edit.skillLevel, skillNames, IM_ARRAYSIZE(skillNames));
                settingRow("Tokens");
                ImGui::SliderInt("##TokensSlider", &edit.tokensCount, 5, 50, "%d", ImGuiSliderFlags_AlwaysClamp);
                settingRow("Items Density");
                ImGui::Combo("##ItemDensityCombo", &edit.itemsDensity, densityNames, IM_ARRAYSIZE(densityNames));
                ImGui::EndTable();
            }
            ImGui::Separator();
            save = ImGui::Button("Save", ImVec2(150, 0));
            ImGui::SameLine();
            cancel = ImGui::Button("Cancel", ImVec2(150, 0));
            log.settled(imguiWindowArea());
        }
        ImGui::End();
        cancel = (keyTaken(sf::Keyboard::Escape) && !busy) || cancel;
        save = (keyTaken(sf::Keyboard::Enter) && !busy) || save;
        kv::displayFrame(0);
        if (cancel)
            return;
        if (save) {
            edit.save(gameSettings);
            return;
        }
    }
}

} // namespace tvl
