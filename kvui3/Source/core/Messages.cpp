#include "core/Messages.h"

#include "core/Log.h"

namespace kv {

const sf::Color messageDefaultColour(255, 255, 255, 255);

void printMessage(const std::string& text, const sf::Color&, bool)
{
    if (!text.empty())
        writeLog(text);
}

void printWarning(const std::string& text)
{
    writeLog("Warning: " + text);
}

void printError(const std::string& text)
{
    writeLog("Error: " + text);
}

} // namespace kv
