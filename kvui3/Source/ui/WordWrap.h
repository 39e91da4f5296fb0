#pragma once
// Splits a text into display lines no wider than a pixel width, as index ranges into the text.
#include <SFML/Graphics/Font.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// Inclusive character indices. start == end is an empty line. A range includes the line feed
// or the space it was broken at; the last range ends at the text's length, so readers clamp
// end to length - 1.
struct TextLineRange {
    int32_t start = 0;
    int32_t end = 0;
    bool operator==(const TextLineRange&) const = default;
};

// Width in pixels of a piece of the text.
using TextMeasure = std::function<float(const std::string&)>;

// Empties lines, then fills it: breaks after each line feed and, once a line reaches maxWidth,
// after its last space. A word with no space that reaches maxWidth is broken inside (never
// inside a UTF-8 sequence), so every line holds at least one character and the loop always
// ends. An empty text gives no lines; a text of one or two characters gives (0, length). The
// last character is never a break.
void wrapText(std::vector<TextLineRange>& lines, const std::string& text, unsigned maxWidth,
              const TextMeasure& measure);
// Measured with textWidth (font, characterSize, part).
void wrapText(std::vector<TextLineRange>& lines, const std::string& text, const sf::Font& font,
              unsigned characterSize, unsigned maxWidth);

} // namespace kv
