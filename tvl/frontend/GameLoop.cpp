#include "frontend/GameLoop.h"

#include "app/NestedLoop.h"
#include "app/WindowLog.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Scene.h"
#include "frontend/GameOverWindow.h"
#include "net/Network.h"
#include "net/Packets.h"
#include "world/EventSounds.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameEvents.h"
#include "world/GameState.h"

namespace tvl {

namespace {

bool gameTickRunning = false;

void endNetworkGame()
{
    if (netRole != NoNetRole)
        shutdownNetwork();
}

// The game-over window dims the frame the compositor kept last, and it keeps only the frames
// that follow a tick: the winning score is drawn until one of those shows it.
void drawFinalScore()
{
    bool kept = false;
    while (!kept && !kv::SceneManager::quitRequested) {
        kept = kv::pollerTicked || !kv::tickGateStarted;
        drawGameFrame();
    }
}

void announceWinner(int winnerIndex)
{
    drawFinalScore();
    gameOver(winnerIndex);
}

} // namespace

void gameTick(float)
{
    // A dialog opened inside networkTick pumps frames, and so ticks.
    if (gameTickRunning)
        return;
    gameTickRunning = true;
    if (game.gameType == MultiplayerGame && netRole != NoNetRole) {
        netGame.netAlive = networkTick();
        netGame.netTicked = true;
    }
    gameTickRunning = false;
}

void simulateGameFrame(float dt)
{
    updateGameWorld(dt);
    // What the step did: heard here, told to the other machines.
    playEventSounds(game.events);
    sendEventPackets(game.events);
    game.events.clear();
    updateGameCamera();
    if (checkForWinners(announceWinner) > 0)
        game.gameEnded = true;
}

void runGameFrame()
{
    // A network game that ended inside the last pump has emptied the player list: stop
    // before anything steps or draws them.
    if (networkLost()) {
        endLostNetworkGame();
        return;
    }
    simulateGameFrame(kv::frameTime);
    drawGameFrame();
}

bool playGame(int type, const std::string& mapFile, const GameStartSettings* settings)
{
    finishGameAssets(); // what start-up left for later frames, before the game needs it
    if (!settings || !setUpGame(type, mapFile, settings)) {
        game.gameType = NoGame;
        // Nobody may be left waiting on a game that never started.
        endNetworkGame();
        return false;
    }
    // The game is a nested loop under the menu: the menu gets its cursor, clip and draw style
    // back, and a first frame of time 0, whichever way the game ends.
    netGame = NetGameState{};
    netGame.joinedAsClient = type == MultiplayerGame && netRole == ClientRole;
    kv::NestedLoop scope;
    kv::registerOnTickCallback(gameTick);
    kv::logWindowShown("Game", {{0, 0}, kv::renderWindow->getView().getSize()});
    while (!game.gameEnded) {
        runGameFrame();
        if (kv::SceneManager::quitRequested)
            break;
    }
    kv::unregisterOnTickCallback(gameTick);
    endNetworkGame();
    tearDownGame();
    return true;
}

} // namespace tvl
