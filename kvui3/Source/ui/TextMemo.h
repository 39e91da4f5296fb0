#pragma once
// The multi-line text editor: a framed box showing a window of the lines of one text (lines end
// at line feeds, nothing wraps), with a caret, Shift selection across lines, the clipboard,
// keyboard navigation by character, line and page, and mouse placement and drag selection.
// Focus, typed text and the clipboard keys follow the one-line TextBox.
//
// Text is 8-bit (Latin-1) and never longer than maxLength: typing, Enter and paste stop there.
// Every change ends in updateText, which refreshes the shown lines and the measured caret and
// selection geometry, so an idle memo neither measures nor allocates.
#include "ui/SimpleWidgets.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class TextMemo : public Component {
public:
    sf::Color backColour, textColour, frameTopLeftColour, frameBottomRightColour;
    uint64_t maxLength = 4096;
    bool editable = false;
    uint64_t cursor = 0;  // 0 .. text length
    uint64_t topLine = 0; // the first shown line
    std::string text;
    uint64_t anchor = 0; // where a Shift or mouse selection started
    uint64_t selectionStart = 0;
    uint64_t selectionLength = 0; // 0: no selection
    bool shiftHeld = false;       // this tick
    Rectangle back;
    BevelPanel frame; // transparent back, drawn over everything
    TextCursor cursorBar;
    sf::Text textObject; // the shown lines, at (2, 2) inside the box
    sf::Vector2f position;
    sf::Vector2f size;
    bool created = false;

    // Width of a run of Latin-1 text in the memo's font at its size. Tests give fixed metrics.
    static float (*measure)(const sf::Text& textObject, std::string_view run);
    static float measureWithFont(const sf::Text& textObject, std::string_view run);

    // An empty, editable memo at position with size in the theme's edit colours, standardFont at
    // 18, on a freshly claimed id (a rebuild frees the old one).
    void create(const sf::Vector2f& position, const sf::Vector2f& size);
    // Replaces the text (cut to maxLength); cursor, top line and selection go to 0.
    void setText(std::string newText);

    bool focused() const { return id < maxComponentIds && focusedComponentId == id; }

    // Refreshes the shown lines (from the top line, at most visibleLines, each ended by a line
    // feed) and the caret and selection geometry.
    void updateText();
    // Inserts text at position (clamped to the length) with ESC removed and 0xA0 turned into a
    // space, as much of it as fits under maxLength; gives the index behind what went in.
    uint64_t insertText(uint64_t position, std::string_view inserted);
    // Erases the selection, puts the cursor at its start and empties it; false without one.
    bool deleteSelection();
    // The selection onto the clipboard; nothing without one.
    void copySelection();
    // A non-empty clipboard text replaces the selection at the cursor, up to maxLength.
    void paste();
    // Selects all; the cursor goes to the end.
    void selectAll();

    // Line feeds before index.
    uint64_t lineOfIndex(uint64_t index) const;
    // Index of the line's first character; the text length past the last line.
    uint64_t lineStart(uint64_t line) const;
    // Index of the line feed that ends the line, or the text length.
    uint64_t lineEnd(uint64_t line) const;
    // Line feeds + 1 (an empty text has one line).
    uint64_t lineCount() const;
    // The font's line spacing at the text's size times the text's line-spacing factor.
    float lineHeight() const;
    // Whole lines that fit the height; at least 1.
    uint64_t visibleLines() const;

    // The cursor index lines up or down, keeping the column where the target line is long
    // enough (else its end); the first and last line stop it.
    uint64_t moveUp(uint64_t lines) const;
    uint64_t moveDown(uint64_t lines) const;
    // Moves the cursor (clamped to the text). With extend the selection spans from the anchor
    // (the old cursor when no selection existed) to it; without, the selection is emptied.
    void moveCursor(uint64_t to, bool extend);
    // Scrolls the least that shows the cursor's line.
    void scrollToCursor();
    // The cursor index for a point (x, y) relative to the box's top-left: the line under it
    // (clamped to the last), then the first character whose prefix is wider than x, or the end.
    uint64_t indexAt(float x, float y) const;

    // One bar per selected line that is shown, in box-local coordinates; refreshed by updateText.
    const std::vector<sf::FloatRect>& selectionBars() const { return bars_; }
    // Where the caret is drawn, box-local; refreshed by updateText.
    sf::Vector2f caretPosition() const { return caret_; }

    // Empties the text; cursor and top line 0.
    void destroy() override;
    // On ticks only: the focus click, then while focused and editable the keys, typed text,
    // clipboard and mouse.
    void update() override;
    // The back, the selection bars, the text and (focused) the caret clipped to the box, then
    // the frame.
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return back.getAlpha(); }
    void setAlpha(uint8_t alpha) override;

private:
    void handleKeys();
    void handleClipboardKeys();
    void handleMouse();
    void typeText(const std::string& typed);
    float measured(uint64_t from, uint64_t to) const;

    std::vector<sf::FloatRect> bars_;
    sf::Vector2f caret_;
    bool caretShown_ = false;
    uint64_t revision_ = 0; // counts text changes, so update refreshes only after one
    std::string shown_; // scratch for the shown lines, kept for its capacity
};

} // namespace kv
