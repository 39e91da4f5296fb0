#include "frontend/MainMenuScene.h"

#include "core/FrameUpdate.h"
#include "core/Keyboard.h"

#include <SFML/Window/Keyboard.hpp>

namespace tvl {

MainMenuScene::MainMenuScene()
{
    clearColour = sf::Color(16, 20, 28, 255);
}

void MainMenuScene::update(float)
{
    if (kv::pollerTicked && kv::Keyboard::keyPressed(sf::Keyboard::Escape, true))
        kv::SceneManager::quitRequested = true;
}

void MainMenuScene::draw(float) {}

} // namespace tvl
