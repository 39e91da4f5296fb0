#include "ui/Scrollbar.h"

#include "core/FrameUpdate.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/Text.h"
#include "ui/Hints.h"

#include <algorithm>
#include <cmath>

namespace kv {

void Scrollbar::create(const std::string& captionText, const sf::Vector2f& at, const sf::Vector2f& extent,
                       uint32_t maximumValue, bool isVertical, uint32_t draggerLengthWanted,
                       uint32_t* boundValue, uint32_t page)
{
    destroy();
    minimum = 0;
    maximum = maximumValue;
    vertical = isVertical;
    value = boundValue;
    pageSize = page;
    position = at;
    size = extent;
    name = makeAutoName();
    draggerLengthSetting = draggerLengthWanted;
    if (draggerLengthSetting != proportionalDragger && static_cast<float>(draggerLengthSetting) >= trackLength())
        draggerLengthSetting = oversizedDraggerLength;
    track.create(at, extent, theme.clScrollBorderLight, theme.clScrollBorderDark, theme.clScrollBack);
    dragger.create(at, extent, theme.clScrollDraggerBorderLight, theme.clScrollDraggerBorderDark, theme.clScrollDraggerBack);
    hasCaption = !captionText.empty();
    hintText_ = "Click to adjust " + captionText;
    caption.create(at, theme.clFormText, captionText, *standardFont, componentTextSize);
    valueLabel.create(at, theme.clFormText, "", *standardFont, componentTextSize);
    layOut();
}

void Scrollbar::destroy()
{
    value = nullptr;
    dragging = false;
}

void Scrollbar::updateDragger()
{
    if (!value)
        return;
    lastShownValue = *value;
    const float length = trackLength();
    if (draggerLengthSetting != proportionalDragger) {
        draggerLength = static_cast<float>(draggerLengthSetting);
    } else if (pageSize != noPageSize) {
        const uint32_t span = maximum - minimum + 1;
        const float page = static_cast<float>(pageSize) / static_cast<float>(span == 0 ? 1 : span);
        draggerLength = std::min(page, 1.0f) * length;
    } else {
        draggerLength = 0; // nothing to be proportional to: the shortest dragger
    }
    draggerLength = std::max(draggerLength, minDraggerLength);

    const float shown = static_cast<float>(std::min(lastShownValue, maximum));
    const float offset = maximum == 0 ? 0 : (length - draggerLength) * shown / static_cast<float>(maximum);
    if (vertical)
        dragger.setBounds({position.x, position.y + offset}, {size.x, draggerLength});
    else
        dragger.setBounds({position.x + offset, position.y}, {draggerLength, size.y});

    if (hasCaption) {
        const std::string text = std::to_string(lastShownValue);
        valueLabel.setText(text);
        valueLabel.setPosition({position.x + size.x - textWidth(*standardFont, componentTextSize, text),
                                position.y + size.y + 2});
    }
}

uint32_t Scrollbar::valueAt(int pointer) const
{
    const float room = trackLength() - draggerLength;
    if (!value || !(room > 0))
        return value ? *value : minimum;
    const float trackStart = vertical ? position.y : position.x;
    const double p = static_cast<double>(pointer) - trackStart - draggerLength * 0.5;
    const double wanted = std::trunc(static_cast<double>(maximum) * (p * 100 / room) / 100);
    return static_cast<uint32_t>(std::clamp(wanted, static_cast<double>(minimum), static_cast<double>(maximum)));
}

void Scrollbar::update()
{
    if (!pollerTicked || maximum < 1 || !value)
        return;
    if (*value != lastShownValue)
        updateDragger();

    const bool over = Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y);
    if (Mouse::getButtons() == Mouse::leftButton) {
        if (!dragging && !mouseCaptured && over) {
            mouseCaptured = true;
            dragging = true;
        }
    } else {
        dragging = false;
    }

    const sf::Vector2i pointer = Mouse::pointerInView();
    if (!dragging) {
        if (hasCaption && over) {
            const sf::Vector2f at(static_cast<float>(pointer.x) + 10, position.y + size.y + 10);
            addHint(name, 0, &at, &theme.clHintText, &theme.clHintBack, hintText_);
        }
        return;
    }
    *value = valueAt(vertical ? pointer.y : pointer.x);
    updateDragger();
}

void Scrollbar::draw()
{
    track.draw();
    dragger.draw();
    if (hasCaption) {
        caption.draw();
        valueLabel.draw();
    }
    drawDebugBounds();
}

void Scrollbar::setPosition(const sf::Vector2f& p)
{
    position = p;
    layOut();
}

void Scrollbar::setSize(const sf::Vector2f& s)
{
    size = s;
    layOut();
}

void Scrollbar::layOut()
{
    track.setBounds(position, size);
    updateDragger();
    caption.setPosition({position.x, position.y + size.y + 2});
}

void Scrollbar::setAlpha(uint8_t alpha)
{
    track.setAlpha(alpha);
    dragger.setAlpha(alpha);
    caption.setAlpha(alpha);
    valueLabel.setAlpha(alpha);
}

} // namespace kv
