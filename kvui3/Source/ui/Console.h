#pragma once
// The framework console: coloured output lines (and, with the game's console, an edit line).
#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct ConsoleLine {
    std::string text;
    sf::Color colour;
};

constexpr std::size_t maxConsoleLines = 512;
extern std::vector<ConsoleLine> consoleLines;
// Set when the console was drawn this frame; the message list then stays hidden.
extern bool consoleDrawn;
// The last line submitted with Enter; empty when none waits.
extern std::string pendingCommand;

constexpr std::size_t maxConsoleHistory = 32;
// Submitted lines, oldest first, at most maxConsoleHistory.
extern std::vector<std::string> consoleHistory;
// The history entry shown in the edit line; the history size when none is.
extern int consoleHistoryIndex;

// The tokenizer's result: reserved is never touched by the tokenizer.
struct ConsoleTokens {
    std::uint64_t reserved = 0;
    std::vector<std::string> words;
};

// Builds the framework console; false when it cannot be built.
bool createConsole();
// Empties the console's output lines.
void clearConsoleLines();

namespace Console {
// Fits the console to the current view (after a display-mode change).
void updateLayout();
// Appends a line, dropping the oldest beyond 512.
void addLine(const sf::Color& colour, const std::string& text);
// Makes the console the message list's sink: every printed line is echoed here.
void attachToMessages();
// The edit line's keys for this tick; Enter fills pendingCommand.
void handleInput();
// Draws the console over the view (sets consoleDrawn).
void draw();
// Appends pendingCommand to the history unless it repeats the last entry
// (ignoring case); keeps the newest maxConsoleHistory.
void addToHistory();
// Appends line's words to tokens.words: blanks and tabs separate words, text in
// double quotes stays one word (a quote also ends a word; "" gives none).
void tokenize(ConsoleTokens& tokens, const std::string& line);
} // namespace Console

} // namespace kv
