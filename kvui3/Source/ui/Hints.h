#pragma once
// Hints: one-line boxes that widgets show while the mouse lies over them.
#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct Hint {
    std::string text;
    sf::Vector2f position; // view coordinates of the box's top-left corner
    sf::Color textColour;
    sf::Color backColour;
    std::string id;
    float secondsLeft = 0;
    uint32_t ticks = 0;
};

// The live hints in insertion order; the compositor draws each one at the end of the frame.
extern std::vector<Hint> hints;

// Index of the first hint with this id (exact), -1 when none.
int findHint(const std::string& id);
// Adds a hint shown for seconds (at least two ticks), or refreshes the one with this id: its
// time starts again and its position and text are replaced, its colours kept.
void addHint(const std::string& id, float seconds, const sf::Vector2f* position,
             const sf::Color* textColour, const sf::Color* backColour, const std::string& text);

// Draws one hint box on layerDisplay.
void drawHint(const sf::Vector2f& position, const sf::Color& textColour, const sf::Color& backColour,
              const std::string& text);

} // namespace kv
