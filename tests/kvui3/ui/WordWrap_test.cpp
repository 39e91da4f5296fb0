#include "ui/WordWrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kv;

namespace {

// A fixed-pitch stand-in for the font: 10 pixels a byte.
float tenPerByte(const std::string& part)
{
    return static_cast<float>(part.size()) * 10;
}

std::vector<TextLineRange> wrap(const std::string& text, unsigned maxWidth)
{
    std::vector<TextLineRange> lines;
    wrapText(lines, text, maxWidth, tenPerByte);
    return lines;
}

TEST(WordWrap, BreaksAtLineFeedsSpacesAndInsideLongWords)
{
    struct Case {
        const char* name;
        std::string text;
        unsigned maxWidth;
        std::vector<TextLineRange> want;
    } cases[] = {
        {"empty", "", 100, {}},
        {"one character", "a", 0, {{0, 1}}},
        {"two characters never break", "ab", 0, {{0, 2}}},
        {"fits", "hello", 1000, {{0, 5}}},
        {"line feeds and an empty line", "ab\n\ncd", 1000, {{0, 2}, {3, 3}, {4, 6}}},
        {"leading line feed", "\nab", 1000, {{0, 0}, {1, 3}}},
        {"the last character is never a break", "ab\n", 1000, {{0, 3}}},
        {"at the last space", "hello world", 60, {{0, 5}, {6, 11}}},
        {"every space that reaches the width", "ab cd ef", 30, {{0, 2}, {3, 5}, {6, 8}}},
        {"the last of two spaces", "a b cdefgh", 50, {{0, 3}, {4, 8}, {9, 10}}},
        {"a long word is broken where it reaches the width", "abcdefghij", 30,
         {{0, 2}, {3, 5}, {6, 8}, {9, 10}}},
        {"a short word, then a long one", "a bcdefgh", 40, {{0, 1}, {2, 5}, {6, 9}}},
        {"a line feed inside a long word", "abcdefg\nhij", 50, {{0, 4}, {5, 7}, {8, 11}}},
        {"no width at all still moves on", "abcde", 0, {{0, 1}, {2, 3}, {4, 5}}},
        {"a character wider than the line", "a b c", 5, {{0, 1}, {2, 3}, {4, 5}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrap(c.text, c.maxWidth), c.want) << c.name;
}

TEST(WordWrap, ALongWordIsNotCutInsideAUtf8Character)
{
    // "abcd" then e acute (two bytes) then "f": the width is reached on the lead byte.
    const std::string text = "abcd\xC3\xA9"
                             "f";
    EXPECT_EQ(wrap(text, 50), (std::vector<TextLineRange> {{0, 5}, {6, 7}}));
}

TEST(WordWrap, EveryCharacterLandsOnALineInOrder)
{
    // Long words among spaces and line feeds, at every width: the ranges cover the text in
    // order, each starting right after the previous one, and each line holds a character.
    const std::string text = "Supercalifragilistic words\n\nand  spaces, then aVeryLongWordIndeed.";
    for (unsigned width = 0; width <= 300; width += 7) {
        const std::vector<TextLineRange> lines = wrap(text, width);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front().start, 0);
        EXPECT_EQ(lines.back().end, static_cast<int32_t>(text.size())) << width;
        for (size_t i = 1; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].start, lines[i - 1].end + 1) << width << " line " << i;
            EXPECT_LE(lines[i].start, lines[i].end) << width << " line " << i;
        }
    }
}

TEST(WordWrap, EmptiesTheListFirst)
{
    std::vector<TextLineRange> lines {{7, 9}};
    wrapText(lines, "", 100, tenPerByte);
    EXPECT_TRUE(lines.empty());
}

} // namespace
