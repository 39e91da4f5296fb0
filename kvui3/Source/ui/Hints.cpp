#include "ui/Hints.h"

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
    int index = id.empty() ? -1 : findHint(id);
    if (index < 0) {
        Hint hint;
        hint.id = id;
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
    hint.position = *position;
    hint.text = text;
}

// Nothing adds hints yet.
void drawHint(const sf::Vector2f&, const sf::Color&, const sf::Color&, const std::string&) {}

} // namespace kv
