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

// Draws one hint box on layerDisplay.
void drawHint(const sf::Vector2f& position, const sf::Color& textColour, const sf::Color& backColour,
              const std::string& text);

} // namespace kv
