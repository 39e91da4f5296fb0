#pragma once
// The framework console: coloured output lines (and, with the game's console, an edit line).
#include <SFML/Graphics/Color.hpp>

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
// Appends pendingCommand to the history.
void addToHistory();
} // namespace Console

} // namespace kv
