#pragma once
// A HUD frame told by what it shows, measured as the runtime tree's fonts and pictures measure
// (the HUD display test checks these numbers against the real ones), and every box the HUD
// draws for it, each with a name.
#include "world/Hud.h"

#include <SFML/Graphics/Rect.hpp>

#include <string>
#include <vector>

namespace hudtest {

// Roboto at 18 and 24, the OSD font at 16, the theme's hint shadow, the 32 x 48 ship.
inline tvl::HudMetrics realMetrics()
{
    tvl::HudMetrics m;
    m.lineSpacing18 = 21;
    m.lineSpacing16 = 19;
    m.nitroTextWidth = 39;
    m.headingBoxWidth = 38;
    m.shipImageSize = {32, 48};
    m.hintTextWidth = 159; // "Scale: 1.5x (Default)"
    m.hintShadow = 8;
    m.fpsTextWidth = 102; // eight digits at 24
    m.fpsLineSpacing = 28;
    return m;
}

// The texts' widths in those fonts.
struct TextWidths {
    float player = 104;     // "Player: 24/25", standard font at 18
    float computer = 135;   // "Computer: 25/25"
    float computer3 = 149;  // "Computer 3: 25/25"
    float gun = 30;         // "Gun"
    float targetTexts = 127; // "1234M BRG 359", the OSD font at 16
};
inline const TextWidths textWidths;

// The item pictures (Missile is narrow) and the target arrow.
inline const sf::Vector2f itemSizes[tvl::itemTypeCount] = {{64, 64}, {24, 64}, {64, 64}, {64, 64},
                                                           {64, 64}, {64, 64}, {64, 64}};
inline const sf::Vector2f arrowSize(64, 64);

struct Scene {
    sf::Vector2f view;
    tvl::HudMetrics metrics = realMetrics();
    std::vector<float> rowTexts; // the scoreboard rows' text widths, top down
    int itemCounts[tvl::itemTypeCount] = {};
    int currentItem = 0;
    float itemNameWidth = 0;
    float timers[tvl::effectTimerCount] = {};
    bool hint = false; // the render-scale hint showing
    bool fps = false;  // the frame rate showing
};

struct NamedBox {
    std::string name;
    sf::FloatRect box;
};

inline sf::FloatRect around(sf::Vector2f centre, sf::Vector2f size)
{
    return {centre.x - size.x / 2, centre.y - size.y / 2, size.x, size.y};
}

// Every part but the target marker, one box each, as drawHud places them; and keepClear, the
// boxes drawHud hands the marker.
inline std::vector<NamedBox> fixedParts(const Scene& s, std::vector<sf::FloatRect>& keepClear)
{
    using namespace tvl;
    const HudMetrics& m = s.metrics;
    const HudLayout l = hudLayoutFor(s.view, m);
    std::vector<NamedBox> parts;
    keepClear.clear();
    for (size_t i = 0; i < s.rowTexts.size(); i++) {
        const ScoreRow row = scoreRowFor(l, m, int(i), s.rowTexts[i]);
        const std::string n = std::to_string(i);
        parts.push_back({"icon " + n, row.icon});
        parts.push_back({"token bar " + n, row.bar});
        parts.push_back({"score " + n, row.text});
        keepClear.push_back(scoreRowBox(row));
    }
    EffectBarSlot bars[effectTimerCount];
    const int effects = effectBarsFor(s.timers, s.view.y, bars);
    for (int i = 0; i < effects; i++) {
        const EffectBarBoxes boxes = effectBarBoxes(l, {s.view.x / 2, bars[i].centreY});
        parts.push_back({"effect bar " + std::to_string(i), boxes.bar});
        parts.push_back({"effect icon " + std::to_string(i), boxes.icon});
        keepClear.push_back(boxes.bar);
        keepClear.push_back(boxes.icon);
    }
    parts.push_back({"nitro bar", l.nitroBar});
    parts.push_back({"nitro label", l.nitroLabelBox});
    keepClear.push_back(l.nitroBar);
    keepClear.push_back(l.nitroLabelBox);
    ItemSlot slots[itemTypeCount];
    const int items = itemColumnFor(s.itemCounts, s.currentItem, itemSizes, s.view.x, l.itemColumnTop, slots);
    for (int i = 0; i < items; i++) {
        const sf::Vector2f size = itemSizes[slots[i].type] * slots[i].scale;
        parts.push_back({"item " + std::to_string(i), around(slots[i].centre, size)});
        if (slots[i].scale == 1.0f)
            parts.push_back({"item name", {slots[i].centre.x - size.x / 2 - 6 - s.itemNameWidth,
                                           slots[i].centre.y - m.lineSpacing18 / 2, s.itemNameWidth, m.lineSpacing18}});
    }
    keepClear.push_back(itemColumnBox(slots, items, itemSizes, s.itemNameWidth, m.lineSpacing18));
    parts.push_back({"heading", l.headingBox});
    keepClear.push_back(l.headingBox);
    if (s.hint) {
        const sf::Vector2f at = renderScaleHintPosition(l, m, int(s.rowTexts.size()));
        parts.push_back({"render-scale hint", renderScaleHintBox(at, m, s.view)});
        keepClear.push_back(parts.back().box);
    }
    if (s.fps) {
        parts.push_back({"frame rate", l.fpsBox});
        keepClear.push_back(l.fpsBox);
    }
    return parts;
}

} // namespace hudtest
