#pragma once
// The framework console: a window over the view with coloured output lines, an edit line, a
// command history walked with Up and Down, and the tokenizer that splits a command line.
#include "core/LazyObject.h"
#include "ui/Form.h"
#include "ui/TextBox.h"
#include "ui/WordWrap.h"

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct ConsoleLine {
    std::string text;
    sf::Color colour;
    // The rows the line is drawn in, wrapped for rowsWidth; made again when the width changes.
    std::vector<std::string> rows = {};
    float rowsWidth = -1;
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

// The edit line's limit and the text size of the lines and the edit line (monoFont).
constexpr unsigned maxConsoleEditLength = 512;
constexpr unsigned consoleTextSize = 18;
// Plain lines (echoed in opaque black) are drawn in this colour, as is the edit line's text.
extern const sf::Color consoleTextColour;

// The console's window, built by createConsole.
struct ConsoleWidgets {
    Form consoleForm; // titled with the application's name and version
    BevelPanel consoleLinePanel;
    TextBox consoleEdit;
};
extern LazyObject<ConsoleWidgets> consoleWidgets;

// Where the console's parts go in a view: the form 5 units in from every edge, the line panel
// inside its body, the edit line under the panel across the panel's width.
struct ConsoleLayout {
    sf::Vector2f formPosition, formSize;
    sf::Vector2f panelPosition, panelSize;
    sf::Vector2f editPosition, editSize;
};
ConsoleLayout consoleLayout(const sf::Vector2f& view, float titleBarHeight, float editHeight);

// How many of count rows, newest first from the bottom, a panel whose clipped inside is
// innerHeight tall shows when rowHeight tall (a row partly shown at the top counts).
std::size_t shownConsoleLines(float innerHeight, float rowHeight, std::size_t count);

// The rows a console line is drawn in, none wider than width by measure: broken after its line
// feeds (which are not drawn) and at the last space, or inside a word too long for a row
// (wrapText). An empty line is one empty row.
std::vector<std::string> consoleRows(const std::string& text, float width, const TextMeasure& measure);

// Builds the framework console (start-up, after the fonts); true.
bool createConsole();
// Empties the console's output lines.
void clearConsoleLines();

namespace Console {
// The width of a piece of an output line as drawn (monoFont at consoleTextSize); tests that run
// without a display put their own measure here.
float measureLineWithFont(const std::string& text);
extern float (*measureLine)(const std::string& text);
// Fits the console to the current view (after a display-mode change).
void updateLayout();
// Appends a line, dropping the oldest beyond 512.
void addLine(const sf::Color& colour, const std::string& text);
// Makes the console the message list's sink: every printed line is echoed here.
void attachToMessages();
// Gives the keyboard focus to the edit line (the console was opened).
void takeFocus();
// Once per poller tick (a second call in the same tick does nothing): with the window focused,
// the first Enter, Up or Down anywhere in this tick's pressed keys acts, and the key stays in
// the list. Enter first types this tick's text into the focused line, then moves the line into
// pendingCommand and empties it. Up shows the previous history entry (none before entry 0);
// Down the next one, and past the newest an empty line. Then the edit line takes the tick's
// other keys and typing.
void handleInput();
// Draws the console over the view: the window, then as many rows as fit, newest at the bottom,
// each line wrapped to the panel's width (and clipped to the panel). Sets consoleDrawn.
void draw();
// Appends pendingCommand to the history unless it repeats the last entry
// (ignoring case); keeps the newest maxConsoleHistory.
void addToHistory();
// Appends line's words to tokens.words: blanks and tabs separate words, text in
// double quotes stays one word (a quote also ends a word; "" gives none).
void tokenize(ConsoleTokens& tokens, const std::string& line);
} // namespace Console

} // namespace kv
