#include "ui/CoolMenu.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Colours.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace kv {

std::string menuSelectSoundName;
std::string menuMoveSoundName;
std::string menuCancelSoundName;

sf::Vector2i coolMenuLastMouse;
float coolMenuPulseLevel = 128;
bool coolMenuPulseRising = true;
bool coolMenuIconGrowing = true;
LazyObject<sfSprite> coolMenuIconSprite;

namespace {

constexpr float hintRestX = 104;
constexpr float footerHeight = 64;
constexpr float pulseLow = 140, pulseHigh = 250;
constexpr float iconSmallest = 32, iconLargest = 96;

void playAtListener(Audio::SoundNumber number)
{
    Audio::playSound(number, Audio::listenerPosition, false, "", -1.0f, false, 1.0f, 1.0f);
}

// Numbers outside the table (a sound that was not found is -1) stay silent.
void playIfKnown(Audio::SoundNumber number)
{
    if (number >= 1 && static_cast<size_t>(number) < Audio::soundTable.size())
        playMenuSound(number);
}

sf::Vector2f viewSize()
{
    return InputHooks::currentViewSize();
}

} // namespace

void (*playMenuSound)(Audio::SoundNumber) = playAtListener;

void stepCaptionPulse(float& level, bool& rising, float dt)
{
    if (rising) {
        level += dt * 100;
        if (level >= pulseHigh)
            rising = false;
    } else {
        level -= dt * 100;
        if (level <= pulseLow)
            rising = true;
    }
    level = std::clamp(level, pulseLow, pulseHigh);
}

float stepIconSize(float size, bool& growing, bool animate, float dt)
{
    if (!animate) {
        size = 64;
    } else if (growing) {
        size += dt * 65;
        if (size >= iconLargest)
            growing = false;
    } else {
        size -= dt * 65;
        if (size <= iconSmallest)
            growing = true;
    }
    return std::clamp(size, iconSmallest, iconLargest);
}

float stepHintX(float x, float dt)
{
    return x > hintRestX ? std::max(hintRestX, x - dt * 3000) : x;
}

float coolMenuRowHeight(float preferred, float top, float bottom, std::size_t rows)
{
    if (rows == 0)
        return preferred;
    return std::min(preferred, std::floor((bottom - top) / static_cast<float>(rows)));
}

CoolMenu::~CoolMenu()
{
    destroyItems();
}

void CoolMenu::create(const std::string& title, const std::string& text, const std::string& heading)
{
    rowHeight = std::max(componentLineSpacing(), 32.0f) * 1.5f;
    current = 0;
    hovered = -1;
    chosen = -1;
    cancelled = false;
    listWidth = 320;
    hintX = viewSize().x;
    captionX = rowHeight + 15 + 2;
    iconSize = 96;
    destroyItems();

    selectSound = Audio::getSoundNumber(menuSelectSoundName, false);
    moveSound = Audio::getSoundNumber(menuMoveSoundName, false);
    cancelSound = Audio::getSoundNumber(menuCancelSoundName, false);

    titleBar.create({0, 0}, {0, 0});
    titleBar.shape.setFillColor(clCoolMenuTitleBack);
    titleBar.shape.setOutlineThickness(0);
    titleLabel.create({0, 0}, clCoolMenuTitleText, title, *mediumFont, 24);
    headingLabel.create({0, 0}, clCoolMenuTitleText, heading, *mediumFont, 24);

    footerBar.create({0, 0}, {0, 0});
    sf::Color footerBack = colourGrey;
    footerBack.a = 160;
    footerBar.shape.setFillColor(footerBack);
    footerBar.shape.setOutlineThickness(0);

    captionLabel.create({0, 0}, colourWhite, "", *standardFont, componentTextSize);
    hintLabel.create({0, 0}, colourWhite, "", *standardFont, componentTextSize);
    textLabel.create({0, 0}, colourWhite, text, *standardFont, componentTextSize);
    setFooterText("");
    updateLayout();
}

void CoolMenu::updateLayout()
{
    const sf::Vector2f view = viewSize();
    const float ls18 = componentLineSpacing();
    titleBar.setPosition({0, 8});
    titleBar.setSize({view.x, mediumFont->getLineSpacing(24) + 8 + 2});
    titleLabel.setPosition({15, 8});
    headingLabel.setPosition({view.x - headingLabel.getWidth() - 32, 8});
    footerBar.setPosition({0, view.y - footerHeight});
    footerBar.setSize({view.x, footerHeight});
    captionLabel.setPosition({hintRestX, view.y - footerHeight + 1});
    textLabel.setPosition({view.x - textLabel.getWidth() - 16, view.y - footerHeight + 1});
    footerTextLabel.setPosition({view.x - footerTextLabel.getWidth() - 16, view.y - footerHeight + ls18 + 1});
    placeRows();
}

void CoolMenu::placeRows()
{
    // The footer's big icon rises above the footer at its largest; the rows end above both.
    const float top = titleBar.getPosition().y + titleBar.getHeight();
    const float bottom = viewSize().y - std::max(footerHeight, iconLargest);
    rowHeight = coolMenuRowHeight(std::max(componentLineSpacing(), 32.0f) * 1.5f, top, bottom, items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        CoolMenuItem& row = items[i];
        const float y = top + static_cast<float>(i) * rowHeight;
        row.background.setPosition({15, y});
        row.background.setSize({listWidth, rowHeight - 3});
        row.icon.setPosition(20, y + (rowHeight - 32) / 2);
        row.caption.setPosition({captionX, y + (rowHeight - componentLineSpacing()) / 2});
    }
}

void CoolMenu::setFooterText(const std::string& text)
{
    const sf::Vector2f view = viewSize();
    footerTextLabel.create({0, 0}, colourWhite, text, *standardFont, componentTextSize);
    footerTextLabel.setPosition(
        {view.x - footerTextLabel.getWidth() - 16, view.y - footerHeight + componentLineSpacing() + 1});
}

void CoolMenu::addItem(const std::string& caption, int iconNumber, const std::string& hint)
{
    addItem(caption, iconNumber, hint, Icons::getIcon(iconNumber), textWidth(*standardFont, componentTextSize, caption));
}

void CoolMenu::addItem(const std::string& caption, int iconNumber, const std::string& hint, const sf::Sprite& icon,
                       float captionWidth)
{
    CoolMenuItem row;
    row.background.create({0, 0}, {0, 0});
    row.background.shape.setOutlineThickness(0);
    row.icon = icon;
    row.caption.create({0, 0}, colourWhite, caption, *standardFont, componentTextSize);
    row.hint = hint;
    row.iconNumber = iconNumber;
    items.push_back(std::move(row));
    listWidth = std::max(listWidth, captionWidth + 96);
    placeRows();
    if (items.size() == 1) {
        captionLabel.setText(caption);
        hintLabel.setText(hint);
    }
}

void CoolMenu::select(int index)
{
    if (items.empty())
        return;
    const int last = static_cast<int>(items.size()) - 1;
    if (index < 0)
        index = last;
    else if (index > last)
        index = 0;
    current = index;
    playIfKnown(moveSound);
    hintX = viewSize().x;
    captionLabel.text.setString(items[static_cast<size_t>(index)].caption.text.getString());
    hintLabel.setText(items[static_cast<size_t>(index)].hint);
}

void CoolMenu::activate()
{
    // Without rows there is nothing to choose; an owner would index a row that is not there.
    if (items.empty())
        return;
    playIfKnown(selectSound);
    chosen = current;
}

void CoolMenu::update(float dt)
{
    chosen = -1;
    cancelled = false;
    updateInput();
    updateLook(dt);
}

void CoolMenu::updateInput()
{
    const sf::Vector2i pointer = Mouse::pointerInView();
    const bool moved = pointer != coolMenuLastMouse;
    coolMenuLastMouse = pointer;
    const float px = static_cast<float>(pointer.x), py = static_cast<float>(pointer.y);

    hovered = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        const Rectangle& back = items[i].background;
        if (px < back.position.x || px > back.position.x + back.size.x || py < back.position.y ||
            py > back.position.y + back.size.y)
            continue;
        const int row = static_cast<int>(i);
        hovered = row;
        // A resting pointer does not undo keyboard navigation; a click always takes its row.
        if (row != current && (moved || leftClicked))
            select(row);
        if (leftClicked) {
            Mouse::waitForButtonRelease();
            activate();
        }
        break;
    }

    if (Keyboard::keyPressed(sf::Keyboard::Up, true))
        select(current - 1);
    else if (Keyboard::keyPressed(sf::Keyboard::Down, true))
        select(current + 1);

    if (Keyboard::keyPressed(sf::Keyboard::Escape, true)) {
        playIfKnown(cancelSound);
        cancelled = true;
    } else if (Keyboard::keyPressed(sf::Keyboard::Enter, true) || Keyboard::keyPressed(sf::Keyboard::Space, true)) {
        // Activation comes on release (or after the wait's cap); a key still held then is not
        // taken as a new press.
        Keyboard::waitForKeyRelease(sf::Keyboard::Enter);
        Keyboard::waitForKeyRelease(sf::Keyboard::Space);
        activate();
    }
}

void CoolMenu::updateLook(float dt)
{
    titleBar.update();
    titleLabel.update();
    headingLabel.update();
    footerBar.update();
    captionLabel.update();
    hintLabel.update();
    textLabel.update();
    footerTextLabel.update();

    for (size_t i = 0; i < items.size(); ++i) {
        CoolMenuItem& row = items[i];
        const bool selected = static_cast<int>(i) == current;
        sf::Color back = selected ? clCoolMenuItemBackSelected : clCoolMenuItemBack;
        back.a = 192;
        if (row.background.shape.getFillColor() != back)
            row.background.shape.setFillColor(back);
        sf::Text& caption = row.caption.text;
        const sf::Color& text = selected ? clCoolMenuItemTextSelected : clCoolMenuItemText;
        const float outline = selected ? 0.75f : 0.0f;
        if (caption.getFillColor() != text)
            caption.setFillColor(text);
        if (caption.getOutlineThickness() != outline)
            caption.setOutlineThickness(outline);
        if (caption.getOutlineColor() != colourBlack)
            caption.setOutlineColor(colourBlack);
        row.background.update();
        row.caption.update();
    }

    stepCaptionPulse(coolMenuPulseLevel, coolMenuPulseRising, dt);
    const uint8_t level = static_cast<uint8_t>(static_cast<int>(coolMenuPulseLevel) & 0xFF);
    const sf::Color pulse(level, level, level, 255);
    if (captionLabel.text.getFillColor() != pulse)
        captionLabel.text.setFillColor(pulse);

    iconSize = stepIconSize(iconSize, coolMenuIconGrowing, coolMenuAnimateCurrentIcon, dt);
    hintX = stepHintX(hintX, dt);

    if (current >= 0 && static_cast<size_t>(current) < items.size() &&
        !items[static_cast<size_t>(current)].hint.empty()) {
        const sf::Vector2f at(hintX, viewSize().y - componentLineSpacing() - 4);
        if (hintLabel.getPosition() != at)
            hintLabel.setPosition(at);
    }
}

void CoolMenu::draw()
{
    RenderLayer* previous = currentRenderLayer;
    currentRenderLayer = getRenderLayer(layerUI, true);
    RenderLayer* layer = componentLayer();

    titleBar.draw();
    titleLabel.draw();
    headingLabel.draw();

    const sf::RenderStates iconStates = uiIconStates(true);
    for (CoolMenuItem& row : items) {
        row.background.draw();
        layer->draw(row.icon, iconStates);
        row.caption.draw();
    }

    footerBar.draw();

    if (current >= 0 && static_cast<size_t>(current) < items.size()) {
        const sf::Sprite& icon = items[static_cast<size_t>(current)].icon;
        const sf::FloatRect bounds = icon.getLocalBounds();
        if (bounds.width > 0 && bounds.height > 0) {
            sfSprite& big = *coolMenuIconSprite;
            static_cast<sf::Sprite&>(big) = icon;
            const float edge = std::floor(iconSize);
            big.setScale(edge / bounds.width, edge / bounds.height);
            big.setPosition(49 - iconSize / 2, viewSize().y - (iconSize + 96) / 2);
            layer->draw(big);
        }
    }

    captionLabel.draw();
    hintLabel.draw();
    textLabel.draw();
    footerTextLabel.draw();

    currentRenderLayer = previous;
}

void CoolMenu::destroyItems()
{
    items.clear();
}

} // namespace kv
