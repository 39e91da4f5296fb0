#pragma once
// The message list: lines shown on screen and echoed to the console.
#include <SFML/Graphics/Color.hpp>

#include <string>

namespace kv {

void printMessage(const std::string& text, const sf::Color& colour = sf::Color::White);
void printWarning(const std::string& text);
void printError(const std::string& text);

} // namespace kv

namespace kv {
// Places the on-screen message list for the current view.
void setMessagesOrigin();
}
