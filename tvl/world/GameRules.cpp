// The rules the frame loop wires together: adding players, the win check and pause.
#include "world/GameRules.h"

#include "core/Log.h"
#include "core/Messages.h"
#include "world/Player.h"

#include <algorithm>

namespace tvl {

std::shared_ptr<Player> addPlayer(sf::Color colour, std::string name, bool isComputer)
{
    if (game.players.size() >= static_cast<size_t>(maxPlayers)) {
        kv::printError("Too many players");
        return nullptr;
    }
    auto player = std::make_shared<Player>();
    player->colour = colour;
    player->name = std::move(name);
    player->isComputer = isComputer;
    player->tokens = 0;
    player->radius = std::max(gameImageSizes.ship.x, gameImageSizes.ship.y) * 0.5f;
    // The counter wraps: after many joins it reaches IDs still in play.
    do {
        player->playerId = nextPlayerId();
    } while (findPlayer(player->playerId));
    game.players.push_back(player);
    return player;
}

int checkForWinners(const std::function<void(int)>& announce)
{
    // Most frames nobody has won: the snapshot is only taken when somebody has.
    const auto won = [](const std::shared_ptr<Player>& player) {
        return player->tokens >= game.roundSettings.tokensCount;
    };
    if (std::none_of(game.players.begin(), game.players.end(), won))
        return 0;
    const std::vector<std::shared_ptr<Player>> snapshot = game.players;
    int winners = 0;
    for (const auto& player : snapshot) {
        if (!won(player))
            continue;
        // An earlier announcement may have changed the list: pass where the player is now.
        const auto now = std::find(game.players.begin(), game.players.end(), player);
        if (now == game.players.end())
            continue;
        ++winners;
        announce(static_cast<int>(now - game.players.begin()));
    }
    return winners;
}

void pressPause()
{
    if (game.gameType == SinglePlayerGame) {
        game.paused = !game.paused;
        kv::writeLog(game.paused ? "Game paused" : "Game resumed");
        return;
    }
    kv::printMessage("Cannot pause in multiplayer");
    game.paused = false;
}

} // namespace tvl
