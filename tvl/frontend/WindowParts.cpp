#include "frontend/WindowParts.h"

#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "graphics/Textures.h"

#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

namespace tvl {

bool frontendWindowOpen()
{
    return kv::renderWindow.isBuilt() && kv::renderWindow->isOpen();
}

void makeTextButton(kv::Button& button, const std::string& caption, int icon, uint32_t key, sf::Vector2f at)
{
    const kv::sfSprite sprite(kv::Icons::getIcon(icon));
    button.create(caption, &sprite, &at, key, "", false);
    button.setSize({150, -1});
    button.setPosition(at);
}

void dropQueuedEnter()
{
    while (kv::Keyboard::keyPressed(sf::Keyboard::Enter, true)) {
    }
}

bool keyTaken(int key)
{
    if (!kv::input.focus || !kv::Keyboard::keyPressed(key, true))
        return false;
    kv::Keyboard::waitForKeyRelease(key);
    kv::Keyboard::pressedKeys.clear();
    return true;
}

sf::FloatRect imguiWindowArea()
{
    const ImVec2 at = ImGui::GetWindowPos(), size = ImGui::GetWindowSize();
    return {at.x, at.y, size.x, size.y};
}

int frontendImGuiFlags()
{
    return ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
           ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNavInputs;
}

} // namespace tvl
