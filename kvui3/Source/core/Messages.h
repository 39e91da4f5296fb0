#pragma once
// The program-wide report: lines for the on-screen message list, with copies in the log.
// Until the on-screen list exists every line goes to the log only.
#include <SFML/Graphics/Color.hpp>
#include <string>

namespace kv {

// Plain information is printed in this colour.
extern const sf::Color messageDefaultColour;

// Adds text to the message list; an empty text adds nothing.
void printMessage(const std::string& text, const sf::Color& colour, bool singleLine);
// The warning and error reports: the text on screen, "Warning: " / "Error: " + text in the log.
void printWarning(const std::string& text);
void printError(const std::string& text);

} // namespace kv
