#pragma once
// The one-line text editor: keyboard focus through the widget ids, typed text, cursor keys with
// Shift selection and Control word jumps, the clipboard, mouse placement and drag selection,
// horizontal scrolling that keeps the cursor in view, and an optional caption above the box.
//
// Text is 8-bit (Latin-1). The editing rules are plain functions over TextEdit, so they can be
// driven without a window; TextBox::update maps this tick's keys onto them.
#include "ui/SimpleWidgets.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// A single paste never inserts more than this many bytes.
constexpr std::size_t maxPasteBytes = 4096;

// The editable value: text, cursor and selection, and the first shown character.
struct TextEdit {
    std::string text;
    unsigned maxLength = 0;  // the limit for typed characters (a paste may go past it)
    bool numbersOnly = false; // typing takes only '0'..'9', '-' and '.'
    int32_t cursor = 0;       // 0 .. length
    int32_t scroll = 0;       // index of the first shown character
    uint64_t anchor = 0;      // where a Shift or mouse selection started
    uint64_t selectionStart = 0;
    uint64_t selectionLength = 0; // 0: no selection
};

enum class CursorMove { home, end, left, right, wordLeft, wordRight };

// The selected bytes; empty without a selection.
std::string selectedText(const TextEdit& edit);
// Erases the selection, puts the cursor at its start and empties it; false without one.
bool deleteSelection(TextEdit& edit);
// Deletes the selection when there is one, otherwise the character before the cursor. Scroll
// drops with what went, never below 0.
void backspace(TextEdit& edit);
// Deletes the selection when there is one, otherwise the character at the cursor.
void deleteForward(TextEdit& edit);
// Moves the cursor. With extend the selection spans from the anchor (the old cursor when no
// selection existed) to the new cursor; without it the selection is emptied. A word jump left
// stops at the start of the word before the cursor, right at the start of the next word.
void moveCursor(TextEdit& edit, CursorMove move, bool extend);
// Selects all; the cursor goes to the end.
void selectAll(TextEdit& edit);
// Inserts typed characters while the text is shorter than maxLength, each replacing the
// selection first (so at maxLength typing over a selection is refused). Numbers-only takes
// digits, '-' and '.'; otherwise ESC is skipped.
void typeText(TextEdit& edit, const std::string& typed);
// What a paste inserts: ESC and line feeds removed, 0xA0 turned into a space, cut at
// maxPasteBytes.
std::string cleanPaste(const std::string& clip);
// Nothing for an empty clip; otherwise the selection goes, and the cleaned clip is inserted at
// the cursor whole, past maxLength if need be (the cursor behind it); cleanPaste bounds it.
void paste(TextEdit& edit, const std::string& clip);
// The cursor index for a click x pixels right of the text's left edge: the first character
// whose right side lies past x, or the end. width measures a run of text.
int32_t cursorAtX(const TextEdit& edit, float x, float (*width)(std::string_view));

// The system clipboard (X11 CLIPBOARD) as 8-bit text. Tests replace the hooks with a fake.
namespace clipboard {
// Characters above 255 come back as '?'. Empty when nobody owns the clipboard.
extern std::string (*getText)();
extern void (*setText)(const std::string& text);
// Puts the sf::Clipboard-backed defaults back.
void reset();
} // namespace clipboard

struct TextBoxParts {
    Label caption;
    BevelPanel frame;
    Label shownText;
    TextCursor cursorBar;
};

class TextBox : public Component {
public:
    TextEdit edit;
    std::string name;     // "auto:" + a number with a caption, empty otherwise; keys the hint
    std::string hintText; // shown while the mouse lies over the box; empty: none
    bool enabled = true;
    bool shiftHeld = false; // this tick
    TextBoxParts parts;
    sf::Vector2f position;
    sf::Vector2f size;
    bool hasCaption = false;
    sf::Vector2f captionOffset;

    // Width of a run of Latin-1 text as shown (standardFont at 18). Tests give fixed metrics.
    static float (*measure)(std::string_view text);
    static float measureWithFont(std::string_view text);
    // This box's own metrics when its text is drawn in another font; null: measure.
    float (*ownMeasure)(std::string_view text) = nullptr;

    // As wide as maxLength digits, one line tall; claims an id. The cursor at the end.
    void create(std::string text, const sf::Vector2f& position, unsigned maxLength);
    // The caption sits one line above; width > 0 overrides the width. Names the box.
    void createWithCaption(std::string text, std::string caption, float x, float y, float width,
                           unsigned maxLength);

    bool focused() const { return id < maxComponentIds && focusedComponentId == id; }

    // The selection onto the clipboard; nothing without one.
    void copySelection();
    // Copies, then deletes the selection.
    void cut();
    // paste() with the clipboard's text.
    void pasteClipboard();

    void destroy() override {}
    // Editing, on ticks only.
    void update() override;
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return parts.frame.getAlpha(); }
    void setAlpha(uint8_t alpha) override;

private:
    void handleKeys();
    void handleClipboardKeys();
    void handleMouse();
    // Brings the shown text and the measured widths up to date; measures only after a change,
    // so an idle box neither measures nor allocates.
    void refreshLayout();
    float measured(std::string_view text) const { return ownMeasure ? ownMeasure(text) : measure(text); }

    struct Layout {
        std::string text;
        int32_t scroll = -1, cursor = -1;
        uint64_t selectionStart = 0, selectionLength = 0;
        float cursorX = 0;                        // width of text[scroll, cursor)
        float selectionX = 0, selectionWidth = 0; // relative to the first shown character
    } layout_;
};

} // namespace kv
