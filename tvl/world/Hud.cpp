#include "world/Hud.h"

#include <SFML/System/Vector2.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

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

HudLayout hudLayoutFor(sf::Vector2f view, float lineSpacing18, float nitroTextWidth,
                       float lineSpacing16, float headingBoxWidth)
{
    HudLayout l;
    float barWidth = view.x * 0.15f;
    l.nitroBar = sf::FloatRect(view.x - barWidth - 10, 10, barWidth, lineSpacing18 - 2);
    l.nitroLabel = sf::Vector2f(l.nitroBar.left + barWidth - nitroTextWidth,
                                l.nitroBar.top + lineSpacing18 + 2);
    l.headingBox = sf::FloatRect((view.x - headingBoxWidth) / 2, 15, headingBoxWidth, lineSpacing16);
    return l;
}

// The distance to the first edge is solved per axis, so a long way costs no more than a short one.
sf::Vector2f targetArrowPoint(sf::Vector2f start, float bearingDegrees, sf::Vector2f half,
                              sf::Vector2f view)
{
    const float minX = half.x, maxX = view.x - half.x - 1;
    const float minY = half.y, maxY = view.y - half.y - 1;
    sf::Vector2f p(std::clamp(start.x, minX, std::max(minX, maxX)),
                   std::clamp(start.y, minY, std::max(minY, maxY)));
    const float radians = bearingDegrees * 3.14159265f / 180.0f;
    const sf::Vector2f d(std::sin(radians), -std::cos(radians));
    float t = std::numeric_limits<float>::max();
    if (d.x > 1e-6f) t = std::min(t, (maxX - p.x) / d.x);
    if (d.x < -1e-6f) t = std::min(t, (minX - p.x) / d.x);
    if (d.y > 1e-6f) t = std::min(t, (maxY - p.y) / d.y);
    if (d.y < -1e-6f) t = std::min(t, (minY - p.y) / d.y);
    t = std::max(0.0f, t);
    return p + d * t;
}

// The HUD's panels are not built yet: the markers are collected, nothing is drawn.
void layoutHud() {}
void drawHud() {}

} // namespace tvl
