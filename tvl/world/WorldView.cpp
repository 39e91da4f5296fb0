#include "world/WorldView.h"

#include "core/Angle.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Geometry.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/RenderLayers.h"
#include "world/Ambience.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/Map.h"
#include "world/Projectiles.h"
#include "world/ShaderParams.h"
#include "world/WorldSprites.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>
#include <cmath>

namespace tvl {

WorldView worldView;

float clampRenderScale(float scale)
{
    if (!(scale >= minRenderScale))
        return minRenderScale;
    return std::min(scale, maxRenderScale);
}

sf::FloatRect visibleWorldRect(const sf::Vector2f& scroll, sf::Vector2u pixelSize, float scale)
{
    return sf::FloatRect(scroll.x, scroll.y, std::floor(static_cast<float>(pixelSize.x) / scale),
                         std::floor(static_cast<float>(pixelSize.y) / scale));
}

sf::FloatRect objectWorldRect(const sf::Vector2f& centre, const sf::Vector2f& size, float angle)
{
    float width = size.x, height = size.y;
    if (angle != 0.0f)
        kv::getRotatedSize(width, height, kv::radians(angle), size.x, size.y);
    return sf::FloatRect(centre.x - width / 2.0f, centre.y - height / 2.0f, width, height);
}

sf::Vector2f worldToTexture(const sf::Vector2f& world, const sf::Vector2f& scroll, float scale)
{
    return (world - scroll) * scale;
}

sf::Vector2f worldDrawScale(sf::Vector2u pixelSize, const sf::FloatRect& screenRect)
{
    return sf::Vector2f(screenRect.width != 0.0f ? static_cast<float>(pixelSize.x) / screenRect.width : 1.0f,
                        screenRect.height != 0.0f ? static_cast<float>(pixelSize.y) / screenRect.height : 1.0f);
}

sf::Vector2f textureToWindow(const sf::Vector2f& texturePosition, sf::Vector2u pixelSize,
                             const sf::FloatRect& screenRect)
{
    const sf::Vector2f scale = worldDrawScale(pixelSize, screenRect);
    return sf::Vector2f(texturePosition.x / scale.x + screenRect.left, texturePosition.y / scale.y + screenRect.top);
}

namespace {

float cameraAxis(float focus, float view, float map)
{
    float scroll = focus - view / 2.0f;
    if (scroll < 0.0f)
        return 0.0f;
    if (scroll + view >= map)
        scroll = std::max(0.0f, map - view - 1.0f);
    return scroll;
}

} // namespace

sf::Vector2f cameraScroll(const sf::Vector2f& focus, const sf::Vector2f& view, const sf::Vector2f& mapSize)
{
    return sf::Vector2f(cameraAxis(focus.x, view.x, mapSize.x), cameraAxis(focus.y, view.y, mapSize.y));
}

uint8_t fogFallbackAlpha(float density)
{
    if (!(density > 0.0f))
        return 0;
    return static_cast<uint8_t>(std::min(density, 1.0f) * 255.0f);
}

kv::ShaderId loadGameShader(const std::string& vertexFile, const std::string& fragmentFile)
{
    const std::string folder = "base\\Shaders\\";
    return kv::Shaders::addShader(vertexFile.empty() ? vertexFile : folder + vertexFile,
                                  fragmentFile.empty() ? fragmentFile : folder + fragmentFile);
}

void setWorldViewSize(float scale, sf::Vector2u pixelSize, sf::FloatRect screenRect)
{
    WorldView& view = worldView;
    if (pixelSize.x == 0 || pixelSize.y == 0) {
        kv::printWarning("setWorldViewSize: refusing a world view of zero size");
        return;
    }
    if (view.pixelSize != pixelSize || !view.textureRef) {
        if (!view.texture->create(pixelSize.x, pixelSize.y, sf::ContextSettings())) {
            kv::printError(kv::formatString("setWorldViewSize: cannot create a %ux%u world texture", pixelSize.x,
                                            pixelSize.y));
            return;
        }
        view.texture->clear(sf::Color::Black);
        view.texture->display();
        view.textureRef = &view.texture->getTexture();
    }
    view.pixelSize = pixelSize;
    view.screenRect = screenRect;
    view.scroll = sf::Vector2f(0, 0);

    const float clamped = clampRenderScale(scale);
    if (clamped != view.worldRenderScale)
        view.resizePending = true;
    view.worldRenderScale = clamped;

    view.acidQuads = kv::VertexArray(sf::Quads);
    view.terrain.resize(terrainCacheRequest(pixelSize, view.worldRenderScale));

    view.waterStates = sf::RenderStates(sf::BlendAlpha);
    view.waterStates.texture = &*waterTexture;
    kv::ShaderSlot& water = kv::getShaderSlot(view.waterShader);
    if (water.loaded) {
        view.waterStates.shader = water.shader;
        shaderParams::setCurrentTexture(*water.shader, kv::shaderUniforms::Water::texture);
    }
}

bool isRectVisible(const sf::FloatRect& rect)
{
    return visibleWorldRect(worldView.scroll, worldView.pixelSize, worldView.worldRenderScale).intersects(rect);
}

bool isOnScreen(const sf::Vector2f& centre, const sf::Vector2f& size, const float& angle)
{
    return isRectVisible(objectWorldRect(centre, size, angle));
}

void drawFog()
{
    WorldView& view = worldView;
    if (!(view.gameFogDensity > 0.0f))
        return;
    static kv::LazyObject<sf::RectangleShape> fogRect;
    static sf::RenderStates fogStates;
    kv::ShaderSlot& slot = kv::getShaderSlot(view.fogShader);
    fogStates.shader = slot.loaded ? slot.shader : nullptr;
    const sf::Vector2f size(static_cast<float>(view.pixelSize.x), static_cast<float>(view.pixelSize.y));
    if (slot.loaded) {
        namespace U = kv::shaderUniforms::Fog;
        kv::CachedShader& fog = *slot.shader;
        shaderParams::set(fog, U::screenSize, size);
        shaderParams::set(fog, U::renderScale, view.worldRenderScale);
        shaderParams::set(fog, U::mapScroll, view.scroll);
        shaderParams::set(fog, U::lightLevel, view.gameLightLevel);
        shaderParams::set(fog, U::lightColour, view.gameLightColour);
        shaderParams::set(fog, U::fogColour, view.gameFogColour);
        shaderParams::set(fog, U::fogDensity, view.gameFogDensity);
        shaderParams::set(fog, U::windVector, *getWindVector());
        shaderParams::set(fog, U::time, kv::programClock.getElapsedTime().asSeconds());
    }
    fogRect->setPosition(0, 0);
    fogRect->setSize(size);
    fogRect->setScale(1, 1);
    const sf::Color& c = view.gameFogColour;
    fogRect->setFillColor(sf::Color(c.r, c.g, c.b, fogFallbackAlpha(view.gameFogDensity)));
    kv::getRenderLayer(kv::layerGroundHigh)->draw(*fogRect, fogStates);
}

void drawWorld()
{
    WorldView& view = worldView;
    if (!view.textureRef)
        return;
    sf::RenderTarget* const window = kv::currentRenderTarget;
    sf::RenderTexture& target = *view.texture;
    kv::currentRenderTarget = &target;
    kv::layerRedirect.target = &target;
    kv::currentRenderLayer = &kv::layerRedirect;
    kv::layerRedirected = true;
    kv::currentDrawScale = worldDrawScale(view.pixelSize, view.screenRect);
    kv::currentDrawOffset = sf::Vector2f(view.screenRect.left, view.screenRect.top);
    // What no pass covers (before a map is loaded, outside the map) stays black.
    target.clear(sf::Color::Black);

    const float dt = kv::frameTime;
    drawTerrain();
    drawMapSprites(dt);
    drawWildlife(false, false);
    drawDebris();
    drawWildlife(true, true);
    drawWildlife(true, false);
    playAmbientLoops();
    drawPickups();
    drawToken();
    drawProjectiles(dt);
    drawPlayers(dt);
    drawSmoke();
    drawFire();
    drawFog();

    kv::currentDrawScale = sf::Vector2f(1, 1);
    kv::currentRenderTarget = window;
    kv::currentDrawOffset = sf::Vector2f(0, 0);
    kv::layerRedirect.target = window;
    kv::currentRenderLayer = &kv::layerRedirect;
    kv::layerRedirected = false;
    target.display();

    // Cleared opaque and only blended over since, the world texture replaces what lies beneath
    // it: copied without blending, it shows the same.
    sf::RenderStates copy(sf::BlendNone);
    copy.texture = view.textureRef;
    const sf::FloatRect& r = view.screenRect;
    kv::drawTextureWithStates(r.left, r.top, r.left + r.width - 1, r.top + r.height - 1, copy, sf::IntRect());
}

} // namespace tvl
