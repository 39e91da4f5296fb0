#include "ui/WordWrap.h"

#include "graphics/Text.h"

namespace kv {

void wrapText(std::vector<TextLineRange>& lines, const std::string& text, unsigned maxWidth,
              const TextMeasure& measure)
{
    lines.clear();
    if (text.empty())
        return;
    const int32_t n = static_cast<int32_t>(text.size());
    const auto continuation = [&](int32_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    // At the top of the loop start < i, and every character from start + 1 to i - 1 was tested
    // for a line feed.
    int32_t start = 0;
    for (int32_t i = 1; i < n - 1; ++i) {
        if (text[start] == '\n') {
            lines.push_back({start, start}); // an empty line
            start = start + 1;
            i = start;
        } else if (text[i] == '\n') {
            lines.push_back({start, i});
            start = i + 1;
            i = start;
        } else if (measure(text.substr(start, i - start + 1)) >= static_cast<float>(maxWidth)) {
            int32_t cut = i;
            for (int32_t j = i; j > start; --j)
                if (text[j] == ' ') {
                    cut = j;
                    break;
                }
            // A word broken inside keeps its last character whole; the final character stays
            // on the last line.
            if (cut == i)
                while (cut + 1 < n - 1 && continuation(cut + 1))
                    ++cut;
            lines.push_back({start, cut});
            start = cut + 1;
            i = start;
        }
    }
    lines.push_back({start, n});
}

void wrapText(std::vector<TextLineRange>& lines, const std::string& text, const sf::Font& font,
              unsigned characterSize, unsigned maxWidth)
{
    wrapText(lines, text, maxWidth,
             [&](const std::string& part) { return textWidth(font, characterSize, part); });
}

} // namespace kv
