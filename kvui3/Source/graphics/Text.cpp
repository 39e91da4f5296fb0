#include "graphics/Text.h"

#include "core/Framework.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/RenderLayers.h"
#include "platform/FileSystem.h"

#include <imgui.h>

#include <cstdarg>
#include <cstdio>

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

ImFont* imguiLargeFont = nullptr;
LazyObject<sf::Text> sharedText;
float textOutlineThickness = 0;
sf::Color textOutlineColour(0, 0, 0, 255);

namespace {

// The bytes the shared object's string was last set from, so an unchanged string costs a
// compare instead of a conversion.
std::string sharedString;

sf::Text& shared(const sf::Font& font, uint32_t characterSize, const std::string& text)
{
    sf::Text& t = *sharedText;
    if (t.getFont() != &font)
        t.setFont(font);
    if (t.getCharacterSize() != characterSize)
        t.setCharacterSize(characterSize);
    if (text != sharedString) {
        sharedString = text;
        t.setString(sf::String::fromUtf8(text.begin(), text.end()));
    }
    return t;
}

void addImGuiFonts()
{
    if (!imguiEnabled || !ImGui::GetCurrentContext() || imguiLargeFont)
        return;
    ImGuiIO& io = ImGui::GetIO();
    std::string standard = resolvePath(standardFontPath);
    std::string large = resolvePath(largeFontPath);
    io.FontDefault = io.Fonts->AddFontFromFileTTF(standard.c_str(), 18.0f);
    imguiLargeFont = io.Fonts->AddFontFromFileTTF(large.c_str(), 50.0f);
    ImGui::SFML::UpdateFontTexture();
}

} // namespace

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
    shared(*standardFont, 18, sharedString);
    addImGuiFonts();
    return true;
}

} // namespace Text

void drawText(RenderLayerId id, const sf::Vector2f& position, const sf::Color& colour, const std::string& text,
              const sf::Font& font, uint32_t characterSize)
{
    sf::Text& t = shared(font, characterSize, text);
    if (t.getPosition() != position)
        t.setPosition(position);
    if (t.getFillColor() != colour)
        t.setFillColor(colour);
    if (t.getOutlineThickness() != textOutlineThickness)
        t.setOutlineThickness(textOutlineThickness);
    if (t.getOutlineColor() != textOutlineColour)
        t.setOutlineColor(textOutlineColour);
    getRenderLayer(id, false)->draw(t);
}

void drawTextf(RenderLayerId id, float x, float y, const sf::Color& colour, const char* format, ...)
{
    if (!format || !*format)
        return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    // Reused so a steady HUD line does not allocate every frame.
    static std::string text;
    text.assign(buffer);
    drawText(id, sf::Vector2f(x, y), colour, text, *standardFont, 18);
}

float textWidth(const sf::Font& font, uint32_t characterSize, const std::string& text)
{
    return shared(font, characterSize, text).getLocalBounds().width;
}

float digitsWidth(const sf::Font& font, uint32_t characterSize, int count)
{
    return textWidth(font, characterSize, std::string(count > 0 ? static_cast<size_t>(count) : 0, '0'));
}

sfText::sfText()
{
    setFont(*standardFont);
    setCharacterSize(30);
}

} // namespace kv
