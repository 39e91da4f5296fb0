#pragma once
// The window that closes a won game.
namespace tvl {

// Names the winner (an index into the player list) and returns when dismissed. Until the
// window exists the winner is announced in the message list.
void gameOver(int winnerIndex);

} // namespace tvl
