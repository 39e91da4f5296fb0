#include "core/Text.h"

#include "core/Framework.h"
#include "platform/FileSystem.h"

namespace kv {

LazyObject<sf::Font> standardFont;
LazyObject<sf::Font> mediumFont;
LazyObject<sf::Font> largeFont;
LazyObject<sf::Font> monoFont;
LazyObject<sf::Font> osdFont;

std::string standardFontPath = "kvui3\\fonts\\Roboto-Regular.ttf";
std::string mediumFontPath = standardFontPath;
std::string largeFontPath = standardFontPath;
std::string monoFontPath = "kvui3\\fonts\\RobotoMono-Regular.ttf";
std::string osdFontPath = "kvui3\\fonts\\UAV-OSD-Sans-Mono.ttf";

namespace Text {

bool init()
{
    struct Step {
        LazyObject<sf::Font>& font;
        const std::string& path;
        const char* message;
    };
    const Step steps[] = {
        {standardFont, standardFontPath, "Text::init: Unable to read standard font from "},
        {mediumFont, mediumFontPath, "Text::init: Unable to read medium font from "},
        {largeFont, largeFontPath, "Text::init: Unable to read large font from "},
        {monoFont, monoFontPath, "Text::init: Unable to read mono font from "},
        {osdFont, osdFontPath, "Text::init: Unable to read font from "},
    };
    for (const Step& step : steps) {
        if (!step.font->loadFromFile(resolvePath(step.path))) {
            showErrorBox(step.message + step.path);
            return false;
        }
    }
    return true;
}

} // namespace Text

} // namespace kv
