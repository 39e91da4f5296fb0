#include "world/Terrain.h"

#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "graphics/RenderLayers.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"
#include "world/Map.h"
#include "world/ShaderParams.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tvl {

namespace {

// Kept beyond the view on each side before the cache counts as left, in world pixels: without
// it a view exactly as wide as the cache would rebuild every frame.
constexpr unsigned cacheMargin = 32;

constexpr uint16_t emptyTile = 65535;

float floorTo16(float value) { return std::floor(value / 16.0f) * 16.0f; }

void appendTile(sf::VertexArray& array, float x, float y, const sf::Color& colour, const sf::IntRect* rect)
{
    const float u = rect ? static_cast<float>(rect->left) : 0.0f, v = rect ? static_cast<float>(rect->top) : 0.0f;
    const sf::Vertex corners[4] = {
        {{x, y}, colour, {u, v}},
        {{x + 16, y}, colour, {u + 16, v}},
        {{x + 16, y + 16}, colour, {u + 16, v + 16}},
        {{x, y + 16}, colour, {u, v + 16}},
    };
    array.append(corners[0]);
    array.append(corners[1]);
    array.append(corners[2]);
    array.append(corners[0]);
    array.append(corners[2]);
    array.append(corners[3]);
}

void appendQuad(kv::VertexArray& quads, const sf::FloatRect& at, const sf::FloatRect& uv)
{
    quads.append(sf::Vertex({at.left, at.top}, {uv.left, uv.top}));
    quads.append(sf::Vertex({at.left + at.width, at.top}, {uv.left + uv.width, uv.top}));
    quads.append(sf::Vertex({at.left + at.width, at.top + at.height}, {uv.left + uv.width, uv.top + uv.height}));
    quads.append(sf::Vertex({at.left, at.top + at.height}, {uv.left, uv.top + uv.height}));
}

} // namespace

unsigned terrainTextureSize(unsigned size)
{
    if (size == 0 || size > 0x40000000u)
        return 0;
    unsigned p = 2 * size - 1;
    p |= p >> 1;
    p |= p >> 2;
    p |= p >> 4;
    p |= p >> 8;
    p |= p >> 16;
    return p + 1;
}

sf::Vector2u terrainCacheRequest(sf::Vector2u pixelSize, float scale)
{
    const float factor = std::max(1.0f, 1.0f / clampRenderScale(scale));
    const auto half = [&](unsigned pixels) {
        return static_cast<unsigned>(std::ceil(static_cast<float>(pixels) * factor + 2 * cacheMargin)) / 2;
    };
    return sf::Vector2u(half(pixelSize.x), half(pixelSize.y));
}

sf::FloatRect terrainAreaAround(const sf::Vector2f& centre, sf::Vector2u halfSize)
{
    const float hx = static_cast<float>(halfSize.x), hy = static_cast<float>(halfSize.y);
    return sf::FloatRect(floorTo16(centre.x - hx), floorTo16(centre.y - hy), 2 * hx, 2 * hy);
}

bool terrainNeedsRebuild(const sf::FloatRect& area, const sf::Vector2f& scroll, const sf::Vector2f& viewSize,
                         bool rebuildPending)
{
    if (rebuildPending)
        return true;
    const bool inside = area.left < scroll.x && area.top < scroll.y && scroll.x + viewSize.x < area.left + area.width &&
                        scroll.y + viewSize.y < area.top + area.height;
    return !inside;
}

uint32_t terrainTileAt(int column, int row)
{
    if (column < 0 || row < 0 || column >= mapWidth || row >= mapHeight)
        return 0;
    const size_t index = static_cast<size_t>(row) * static_cast<size_t>(mapWidth) + static_cast<size_t>(column);
    if (index >= mapTiles.size() || mapTiles[index] == emptyTile)
        return 0;
    return mapTiles[index];
}

uint8_t terrainTileKind(uint32_t tile) { return tile < tileCount ? tileKinds[tile] : 0; }

namespace {

// The map cell at (column, row) of area as the cache sees it.
struct AreaCell {
    uint32_t tile = 0;
    bool known = false; // inside the tile set
    uint8_t kind = 0;
    bool conveyor = false;
};

AreaCell areaCell(const sf::FloatRect& area, int column, int row)
{
    AreaCell cell;
    const int firstColumn = static_cast<int>(std::floor(area.left / 16)), firstRow = static_cast<int>(std::floor(area.top / 16));
    cell.tile = terrainTileAt(firstColumn + column, firstRow + row);
    cell.known = cell.tile < tileCount;
    cell.kind = terrainTileKind(cell.tile);
    const uint32_t special = cell.known ? tileSpecials[cell.tile] : 0;
    cell.conveyor = special >= ConveyorUp && special <= ConveyorRight;
    return cell;
}

void noteContent(TerrainContent& content, const AreaCell& cell)
{
    if (cell.kind == TileKindKeyA || cell.kind == TileKindKeyAMixed)
        content.hasWater = true;
    else if (cell.kind == TileKindKeyB || cell.kind == TileKindKeyBMixed)
        content.hasAcid = true;
    if (cell.conveyor)
        content.hasConveyors = true;
}

void appendCell(const AreaCell& cell, int column, int row, sf::VertexArray& ground, sf::VertexArray& shine)
{
    if (cell.conveyor || (cell.kind != TileKindPlain && cell.kind != TileKindKeyAMixed && cell.kind != TileKindKeyBMixed))
        return;
    const TileMaterial& material = tileMaterials[cell.known ? tileMaterialIndex[cell.tile] : 0];
    const float x = static_cast<float>(column * 16), y = static_cast<float>(row * 16);
    appendTile(ground, x, y, sf::Color::White, &tileRects[cell.known ? cell.tile : 0]);
    const float shineValue = material.shine > 0.0f ? std::min(material.shine, 1.0f) : 0.0f;
    const uint8_t red = static_cast<uint8_t>(shineValue * 255.0f);
    appendTile(shine, x, y, sf::Color(red, 0, 0, 255), nullptr);
}

// Every cell of area, the column and row past its far edges included.
template <typename Visit>
void forEachAreaCell(const sf::FloatRect& area, Visit visit)
{
    const int columns = static_cast<int>(area.width / 16), rows = static_cast<int>(area.height / 16);
    for (int row = 0; row <= rows; ++row)
        for (int column = 0; column <= columns; ++column)
            visit(column, row, areaCell(area, column, row));
}

} // namespace

TerrainContent buildTerrainVertices(const sf::FloatRect& area, sf::VertexArray& ground, sf::VertexArray& shine)
{
    TerrainContent content;
    ground.clear();
    shine.clear();
    ground.setPrimitiveType(sf::Triangles);
    shine.setPrimitiveType(sf::Triangles);
    forEachAreaCell(area, [&](int column, int row, const AreaCell& cell) {
        noteContent(content, cell);
        appendCell(cell, column, row, ground, shine);
    });
    return content;
}

TerrainContent terrainContent(const sf::FloatRect& area)
{
    TerrainContent content;
    forEachAreaCell(area, [&](int, int, const AreaCell& cell) { noteContent(content, cell); });
    return content;
}

void appendTerrainCell(const sf::FloatRect& area, int column, int row, sf::VertexArray& ground, sf::VertexArray& shine)
{
    appendCell(areaCell(area, column, row), column, row, ground, shine);
}

void resetTerrainCells(TerrainCells& cells, sf::Vector2u textureSize, bool drawn)
{
    cells.columns = (textureSize.x + 15) / 16;
    cells.rows = (textureSize.y + 15) / 16;
    const size_t count = static_cast<size_t>(cells.columns) * cells.rows;
    cells.drawn.assign(count, drawn ? 1 : 0);
    cells.pending = drawn ? 0 : count;
}

void moveTerrainCells(TerrainCells& cells, std::vector<uint8_t>& spare, sf::Vector2i shift)
{
    const int columns = static_cast<int>(cells.columns), rows = static_cast<int>(cells.rows);
    spare.resize(cells.drawn.size());
    cells.pending = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const int oldColumn = column + shift.x, oldRow = row + shift.y;
            const bool kept = oldColumn >= 0 && oldRow >= 0 && oldColumn < columns && oldRow < rows &&
                              cells.drawn[static_cast<size_t>(oldRow) * columns + oldColumn];
            spare[static_cast<size_t>(row) * columns + column] = kept ? 1 : 0;
            cells.pending += kept ? 0 : 1;
        }
    cells.drawn.swap(spare);
}

void pickTerrainCells(TerrainCells& cells, const sf::IntRect& need, size_t budget, std::vector<uint32_t>& picked)
{
    picked.clear();
    const int columns = static_cast<int>(cells.columns), rows = static_cast<int>(cells.rows);
    size_t limit = cells.drawn.size(); // everything need holds
    const auto take = [&](int column, int row) {
        if (picked.size() >= limit)
            return;
        uint8_t& drawn = cells.drawn[static_cast<size_t>(row) * columns + column];
        if (drawn)
            return;
        drawn = 1;
        --cells.pending;
        picked.push_back(static_cast<uint32_t>(row * columns + column));
    };
    // The cells of rows top..bottom and columns left..right, clipped to the grid.
    const auto takeRect = [&](int left, int top, int right, int bottom) {
        for (int row = std::max(top, 0); row <= std::min(bottom, rows - 1); ++row)
            for (int column = std::max(left, 0); column <= std::min(right, columns - 1); ++column)
                take(column, row);
    };
    const int left = need.left, top = need.top, right = need.left + need.width - 1, bottom = need.top + need.height - 1;
    takeRect(left, top, right, bottom);
    // Then ring by ring around it, until the budget is spent or the rings leave the grid.
    limit = picked.size() + budget;
    for (int d = 1; cells.pending > 0 && picked.size() < limit; ++d) {
        const int l = left - d, t = top - d, r = right + d, b = bottom + d;
        if (l < 0 && t < 0 && r >= columns && b >= rows)
            break;
        for (int row = std::max(t, 0); row <= std::min(b, rows - 1); ++row) {
            if (row == t || row == b) {
                takeRect(l, row, r, row);
                continue;
            }
            if (l >= 0)
                take(l, row);
            if (r < columns)
                take(r, row);
        }
    }
}

float advanceConveyorOffset(float offset, float dt)
{
    offset = std::fmod(offset + dt * 30.0f * 3.0f, 16.0f);
    return offset >= 0.0f ? offset : 0.0f;
}

sf::Vector2f conveyorTextureStart(uint32_t special, float offset)
{
    switch (special) {
    case ConveyorUp: return sf::Vector2f(0, offset);
    case ConveyorDown: return sf::Vector2f(0, 16 - offset);
    case ConveyorLeft: return sf::Vector2f(offset, 0);
    case ConveyorRight: return sf::Vector2f(16 - offset, 0);
    default: return sf::Vector2f(0, 0);
    }
}

sf::Vector2f acidTextureStart(int column, int row, sf::Vector2u acidSize)
{
    if (acidSize.x == 0 || acidSize.y == 0 || column < 0 || row < 0)
        return sf::Vector2f(0, 0);
    return sf::Vector2f(static_cast<float>((static_cast<unsigned>(column) * 16u) % acidSize.x),
                        static_cast<float>((static_cast<unsigned>(row) * 16u) % acidSize.y));
}

namespace {

// glCopyImageSubData (GL 4.3, ARB_copy_image), or null where the driver has none.
using CopyImageSubData = void (*)(unsigned, unsigned, int, int, int, int, unsigned, unsigned, int, int, int, int, int,
                                  int, int);
CopyImageSubData copyImageSubData()
{
    static const CopyImageSubData copy =
        sf::Context::isExtensionAvailable("GL_ARB_copy_image")
            ? reinterpret_cast<CopyImageSubData>(sf::Context::getFunction("glCopyImageSubData"))
            : nullptr;
    return copy;
}

// Makes to hold from's pixels moved by -shift (to's (0, 0) shows from's shift), transparent
// where from has none: a copy texel for texel in the GL, no drawing. Both are render textures of
// one size, so both are stored upside down.
void copyShifted(CopyImageSubData copy, sf::RenderTexture& from, sf::RenderTexture& to, sf::Vector2i shift)
{
    constexpr unsigned glTexture2D = 0x0DE1;
    to.clear(sf::Color::Transparent);
    to.display();
    const int width = static_cast<int>(from.getSize().x), height = static_cast<int>(from.getSize().y);
    const int left = std::max(shift.x, 0), top = std::max(shift.y, 0);
    const int right = std::min(width, width + shift.x), bottom = std::min(height, height + shift.y);
    if (left < right && top < bottom)
        copy(from.getTexture().getNativeHandle(), glTexture2D, 0, left, height - bottom, 0,
             to.getTexture().getNativeHandle(), glTexture2D, 0, left - shift.x, height - bottom + shift.y, 0,
             right - left, bottom - top, 1);
}

} // namespace

bool TerrainCache::resize(sf::Vector2u size)
{
    const unsigned px = terrainTextureSize(size.x), py = terrainTextureSize(size.y);
    const unsigned limit = sf::Texture::getMaximumSize();
    if (px == 0 || py == 0 || px > limit || py > limit) {
        kv::printWarning(kv::formatString("TerrainCache: refusing a %ux%u terrain cache", px, py));
        return false;
    }
    if (ready() && colourTexture->getSize() == sf::Vector2u(px, py)) {
        rebuildPending = true;
        return true;
    }
    texturesOk = true;
    for (kv::LazyObject<sf::RenderTexture>& texture : textures_) {
        texturesOk = texture->create(px, py, sf::ContextSettings()) && texturesOk;
        texture->setSmooth(true);
        texture->clear(sf::Color::Transparent);
        texture->display();
    }
    colourTexture = &*textures_[0];
    shineTexture = &*textures_[1];
    spareTexture = &*textures_[2];
    halfSize = sf::Vector2u(px / 2, py / 2);
    if (!ready()) {
        kv::printError(kv::formatString("TerrainCache: cannot create the %ux%u terrain textures", px, py));
        return false;
    }
    copyImageSubData(); // its first look-up reads the driver's extension list
    resetTerrainCells(cells, sf::Vector2u(px, py), false);
    spareCells_.reserve(cells.drawn.size());
    pickedCells_.reserve(cells.drawn.size());
    // Grown here, at the game's start, rather than in its first frame.
    const size_t vertices = static_cast<size_t>(px / 16 + 1) * (py / 16 + 1) * 6;
    for (sf::VertexArray* array : {&groundVertices, &shineVertices}) {
        array->resize(vertices);
        array->clear();
    }
    rebuildPending = true;
    return true;
}

void TerrainCache::rebuild(const sf::Vector2f& centre)
{
    if (!ready())
        return;
    area = terrainAreaAround(centre, halfSize);
    const TerrainContent content = buildTerrainVertices(area, groundVertices, shineVertices);
    hasWater = content.hasWater;
    hasAcid = content.hasAcid;
    hasConveyors = content.hasConveyors;
    groundStates.texture = &*tilesetTexture;
    colourTexture->clear(sf::Color::Transparent);
    colourTexture->draw(groundVertices, groundStates);
    colourTexture->display();
    shineTexture->clear(sf::Color::Transparent);
    shineTexture->draw(shineVertices);
    shineTexture->display();
    resetTerrainCells(cells, colourTexture->getSize(), true);
}

namespace {

// The Terrain program's uniforms for a target whose (0, 0) shows world pixel origin, at
// scale target pixels per world pixel.
void setTerrainUniforms(kv::CachedShader& program, TerrainCache& cache, const sf::Vector2f& scroll, float scale,
                        const sf::Vector2f& screenSize)
{
    namespace U = kv::shaderUniforms::Terrain;
    const sf::Vector2u size = cache.colourTexture->getSize();
    shaderParams::setCurrentTexture(program, U::texture);
    shaderParams::set(program, U::shineMap, cache.shineTexture->getTexture());
    shaderParams::set(program, U::textureSize, sf::Vector2f(static_cast<float>(size.x), static_cast<float>(size.y)));
    shaderParams::set(program, U::mapScroll, scroll * scale);
    shaderParams::set(program, U::screenSize, screenSize);
    shaderParams::set(program, U::screenScale, sf::Vector2f(scale, scale));
    shaderParams::set(program, U::worldSize, mapWorldSize);
    shaderParams::set(program, U::shineEnabled, 1);
    shaderParams::set(program, U::grimeEnabled, 1);
    shaderParams::set(program, U::time, kv::programClock.getElapsedTime().asSeconds());
    shaderParams::set(program, U::screenOffset, scroll - sf::Vector2f(cache.area.left, cache.area.top));
}

// Two triangles from position..position + size with texture coordinates uv.
void quadTriangles(sf::Vertex (&out)[6], const sf::Vector2f& position, const sf::Vector2f& size, const sf::FloatRect& uv)
{
    const sf::Vector2f a = position, b = position + size;
    const float u1 = uv.left, v1 = uv.top, u2 = uv.left + uv.width, v2 = uv.top + uv.height;
    out[0] = sf::Vertex(a, {u1, v1});
    out[1] = sf::Vertex({b.x, a.y}, {u2, v1});
    out[2] = sf::Vertex(b, {u2, v2});
    out[3] = sf::Vertex(a, {u1, v1});
    out[4] = sf::Vertex(b, {u2, v2});
    out[5] = sf::Vertex({a.x, b.y}, {u1, v2});
}

} // namespace

void TerrainCache::move(const sf::Vector2f& centre)
{
    const sf::FloatRect moved = terrainAreaAround(centre, halfSize);
    const sf::Vector2i shift(static_cast<int>(moved.left - area.left), static_cast<int>(moved.top - area.top));
    if (shift == sf::Vector2i(0, 0))
        return;
    const CopyImageSubData copy = copyImageSubData();
    if (!copy) {
        rebuild(centre);
        return;
    }
    area = moved;
    const TerrainContent content = terrainContent(area);
    hasWater = content.hasWater;
    hasAcid = content.hasAcid;
    hasConveyors = content.hasConveyors;
    for (sf::RenderTexture** texture : {&colourTexture, &shineTexture}) {
        copyShifted(copy, **texture, *spareTexture, shift);
        std::swap(*texture, spareTexture);
    }
    moveTerrainCells(cells, spareCells_, shift / 16);
}

void TerrainCache::drawCells(const sf::IntRect& need, size_t more)
{
    if (cells.pending == 0)
        return;
    pickTerrainCells(cells, need, more, pickedCells_);
    groundVertices.clear();
    shineVertices.clear();
    for (const uint32_t cell : pickedCells_)
        appendTerrainCell(area, static_cast<int>(cell % cells.columns), static_cast<int>(cell / cells.columns),
                          groundVertices, shineVertices);
    if (groundVertices.getVertexCount() == 0)
        return;
    groundStates.texture = &*tilesetTexture;
    colourTexture->draw(groundVertices, groundStates);
    colourTexture->display();
    shineTexture->draw(shineVertices);
    shineTexture->display();
}

void TerrainCache::update(const sf::Vector2f& scroll, const sf::Vector2f& viewSize, float worldRenderScale)
{
    if (!ready())
        return;
    const sf::Vector2f world = viewSize / worldRenderScale;
    const bool moving = !rebuildPending && terrainNeedsRebuild(area, scroll, world, false);
    if (rebuildPending)
        rebuild(scroll + world / 2.0f);
    else if (moving)
        move(scroll + world / 2.0f);
    rebuildPending = false;
    // The cells this frame reads, with room for the smoothing at the shown part's edges.
    const float margin = 4;
    const sf::Vector2f near = scroll - sf::Vector2f(area.left, area.top) - sf::Vector2f(margin, margin);
    const sf::Vector2f far = near + world + sf::Vector2f(2 * margin, 2 * margin);
    const int left = static_cast<int>(std::floor(near.x / 16)), top = static_cast<int>(std::floor(near.y / 16));
    const int right = static_cast<int>(std::floor(far.x / 16)), bottom = static_cast<int>(std::floor(far.y / 16));
    // A sixteenth of the cache a frame after a move (which leaves at most about half of it),
    // the copy's frame drawing only what it shows.
    drawCells(sf::IntRect(left, top, right - left + 1, bottom - top + 1), moving ? 0 : cells.drawn.size() / 16 + 1);
}

void TerrainCache::draw(const sf::Vector2f& scroll, const sf::Vector2f& position, const sf::Vector2f& viewSize,
                        float worldRenderScale)
{
    if (!ready())
        return;
    update(scroll, viewSize, worldRenderScale);
    const sf::Vector2f world = viewSize / worldRenderScale;

    terrainStates = sf::RenderStates::Default;
    terrainStates.texture = &colourTexture->getTexture();
    kv::ShaderSlot& slot = kv::getShaderSlot(worldView.terrainShader);
    if (slot.loaded) {
        terrainStates.shader = slot.shader;
        setTerrainUniforms(*slot.shader, *this, scroll, worldRenderScale, viewSize);
    }
    sf::Vertex quad[6];
    quadTriangles(quad, position, viewSize, sf::FloatRect(scroll - sf::Vector2f(area.left, area.top), world));
    kv::getRenderLayer(kv::layerDisplay)->drawVertices(quad, 6, sf::Triangles, terrainStates);
}

namespace {

struct ConveyorBatch {
    uint32_t tile = 0;
    kv::VertexArray quads{sf::Quads};
    sf::RenderStates states;
};

float conveyorOffset = 0.0f;

// The scratch pixels the view shows (offset .. offset + world), widened to whole pixels plus one
// for smoothing, within the scratch.
sf::FloatRect shownPart(const sf::Vector2f& offset, const sf::Vector2f& world, sf::Vector2u scratchSize)
{
    const float w = static_cast<float>(scratchSize.x), h = static_cast<float>(scratchSize.y);
    const float left = std::clamp(std::floor(offset.x) - 1, 0.0f, w), top = std::clamp(std::floor(offset.y) - 1, 0.0f, h);
    const float right = std::clamp(std::ceil(offset.x + world.x) + 1, left, w);
    const float bottom = std::clamp(std::ceil(offset.y + world.y) + 1, top, h);
    return sf::FloatRect(left, top, right - left, bottom - top);
}

// Points every draw (any layer id) at target, or back at the world texture.
void redirectInto(sf::RenderTarget* target)
{
    kv::currentRenderTarget = target;
    kv::layerRedirect.target = target;
    kv::currentRenderLayer = &kv::layerRedirect;
}

} // namespace

void drawTerrain()
{
    WorldView& view = worldView;
    TerrainCache& cache = view.terrain;
    if (view.resizePending) {
        // A new render scale shows a different amount of world.
        cache.resize(terrainCacheRequest(view.pixelSize, view.worldRenderScale));
        view.resizePending = false;
    }
    if (!cache.ready() || !view.texture.isBuilt())
        return;

    static kv::LazyObject<sf::RenderTexture> terrainScratch;
    static kv::VertexArray waterQuad(sf::Quads, 4);
    static std::vector<ConveyorBatch> conveyorBatches;
    static sf::RenderStates scratchStates;

    const sf::Vector2u cacheSize = cache.colourTexture->getSize();
    if (terrainScratch->getSize() != cacheSize) {
        if (!terrainScratch->create(cacheSize.x, cacheSize.y, sf::ContextSettings()))
            return;
        terrainScratch->setSmooth(true);
    }
    sf::RenderTexture& scratch = *terrainScratch;
    scratch.clear(sf::Color::Black);
    view.acidQuads.resize(0);
    for (ConveyorBatch& batch : conveyorBatches)
        batch.quads.resize(0);

    const sf::Vector2f viewSize(static_cast<float>(view.pixelSize.x), static_cast<float>(view.pixelSize.y));
    const float scale = view.worldRenderScale;
    // The composite below covers the whole view, so the cache is only kept current here.
    cache.update(view.scroll, viewSize, scale);
    const sf::Vector2f origin(cache.area.left, cache.area.top);
    const sf::Vector2f screenOffset = view.scroll - origin;
    // Only this part of the scratch is shown; the full-size passes are limited to it.
    const sf::FloatRect shown = shownPart(screenOffset, viewSize / scale, cacheSize);
    conveyorOffset = advanceConveyorOffset(conveyorOffset, kv::frameTime);

    if (cache.hasWater || cache.hasAcid || cache.hasConveyors) {
        const sf::Vector2u acidSize = acidTexture->getSize();
        const int columns = static_cast<int>(cache.area.width / 16), rows = static_cast<int>(cache.area.height / 16);
        const int firstColumn = static_cast<int>(origin.x / 16), firstRow = static_cast<int>(origin.y / 16);
        for (int row = 0; row <= rows; ++row) {
            for (int column = 0; column <= columns; ++column) {
                const int mapColumn = firstColumn + column, mapRow = firstRow + row;
                const uint32_t tile = terrainTileAt(mapColumn, mapRow);
                const uint8_t kind = terrainTileKind(tile);
                const float x = static_cast<float>(column * 16), y = static_cast<float>(row * 16);
                if (cache.hasAcid && (kind == TileKindKeyB || kind == TileKindKeyBMixed)) {
                    const sf::Vector2f uv = acidTextureStart(mapColumn, mapRow, acidSize);
                    appendQuad(view.acidQuads, sf::FloatRect(x, y, 17, 17), sf::FloatRect(uv.x, uv.y, 16, 16));
                }
                const uint32_t special = tile < tileCount ? tileSpecials[tile] : 0;
                if (cache.hasConveyors && special >= ConveyorUp && special <= ConveyorRight) {
                    auto batch = std::find_if(conveyorBatches.begin(), conveyorBatches.end(),
                                              [&](const ConveyorBatch& b) { return b.tile == tile; });
                    if (batch == conveyorBatches.end()) {
                        conveyorBatches.emplace_back();
                        batch = conveyorBatches.end() - 1;
                        batch->tile = tile;
                    }
                    const sf::Vector2f uv = conveyorTextureStart(special, conveyorOffset);
                    appendQuad(batch->quads, sf::FloatRect(x, y, 16, 16), sf::FloatRect(uv.x, uv.y, 16, 16));
                }
            }
        }
    }

    kv::ShaderSlot& water = kv::getShaderSlot(view.waterShader);
    const auto setWaterUniforms = [&](int type) {
        if (!water.loaded)
            return;
        namespace U = kv::shaderUniforms::Water;
        kv::CachedShader& program = *water.shader;
        view.waterStates.shader = &program;
        shaderParams::setCurrentTexture(program, U::texture);
        shaderParams::set(program, U::mapScroll, view.scroll);
        shaderParams::set(program, U::screenSize, viewSize);
        shaderParams::set(program, U::screenScale, sf::Vector2f(1, 1));
        shaderParams::set(program, U::screenOffset, screenOffset);
        shaderParams::set(program, U::shineEnabled, 1);
        shaderParams::set(program, U::time, kv::programClock.getElapsedTime().asSeconds());
        shaderParams::set(program, U::type, type);
    };
    if (cache.hasWater) {
        // Water stays put in the world: the quad's first texel is its area origin's.
        const sf::Vector2u size = waterTexture->getSize();
        const sf::Vector2f start(size.x ? std::fmod(origin.x, static_cast<float>(size.x)) : 0.0f,
                                 size.y ? std::fmod(origin.y, static_cast<float>(size.y)) : 0.0f);
        const sf::Vector2f a(shown.left, shown.top), b(shown.left + shown.width, shown.top + shown.height);
        const sf::Vector2f corners[4] = {a, {b.x, a.y}, b, {a.x, b.y}};
        for (size_t i = 0; i < 4; ++i) {
            waterQuad[i].position = corners[i];
            waterQuad[i].texCoords = start + corners[i];
            waterQuad[i].color = sf::Color::White;
        }
        setWaterUniforms(1);
        view.waterStates.texture = &*waterTexture;
        scratch.draw(waterQuad, view.waterStates);
    }
    if (view.acidQuads.getVertexCount() > 0) {
        setWaterUniforms(3);
        view.waterStates.texture = &*acidTexture;
        scratch.draw(view.acidQuads, view.waterStates);
        view.waterStates.texture = &*waterTexture;
    }
    for (ConveyorBatch& batch : conveyorBatches) {
        if (batch.quads.getVertexCount() == 0)
            continue;
        // Looked up each frame: a reloaded tile set replaces its conveyor textures.
        auto texture = conveyorTextures->find(batch.tile);
        batch.states.texture = texture != conveyorTextures->end() ? &texture->second : nullptr;
        scratch.draw(batch.quads, batch.states);
    }

    sf::RenderTarget* const world = kv::currentRenderTarget;
    const float dt = kv::frameTime;
    if (gameSettings.plants) {
        redirectInto(&scratch);
        drawPlants(dt, true, &origin, 1.0f);
        redirectInto(world);
    }

    scratchStates = sf::RenderStates::Default;
    scratchStates.texture = &cache.colourTexture->getTexture();
    kv::ShaderSlot& terrain = kv::getShaderSlot(view.terrainShader);
    if (terrain.loaded) {
        scratchStates.shader = terrain.shader;
        setTerrainUniforms(*terrain.shader, cache, view.scroll, 1.0f, viewSize);
    }
    sf::Vertex quad[6];
    quadTriangles(quad, sf::Vector2f(shown.left, shown.top), sf::Vector2f(shown.width, shown.height), shown);
    scratch.draw(quad, 6, sf::Triangles, scratchStates);

    if (gameSettings.plants) {
        redirectInto(&scratch);
        drawPlants(dt, false, &origin, 1.0f);
        redirectInto(world);
    }
    kv::currentDrawScale = worldDrawScale(view.pixelSize, view.screenRect);
    scratch.display();

    sf::RenderStates composite;
    composite.texture = &scratch.getTexture();
    quadTriangles(quad, sf::Vector2f(0, 0), viewSize, sf::FloatRect(screenOffset, viewSize / scale));
    kv::getRenderLayer(kv::layerDisplay)->drawVertices(quad, 6, sf::Triangles, composite);
}

} // namespace tvl
