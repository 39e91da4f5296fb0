#include "ui/TextBox.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "ui/EditKeys.h"
#include "ui/Hints.h"

#include <SFML/Window/Clipboard.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <initializer_list>

namespace kv {

namespace {

using Key = sf::Keyboard::Key;
using namespace editKeys;

const sf::Color selectionColour(0, 0, 255, 255);

bool isWordChar(char c)
{
    return c != ' ';
}

// The cursor goes to cursor; the selection spans from the anchor to it.
void selectToAnchor(TextEdit& edit, int32_t cursor)
{
    edit.cursor = cursor;
    const uint64_t to = static_cast<uint64_t>(cursor);
    edit.selectionStart = std::min<uint64_t>(std::min(edit.anchor, to), edit.text.size());
    edit.selectionLength = edit.anchor > to ? edit.anchor - to : to - edit.anchor;
}

void setCursor(TextEdit& edit, int32_t cursor, bool extend)
{
    cursor = std::clamp(cursor, 0, static_cast<int32_t>(edit.text.size()));
    if (!extend) {
        edit.cursor = cursor;
        edit.selectionStart = edit.selectionLength = 0;
        return;
    }
    if (edit.selectionLength == 0)
        edit.anchor = static_cast<uint64_t>(edit.cursor);
    selectToAnchor(edit, cursor);
}

void dropScroll(TextEdit& edit, uint64_t by)
{
    edit.scroll = static_cast<int32_t>(std::max<int64_t>(0, edit.scroll - static_cast<int64_t>(by)));
}

std::string sfClipboardText()
{
    const sf::String clip = sf::Clipboard::getString();
    std::string text;
    text.reserve(clip.getSize());
    for (sf::Uint32 c : clip)
        text += c < 256 ? static_cast<char>(c) : '?';
    return text;
}

void sfSetClipboardText(const std::string& text)
{
    sf::Clipboard::setString(fromLatin1(text));
}

} // namespace

// ---- Editing rules ----

std::string selectedText(const TextEdit& edit)
{
    if (edit.selectionLength == 0 || edit.selectionStart >= edit.text.size())
        return {};
    return edit.text.substr(edit.selectionStart, edit.selectionLength);
}

bool deleteSelection(TextEdit& edit)
{
    if (edit.selectionLength == 0)
        return false;
    if (edit.selectionStart < edit.text.size())
        edit.text.erase(edit.selectionStart, edit.selectionLength);
    edit.cursor = static_cast<int32_t>(std::min<uint64_t>(edit.selectionStart, edit.text.size()));
    edit.anchor = edit.selectionStart = edit.selectionLength = 0;
    return true;
}

void backspace(TextEdit& edit)
{
    const uint64_t selected = edit.selectionLength;
    if (deleteSelection(edit)) {
        dropScroll(edit, selected);
    } else if (edit.cursor > 0) {
        edit.text.erase(static_cast<size_t>(edit.cursor - 1), 1);
        --edit.cursor;
        dropScroll(edit, 1);
    }
}

void deleteForward(TextEdit& edit)
{
    const uint64_t selected = edit.selectionLength;
    if (deleteSelection(edit))
        dropScroll(edit, selected);
    else if (static_cast<size_t>(edit.cursor) < edit.text.size())
        edit.text.erase(static_cast<size_t>(edit.cursor), 1);
}

void moveCursor(TextEdit& edit, CursorMove move, bool extend)
{
    const std::string& t = edit.text;
    int32_t to = edit.cursor;
    switch (move) {
    case CursorMove::home: to = 0; break;
    case CursorMove::end: to = static_cast<int32_t>(t.size()); break;
    case CursorMove::left: to = std::max(0, to - 1); break;
    case CursorMove::right: to = std::min(static_cast<int32_t>(t.size()), to + 1); break;
    case CursorMove::wordLeft:
        while (to > 0 && !isWordChar(t[static_cast<size_t>(to - 1)]))
            --to;
        while (to > 0 && isWordChar(t[static_cast<size_t>(to - 1)]))
            --to;
        break;
    case CursorMove::wordRight:
        while (static_cast<size_t>(to) < t.size() && isWordChar(t[static_cast<size_t>(to)]))
            ++to;
        while (static_cast<size_t>(to) < t.size() && !isWordChar(t[static_cast<size_t>(to)]))
            ++to;
        break;
    }
    setCursor(edit, to, extend);
}

void selectAll(TextEdit& edit)
{
    edit.anchor = edit.selectionStart = 0;
    edit.selectionLength = edit.text.size();
    edit.cursor = static_cast<int32_t>(edit.text.size());
}

void typeText(TextEdit& edit, const std::string& typed)
{
    for (char c : typed) {
        if (edit.text.size() >= edit.maxLength)
            break;
        if (edit.numbersOnly ? !((c >= '0' && c <= '9') || c == '-' || c == '.') : c == 27)
            continue;
        deleteSelection(edit);
        edit.text.insert(static_cast<size_t>(edit.cursor), 1, c);
        ++edit.cursor;
    }
}

std::string cleanPaste(const std::string& clip)
{
    std::string result;
    for (char c : clip) {
        if (result.size() == maxPasteBytes)
            break;
        if (c == 27 || c == '\n')
            continue;
        result += static_cast<unsigned char>(c) == 0xA0 ? ' ' : c;
    }
    return result;
}

void paste(TextEdit& edit, const std::string& clip)
{
    if (clip.empty())
        return;
    deleteSelection(edit);
    const std::string insert = cleanPaste(clip);
    edit.text.insert(static_cast<size_t>(edit.cursor), insert);
    edit.cursor += static_cast<int32_t>(insert.size());
}

int32_t cursorAtX(const TextEdit& edit, float x, float (*width)(std::string_view))
{
    const std::string_view shown = std::string_view(edit.text).substr(
        std::min<size_t>(static_cast<size_t>(std::max(edit.scroll, 0)), edit.text.size()));
    for (size_t i = 1; i <= shown.size(); ++i)
        if (width(shown.substr(0, i)) > x)
            return edit.scroll + static_cast<int32_t>(i) - 1;
    return static_cast<int32_t>(edit.text.size());
}

// ---- Clipboard ----

namespace clipboard {
std::string (*getText)() = sfClipboardText;
void (*setText)(const std::string& text) = sfSetClipboardText;

void reset()
{
    getText = sfClipboardText;
    setText = sfSetClipboardText;
}
} // namespace clipboard

// ---- TextBox ----

float (*TextBox::measure)(std::string_view text) = TextBox::measureWithFont;

float TextBox::measureWithFont(std::string_view text)
{
    // textWidth takes UTF-8; the box's bytes are Latin-1.
    const std::basic_string<sf::Uint8> utf8 = fromLatin1(text).toUtf8();
    return textWidth(*standardFont, componentTextSize, std::string(utf8.begin(), utf8.end()));
}

void TextBox::create(std::string text, const sf::Vector2f& p, unsigned maxLength)
{
    position = p;
    size = {measure(std::string(maxLength, '0')), componentLineSpacing() + 2};
    hasCaption = false;
    captionOffset = {};
    edit = TextEdit();
    edit.text = std::move(text);
    edit.maxLength = maxLength;
    edit.cursor = static_cast<int32_t>(edit.text.size());
    claimId();
    enabled = true;
    layout_ = Layout();
    parts.caption.create(p, clButtonText, "", *standardFont, componentTextSize);
    parts.shownText.create(p, clEditText, "", *standardFont, componentTextSize);
    parts.frame.create(p, size, clEditBorderLight, clEditBorderDark, clEditBack);
    parts.cursorBar.create(p);
    setPosition(position);
    setSize(size);
    refreshLayout();
}

void TextBox::createWithCaption(std::string text, std::string caption, float x, float y, float width,
                                unsigned maxLength)
{
    create(std::move(text), {x, y}, maxLength);
    if (width > 0)
        setSize({width, size.y});
    captionOffset = {0, -(componentLineSpacing() + 2)};
    parts.caption.setPosition(position + captionOffset);
    hasCaption = true;
    parts.caption.setText(caption);
    name = makeAutoName();
}

void TextBox::setPosition(const sf::Vector2f& p)
{
    position = p;
    parts.caption.setPosition(p + captionOffset);
    parts.frame.setPosition(p + sf::Vector2f(1, 1));
    parts.shownText.setPosition(p + sf::Vector2f(1, 1));
}

void TextBox::setSize(const sf::Vector2f& s)
{
    size = s;
    parts.frame.setSize(s - sf::Vector2f(1, 1));
}

void TextBox::setAlpha(uint8_t alpha)
{
    parts.caption.setAlpha(alpha);
    parts.frame.setAlpha(alpha);
    parts.shownText.setAlpha(alpha);
    parts.cursorBar.setAlpha(alpha);
}

void TextBox::copySelection()
{
    if (edit.selectionLength != 0)
        clipboard::setText(selectedText(edit));
}

void TextBox::cut()
{
    copySelection();
    deleteSelection(edit);
}

void TextBox::pasteClipboard()
{
    paste(edit, clipboard::getText());
}

void TextBox::refreshLayout()
{
    Layout& l = layout_;
    if (l.scroll == edit.scroll && l.cursor == edit.cursor && l.selectionStart == edit.selectionStart &&
        l.selectionLength == edit.selectionLength && l.text == edit.text)
        return;
    l.text = edit.text;
    l.scroll = edit.scroll;
    l.cursor = edit.cursor;
    l.selectionStart = edit.selectionStart;
    l.selectionLength = edit.selectionLength;

    const std::string_view text(edit.text);
    const size_t scroll = std::min<size_t>(static_cast<size_t>(std::max(edit.scroll, 0)), text.size());
    const auto widthBetween = [&](size_t from, size_t to) {
        from = std::min(from, text.size());
        to = std::min(to, text.size());
        return from < to ? measured(text.substr(from, to - from)) : -measured(text.substr(to, from - to));
    };
    l.cursorX = edit.cursor >= edit.scroll ? widthBetween(scroll, static_cast<size_t>(edit.cursor)) : 0;
    if (edit.selectionLength != 0) {
        const size_t start = static_cast<size_t>(edit.selectionStart);
        l.selectionX = widthBetween(scroll, start);
        l.selectionWidth = widthBetween(start, start + static_cast<size_t>(edit.selectionLength));
    }
    parts.shownText.text.setString(fromLatin1(text.substr(scroll)));
}

void TextBox::update()
{
    markComponentRunning(id);
    if (!pollerTicked)
        return;
    parts.caption.update();
    parts.frame.update();
    parts.shownText.update();
    if (enabled && focused())
        parts.cursorBar.update();

    refreshLayout();
    if (edit.cursor >= edit.scroll && layout_.cursorX > size.x)
        ++edit.scroll;
    else if (edit.cursor < edit.scroll)
        edit.scroll = edit.cursor;

    if (!focused() && leftClicked && Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y))
        focusedComponentId = static_cast<uint32_t>(id);

    if (focused() && enabled) {
        const sf::Vector2f barAt(edit.text.empty() ? position.x + 2 : position.x + layout_.cursorX + 1,
                                 position.y + 1);
        if (parts.cursorBar.getPosition() != barAt)
            parts.cursorBar.setPosition(barAt);
        shiftHeld = shiftDown();
        handleKeys();
        if (focused()) {
            if (!controlHeld() && !input.keyDown(Key::LAlt))
                typeText(edit, typedText);
            handleClipboardKeys();
            handleMouse();
        }
    }
    refreshLayout();
}

void TextBox::handleKeys()
{
    const bool control = controlHeld();
    for (uint32_t key : Keyboard::pressedKeys) {
        switch (key) {
        case Key::Backspace:
            backspace(edit);
            break;
        case Key::Tab:
            focusedComponentId = nextFocusId(focusedComponentId);
            if (!focused()) {
                // The rest of this tick's keys and text belong to no one, nor does the Tab: the
                // box it moved to may update later in the same frame.
                Keyboard::keyPressed(Key::Tab, true);
                typedText.clear();
                return;
            }
            break;
        case Key::Home: moveCursor(edit, CursorMove::home, shiftHeld); break;
        case Key::End: moveCursor(edit, CursorMove::end, shiftHeld); break;
        case Key::Left: moveCursor(edit, control ? CursorMove::wordLeft : CursorMove::left, shiftHeld); break;
        case Key::Right: moveCursor(edit, control ? CursorMove::wordRight : CursorMove::right, shiftHeld); break;
        case Key::Delete:
            if (!shiftHeld) // Shift+Delete cuts
                deleteForward(edit);
            break;
        default: break;
        }
    }
}

void TextBox::handleClipboardKeys()
{
    const bool control = controlHeld();
    if ((control && Keyboard::keyPressed(Key::X, true)) || (shiftHeld && Keyboard::keyPressed(Key::Delete, true))) {
        cut();
        waitOut({Key::X, Key::Delete});
    } else if (control && Keyboard::keyPressed(Key::C, true)) {
        copySelection();
        waitOut({Key::C});
    } else if ((control && Keyboard::keyPressed(Key::V, true)) ||
               (shiftHeld && Keyboard::keyPressed(Key::Insert, true))) {
        pasteClipboard();
        waitOut({Key::V, Key::Insert});
    } else if (input.keyDown(Key::LControl) && Keyboard::keyPressed(Key::A, true)) {
        selectAll(edit);
    }
}

void TextBox::handleMouse()
{
    if (input.buttonDown(0) && Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y)) {
        const float x = static_cast<float>(static_cast<int>(InputHooks::mapPixelToView(input.pointer).x)) -
                        static_cast<float>(static_cast<int>(position.x));
        const int32_t cursor = cursorAtX(edit, x, ownMeasure ? ownMeasure : measure);
        if (mouseCaptured) {
            selectToAnchor(edit, cursor);
        } else {
            setCursor(edit, cursor, false);
            edit.anchor = static_cast<uint64_t>(cursor);
            mouseCaptured = true;
        }
    } else if (mouseCaptured) {
        mouseCaptured = false;
    }
}

void TextBox::draw()
{
    if (hasCaption)
        parts.caption.draw();
    parts.frame.draw();
    const sf::Vector2f framePosition = parts.frame.getPosition();
    beginClipRect(componentLayer(), framePosition, parts.frame.getSize(), false);
    if (edit.selectionLength != 0) {
        const sf::Vector2f at(static_cast<float>(static_cast<int>(framePosition.x + layout_.selectionX)),
                              static_cast<float>(static_cast<int>(framePosition.y)));
        const float height = componentLineSpacing() * parts.shownText.text.getLineSpacing();
        drawRect(at, {layout_.selectionWidth, height}, selectionColour, true, 2);
    }
    parts.shownText.draw();
    if (enabled && focused())
        parts.cursorBar.draw();
    endClipRect();
    if (!hintText.empty() && Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y)) {
        const sf::Vector2f hintAt(position.x, position.y + size.y + 4);
        addHint(name, 0, &hintAt, &clHintText, &clHintBack, hintText);
    }
    drawDebugBounds();
}

} // namespace kv
