#pragma once
// A horizontal or vertical bar with a draggable handle (the dragger), bound to an unsigned
// value its owner keeps. Dragging writes the owner's value; a value the owner changes moves
// the dragger on the next tick. A captioned bar shows its caption and the value under it, and
// a hint "Click to adjust " + caption while hovered.
#include "ui/SimpleWidgets.h"

#include <cstdint>
#include <string>

namespace kv {

// Dragger length setting: proportional to the page size.
constexpr uint32_t proportionalDragger = 0xFFFFFFFF;
// Page size meaning "no page".
constexpr uint32_t noPageSize = 0xFFFFFFFF;
// The shortest dragger, and the length a fixed setting that does not fit its track gets.
constexpr float minDraggerLength = 20;
constexpr uint32_t oversizedDraggerLength = 32;

class Scrollbar : public Component {
public:
    uint32_t lastShownValue = 0;
    uint32_t minimum = 0; // always 0
    uint32_t maximum = 0;
    // The owner's value; it must outlive the bar (or the next create). Null until create.
    uint32_t* value = nullptr;
    bool vertical = false;
    uint32_t draggerLengthSetting = proportionalDragger;
    float draggerLength = 0; // in use
    uint32_t pageSize = noPageSize;
    bool dragging = false;
    std::string name; // the key of the bar's hint
    BevelPanel track;
    BevelPanel dragger;
    Label caption;
    Label valueLabel;
    sf::Vector2f position;
    sf::Vector2f size;
    bool hasCaption = false;

    // Binds the bar to *value (0 .. maximum). A fixed draggerLength not shorter than the track
    // becomes oversizedDraggerLength. An empty caption gives a bare bar.
    void create(const std::string& captionText, const sf::Vector2f& position, const sf::Vector2f& size,
                uint32_t maximum, bool vertical, uint32_t draggerLength, uint32_t* value,
                uint32_t pageSize);

    // Lays the dragger out for *value; owners call it after changing the value, page size or
    // maximum when they do not want to wait for the next tick. The proportional dragger is
    // pageSize / (maximum + 1) of the track, at most the whole track (without a page size it is
    // the shortest); any dragger is at least minDraggerLength. The dragger runs along the track
    // as value / maximum (a value above the maximum shows at the end).
    void updateDragger();
    // The value under a pointer coordinate along the bar's axis (view units, whole number):
    // the dragger's centre follows the pointer; before the track gives the minimum, past it the
    // maximum. A dragger with no room to move keeps the current value.
    uint32_t valueAt(int pointer) const;

    // Back to not created: unbound, not dragging.
    void destroy() override;
    // On ticks, with a maximum of at least 1: follows an owner's change, drags with the left
    // button (taking mouseCaptured), or shows the hint of a hovered captioned bar.
    void update() override;
    // Track, dragger, and for a captioned bar the caption and the value.
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return track.getAlpha(); }
    void setAlpha(uint8_t alpha) override;

private:
    float trackLength() const { return vertical ? size.y : size.x; }
    void layOut();
    std::string hintText_;
};

} // namespace kv
