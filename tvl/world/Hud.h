#pragma once
// The HUD drawn over the game once a frame, in view pixels on layerUI: the map view when open,
// the scoreboard, the local player's effect bars, the nitro bar, the held items, the marker
// toward the token and the heading. Where each part goes is worked out by the plain functions
// below, so the layout can be checked without a window.
#include "world/Items.h"
#include "world/Minimap.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

namespace tvl {

// The fonts' measures the layout depends on.
struct HudMetrics {
    float lineSpacing18 = 0;   // standard font at 18
    float lineSpacing16 = 0;   // osdFont at 16
    float nitroTextWidth = 0;  // "Nitro", standard font at 18
    float headingBoxWidth = 0; // "0000", osdFont at 16
    sf::Vector2f shipImageSize;
};

// Where the fixed HUD parts sit on a view of the given size.
struct HudLayout {
    sf::FloatRect nitroBar;
    sf::Vector2f nitroLabel; // top left
    sf::FloatRect headingBox;
    float iconScale = 0;     // the ship icon's, so that its larger side is one line + 1
    sf::FloatRect tokenBar;  // of the first scoreboard row
    float rowStep = 0;       // from one scoreboard row to the next
    float itemColumnTop = 0; // where the held items start, under the "Nitro" label
    sf::Vector2f effectBarSize;
};
HudLayout hudLayoutFor(sf::Vector2f view, const HudMetrics& metrics);

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

// Where the off-screen target arrow rests: from start (clamped into the view by half the arrow's
// size) along bearingDegrees (0 up, clockwise) to the first edge of the view less half the arrow.
// An arrow that would touch keepClear (the item column, against the right edge) slides along its
// edge to the nearer end of it, or beside it on the left where neither end has room.
// A start or bearing that is not finite gives the view's centre.
sf::Vector2f targetArrowPoint(sf::Vector2f start, float bearingDegrees, sf::Vector2f halfArrow,
                              sf::Vector2f view, const sf::FloatRect& keepClear = {});

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
                             sf::Vector2f halfArrow, const sf::FloatRect& keepClear = {});
// The two lines of the marker's texts take 2.25 line spacings down from their anchor.
constexpr float targetTextLines = 2.25f;
// Where the marker's texts hang (the top middle of the label): under the sprite inside; outside,
// the arrow's place kept clear of the view's edges, beside the arrow at a side edge, and left of
// keepClear where their lines meet it. widerText is the wider of the two texts.
sf::Vector2f targetTextAnchor(const TargetMarker& marker, float widerText, float arrowWidth, float lineSpacing16,
                              sf::Vector2f view, const sf::FloatRect& keepClear = {});

// Builds and places the HUD's parts for the current view and game; at the game's set-up and
// after a display-mode change. Needs the window.
void layoutHud();
// Once per frame over the world.
void drawHud();
// One effect's timer bar with its item icon to the left, centred on centre.
void drawEffectBar(ItemType icon, const sf::Vector2f* centre, float value, float maximum);
// The marker toward a world point, with its label above the distance.
void drawTargetMarker(sf::Vector2f target, const std::string& label);

} // namespace tvl
