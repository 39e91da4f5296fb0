#pragma once
// The framework's fonts and text helpers.
#include "core/LazyObject.h"

#include <SFML/Graphics/Font.hpp>

#include <string>

namespace kv {

extern LazyObject<sf::Font> standardFont;
extern LazyObject<sf::Font> mediumFont;
extern LazyObject<sf::Font> largeFont;
extern LazyObject<sf::Font> monoFont;
extern LazyObject<sf::Font> osdFont;

extern std::string standardFontPath; // kvui3\fonts\Roboto-Regular.ttf
extern std::string mediumFontPath;
extern std::string largeFontPath;
extern std::string monoFontPath;     // kvui3\fonts\RobotoMono-Regular.ttf
extern std::string osdFontPath;      // kvui3\fonts\UAV-OSD-Sans-Mono.ttf

namespace Text {
// Loads the five fonts; the first that fails shows an error box and gives false.
bool init();
} // namespace Text

} // namespace kv
