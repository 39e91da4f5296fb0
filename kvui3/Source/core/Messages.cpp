#include "core/Messages.h"

#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Log.h"
#include "core/StringUtils.h"
#include "core/Text.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "platform/Clock.h"
#include "ui/Console.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>

namespace kv {

std::vector<MessageEntry> messageList;
const sf::Color messageDefaultColour(255, 255, 255, 255);

namespace {

sf::Vector2f messagesOrigin(10, 400);
LazyObject<sf::RectangleShape> messagesBackground;

uint32_t currentUtcSecond()
{
    return static_cast<uint32_t>(utcNow().second % 60);
}

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
        if (colour != clMessageWarning && colour != clMessageError)
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
    Console::addLine(plain ? sf::Color(0, 0, 0, 255) : colour, text);
    MessageEntry entry;
    entry.text = text;
    entry.colour = colour;
    entry.lastSecond = currentUtcSecond();
    // Converted once here: the layout runs every poller tick and must not allocate.
    entry.textObject.setString(sf::String::fromUtf8(text.begin(), text.end()));
    messageList.push_back(std::move(entry));
    if (messageList.size() > maxMessages)
        messageList.erase(messageList.begin(), messageList.begin() + static_cast<long>(messageList.size() - maxMessages));
}

void printWarning(const std::string& text)
{
    printMessage(text, clMessageWarning, false);
    writeLog("Warning: " + text);
}

void printError(const std::string& text)
{
    printMessage(text, clMessageError, false);
    writeLog("Error: " + text);
}

void setLastMessageColour(const sf::Color& colour)
{
    if (messageList.empty())
        return;
    MessageEntry& last = messageList.back();
    last.colour = colour;
    last.textObject.setFillColor(colour);
    if (!consoleLines.empty() && consoleLines.back().text == last.text)
        consoleLines.back().colour = colour;
}

void setMessagesOrigin()
{
    float spacing = standardFont.isBuilt() ? standardFont->getLineSpacing(16) : 19.0f;
    float viewHeight = windowOpen() ? renderWindow->getView().getSize().y : 480.0f;
    messagesOrigin = sf::Vector2f(10, viewHeight - 90 - spacing);
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

void layoutMessages(float spacing)
{
    float n = static_cast<float>(messageList.size());
    float top = messagesOrigin.y - spacing * n - 5;
    float widest = 0;
    for (size_t i = 0; i < messageList.size(); i++) {
        MessageEntry& e = messageList[i];
        sf::Text& t = e.textObject;
        if (standardFont.isBuilt())
            t.setFont(*standardFont);
        t.setFillColor(e.colour);
        t.setCharacterSize(16);
        t.setPosition(messagesOrigin.x, top + 5 + spacing * static_cast<float>(i));
        widest = std::max(widest, t.getLocalBounds().width);
    }
    messagesBackground->setPosition(messagesOrigin.x - 5, top);
    messagesBackground->setSize(sf::Vector2f(widest + 10, spacing * n + 10));
    messagesBackground->setFillColor(sf::Color(0, 0, 0, 128));
}

void drawMessages()
{
    if (pollerTicked) {
        ageMessages(currentUtcSecond());
        layoutMessages(standardFont.isBuilt() ? standardFont->getLineSpacing(16) : 19.0f);
    }
    if (consoleDrawn || messageList.empty())
        return;
    drawOnUILayer(*messagesBackground);
    for (const MessageEntry& e : messageList)
        drawOnUILayer(e.textObject);
}

std::string getAppNameAndVersion()
{
    return appName + " v" + appVersion;
}

} // namespace kv
