#include "frontend/GameOverWindow.h"

#include "core/Messages.h"
#include "world/Player.h"

namespace tvl {

void gameOver(int winnerIndex)
{
    if (winnerIndex < 0 || static_cast<size_t>(winnerIndex) >= players.size())
        return;
    kv::printMessage(players[static_cast<size_t>(winnerIndex)]->name + " wins");
}

} // namespace tvl
