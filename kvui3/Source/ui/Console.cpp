#include "ui/Console.h"

#include "core/Messages.h"

namespace kv {

std::vector<ConsoleLine> consoleLines;
bool consoleDrawn = false;
std::string pendingCommand;

bool createConsole()
{
    return true;
}

void clearConsoleLines()
{
    consoleLines.clear();
}

namespace Console {

// The console has no layout of its own yet.
void updateLayout() {}

void addLine(const sf::Color& colour, const std::string& text)
{
    consoleLines.push_back({text, colour});
    if (consoleLines.size() > maxConsoleLines)
        consoleLines.erase(consoleLines.begin(), consoleLines.begin() + static_cast<long>(consoleLines.size() - maxConsoleLines));
}

void attachToMessages()
{
    messageSink.addLine = addLine;
    messageSink.recolourLast = [](const std::string& text, const sf::Color& colour) {
        if (!consoleLines.empty() && consoleLines.back().text == text)
            consoleLines.back().colour = colour;
    };
}

// The edit line and its history are not built yet: no line is ever submitted.
void handleInput() {}
void draw() {}
void addToHistory() {}

} // namespace Console

} // namespace kv
