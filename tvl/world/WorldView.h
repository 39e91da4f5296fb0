#pragma once
// The world view: each frame the game's world is drawn into one render texture at the render
// scale, in a fixed order (terrain, map sprites, wildlife and debris, pickups, token,
// projectiles, players, effects, fog), and that texture is stretched over a rectangle of the
// window.
//
// Coordinates: world pixels w map to texture pixels t = (w - scroll) x worldRenderScale, and
// texture pixels to window pixels t / drawScale + screenRect's top-left, drawScale being
// pixelSize / screenRect's size.
#include "graphics/Shaders.h"
#include "graphics/VertexArray.h"
#include "world/Terrain.h"

#include "core/LazyObject.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

namespace tvl {

constexpr float minRenderScale = 0.1f;
constexpr float maxRenderScale = 100.0f;

struct WorldView {
    // Created by the first setWorldViewSize (no GL object exists before the window does).
    kv::LazyObject<sf::RenderTexture> texture;
    const sf::Texture* textureRef = nullptr;
    sf::Vector2u pixelSize{0, 0};
    sf::FloatRect screenRect;
    TerrainCache terrain;
    sf::Vector2f scroll{0, 0}; // the world pixel at the texture's top-left corner
    // The water (and acid) drawing of the terrain pass: waterTexture, alpha blending, the
    // Water program when it is loaded.
    sf::RenderStates waterStates;
    kv::VertexArray acidQuads;
    float worldRenderScale = 1.5f; // texture pixels per world pixel, 0.1 .. 100
    bool resizePending = false;    // the render scale changed: the terrain cache rebuilds

    // Registered by the asset loader; -1 until then.
    kv::ShaderId waterShader = -1;
    kv::ShaderId terrainShader = -1;
    kv::ShaderId spriteShader = -1;
    kv::ShaderId fogShader = -1;

    // The map's lighting and fog, set when a game starts.
    float gameLightLevel = 1.0f; // 0 .. 1
    sf::Color gameLightColour{255, 255, 255, 255};
    float gameFogDensity = 0.0f; // 0 draws no fog
    sf::Color gameFogColour{255, 255, 255, 255};
};

extern WorldView worldView;

// --- Plain view maths (no GL) ---

// scale clamped to minRenderScale .. maxRenderScale (a NaN gives minRenderScale).
float clampRenderScale(float scale);

// The world rectangle the texture shows: (scroll, floor(pixelSize / scale)).
sf::FloatRect visibleWorldRect(const sf::Vector2f& scroll, sf::Vector2u pixelSize, float scale);

// The axis-aligned world rectangle of an object of size centred on centre, turned by angle
// (radians; exactly 0 means unturned).
sf::FloatRect objectWorldRect(const sf::Vector2f& centre, const sf::Vector2f& size, float angle);

// World pixels to world-texture pixels.
sf::Vector2f worldToTexture(const sf::Vector2f& world, const sf::Vector2f& scroll, float scale);
// World-texture pixels to window pixels for a texture of pixelSize shown over screenRect.
sf::Vector2f textureToWindow(const sf::Vector2f& texturePosition, sf::Vector2u pixelSize,
                             const sf::FloatRect& screenRect);
// The draw scale that maps the texture onto screenRect (pixelSize / screenRect's size per
// axis; 1 on an axis whose screen size is 0).
sf::Vector2f worldDrawScale(sf::Vector2u pixelSize, const sf::FloatRect& screenRect);

// The camera: the view centred on focus, kept on the map. Per axis: below 0 gives 0; when the
// view's far edge reaches the map's (scroll + view >= map) it gives map - view - 1, never
// below 0 (a map smaller than the view stays at its left or top edge). view = visible world
// size (floor(pixelSize / scale)).
sf::Vector2f cameraScroll(const sf::Vector2f& focus, const sf::Vector2f& view, const sf::Vector2f& mapSize);

// The fog rectangle's alpha without the Fog program: density (0..1) x 255.
uint8_t fogFallbackAlpha(float density);

// --- The world view ---

// Registers a game program; each non-empty file name is taken below "base\Shaders\".
kv::ShaderId loadGameShader(const std::string& vertexFile, const std::string& fragmentFile);

// Sizes the world texture (pixelSize, shown over screenRect) and the terrain cache, resets the
// scroll, and stores the render scale (clamped; resizePending when it changed). A zero size is
// refused with a warning and changes nothing. Needs the window.
void setWorldViewSize(float scale, sf::Vector2u pixelSize, sf::FloatRect screenRect);

// Whether rect (world pixels) overlaps the visible world with a non-empty intersection.
bool isRectVisible(const sf::FloatRect& rect);
// Whether an object of size centred on centre, turned by angle (radians), is visible.
bool isOnScreen(const sf::Vector2f& centre, const sf::Vector2f& size, const float& angle);

// Draws the world into the world texture and the texture over screenRect on layerDisplay.
// Nothing before setWorldViewSize.
void drawWorld();

// The fog over the world texture (during drawWorld): nothing at density 0 or below.
void drawFog();

} // namespace tvl
