#include "ui/ListBox.h"

#include "core/FrameUpdate.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "ui/WordWrap.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace kv {

namespace {

// The scroll bars write through an unsigned pointer; top and hScroll are kept non-negative,
// and a signed and an unsigned int may alias.
uint32_t* asUnsigned(int32_t& value)
{
    return reinterpret_cast<uint32_t*>(&value);
}

// Line feeds (and the carriage return of a CRLF file) belong to the break, not to the row.
std::string stripLineBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!text.empty() && text.front() == '\n')
        text.erase(0, 1);
    return text;
}

} // namespace

float (*ListBox::measureText)(const sf::Font&, uint32_t, const std::string&) = textWidth;

void ListBox::create(const std::string& captionText, const sf::Vector2f& at, const sf::Vector2f& extent,
                     const sf::Font& textFont, unsigned textSize)
{
    clear();
    font = textFont;
    characterSize = textSize;
    position = at;
    size = extent;
    hBarShown = vBarShown = false;
    hBarAllowed = true;
    dirty = hasCaption = false;
    selected = 0;
    hScroll = lastHScroll_ = 0;
    selectable = true;
    activated = -1;
    followScroll = false;
    showPanel = true;
    lastTop = -1;
    textColour = clListBoxText;
    selectedTextColour = clListBoxSelectText;

    panel.create(at, extent, clListBoxBorderLight, clListBoxBorderDark, clListBoxBack);
    selection.create({0, 0}, {0, 0});
    selection.shape.setFillColor(clListBoxSelectBack);
    selection.shape.setOutlineThickness(0);
    if (!captionText.empty()) {
        // A whole line above the panel, as a text box's caption: one a character size above had
        // its foot under the panel's border.
        caption.create({at.x, at.y - (componentLineSpacing() + 2)}, clButtonText, captionText, *standardFont,
                       componentTextSize);
        hasCaption = true;
    }
    // Labels made for another font or size must be made again.
    rowLabels.clear();
    rowTexts_.clear();
    resizeRowLabels();

    setPosition(at);
    setAlpha(255);
    claimId();
}

void ListBox::createWithRows(const sf::Vector2f& at, float width, unsigned rows)
{
    const float rowSpan = standardFont->getLineSpacing(componentTextSize) + 1;
    create("", at, {width, static_cast<float>(rows) * rowSpan}, *standardFont, componentTextSize);
}

int32_t ListBox::visibleRows() const
{
    return static_cast<int32_t>(std::floor(size.y / rowHeight()));
}

void ListBox::addItem(const std::string& text, const std::string& iconName, const std::string& tag)
{
    ListBoxItem item;
    item.text = text;
    if (!item.text.empty() && item.text.back() == '\n')
        item.text.pop_back();
    if (!iconName.empty()) {
        const size_t index = static_cast<size_t>(InternalTextures::getTextureIndex(iconName));
        if (index < internalTextures->size())
            item.icon = sfSprite((*internalTextures)[index].texture);
    }
    item.tag = tag;
    item.textColour = textColour;
    item.selectedTextColour = selectedTextColour;
    items.push_back(std::move(item));
    resizeRowLabels();
    dirty = true;
}

void ListBox::addWrappedText(const std::string& text)
{
    const int32_t maxWidth = static_cast<int32_t>(size.x) - static_cast<int32_t>(characterSize) - 1;
    std::vector<TextLineRange> lines;
    wrapText(lines, text, static_cast<unsigned>(std::max(maxWidth, 0)),
             [this](const std::string& part) { return measureText(font, characterSize, part); });
    const int32_t last = static_cast<int32_t>(text.size()) - 1;
    for (const TextLineRange& line : lines) {
        const int32_t end = std::min(line.end, last);
        std::string row = line.start == line.end || end < line.start
            ? std::string()
            : stripLineBreaks(text.substr(static_cast<size_t>(line.start), static_cast<size_t>(end - line.start + 1)));
        addItem(row.empty() ? " " : row, "", "");
    }
}

bool ListBox::loadFromTextFile(const std::string& path)
{
    const std::string diskPath = resolvePath(path);
    std::ifstream file;
    if (!getFileStatus(path).isDirectory)
        file.open(diskPath, std::ios::binary);
    if (!file.is_open()) {
        printError("ListBox::loadFromTextFile: Unable to open " + path);
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        printError("ListBox::loadFromTextFile: Unable to open " + path);
        return false;
    }
    addWrappedText(text);
    return true;
}

void ListBox::clear()
{
    items.clear();
    selected = 0;
    hideScrollbars();
}

void ListBox::hideScrollbars()
{
    if (vBarShown)
        vBar.destroy();
    if (hBarShown)
        hBar.destroy();
    vBarShown = hBarShown = false;
    hScroll = 0;
}

void ListBox::scrollToSelection()
{
    const int32_t rows = visibleRows();
    if (selected < 0 || selected >= count() || count() <= rows)
        return;
    if (selected < top)
        top = selected;
    else if (selected >= top + rows)
        top = selected - rows + 1;
}

void ListBox::moveSelection(int32_t step)
{
    if (items.empty())
        return;
    const int32_t rows = visibleRows();
    if (selectable) {
        if (selected == -1) {
            if (top >= count())
                return;
            selected = top;
        }
        if (selected < count() - step) {
            selected += step;
            if (selected >= top + rows)
                top = selected - rows + 1;
        }
    } else if (vBarShown) {
        top = std::min(top + step, count() - rows);
    }
}

void ListBox::moveUp(int32_t step)
{
    if (items.empty())
        return;
    if (selectable) {
        if (selected == -1 && top >= count())
            return;
        const int32_t from = selected == -1 ? top : selected;
        selected = std::max(from - step, 0);
        top = std::min(top, selected);
    } else if (vBarShown) {
        top = std::max(top - step, 0);
    }
}

void ListBox::rebuildScrollbars()
{
    hideScrollbars();
    top = std::min(top, count() - 1);
    if (top < 0 || items.empty())
        top = 0;

    const float width = size.x, height = size.y;
    const int32_t rows = visibleRows();
    const float cs = static_cast<float>(characterSize);
    if (rowHeight() * static_cast<float>(count()) > height) {
        const float fitting = static_cast<float>(rows);
        const float dragger = cs * fitting / 100 * (fitting / static_cast<float>(count()) * 100);
        vBar.create("", {position.x + width - cs, position.y}, {cs, height}, static_cast<uint32_t>(count() - rows),
                    true, static_cast<uint32_t>(dragger), asUnsigned(top), static_cast<uint32_t>(rows));
        vBarShown = true;
    }

    float widest = 0;
    for (const ListBoxItem& item : items)
        widest = std::max(widest, measureText(*standardFont, componentTextSize, item.text));
    widest += 3;
    if (hBarAllowed && widest > width) {
        hBar.create("", {position.x, position.y + height}, {width, cs},
                    static_cast<uint32_t>(static_cast<int32_t>(widest - width)), false,
                    static_cast<uint32_t>(width / (widest / width)), asUnsigned(hScroll),
                    static_cast<uint32_t>(static_cast<int32_t>(width)));
        hBarShown = true;
    }
}

void ListBox::resizeRowLabels()
{
    const size_t wanted = static_cast<size_t>(std::max(visibleRows(), 0)) + 1;
    if (rowLabels.size() == wanted)
        return;
    const size_t had = rowLabels.size();
    rowLabels.resize(wanted);
    rowTexts_.resize(wanted);
    for (size_t r = had; r < wanted; ++r)
        rowLabels[r].create({0, 0}, textColour, "", font, characterSize);
    placeRowLabels();
}

void ListBox::placeRowLabels()
{
    const float height = rowHeight();
    for (size_t r = 0; r < rowLabels.size(); ++r)
        rowLabels[r].setPosition({1 - static_cast<float>(hScroll), static_cast<float>(r) * height});
}

bool ListBox::hasFocus() const
{
    return focusedComponentId == id;
}

void ListBox::handleClicks()
{
    if (!leftClicked)
        return;
    const int32_t rows = visibleRows();
    const float height = rowHeight();
    const float right = position.x + size.x - 1 - (vBarShown ? static_cast<float>(characterSize) : 0);
    for (int32_t r = 0; r < rows && top + r < count(); ++r) {
        const float rowTop = position.y + static_cast<float>(r) * height;
        if (!Mouse::isInRect(position.x + 1, rowTop, right, rowTop + height))
            continue;
        const int32_t row = top + r;
        if (row != lastClickRow || clickClock.getElapsedTime().asMilliseconds() >= doubleClickMilliseconds) {
            selected = lastClickRow = row;
            clickClock.restart();
        } else {
            selected = activated = row;
        }
        return;
    }
}

void ListBox::handleKeys()
{
    if (!keyboard || !hasFocus() || items.empty())
        return;
    const int32_t rows = visibleRows();
    if (Keyboard::keyPressed(sf::Keyboard::Up, true))
        moveUp(1);
    else if (Keyboard::keyPressed(sf::Keyboard::Down, true))
        moveSelection(1);

    if (Keyboard::keyPressed(sf::Keyboard::PageUp, true)) {
        selected = std::max(selected - rows, 0);
        top = std::max(top - rows, 0);
    } else if (Keyboard::keyPressed(sf::Keyboard::PageDown, true)) {
        selected = std::min(selected + rows, count() - 1);
        top += rows;
        if (top + rows >= count())
            top = count() - rows;
        if (top < 0)
            top = 0;
    }

    const int32_t wheel = static_cast<int32_t>(mouseWheelDelta);
    if (wheel > 0)
        moveUp(wheel);
    else if (wheel < 0)
        moveSelection(-wheel);
}

void ListBox::update()
{
    markComponentRunning(id);
    if (!pollerTicked)
        return;
    if (!hasFocus() && leftClicked &&
        Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y))
        focusedComponentId = static_cast<uint32_t>(id);

    if (dirty) {
        dirty = false;
        rebuildScrollbars();
    }
    if (top != lastTop || hScroll != lastHScroll_) {
        placeRowLabels();
        lastTop = top;
        lastHScroll_ = hScroll;
    }
    caption.update();

    const int32_t rows = visibleRows();
    if (selectable) {
        if (selected >= count())
            selected = count() - 1;
        if (followScroll && selected != -1) {
            if (selected < top && top >= 1)
                selected = top;
            else if (selected >= top + rows && top < count() - rows)
                selected = top + rows - 1;
        }
    }

    handleClicks();
    handleKeys();

    if (vBarShown)
        vBar.update();
    if (hBarShown)
        hBar.update();
}

void ListBox::draw()
{
    if (showPanel)
        panel.draw();
    // A refused clip (too deep) must not make us close the clip around us.
    const int outerClips = clipDepth();
    beginClipRect(componentLayer(), position, size, true);
    const float height = rowHeight();
    const uint8_t alpha = getAlpha();
    for (size_t r = 0; r < rowLabels.size() && top >= 0; ++r) {
        const size_t index = static_cast<size_t>(top) + r;
        if (index >= items.size())
            break;
        const ListBoxItem& item = items[index];
        const float rowTop = static_cast<float>(r) * height;
        sf::Color colour = item.textColour;
        if (selectable && static_cast<int32_t>(index) == selected) {
            selection.setPosition({1, rowTop + 1});
            selection.setSize({size.x - 2, height});
            selection.draw();
            colour = item.selectedTextColour;
        }
        colour.a = alpha;

        Label& label = rowLabels[r];
        if (rowTexts_[r] != item.text) {
            rowTexts_[r] = item.text;
            label.setText(item.text);
        }
        if (label.text.getFillColor() != colour)
            label.text.setFillColor(colour);
        if (!item.text.empty())
            label.draw();
        for (int c = 0; c < std::min<int>(item.columnCount, ListBoxItem::maxColumns); ++c)
            drawText(layerUI, {1 - static_cast<float>(hScroll) + item.columnX[c], rowTop}, colour, item.columns[c],
                     font, characterSize);
    }
    if (clipDepth() > outerClips)
        endClipRect();
    if (hasCaption)
        caption.draw();
    if (vBarShown)
        vBar.draw();
    if (hBarShown)
        hBar.draw();
    drawDebugBounds();
}

void ListBox::setAlpha(uint8_t alpha)
{
    panel.setAlpha(alpha);
    selection.setAlpha(alpha);
    caption.setAlpha(alpha);
    vBar.setAlpha(alpha);
    hBar.setAlpha(alpha);
}

} // namespace kv
