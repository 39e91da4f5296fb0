#include "core/Messages.h"

#include "core/Framework.h"
#include "core/Log.h"
#include "core/StringUtils.h"
#include "core/Theme.h"
#include "platform/Clock.h"

namespace kv {

std::vector<MessageEntry> messageList;
const sf::Color messageDefaultColour(255, 255, 255, 255);
MessageSink messageSink;

namespace {

bool windowOpen()
{
    return renderWindow.isBuilt() && renderWindow->isOpen();
}

} // namespace

void printMessage(const std::string& text, const sf::Color& colour, bool singleLine)
{
    if (text.empty())
        return;
    // Without a window the line would vanish: the log keeps it.
    if (!windowOpen()) {
        if (colour != theme.clMessageWarning && colour != theme.clMessageError)
            writeLog(text);
        return;
    }
    if (!singleLine) {
        std::vector<std::string> lines;
        splitString(replaceAll(text, "\r\n", "\n"), '\n', lines, false);
        for (const std::string& line : lines)
            printMessage(line, colour, true);
        return;
    }
    bool plain = colour.r == messageDefaultColour.r && colour.g == messageDefaultColour.g &&
                 colour.b == messageDefaultColour.b;
    if (messageSink.addLine)
        messageSink.addLine(plain ? sf::Color(0, 0, 0, 255) : colour, text);
    MessageEntry entry;
    entry.text = text;
    entry.colour = colour;
    entry.lastSecond = messageSecondNow();
    // Converted once here: the layout runs every poller tick and must not allocate.
    entry.textObject.setString(sf::String::fromUtf8(text.begin(), text.end()));
    messageList.push_back(std::move(entry));
    if (messageList.size() > maxMessages)
        messageList.erase(messageList.begin(), messageList.begin() + static_cast<long>(messageList.size() - maxMessages));
}

void printWarning(const std::string& text)
{
    printMessage(text, theme.clMessageWarning, false);
    writeLog("Warning: " + text);
}

void printError(const std::string& text)
{
    printMessage(text, theme.clMessageError, false);
    writeLog("Error: " + text);
}

void setLastMessageColour(const sf::Color& colour)
{
    if (messageList.empty())
        return;
    MessageEntry& last = messageList.back();
    last.colour = colour;
    last.textObject.setFillColor(colour);
    if (messageSink.recolourLast)
        messageSink.recolourLast(last.text, colour);
}

uint32_t messageSecondNow()
{
    return static_cast<uint32_t>(utcNow().second % 60);
}

void ageMessages(uint32_t utcSecond)
{
    for (size_t i = 0; i < messageList.size();) {
        MessageEntry& e = messageList[i];
        if (utcSecond != e.lastSecond) {
            e.age++;
            e.lastSecond = utcSecond;
        }
        if (e.age > messageLifetime)
            messageList.erase(messageList.begin() + static_cast<long>(i));
        else
            i++;
    }
}

std::string getAppNameAndVersion()
{
    return appName + " v" + appVersion;
}

} // namespace kv
