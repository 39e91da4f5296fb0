#include "world/Hud.h"

#include <SFML/System/Vector2.hpp>

namespace tvl {

std::vector<MinimapMarker> minimapMarkers;

void addMinimapMarker(int kind, const sf::Vector2f* position, const sf::Vector2f* size,
                      const float* angle, const uint8_t* colour)
{
    MinimapMarker marker;
    marker.kind = kind;
    marker.colour = sf::Color(colour[0], colour[1], colour[2], 255);
    marker.angle = *angle;
    marker.x = position->x;
    marker.y = position->y;
    marker.width = size->x;
    marker.height = size->y;
    minimapMarkers.push_back(marker);
}

// The HUD's panels are not built yet: the markers are collected, nothing is drawn.
void layoutHud() {}
void drawHud() {}

} // namespace tvl
