#pragma once
// Hints: one-line boxes that widgets show while the mouse lies over them. A widget refreshes
// its own hint (keyed by its name, 0 seconds) on every hovered frame; each tick ages the hints
// and drops the stale ones; the compositor draws the rest over everything at the frame's end.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
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
    uint32_t ticks = 0; // ticks since the last refresh
};

// The live hints in insertion order; the compositor draws each one at the end of the frame.
extern std::vector<Hint> hints;

// Index of the first hint with this id (exact), -1 when none.
int findHint(const std::string& id);
// Adds a hint, or refreshes the one with this id: its seconds and ticks start again and its
// position and text are replaced; its colours are kept. An empty id always adds a hint, named
// "auto:<n>".
void addHint(const std::string& id, float seconds, const sf::Vector2f* position,
             const sf::Color* textColour, const sf::Color* backColour, const std::string& text);

// One tick, from the last hint to the first: seconds run down, and a hint is removed once it has
// seen two ticks and has no seconds left. So a hint lasts until the third tick after its last
// refresh, or until its seconds ran out, whichever is later. The frame pump calls it.
void ageHints(float tickSeconds);

// The box of a hint: the text's width + 4 by the line spacing + 4, at position moved left and up
// so it ends inside the view, then moved right and down so it starts at 0 or later.
sf::FloatRect hintBox(const sf::Vector2f& position, float textWidth, float lineSpacing,
                      const sf::Vector2f& viewSize);

// Draws one hint on layerDisplay: a shadow at hintShadowOffset and the back (both at the
// hintsAlpha setting), then the text at +2,+2 in textColour as given.
void drawHint(const sf::Vector2f& position, const sf::Color& textColour, const sf::Color& backColour,
              const std::string& text);

} // namespace kv
