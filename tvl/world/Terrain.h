#pragma once
// The terrain pass: the map's ground pre-rendered around the view into a cache (tile colours
// and tile shine), and each frame water, acid and conveyors laid under it, the plants drawn
// around it, and the result mapped into the world texture. Tiles are 16 world pixels square.
#include "graphics/Shaders.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>

#include "core/LazyObject.h"

#include <cstdint>

namespace tvl {

// The cache texture edge for a requested half size: the smallest power of two not below
// 2 x size; 0 for 0 (refused by resize).
unsigned terrainTextureSize(unsigned size);

// The half size the cache is asked for by a world texture of pixelSize at render scale
// scale: half the visible world, never less than half the pixel size (scales below 1 show
// more world than there are pixels).
sf::Vector2u terrainCacheRequest(sf::Vector2u pixelSize, float scale);

// The cached area around centre: (centre - halfSize) rounded down to a multiple of 16 on
// each axis, 2 x halfSize large.
sf::FloatRect terrainAreaAround(const sf::Vector2f& centre, sf::Vector2u halfSize);

// Whether the cache must be rebuilt before showing the world rectangle (scroll, viewSize):
// when forced, or unless that rectangle lies strictly inside area.
bool terrainNeedsRebuild(const sf::FloatRect& area, const sf::Vector2f& scroll, const sf::Vector2f& viewSize,
                         bool rebuildPending);

// The tile index at map cell (column, row): 0 outside the map and for the empty value 65535.
uint32_t terrainTileAt(int column, int row);
// The tile's kind; 0 for an index outside the tile set.
uint8_t terrainTileKind(uint32_t tile);

struct TerrainContent {
    bool hasWater = false;
    bool hasAcid = false;
    bool hasConveyors = false;
};

// The cache's triangles for area (which starts on a tile boundary), placed relative to the
// area's top-left corner: two textured triangles per ground tile (kinds 0, 2 and 4, never a
// conveyor) in ground and the same two in shine, red = material shine x 255 (shine clamped to
// 0..1). Reads mapTiles and the tile tables; no GL. Returns what the area holds.
TerrainContent buildTerrainVertices(const sf::FloatRect& area, sf::VertexArray& ground, sf::VertexArray& shine);

// Conveyors scroll 90 texels a second; the offset wraps below 16.
float advanceConveyorOffset(float offset, float dt);
// The first texture coordinate of a conveyor tile of that direction (ConveyorUp..Right) at
// offset; (0, 0) for any other value.
sf::Vector2f conveyorTextureStart(uint32_t special, float offset);
// The first acid texture coordinate of the tile at map cell (column, row): the tile's world
// pixel modulo the acid texture's size ((0, 0) for an empty texture).
sf::Vector2f acidTextureStart(int column, int row, sf::Vector2u acidSize);

class TerrainCache {
public:
    sf::Vector2u halfSize{0, 0};
    sf::FloatRect area;
    // Created by the first resize (never before the window exists).
    kv::LazyObject<sf::RenderTexture> colourTexture;
    kv::LazyObject<sf::RenderTexture> shineTexture;
    bool colourTextureOk = false;
    bool shineTextureOk = false;
    sf::VertexArray groundVertices{sf::Triangles};
    sf::VertexArray shineVertices{sf::Triangles};
    sf::RenderStates groundStates;  // the tile set texture
    sf::RenderStates terrainStates; // colourTexture through the Terrain program
    bool hasWater = false;
    bool hasAcid = false;
    bool hasConveyors = false;
    bool rebuildPending = false;

    // Sizes both textures to terrainTextureSize(size) per axis (smooth, cleared) and asks for
    // a rebuild. False, and nothing changed, for a zero size or a size above the GL limit;
    // false too when a texture could not be created.
    bool resize(sf::Vector2u size);
    // Re-renders the tiles around centre (world pixels). Nothing until both textures exist.
    void rebuild(const sf::Vector2f& centre);
    // Rebuilds when asked to or when the world rectangle (scroll, viewSize / worldRenderScale)
    // is no longer strictly inside the area (viewSize in world-texture pixels).
    void update(const sf::Vector2f& scroll, const sf::Vector2f& viewSize, float worldRenderScale);
    // Keeps the cache around (scroll, viewSize / worldRenderScale) and draws the visible part
    // at position, viewSize large (world-texture pixels), through the Terrain program.
    void draw(const sf::Vector2f& scroll, const sf::Vector2f& position, const sf::Vector2f& viewSize,
              float worldRenderScale);
    bool ready() const { return colourTextureOk && shineTextureOk; }
};

// The per-frame terrain pass into the world texture (called by drawWorld while redirected).
void drawTerrain();

} // namespace tvl
