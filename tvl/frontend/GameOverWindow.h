#pragma once
// The window that closes a won game: the winner's name and every player ranked by tokens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvl {

// One player's line, taken when the window opens.
struct GameOverRow {
    std::string name;
    int32_t tokens = 0;
    bool local = false; // driven by this machine: drawn in light green
};

// A row per player in player-list order.
std::vector<GameOverRow> gameOverRows();

// The window's title: the name of the row at winnerIndex (taken before ranking) + " wins!".
std::string gameOverTitle(const std::vector<GameOverRow>& rows, size_t winnerIndex);

// The rows by tokens, highest first; rows with equal tokens keep their list order.
void rankGameOverRows(std::vector<GameOverRow>& rows);

// How full a player's bar is: tokens / target within 0 .. 1, and full when there is no target.
float tokenBarFraction(int32_t tokens, int32_t target);

// Runs the modal "Game Over" window naming the player at winnerIndex (before ranking) and
// returns when OK, Escape, Enter or Space dismisses it. An index outside the list shows nothing.
void gameOver(int winnerIndex);

} // namespace tvl
