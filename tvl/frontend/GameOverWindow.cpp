#include "frontend/GameOverWindow.h"
#include "frontend/WindowParts.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Log.h"
#include "dialogs/ModalBackdrop.h"
#include "graphics/Text.h"
#include "world/GameState.h"
#include "world/Player.h"

#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

#include <algorithm>
#include <cstdio>

namespace tvl {

std::vector<GameOverRow> gameOverRows()
{
    std::vector<GameOverRow> rows;
    rows.reserve(game.players.size());
    for (const auto& player : game.players)
        rows.push_back({player->name, player->tokens, isLocallyControlled(player->playerId)});
    return rows;
}

std::string gameOverTitle(const std::vector<GameOverRow>& rows, size_t winnerIndex)
{
    return rows.at(winnerIndex).name + " wins!";
}

void rankGameOverRows(std::vector<GameOverRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(),
              [](const GameOverRow& a, const GameOverRow& b) { return a.tokens > b.tokens; });
}

float tokenBarFraction(int32_t tokens, int32_t target)
{
    if (target <= 0)
        return 1.0f;
    return std::clamp(static_cast<float>(tokens) / static_cast<float>(target), 0.0f, 1.0f);
}

void gameOver(int winnerIndex)
{
    if (winnerIndex < 0 || static_cast<size_t>(winnerIndex) >= game.players.size())
        return;
    std::vector<GameOverRow> rows = gameOverRows();
    const std::string title = gameOverTitle(rows, static_cast<size_t>(winnerIndex));
    kv::writeLog(game.players[static_cast<size_t>(winnerIndex)]->name + " wins");
    if (!kv::imguiEnabled || !frontendWindowOpen())
        return;
    rankGameOverRows(rows);
    const int32_t target = game.roundSettings.tokensCount;

    kv::ModalScope scope;
    dropQueuedEnter();
    kv::ModalBackdrop backdrop;
    backdrop.capture();
    float nameWidth = 0.0f;
    for (const GameOverRow& row : rows)
        nameWidth = std::max(nameWidth, ImGui::CalcTextSize(row.name.c_str()).x);
    char barText[32];
    bool shown = false;
    kv::WindowLog log("Game Over");
    for (;;) {
        kv::drawModalBackground(backdrop);
        const ImGuiIO& io = ImGui::GetIO();
        ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always,
                                ImVec2(0.5f, 0.5f));
        bool ok = false;
        if (ImGui::Begin("Game Over", nullptr, frontendImGuiFlags() | ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoScrollbar)) {
            if (kv::imguiLargeFont)
                ImGui::PushFont(kv::imguiLargeFont);
            ImGui::TextUnformatted(title.c_str());
            const float titleWidth = ImGui::GetItemRectSize().x;
            if (kv::imguiLargeFont)
                ImGui::PopFont();
            ImGui::Separator();
            const float barX = ImGui::GetCursorPosX() + nameWidth + ImGui::GetStyle().ItemSpacing.x;
            for (const GameOverRow& row : rows) {
                if (row.local)
                    ImGui::TextColored(ImVec4(128 / 255.0f, 1.0f, 128 / 255.0f, 1.0f), "%s", row.name.c_str());
                else
                    ImGui::TextUnformatted(row.name.c_str());
                ImGui::SameLine(barX);
                std::snprintf(barText, sizeof barText, "%d/%d", row.tokens, target);
                // A bar that fills "the rest of the line" has nothing to fill in a window that
                // sizes itself to its content: give it a width of its own.
                const float barWidth = std::max(250.0f, titleWidth - barX);
                ImGui::ProgressBar(tokenBarFraction(row.tokens, target), ImVec2(barWidth, 0.0f), barText);
            }
            ImGui::Separator();
            ok = ImGui::Button("OK", ImVec2(150, ImGui::GetTextLineHeight() + 2));
            log.settled(imguiWindowArea());
        }
        ImGui::End();
        for (int key : {sf::Keyboard::Escape, sf::Keyboard::Enter, sf::Keyboard::Space})
            ok = keyTaken(key) || ok;
        kv::displayFrame(0);
        if (!shown) {
            kv::writeLog("Game over: " + title);
            shown = true;
        }
        if (ok) {
            kv::writeLog("Game over: OK");
            return;
        }
    }
}

} // namespace tvl
