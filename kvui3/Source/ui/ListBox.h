#pragma once
// A scrolling list of text rows in a bordered panel: an optional caption above it, a selection
// bar, a vertical scroll bar when the rows do not fit and a horizontal one when a row is wider
// than the box. Rows are selected by clicks and, when the owner turns `keyboard` on and the list
// has the focus, by the arrow and page keys and the wheel; a double-click sets `activated`.
#include "graphics/Sprite.h"
#include "ui/Scrollbar.h"
#include "ui/SimpleWidgets.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/System/Clock.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct ListBoxItem {
    static constexpr int maxColumns = 8;

    std::string text;
    sfSprite icon; // kept for the owner; the list does not draw it
    std::string tag; // the owner's data
    int16_t columnCount = 0;
    std::string columns[maxColumns];
    float columnX[maxColumns] = {}; // x offsets from the row's left
    sf::Color textColour;
    sf::Color selectedTextColour;
};

class ListBox : public Component {
public:
    // Double-clicks: a second click on the same row sooner than this activates it.
    static constexpr int32_t doubleClickMilliseconds = 500;

    // How row texts are measured (width in pixels); textWidth unless a test replaces it.
    static float (*measureText)(const sf::Font& font, uint32_t characterSize, const std::string& text);

    sf::Font font;
    uint32_t characterSize = 0;
    std::vector<ListBoxItem> items;
    int32_t selected = -1; // -1 none
    bool selectable = true;
    bool keyboard = false;  // arrows, pages and the wheel move the list while it has the focus
    bool showPanel = true;
    int32_t activated = -1; // the row last double-clicked; the owner reads and resets it
    int32_t lastClickRow = -1;
    sf::Clock clickClock;
    int32_t hScroll = 0; // pixels; never negative
    int32_t top = 0;     // the first visible row; never negative
    int32_t lastTop = -1;
    bool followScroll = false; // keep the selection among the visible rows while scrolling
    sf::Color textColour;
    sf::Color selectedTextColour;
    BevelPanel panel;
    Rectangle selection;
    Label caption;
    Scrollbar vBar;
    Scrollbar hBar;
    std::vector<Label> rowLabels; // visible rows + 1, placed relative to the list's top-left
    sf::Vector2f position;
    sf::Vector2f size;
    bool hBarShown = false;
    bool vBarShown = false;
    bool hBarAllowed = true;
    bool dirty = false; // the scroll bars are rebuilt on the next update
    bool hasCaption = false;

    ListBox() = default;
    // The scroll bars and row labels point into the list, so it stays where it was made.
    ListBox(ListBox&&) = delete;
    ListBox& operator=(ListBox&&) = delete;

    // Copies the font; selects row 0; a non-empty caption takes the line above the box. Claims
    // an id.
    void create(const std::string& captionText, const sf::Vector2f& position, const sf::Vector2f& size,
                const sf::Font& font, unsigned characterSize);
    // No caption, the standard font at 18, exactly rows rows tall.
    void createWithRows(const sf::Vector2f& position, float width, unsigned rows);

    // One row: the text without one trailing line feed, the internal texture of that name as its
    // icon (the default texture for an empty or unknown name), and the owner's tag.
    void addItem(const std::string& text, const std::string& iconName, const std::string& tag);
    // One row per wrapped line of text (the width less a scroll bar); an empty line becomes " ".
    void addWrappedText(const std::string& text);
    // addWrappedText of the whole file; false with an error line and the list unchanged when it
    // cannot be read.
    bool loadFromTextFile(const std::string& path);

    // No rows, row 0 selected, no scroll bars, no horizontal scroll.
    void clear();
    // Scrolls the fewest rows that bring the selection into view.
    void scrollToSelection();
    // Moves the selection down by step rows (or scrolls, when nothing is selectable).
    void moveSelection(int32_t step);

    float rowHeight() const { return font.getLineSpacing(characterSize) + 1; }
    int32_t visibleRows() const;
    int32_t count() const { return static_cast<int32_t>(items.size()); }

    void destroy() override { clear(); }
    // On ticks: focus, scroll bar rebuild, clicks, keys, the wheel and the scroll bars.
    void update() override;
    void draw() override;
    // Stores the position only; the parts stay where create put them.
    void setPosition(const sf::Vector2f& p) override { position = p; }
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f&) override {}
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return panel.getAlpha(); }
    void setAlpha(uint8_t alpha) override;

private:
    // Takes both bars away and scrolls back to the left edge.
    void hideScrollbars();
    void rebuildScrollbars();
    void resizeRowLabels();
    void placeRowLabels();
    void moveUp(int32_t step);
    void handleClicks();
    void handleKeys();
    bool hasFocus() const;

    int32_t lastHScroll_ = 0;
    std::vector<std::string> rowTexts_; // what each row label shows, to set only changes
};

} // namespace kv
