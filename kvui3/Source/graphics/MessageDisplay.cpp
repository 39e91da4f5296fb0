#include "graphics/MessageDisplay.h"

#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/LazyObject.h"
#include "graphics/Text.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>

namespace kv {

namespace {
sf::Vector2f messagesOrigin(10, 400);
LazyObject<sf::RectangleShape> messagesBackground;

bool windowOpen()
{
    return renderWindow.isBuilt() && renderWindow->isOpen();
}
} // namespace

void setMessagesOrigin()
{
    float spacing = standardFont.isBuilt() ? standardFont->getLineSpacing(16) : 19.0f;
    float viewHeight = windowOpen() ? renderWindow->getView().getSize().y : 480.0f;
    messagesOrigin = sf::Vector2f(10, viewHeight - 90 - spacing);
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

void drawMessages(bool consoleShown, RenderLayerId onto)
{
    if (pollerTicked) {
        ageMessages(messageSecondNow());
        layoutMessages(standardFont.isBuilt() ? standardFont->getLineSpacing(16) : 19.0f);
    }
    if (consoleShown || messageList.empty())
        return;
    RenderLayer* layer = getRenderLayer(onto, false);
    layer->draw(*messagesBackground);
    for (const MessageEntry& e : messageList)
        layer->draw(e.textObject);
}

} // namespace kv
