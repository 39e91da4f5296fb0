#include "frontend/GameOverWindow.h"

#include "core/Log.h"
#include "core/Messages.h"
#include "world/Player.h"

namespace tvl {

void gameOver(int winnerIndex)
{
    if (winnerIndex < 0 || static_cast<size_t>(winnerIndex) >= game.players.size())
        return;
    const std::string text = game.players[static_cast<size_t>(winnerIndex)]->name + " wins";
    kv::printMessage(text);
    kv::writeLog(text);
}

} // namespace tvl
