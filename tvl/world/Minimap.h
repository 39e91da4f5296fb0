#pragma once
// The map view's picture, painted once per map load from the tiles' minimap colours. The HUD
// makes its texture from minimapImage (when minimapImageChanged) and draws the markers.
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>

namespace tvl {

struct MinimapLayout {
    sf::Vector2u size;          // pixels
    sf::Vector2f pixelsPerTile; // per axis
};

// One pixel per tile when the view holds the whole map at 16 pixels a tile; otherwise the map
// scaled to fit the view with its proportions kept, truncated. Zero for an empty map.
MinimapLayout minimapLayoutFor(int mapWidthTiles, int mapHeightTiles, sf::Vector2f viewSize);

extern sf::Image minimapImage;
extern MinimapLayout minimapLayout;
extern bool minimapImageChanged;

// Sizes and paints minimapImage for the loaded map and the current view (the map's own
// size in world pixels when no window is up). Each pixel takes the minimap colour of its
// tile; a tile index outside 0..1023 uses entry 0.
void buildMinimap();

} // namespace tvl
