#include "ui/TextMemo.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "ui/EditKeys.h"
#include "ui/TextBox.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <initializer_list>

namespace kv {

namespace {

using Key = sf::Keyboard::Key;
using namespace editKeys;

const sf::Color selectionColour(0, 0, 255, 255);
const sf::Vector2f textOffset(2, 2);

} // namespace

float (*TextMemo::measure)(const sf::Text& textObject, std::string_view run) = TextMemo::measureWithFont;

float TextMemo::measureWithFont(const sf::Text& textObject, std::string_view run)
{
    // Advances, not ink bounds: a caret after '"' or a space sits where the next glyph starts.
    const sf::Font* font = textObject.getFont();
    if (!font)
        return 0;
    const unsigned size = textObject.getCharacterSize();
    float width = 0;
    sf::Uint32 previous = 0;
    for (unsigned char c : run) {
        width += font->getKerning(previous, c, size) + font->getGlyph(c, size, false).advance;
        previous = c;
    }
    return width;
}

void TextMemo::create(const sf::Vector2f& at, const sf::Vector2f& extent)
{
    position = at;
    size = extent;
    maxLength = 4096;
    // A rebuild frees the id it held: no hidden memo stays a Tab target.
    claimId();
    cursor = topLine = 0;
    editable = true;
    backColour = clEditBack;
    textColour = clEditText;
    frameTopLeftColour = clEditBorderLight;
    frameBottomRightColour = clEditBorderDark;
    back.create(at, at + extent);
    back.shape.setFillColor(backColour);
    back.shape.setOutlineThickness(0);
    textObject.setFont(*standardFont);
    textObject.setCharacterSize(componentTextSize);
    textObject.setFillColor(textColour);
    frame.create(at, extent, frameTopLeftColour, frameBottomRightColour, sf::Color(0, 0, 0, 0));
    cursorBar.create(at);
    cursorBar.setColour(textColour);
    setPosition(at);
    setSize(extent);
    anchor = selectionStart = selectionLength = 0;
    created = true;
    updateText();
}

void TextMemo::setText(std::string newText)
{
    text = std::move(newText);
    if (text.size() > maxLength)
        text.resize(maxLength);
    cursor = topLine = 0;
    anchor = selectionStart = selectionLength = 0;
    updateText();
}

void TextMemo::destroy()
{
    text.clear();
    cursor = topLine = 0;
    anchor = selectionStart = selectionLength = 0;
    updateText();
}

void TextMemo::setPosition(const sf::Vector2f& p)
{
    position = p;
    back.setPosition(p);
    frame.setPosition(p);
}

void TextMemo::setSize(const sf::Vector2f& s)
{
    size = s;
    back.setSize(s);
    frame.setSize(s);
}

void TextMemo::setAlpha(uint8_t alpha)
{
    back.setAlpha(alpha);
    frame.setAlpha(alpha);
    cursorBar.setAlpha(alpha);
    sf::Color colour = textObject.getFillColor();
    colour.a = alpha;
    textObject.setFillColor(colour);
}

// ---- Lines ----

uint64_t TextMemo::lineOfIndex(uint64_t index) const
{
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min<uint64_t>(index, text.size()));
    return static_cast<uint64_t>(std::count(text.begin(), end, '\n'));
}

uint64_t TextMemo::lineStart(uint64_t line) const
{
    uint64_t index = 0;
    for (; line > 0; --line) {
        const size_t feed = text.find('\n', index);
        if (feed == std::string::npos)
            return text.size();
        index = feed + 1;
    }
    return index;
}

uint64_t TextMemo::lineEnd(uint64_t line) const
{
    const size_t feed = text.find('\n', lineStart(line));
    return feed == std::string::npos ? text.size() : feed;
}

uint64_t TextMemo::lineCount() const
{
    return lineOfIndex(text.size()) + 1;
}

float TextMemo::lineHeight() const
{
    const sf::Font* font = textObject.getFont();
    return font ? font->getLineSpacing(textObject.getCharacterSize()) * textObject.getLineSpacing() : 0;
}

uint64_t TextMemo::visibleLines() const
{
    const float height = lineHeight();
    return height > 0 ? std::max<uint64_t>(1, static_cast<uint64_t>(size.y / height)) : 1;
}

uint64_t TextMemo::moveUp(uint64_t lines) const
{
    const uint64_t line = lineOfIndex(cursor);
    const uint64_t column = cursor - lineStart(line);
    const uint64_t target = line - std::min(line, lines);
    return std::min(lineStart(target) + column, lineEnd(target));
}

uint64_t TextMemo::moveDown(uint64_t lines) const
{
    const uint64_t line = lineOfIndex(cursor);
    const uint64_t column = cursor - lineStart(line);
    const uint64_t target = std::min(line + std::min(lines, lineCount()), lineCount() - 1);
    return std::min(lineStart(target) + column, lineEnd(target));
}

void TextMemo::moveCursor(uint64_t to, bool extend)
{
    to = std::min<uint64_t>(to, text.size());
    if (!extend) {
        cursor = to;
        selectionStart = selectionLength = 0;
        return;
    }
    if (selectionLength == 0)
        anchor = cursor;
    cursor = to;
    selectionStart = std::min(anchor, to);
    selectionLength = anchor > to ? anchor - to : to - anchor;
}

void TextMemo::scrollToCursor()
{
    const uint64_t line = lineOfIndex(cursor);
    const uint64_t shown = visibleLines();
    if (line >= topLine + shown)
        topLine = line - shown + 1;
    else if (line < topLine)
        topLine = line;
}

float TextMemo::measured(uint64_t from, uint64_t to) const
{
    return from < to ? measure(textObject, std::string_view(text).substr(from, to - from)) : 0;
}

uint64_t TextMemo::indexAt(float x, float y) const
{
    const float height = lineHeight();
    const uint64_t below = height > 0 && y > 0 ? static_cast<uint64_t>(y / height) : 0;
    const uint64_t line = std::min(topLine + below, lineCount() - 1);
    const uint64_t start = lineStart(line), end = lineEnd(line);
    for (uint64_t i = start + 1; i <= end; ++i)
        if (measured(start, i) > x)
            return i - 1;
    return end;
}

// ---- Editing ----

uint64_t TextMemo::insertText(uint64_t at, std::string_view inserted)
{
    at = std::min<uint64_t>(at, text.size());
    std::string cleaned;
    for (char c : inserted) {
        if (text.size() + cleaned.size() >= maxLength)
            break;
        if (c != 27)
            cleaned += static_cast<unsigned char>(c) == 0xA0 ? ' ' : c;
    }
    if (cleaned.empty())
        return at;
    text.insert(at, cleaned);
    ++revision_;
    return at + cleaned.size();
}

bool TextMemo::deleteSelection()
{
    if (selectionLength == 0)
        return false;
    if (selectionStart < text.size())
        text.erase(selectionStart, selectionLength);
    ++revision_;
    cursor = std::min<uint64_t>(selectionStart, text.size());
    anchor = selectionStart = selectionLength = 0;
    return true;
}

void TextMemo::copySelection()
{
    if (selectionLength != 0 && selectionStart < text.size())
        clipboard::setText(text.substr(selectionStart, selectionLength));
}

void TextMemo::paste()
{
    const std::string clip = clipboard::getText();
    if (clip.empty())
        return;
    deleteSelection();
    cursor = insertText(cursor, clip);
}

void TextMemo::selectAll()
{
    anchor = selectionStart = 0;
    selectionLength = text.size();
    cursor = text.size();
}

void TextMemo::typeText(const std::string& typed)
{
    for (char c : typed) {
        if (text.size() >= maxLength)
            break;
        if (c == 27)
            continue;
        deleteSelection();
        cursor = insertText(cursor, std::string_view(&c, 1));
    }
}

// ---- Shown lines ----

void TextMemo::updateText()
{
    const uint64_t shown = visibleLines();
    const uint64_t lastShown = std::min(topLine + shown, lineCount()) - 1;
    shown_.clear();
    if (!text.empty() && topLine <= lastShown) {
        const uint64_t from = lineStart(topLine), to = lineEnd(lastShown);
        shown_.append(text, from, to - from);
        shown_ += '\n';
    }
    textObject.setPosition(textOffset);
    textObject.setString(fromLatin1(shown_));

    const float height = lineHeight();
    const uint64_t cursorLine = lineOfIndex(cursor);
    caretShown_ = cursorLine >= topLine && cursorLine <= lastShown;
    caret_ = textOffset + sf::Vector2f(measured(lineStart(cursorLine), cursor),
                                       static_cast<float>(cursorLine - std::min(cursorLine, topLine)) * height);

    bars_.clear();
    if (selectionLength != 0) {
        const uint64_t selectionEnd = std::min<uint64_t>(selectionStart + selectionLength, text.size());
        // A selection that ends behind a line feed ends on that feed's line.
        const uint64_t lastLine = std::min(lineOfIndex(selectionEnd - 1), lastShown);
        for (uint64_t line = std::max(lineOfIndex(selectionStart), topLine); line <= lastLine; ++line) {
            const uint64_t start = lineStart(line), end = lineEnd(line);
            const uint64_t from = std::max(start, selectionStart), to = std::min(end, selectionEnd);
            bars_.emplace_back(textOffset.x + measured(start, from), static_cast<float>(line - topLine) * height,
                               measured(from, std::max(from, to)), height);
        }
    }
}

// ---- Frame ----

void TextMemo::update()
{
    markComponentRunning(id);
    if (!pollerTicked || !created)
        return;
    if (!focused() && leftClicked && Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y))
        focusedComponentId = static_cast<uint32_t>(id);
    if (!focused() || !editable)
        return;
    const uint64_t revisionBefore = revision_, cursorBefore = cursor, topBefore = topLine,
                   startBefore = selectionStart, lengthBefore = selectionLength;
    shiftHeld = shiftDown();
    handleKeys();
    if (focused()) {
        handleClipboardKeys();
        if (!controlHeld() && !input.keyDown(Key::LAlt))
            typeText(typedText);
        if (input.keyDown(Key::LControl) && Keyboard::keyPressed(Key::A, true))
            selectAll();
        handleMouse();
    }
    if (revision_ != revisionBefore || cursor != cursorBefore || topLine != topBefore || selectionStart != startBefore ||
        selectionLength != lengthBefore) {
        scrollToCursor();
        updateText();
    }
}

void TextMemo::handleKeys()
{
    const bool control = controlHeld();
    for (uint32_t key : Keyboard::pressedKeys) {
        switch (key) {
        case Key::Enter:
            deleteSelection();
            cursor = insertText(cursor, "\n");
            break;
        case Key::Backspace:
            if (!deleteSelection() && cursor > 0) {
                text.erase(cursor - 1, 1);
                --cursor;
                ++revision_;
            }
            break;
        case Key::Tab:
            focusedComponentId = nextFocusId(focusedComponentId);
            if (!focused()) {
                // The rest of this tick's keys and text belong to no one, nor does the Tab: the
                // widget it moved to may update later in the same frame.
                Keyboard::keyPressed(Key::Tab, true);
                typedText.clear();
                return;
            }
            break;
        case Key::PageUp: moveCursor(moveUp(visibleLines()), shiftHeld); break;
        case Key::PageDown: moveCursor(moveDown(visibleLines()), shiftHeld); break;
        case Key::Home: moveCursor(control ? 0 : lineStart(lineOfIndex(cursor)), shiftHeld); break;
        case Key::End: moveCursor(control ? text.size() : lineEnd(lineOfIndex(cursor)), shiftHeld); break;
        case Key::Delete:
            if (!shiftHeld && !deleteSelection() && cursor < text.size()) { // Shift+Delete cuts
                text.erase(cursor, 1);
                ++revision_;
            }
            break;
        case Key::Left: moveCursor(cursor > 0 ? cursor - 1 : 0, shiftHeld); break;
        case Key::Right: moveCursor(cursor + 1, shiftHeld); break;
        case Key::Up: moveCursor(moveUp(1), shiftHeld); break;
        case Key::Down: moveCursor(moveDown(1), shiftHeld); break;
        default: break;
        }
    }
}

void TextMemo::handleClipboardKeys()
{
    const bool control = controlHeld();
    if ((control && Keyboard::keyPressed(Key::X, true)) || (shiftHeld && Keyboard::keyPressed(Key::Delete, true))) {
        copySelection();
        deleteSelection();
        waitOut({Key::X, Key::Delete});
    } else if (control && Keyboard::keyPressed(Key::C, true)) {
        copySelection();
        waitOut({Key::C});
    } else if ((control && Keyboard::keyPressed(Key::V, true)) ||
               (shiftHeld && Keyboard::keyPressed(Key::Insert, true))) {
        paste();
        waitOut({Key::V, Key::Insert});
    }
}

void TextMemo::handleMouse()
{
    if (input.focus && input.buttonDown(0) &&
        Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y)) {
        const sf::Vector2f p = InputHooks::mapPixelToView(input.pointer);
        const auto whole = [](float v) { return static_cast<float>(static_cast<int>(v)); };
        const uint64_t at = indexAt(whole(p.x) - whole(position.x), whole(p.y) - whole(position.y));
        if (mouseCaptured) {
            moveCursor(at, true);
        } else {
            moveCursor(at, false);
            anchor = at;
            mouseCaptured = true;
        }
    } else if (mouseCaptured) {
        mouseCaptured = false;
    }
}

void TextMemo::draw()
{
    if (!created)
        return;
    back.draw();
    beginClipRect(componentLayer(), position, size, true);
    for (const sf::FloatRect& bar : bars_)
        drawRect({bar.left, bar.top}, {bar.width, bar.height}, selectionColour, true, 2);
    componentLayer()->draw(textObject);
    if (focused() && caretShown_) {
        cursorBar.setPosition(caret_);
        cursorBar.draw();
    }
    endClipRect();
    frame.draw();
    drawDebugBounds();
}

} // namespace kv
