#include "ui/Console.h"

namespace kv {

std::vector<ConsoleLine> consoleLines;
bool consoleDrawn = false;

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

} // namespace Console

} // namespace kv
