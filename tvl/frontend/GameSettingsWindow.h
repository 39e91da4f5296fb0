#pragma once
// The game settings window: the skill, tokens and items density every new game starts with.
#include "world/GameSettings.h"

#include <cstdint>

namespace tvl {

// The window's working copies of the three settings; nothing reaches the settings until save.
struct GameSettingsEdit {
    int32_t skillLevel = 1;
    int32_t tokensCount = 25;
    int32_t itemsDensity = 2;

    static GameSettingsEdit from(const GameSettings& settings);
    // Stores the copies into settings, each brought into its tvl.ini range (skill 0..2, tokens
    // 1..500, density 0..4).
    void save(GameSettings& settings) const;
};

// Runs the window until Save (Enter) stores the copies into gameSettings or Cancel (Escape)
// drops them. Needs ImGui; without it nothing opens.
void gameSettingsWindow();

} // namespace tvl
