#pragma once
// The framework's fonts and text helpers.
#include "core/LazyObject.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

struct ImFont;

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
// Loads the five fonts; the first that fails shows an error box and gives false. Then the shared
// text object gets the standard font at size 18, and with ImGui running the standard font's
// file becomes ImGui's default font at 18 px and the large one is added at 50 px.
bool init();
} // namespace Text

// ImGui's 50 px font, null until Text::init added it.
extern ImFont* imguiLargeFont;

// The one text object through which immediate text is drawn and measured.
extern LazyObject<sf::Text> sharedText;

// Outline of what drawText draws: thickness 0 and opaque black at start. Code that outlines a
// text sets them and puts them back.
extern float textOutlineThickness;
extern sf::Color textOutlineColour;

using RenderLayerId = uint32_t;

// Draws UTF-8 text at position on layer id (through getRenderLayer(id, false)) with default
// render states. Only properties that differ from the shared object's are set on it.
void drawText(RenderLayerId id, const sf::Vector2f& position, const sf::Color& colour, const std::string& text,
              const sf::Font& font, uint32_t characterSize);
// printf-style into a 1024-byte buffer (longer output is cut at 1023 bytes), drawn with the
// standard font at size 18. An empty format draws nothing.
void drawTextf(RenderLayerId id, float x, float y, const sf::Color& colour, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// Width of the text's local bounds in font at characterSize, measured on the shared object.
float textWidth(const sf::Font& font, uint32_t characterSize, const std::string& text);
// textWidth of count "0" characters; a count below 1 measures "".
float digitsWidth(const sf::Font& font, uint32_t characterSize, int count);

// The framework's text class: the standard font, an empty string, character size 30.
class sfText : public sf::Text {
public:
    sfText();
    virtual ~sfText() = default;
};

} // namespace kv
