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
#include <vector>

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
// What area holds, as buildTerrainVertices would report it, without the triangles.
TerrainContent terrainContent(const sf::FloatRect& area);
// Appends the triangles of the one tile at (column, row) of area, as buildTerrainVertices does.
void appendTerrainCell(const sf::FloatRect& area, int column, int row, sf::VertexArray& ground,
                       sf::VertexArray& shine);

// The cache textures in cells of one tile, (0, 0) at the area's top-left: a cell is drawn
// (its pixels are what a whole rebuild of the area draws there) or pending (still transparent).
// A move keeps what stays cached and leaves the rest pending, drawn a few cells a frame.
struct TerrainCells {
    unsigned columns = 0, rows = 0;
    std::vector<uint8_t> drawn; // columns x rows, row by row
    size_t pending = 0;
};

// The cells covering a texture of that size; all of them drawn or all pending.
void resetTerrainCells(TerrainCells& cells, sf::Vector2u textureSize, bool drawn);
// The area moved by shift cells: the new cell (c, r) is the old (c + shift.x, r + shift.y),
// pending where that lies outside. spare (any size) is swapped in as the new map.
void moveTerrainCells(TerrainCells& cells, std::vector<uint8_t>& spare, sf::Vector2i shift);
// Marks drawn, and lists in picked (cleared first) as row x columns + column, every pending cell
// of need (cells, clipped to the grid), then up to budget more, nearest to need first.
void pickTerrainCells(TerrainCells& cells, const sf::IntRect& need, size_t budget, std::vector<uint32_t>& picked);

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
    // The colours, the shine and a spare of the same size, created by the first resize (never
    // before the window exists): a move copies what stays cached into the spare, which then
    // takes that texture's place.
    sf::RenderTexture* colourTexture = nullptr;
    sf::RenderTexture* shineTexture = nullptr;
    sf::RenderTexture* spareTexture = nullptr;
    bool texturesOk = false;
    TerrainCells cells;
    sf::VertexArray groundVertices{sf::Triangles};
    sf::VertexArray shineVertices{sf::Triangles};
    sf::RenderStates groundStates;  // the tile set texture
    sf::RenderStates terrainStates; // colourTexture through the Terrain program
    bool hasWater = false;
    bool hasAcid = false;
    bool hasConveyors = false;
    bool rebuildPending = false;

    // Sizes the textures to terrainTextureSize(size) per axis (smooth, cleared) and asks for
    // a rebuild. False, and nothing changed, for a zero size or a size above the GL limit;
    // false too when a texture could not be created.
    bool resize(sf::Vector2u size);
    // Re-renders all the tiles around centre (world pixels) at once. Nothing until the
    // textures exist.
    void rebuild(const sf::Vector2f& centre);
    // Rebuilds whole when asked to; moves the area around the view's centre when the world
    // rectangle (scroll, viewSize / worldRenderScale) is no longer strictly inside it (viewSize
    // in world-texture pixels); then draws the pending cells that rectangle shows and a few more.
    void update(const sf::Vector2f& scroll, const sf::Vector2f& viewSize, float worldRenderScale);
    // Keeps the cache around (scroll, viewSize / worldRenderScale) and draws the visible part
    // at position, viewSize large (world-texture pixels), through the Terrain program.
    void draw(const sf::Vector2f& scroll, const sf::Vector2f& position, const sf::Vector2f& viewSize,
              float worldRenderScale);
    bool ready() const { return texturesOk; }

private:
    // The area around centre, keeping the cells that stay in it (neither the tiles nor the tile
    // set change during a game, and a new map comes with a resize). Without the GL's image copy, a
    // whole rebuild.
    void move(const sf::Vector2f& centre);
    // The pending cells of need, then up to more of the others.
    void drawCells(const sf::IntRect& need, size_t more);

    kv::LazyObject<sf::RenderTexture> textures_[3];
    std::vector<uint8_t> spareCells_;
    std::vector<uint32_t> pickedCells_;
};

// The per-frame terrain pass into the world texture (called by drawWorld while redirected).
void drawTerrain();

} // namespace tvl
