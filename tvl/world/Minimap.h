#pragma once
// The map view: a picture of the whole map, painted once per map load from the tiles' minimap
// colours, with markers for the token, the pickups and the players drawn over it each frame.
// The picture is made without a window (the content tool paints previews with it); the
// texture is made from it when the map view is first drawn after a change.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

class HudBatch;

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

// Sizes minimapImage for the loaded map and the current view (the map's own size in world
// pixels when no window is up), then paints it. A map without tiles gives an empty picture
// and a warning.
void buildMinimap();
// Paints minimapImage at minimapLayout's size: each pixel takes the minimap colour of its
// tile; a tile index outside 0..1023 uses entry 0.
void paintMinimap();

// One mark on the map view, in world pixels. 28 bytes.
struct MinimapMarker {
    int32_t kind = 0; // 0 rectangle, 1 circle
    sf::Color colour; // alpha always 255
    float angle = 0;  // radians
    float x = 0, y = 0;
    float width = 0, height = 0;
};
// Added every frame by the game; emptied at the start of each tick's key handling.
extern std::vector<MinimapMarker> minimapMarkers;

// Appends a marker; colour is (r, g, b).
void addMinimapMarker(int kind, const sf::Vector2f* position, const sf::Vector2f* size,
                      const float* angle, const uint8_t* colour);

// Where a marker sits on a map view drawn at mapPosition: its centre, and its size (at least
// one pixel on each axis).
struct MinimapMarkerPlace {
    sf::Vector2f centre;
    sf::Vector2f size;
};
MinimapMarkerPlace minimapMarkerPlace(const MinimapMarker& marker, sf::Vector2f mapPosition,
                                      sf::Vector2f pixelsPerTile);

// The picture at position (top-left, view pixels), the markers over it, an outline around it
// and the world view's visible area, added to batch for the HUD's layerUI. Needs the window.
void drawMinimap(sf::Vector2f position, HudBatch& batch);

} // namespace tvl
