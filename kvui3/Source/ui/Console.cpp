#include "ui/Console.h"

#include "core/Messages.h"
#include "core/StringUtils.h"

#include <algorithm>

namespace kv {

std::vector<ConsoleLine> consoleLines;
bool consoleDrawn = false;
std::string pendingCommand;
std::vector<std::string> consoleHistory;
int consoleHistoryIndex = 0;

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

void addToHistory()
{
    if (!consoleHistory.empty() && equalsIgnoreCase(consoleHistory.back(), pendingCommand))
        return;
    consoleHistory.push_back(pendingCommand);
    if (consoleHistory.size() > maxConsoleHistory)
        consoleHistory.erase(consoleHistory.begin(),
                             consoleHistory.begin() + static_cast<long>(consoleHistory.size() - maxConsoleHistory));
}

void tokenize(ConsoleTokens& tokens, const std::string& line)
{
    std::string copy = line;
    std::replace(copy.begin(), copy.end(), '\t', ' ');
    bool quoted = false;
    std::size_t start = 0;
    while (start <= copy.size()) {
        std::size_t end = copy.find('"', start);
        if (end == std::string::npos)
            end = copy.size();
        const std::string segment = copy.substr(start, end - start);
        if (quoted) {
            if (!segment.empty())
                tokens.words.push_back(segment);
        } else {
            std::size_t from = 0;
            while (from <= segment.size()) {
                std::size_t to = segment.find(' ', from);
                if (to == std::string::npos)
                    to = segment.size();
                std::string piece = segment.substr(from, to - from);
                if (!piece.empty() && piece != "\n") {
                    if (piece.back() == '\n')
                        piece.pop_back();
                    if (!piece.empty() && piece.back() == '\r')
                        piece.pop_back();
                    tokens.words.push_back(piece);
                }
                from = to + 1;
            }
        }
        quoted = !quoted;
        start = end + 1;
    }
}

} // namespace Console

} // namespace kv
