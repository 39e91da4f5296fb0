#pragma once
// The HUD drawn over the game once a frame, in view pixels on layerUI: the map view when open,
// the scoreboard, the local player's effect bars, the nitro bar, the held items, the marker
// toward the token and the heading. Where each part goes is worked out by the plain functions
// below, so the layout can be checked without a window.
#include "world/Items.h"
#include "world/Minimap.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <span>
#include <string>

namespace tvl {

// The fonts' measures the layout depends on.
struct HudMetrics {
    float lineSpacing18 = 0;   // standard font at 18
    float lineSpacing16 = 0;   // osdFont at 16
    float nitroTextWidth = 0;  // "Nitro", standard font at 18
    float headingBoxWidth = 0; // "0000", osdFont at 16
    sf::Vector2f shipImageSize;
    float hintTextWidth = 0;   // the widest render-scale hint, "Scale: 1.5x (Default)"
    float hintShadow = 0;      // how far a hint's shadow falls right and down
    float fpsTextWidth = 0;    // the frame-rate text's room (kv::fpsTextWidth)
    float fpsLineSpacing = 0;  // and its line (kv::fpsLineSpacing)
};

// Where the fixed HUD parts sit on a view of the given size.
struct HudLayout {
    sf::FloatRect nitroBar;
    sf::Vector2f nitroLabel; // top left
    sf::FloatRect nitroLabelBox;
    sf::FloatRect headingBox;
    float iconScale = 0;     // the ship icon's, so that its larger side is one line + 1
    sf::FloatRect tokenBar;  // of the first scoreboard row
    float rowStep = 0;       // from one scoreboard row to the next
    float itemColumnTop = 0; // where the held items start, under the "Nitro" label
    sf::Vector2f effectBarSize;
    sf::FloatRect fpsBox;    // the frame-rate text with its background, when shown
};
HudLayout hudLayoutFor(sf::Vector2f view, const HudMetrics& metrics);

// One scoreboard row (0 the first) with a text textWidth wide: the ship icon, the token bar and
// the text to their right.
struct ScoreRow {
    sf::FloatRect icon, bar, text;
};
ScoreRow scoreRowFor(const HudLayout& layout, const HudMetrics& metrics, int row, float textWidth);
// The whole row, from the icon to the text's end.
sf::FloatRect scoreRowBox(const ScoreRow& row);

// The render-scale hint's top left: under the scoreboard's rows, and never above (50, 50).
sf::Vector2f renderScaleHintPosition(const HudLayout& layout, const HudMetrics& metrics, int rows);
// What a render-scale hint placed at position covers: its box with the outline and the shadow.
sf::FloatRect renderScaleHintBox(sf::Vector2f position, const HudMetrics& metrics, sf::Vector2f view);

// The effect timers in the order their bars stack, each with its icon and full time.
struct EffectTimer {
    ItemType icon;
    float maximum;
};
constexpr int effectTimerCount = 6;
// bombStun, pulseHit, missileHit, dronePulseHit, empTimer, timeWarpTimer.
extern const EffectTimer effectTimers[effectTimerCount];

struct EffectBarSlot {
    ItemType icon;
    float value;
    float maximum;
    float centreY;
};
// The bars of the running timers (values in effectTimers' order): the first centred at
// viewHeight - 60, each next one 60 higher. Returns how many were written to out.
int effectBarsFor(const float timers[effectTimerCount], float viewHeight, EffectBarSlot out[effectTimerCount]);
// Where one effect's bar and its icon go for drawEffectBar's centre: the middle of the two across,
// and the bar's top.
struct EffectBarBoxes {
    sf::FloatRect bar, icon;
};
EffectBarBoxes effectBarBoxes(const HudLayout& layout, sf::Vector2f centre);
// The largest an effect's icon is drawn: bars stack 60 apart, and this leaves a gap between them.
constexpr float effectIconSize = 56;

struct ItemSlot {
    ItemType type;
    sf::Vector2f centre;
    float scale; // 1 for the current item, 0.5 for the others
};
// The column of held items down the right edge from top, in type order, the current one full
// size: nothing unless the current item (0..6) is held at least once. imageSizes are the items'
// pictures in pixels. Returns how many were written to out.
int itemColumnFor(const int counts[itemTypeCount], int currentItem, const sf::Vector2f imageSizes[itemTypeCount],
                  float viewWidth, float top, ItemSlot out[itemTypeCount]);
// The box around count slots of the column and the current item's name (nameWidth wide, one
// line high, 6 left of its picture); empty for no slots.
sf::FloatRect itemColumnBox(const ItemSlot slots[], int count, const sf::Vector2f imageSizes[itemTypeCount],
                            float nameWidth, float lineSpacing18);

// Room left between the target arrow or its texts and the other parts of the HUD.
constexpr float hudClearGap = 4;

// Where the off-screen target arrow rests: from start (clamped into the view by half the arrow's
// size) along bearingDegrees (0 up, clockwise) to the first edge of the view less half the arrow.
// An arrow that would come within hudClearGap of a box of keepClear (the other HUD parts) takes
// the nearest place clear of them along its edge or back along its way toward start; where
// neither has one, the nearest straight in from the edge. A start or bearing that is not finite
// gives the view's centre.
sf::Vector2f targetArrowPoint(sf::Vector2f start, float bearingDegrees, sf::Vector2f halfArrow,
                              sf::Vector2f view, std::span<const sf::FloatRect> keepClear = {});

// The world view as the target marker sees it.
struct TargetView {
    sf::Vector2f scroll;
    float renderScale = 1;
    sf::Vector2u pixelSize;
    sf::FloatRect screenRect;
    sf::Vector2f viewSize;
};
struct TargetMarker {
    bool shown = false;
    bool inside = false;   // on screen: the marker sprite; else the edge arrow
    sf::Vector2f spot;     // the sprite's centre, view pixels
    int distance = 0;      // metres, 16 world pixels each
    int bearing = 0;       // whole degrees from the player, 0 up, clockwise, 0..359
};
// The marker toward target for a player at player: the sprite on the target while it lies inside
// the visible world less 5 % of the view on each side, else the arrow at the view's edge. Not
// shown for a target inside while the map view is open, nor when either point is not finite.
// The arrow keeps clear of keepClear as targetArrowPoint says.
TargetMarker targetMarkerFor(sf::Vector2f target, sf::Vector2f player, const TargetView& view, bool mapViewOpen,
                             sf::Vector2f halfArrow, std::span<const sf::FloatRect> keepClear = {});
// The two lines of the marker's texts take 2.25 line spacings down from their anchor.
constexpr float targetTextLines = 2.25f;
// Where the marker's texts hang (the top middle of the label): under the sprite inside; outside,
// the arrow's place kept clear of the view's edges and beside the arrow at a side edge. Texts
// that would come within hudClearGap of the arrow or of a box of keepClear move the shortest way,
// across or up and down, to where they are clear of all and inside the view. widerText is the
// wider of the two texts.
sf::Vector2f targetTextAnchor(const TargetMarker& marker, float widerText, sf::Vector2f arrowSize,
                              float lineSpacing16, sf::Vector2f view, std::span<const sf::FloatRect> keepClear = {});
// The box of the marker's texts hanging from anchor.
sf::FloatRect targetTextBox(sf::Vector2f anchor, float widerText, float lineSpacing16);

// The measures of the framework's fonts and the game's pictures that the layout takes. Needs the
// fonts (and a GL context for the texts' widths).
HudMetrics measureHudMetrics();
// Builds and places the HUD's parts for the current view and game; at the game's set-up and
// after a display-mode change. Needs the window.
void layoutHud();
// Where the render-scale hint goes in the game in progress: renderScaleHintPosition for its
// players, or (50, 50) before the HUD is laid out.
sf::Vector2f renderScaleHintPlace();
// Once per frame over the world.
void drawHud();
// One effect's timer bar with its item icon to the left, centred on centre.
void drawEffectBar(ItemType icon, const sf::Vector2f* centre, float value, float maximum);
// The marker toward a world point, with its label above the distance.
void drawTargetMarker(sf::Vector2f target, const std::string& label);

} // namespace tvl
