#pragma once
// The HUD drawn over the game, the map view and the minimap's markers.
#include <SFML/Graphics/Color.hpp>
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

// Places the HUD's parts for the current view; at the game's set-up.
void layoutHud();
// Once per frame over the world.
void drawHud();

} // namespace tvl
