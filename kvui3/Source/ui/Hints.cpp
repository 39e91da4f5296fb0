#include "ui/Hints.h"

#include "core/Input.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "ui/Component.h"

#include <SFML/Graphics/RectangleShape.hpp>

namespace kv {

std::vector<Hint> hints;

int findHint(const std::string& id)
{
    for (size_t i = 0; i < hints.size(); ++i)
        if (hints[i].id == id)
            return static_cast<int>(i);
    return -1;
}

void addHint(const std::string& id, float seconds, const sf::Vector2f* position,
             const sf::Color* textColour, const sf::Color* backColour, const std::string& text)
{
    const int index = id.empty() ? -1 : findHint(id);
    if (index < 0) {
        Hint hint;
        hint.id = id.empty() ? makeAutoName() : id;
        hint.secondsLeft = seconds;
        hint.position = *position;
        hint.textColour = *textColour;
        hint.backColour = *backColour;
        hint.text = text;
        hints.push_back(std::move(hint));
        return;
    }
    Hint& hint = hints[static_cast<size_t>(index)];
    hint.secondsLeft = seconds;
    hint.ticks = 0;
    if (hint.position != *position)
        hint.position = *position;
    if (hint.text != text)
        hint.text = text;
}

void ageHints(float tickSeconds)
{
    for (size_t i = hints.size(); i-- > 0;) {
        Hint& hint = hints[i];
        hint.secondsLeft -= tickSeconds;
        if (hint.ticks >= 2 && hint.secondsLeft <= 0)
            hints.erase(hints.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++hint.ticks;
    }
}

sf::FloatRect hintBox(const sf::Vector2f& position, float textWidth, float lineSpacing,
                      const sf::Vector2f& viewSize)
{
    const float w = textWidth + 4, h = lineSpacing + 4;
    float x = position.x, y = position.y;
    if (x + w >= viewSize.x)
        x = viewSize.x - w;
    if (y + h >= viewSize.y)
        y = viewSize.y - h;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    return {x, y, w, h};
}

void drawHint(const sf::Vector2f& position, const sf::Color& textColour, const sf::Color& backColour,
              const std::string& text)
{
    // Kept between frames so a shown hint costs no allocation.
    static sf::RectangleShape shadow, back;
    const sf::FloatRect box = hintBox(position, textWidth(*standardFont, componentTextSize, text),
                                      componentLineSpacing(), InputHooks::currentViewSize());
    const uint8_t alpha = static_cast<uint8_t>(settings.hintsAlpha);
    const auto withAlpha = [alpha](sf::Color c) {
        c.a = alpha;
        return c;
    };
    RenderLayer* layer = getRenderLayer(layerDisplay, false);

    shadow.setSize({box.width, box.height});
    shadow.setPosition(box.left + theme.hintShadowOffset, box.top + theme.hintShadowOffset);
    shadow.setFillColor(withAlpha(theme.clHintShadow));
    shadow.setOutlineColor(withAlpha(theme.clHintShadow));
    shadow.setOutlineThickness(1);
    layer->draw(shadow);

    back.setSize({box.width, box.height});
    back.setPosition(box.left, box.top);
    back.setFillColor(withAlpha(backColour));
    back.setOutlineColor(withAlpha(backColour));
    back.setOutlineThickness(1);
    layer->draw(back);

    drawText(layerDisplay, {box.left + 2, box.top + 2}, textColour, text, *standardFont, componentTextSize);
}

} // namespace kv
