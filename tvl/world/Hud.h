#pragma once
// The HUD drawn over the game, the map view and the minimap's markers.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

// One mark on the minimap, in world pixels.
struct MinimapMarker {
    int32_t kind = 0; // 0 rectangle, 1 circle
    sf::Color colour; // alpha always 255
    float angle = 0;  // radians
    float x = 0, y = 0;
    float width = 0, height = 0;
};
// Added every frame by the game; emptied at the start of each tick's key handling.
extern std::vector<MinimapMarker> minimapMarkers;

void addMinimapMarker(int kind, const sf::Vector2f* position, const sf::Vector2f* size,
                      const float* angle, const uint8_t* colour);

// Where the fixed HUD parts sit on a view of the given size. lineSpacing18 and lineSpacing16 are
// the fonts' line spacings; the widths are of "Nitro" at 18 and of "0000" at 16.
struct HudLayout {
    sf::FloatRect nitroBar;
    sf::Vector2f nitroLabel; // top left
    sf::FloatRect headingBox;
};
HudLayout hudLayoutFor(sf::Vector2f view, float lineSpacing18, float nitroTextWidth,
                       float lineSpacing16, float headingBoxWidth);

// Where the off-screen target arrow rests: from start (clamped into the view by half the arrow's
// size) along bearingDegrees (0 up, clockwise) to the first edge of the view less half the arrow.
sf::Vector2f targetArrowPoint(sf::Vector2f start, float bearingDegrees, sf::Vector2f halfArrow,
                              sf::Vector2f view);

// Places the HUD's parts for the current view; at the game's set-up.
void layoutHud();
// Once per frame over the world.
void drawHud();

} // namespace tvl
