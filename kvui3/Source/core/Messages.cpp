#include "core/Messages.h"

#include "core/Log.h"

namespace kv {

void printMessage(const std::string& text, const sf::Color&)
{
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

namespace kv {
void setMessagesOrigin() {}
}
