#include "graphics/RenderLayers.h"

#include "core/Framework.h"
#include "core/Messages.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/DrawnArea.h"
#include "graphics/Shaders.h"
#include "graphics/Sprite.h"
#include "graphics/VertexArray.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <array>
#include <cstdint>

namespace kv {

struct RenderLayer::TextureStore {
    sf::RenderTexture texture;
    sfSprite sprite;
    DrawnArea drawn;
    sf::Vertex parts[DrawnArea::maxParts * 6]; // the drawn parts as they are composed

    void markAll() { drawn.all(static_cast<int>(texture.getSize().x), static_cast<int>(texture.getSize().y)); }
    // After a clear to colour: transparent black composes to nothing, anything else everywhere.
    void markCleared(const sf::Color& colour)
    {
        if (colour == sf::Color::Transparent)
            drawn.clear();
        else
            markAll();
    }
    // Adds rect (in the coordinates of the texture's current view, after transform) with a
    // margin for smoothing and for what rasterises just outside the geometry.
    void mark(const sf::FloatRect& rect, const sf::Transform& transform)
    {
        const sf::FloatRect r = transform.transformRect(rect);
        const sf::Vector2f corners[4] = {
            {r.left, r.top}, {r.left + r.width, r.top}, {r.left, r.top + r.height}, {r.left + r.width, r.top + r.height}};
        int x1 = INT32_MAX, y1 = INT32_MAX, x2 = INT32_MIN, y2 = INT32_MIN;
        for (const sf::Vector2f& corner : corners) {
            const sf::Vector2i at = texture.mapCoordsToPixel(corner);
            x1 = std::min(x1, at.x);
            y1 = std::min(y1, at.y);
            x2 = std::max(x2, at.x);
            y2 = std::max(y2, at.y);
        }
        constexpr int margin = 4;
        const sf::Vector2u size = texture.getSize();
        x1 = std::max(x1 - margin, 0);
        y1 = std::max(y1 - margin, 0);
        x2 = std::min(x2 + margin, static_cast<int>(size.x));
        y2 = std::min(y2 + margin, static_cast<int>(size.y));
        drawn.add({x1, y1, x2 - x1, y2 - y1});
    }
};

RenderLayer::RenderLayer(uint32_t layerMode, const char* layerName, sf::Color neutral)
    : mode(layerMode), name(layerName), neutralColour(neutral)
{
}
RenderLayer::~RenderLayer() = default;

RenderLayer renderLayers[renderLayerCount] = {
    {modePassthrough, "layerDisplay"},  {modeDeferred, "layerGroundLow"},   {modeDeferred, "layerGround"},
    {modeDeferred, "layerGroundHigh"},  {modeDeferred, "layerAir"},         {modeTexture, "layerUI"},
    {modeTexture, "layerUILighting"},   {modeTexture, "layerLighting", sf::Color(255, 255, 255, 255)},
    {modeTexture, "layerLightEffects", sf::Color(0, 0, 0, 255)},
    {modeTexture, "layerNightVision"},  {modeTexture, "layerThermalImaging"},
};
RenderLayer layerRedirect(modePassthrough, "layerRedirect");

RenderLayer* currentRenderLayer = &layerRedirect;
bool layerRedirected = true;
sf::RenderTarget* currentRenderTarget = nullptr;
sf::Vector2f currentDrawOffset(0, 0);
sf::Vector2f currentDrawScale(1, 1);

namespace {

RenderLayer& displayLayer()
{
    return renderLayers[layerDisplay - 1];
}

// The registry's program behind a shader pointer, or null for any other sf::Shader (sf::Shader
// has no virtual functions, so the pointer is matched against the program table).
CachedShader* registeredProgram(const sf::Shader* shader)
{
    CachedShader* first = shaderSlots[0].shader;
    if (!shader || !first)
        return nullptr;
    const uintptr_t at = reinterpret_cast<uintptr_t>(shader);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(static_cast<const sf::Shader*>(first));
    const uintptr_t end = begin + sizeof(CachedShader) * shaderSlotCount;
    if (at < begin || at >= end || (at - begin) % sizeof(CachedShader) != 0)
        return nullptr;
    return first + (at - begin) / sizeof(CachedShader);
}

template <typename T>
bool copyAs(const sf::Drawable& drawable, DeferredKind kind, DeferredDraw& record)
{
    const T* typed = dynamic_cast<const T*>(&drawable);
    if (!typed)
        return false;
    record.kind = kind;
    record.drawable = std::make_unique<T>(*typed);
    return true;
}

template <typename Position>
sf::FloatRect pointsBounds(size_t count, Position position)
{
    if (count == 0)
        return {};
    sf::Vector2f low = position(0), high = low;
    for (size_t i = 1; i < count; ++i) {
        const sf::Vector2f p = position(i);
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {low, high - low};
}

// What drawable covers in its own coordinates (before the states' transform); false for a kind
// whose extent is not known.
bool drawableBounds(const sf::Drawable& drawable, sf::FloatRect& bounds)
{
    if (const auto* shape = dynamic_cast<const sf::Shape*>(&drawable))
        bounds = shape->getGlobalBounds();
    else if (const auto* sprite = dynamic_cast<const sf::Sprite*>(&drawable))
        bounds = sprite->getGlobalBounds();
    else if (const auto* text = dynamic_cast<const sf::Text*>(&drawable))
        bounds = text->getGlobalBounds();
    else if (const auto* array = dynamic_cast<const VertexArray*>(&drawable))
        bounds = pointsBounds(array->getVertexCount(), [&](size_t i) { return (*array)[i].position; });
    else if (const auto* vertices = dynamic_cast<const sf::VertexArray*>(&drawable))
        bounds = vertices->getBounds();
    else
        return false;
    return true;
}

bool copyDrawable(const sf::Drawable& drawable, DeferredDraw& record)
{
    return copyAs<sf::CircleShape>(drawable, deferredCircleShape, record) ||
           copyAs<sf::ConvexShape>(drawable, deferredConvexShape, record) ||
           copyAs<sf::RectangleShape>(drawable, deferredRectangleShape, record) ||
           copyAs<sf::Sprite>(drawable, deferredSprite, record) ||
           copyAs<sf::Text>(drawable, deferredText, record) ||
           copyAs<VertexArray>(drawable, deferredVertexArray, record);
}

struct ClipState {
    sf::RenderTarget* savedTarget = nullptr;
    RenderLayer* savedLayer = nullptr;
    bool savedRedirected = false;
    sf::RenderTarget* clippedTarget = nullptr; // whose view the clip replaced
    sf::View savedView;
};
std::array<ClipState, maxClipDepth> clipStack;
int openClips = 0;

} // namespace

void RenderLayer::draw(const sf::Drawable& drawable, const sf::RenderStates& states)
{
    drawnTo = true;
    if (mode != modeDeferred) {
        if (sf::RenderTarget* to = drawTarget()) {
            to->draw(drawable, states);
            if (mode == modeTexture) {
                sf::FloatRect bounds;
                if (drawableBounds(drawable, bounds))
                    store_->mark(bounds, states.transform);
                else
                    store_->markAll();
            }
        }
        return;
    }
    DeferredDraw record;
    if (!copyDrawable(drawable, record))
        return; // not a kind that can be copied: dropped
    record.states = states;
    if (CachedShader* shader = registeredProgram(states.shader)) {
        record.shader = shader;
        record.uniforms = shader->cache.values;
    }
    records.push_back(std::move(record));
}

void RenderLayer::drawVertices(const sf::Vertex* vertices, size_t count, sf::PrimitiveType type,
                               const sf::RenderStates& states)
{
    if (mode != modeDeferred) {
        drawnTo = true;
        if (sf::RenderTarget* to = drawTarget()) {
            to->draw(vertices, count, type, states);
            if (mode == modeTexture)
                store_->mark(pointsBounds(count, [&](size_t i) { return vertices[i].position; }), states.transform);
        }
        return;
    }
    VertexArray copy(type);
    for (size_t i = 0; i < count; ++i)
        copy.append(vertices[i]);
    draw(copy, states);
}

void RenderLayer::clear(const sf::Color& colour)
{
    switch (mode) {
    case modePassthrough:
        if (target)
            target->clear(colour);
        break;
    case modeTexture:
        if (sf::RenderTexture* texture = renderTexture()) {
            texture->clear(colour);
            store_->markCleared(colour);
        }
        drawnTo = false;
        break;
    default:
        clearDeferred();
        break;
    }
}

void RenderLayer::clearDeferred()
{
    if (mode == modeDeferred)
        records.clear(); // keeps the capacity for the next frame
}

void RenderLayer::replay(sf::RenderTarget& to)
{
    if (mode == modeDeferred) {
        for (const DeferredDraw& record : records) {
            if (record.shader) {
                for (size_t location = 0; location < record.uniforms.size(); ++location) {
                    const UniformValue& value = record.uniforms[location];
                    if (value.tag >= uniformFloat && value.tag <= uniformCurrentTexture)
                        record.shader->setValue(static_cast<int>(location), value);
                }
            }
            to.draw(*record.drawable, record.states);
        }
    } else if (mode == modeTexture && drawnTo) {
        // Alpha blending into a cleared texture leaves its colours multiplied by their alpha
        // already; composing it with plain alpha blending would darken translucent pixels twice.
        static const sf::BlendMode premultiplied(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha);
        const sf::Sprite* sprite = finishedSprite();
        TextureStore& store = *store_;
        if (!sprite || store.drawn.empty())
            return;
        // Only the drawn parts, mapped as the whole sprite maps them: the same texels land on the
        // same pixels, and the rest would add nothing.
        const sf::Vector2f origin = sprite->getPosition(), scale = sprite->getScale();
        sf::Vertex* v = store.parts;
        for (size_t i = 0; i < store.drawn.size(); ++i) {
            const sf::IntRect& r = store.drawn[i];
            const float u1 = static_cast<float>(r.left), v1 = static_cast<float>(r.top);
            const float u2 = static_cast<float>(r.left + r.width), v2 = static_cast<float>(r.top + r.height);
            const sf::Vector2f p1(origin.x + u1 * scale.x, origin.y + v1 * scale.y);
            const sf::Vector2f p2(origin.x + u2 * scale.x, origin.y + v2 * scale.y);
            *v++ = sf::Vertex(p1, {u1, v1});
            *v++ = sf::Vertex({p2.x, p1.y}, {u2, v1});
            *v++ = sf::Vertex(p2, {u2, v2});
            *v++ = sf::Vertex(p1, {u1, v1});
            *v++ = sf::Vertex(p2, {u2, v2});
            *v++ = sf::Vertex({p1.x, p2.y}, {u1, v2});
        }
        sf::RenderStates states(premultiplied);
        states.texture = &store.texture.getTexture();
        to.draw(store.parts, static_cast<size_t>(v - store.parts), sf::Triangles, states);
    }
}

sf::RenderTexture* RenderLayer::renderTexture()
{
    if (mode != modeTexture)
        return nullptr;
    if (!store_) {
        sf::RenderTarget* display = displayLayer().target;
        if (!display)
            return nullptr; // nothing to size it by before start-up
        store_ = std::make_unique<TextureStore>();
        matchDisplay(display->getSize(), display->getView());
    }
    return &store_->texture;
}

const sf::Sprite* RenderLayer::finishedSprite()
{
    sf::RenderTexture* texture = renderTexture();
    if (!texture)
        return nullptr;
    texture->display();
    // Texels map onto the view the layer was drawn with (the display's), so the composed picture
    // lines up with the display whatever resolution is emulated.
    const sf::View& view = texture->getView();
    sf::Vector2u size = texture->getSize();
    store_->sprite.setPosition(view.getCenter() - view.getSize() / 2.0f);
    store_->sprite.setScale(view.getSize().x / static_cast<float>(size.x), view.getSize().y / static_cast<float>(size.y));
    return &store_->sprite;
}

sf::RenderTarget* RenderLayer::drawTarget()
{
    switch (mode) {
    case modePassthrough:
        return target;
    case modeTexture:
        return renderTexture();
    default:
        return nullptr;
    }
}

void RenderLayer::matchDisplay(sf::Vector2u size, const sf::View& view, bool rebuild)
{
    // A layer's texture is made by its first use (renderTexture), not before: a frame that
    // never draws on it (the menu's night vision, say) should not pay for it.
    if (mode != modeTexture || !store_ || size.x == 0 || size.y == 0)
        return;
    sf::RenderTexture& texture = store_->texture;
    if (rebuild || texture.getSize() != size) {
        if (!texture.create(size.x, size.y, sf::ContextSettings()))
            return;
        // A new texture's pixels are undefined; a light layer that starts transparent or black
        // would black out the first frame it is multiplied onto.
        texture.clear(neutralColour);
        store_->markCleared(neutralColour);
        store_->sprite.setTexture(texture.getTexture(), true);
    }
    const sf::View& current = texture.getView();
    if (current.getCenter() != view.getCenter() || current.getSize() != view.getSize() ||
        current.getViewport() != sf::FloatRect(0, 0, 1, 1)) {
        sf::View full(view.getCenter(), view.getSize());
        texture.setView(full);
    }
}

RenderLayer* getRenderLayer(RenderLayerId id, bool ignoreClip)
{
    if ((layerRedirected && !ignoreClip) || id == layerCurrent)
        return currentRenderLayer;
    if (id >= layerGroundLow && id <= layerThermalImaging)
        return &renderLayers[id - 1];
    return &displayLayer();
}

void drawOnUILayer(const sf::Drawable& drawable)
{
    getRenderLayer(layerUI, false)->draw(drawable);
}

void initRenderLayers()
{
    sf::RenderTarget* window = &*renderWindow;
    currentRenderTarget = window;
    currentDrawOffset = sf::Vector2f(0, 0);
    currentDrawScale = sf::Vector2f(1, 1);
    displayLayer().target = window;
    layerRedirect.target = window;
    currentRenderLayer = &layerRedirect;
    layerRedirected = false;
}

void clearLayer(const sf::Color& colour, RenderLayerId id)
{
    if (colour != sf::Color(0, 0, 0, 0))
        getRenderLayer(id, false)->clear(colour);
    resizeLayerTextures();
}

void resizeLayerTextures()
{
    sf::RenderTarget* display = displayLayer().target;
    // A clip has its own view on a texture layer; it is put back when the clip ends.
    if (!display || openClips > 0)
        return;
    // Render textures made before the window was (re)created draw nothing afterwards (SFML
    // 2.5.1 keeps their frame buffers with the old context): a new window rebuilds them.
    static sf::WindowHandle windowSeen = 0;
    bool rebuild = false;
    if (renderWindow.isBuilt() && renderWindow->isOpen() && renderWindow->getSystemHandle() != windowSeen) {
        windowSeen = renderWindow->getSystemHandle();
        rebuild = true;
    }
    sf::Vector2u size = display->getSize();
    const sf::View& view = display->getView();
    for (RenderLayerId id = layerGroundLow; id <= layerThermalImaging; ++id)
        renderLayers[id - 1].matchDisplay(size, view, rebuild);
}

void drawFullScreenTexture(const sf::Texture& texture)
{
    if (sf::RenderTarget* display = displayLayer().target) {
        const sf::View& view = display->getView();
        sf::Vector2f topLeft = view.getCenter() - view.getSize() / 2.0f;
        drawTexture(topLeft.x, topLeft.y, topLeft.x + view.getSize().x - 1, topLeft.y + view.getSize().y - 1, texture,
                    sf::IntRect());
    }
    resizeLayerTextures();
}

void beginClipRect(RenderLayer* layer, const sf::Vector2f& position, const sf::Vector2f& size, bool localCoordinates)
{
    if (!layer || layer->mode == modeDeferred)
        return;
    if (openClips == maxClipDepth) {
        printError("beginClipRect: clip rectangles nested too deeply");
        return;
    }
    ClipState& saved = clipStack[static_cast<size_t>(openClips++)];
    saved.savedTarget = currentRenderTarget;
    saved.savedLayer = currentRenderLayer;
    saved.savedRedirected = layerRedirected;
    saved.clippedTarget = layer->drawTarget();

    currentRenderLayer = layer;
    layerRedirected = true;
    if (!saved.clippedTarget)
        return;
    saved.savedView = saved.clippedTarget->getView();

    // The viewport is a fraction of the window's view (the layer textures share its size).
    sf::Vector2f whole = renderWindow.isBuilt() && renderWindow->isOpen() ? renderWindow->getView().getSize()
                                                                         : saved.savedView.getSize();
    sf::View clip(localCoordinates ? sf::FloatRect(0, 0, size.x, size.y)
                                   : sf::FloatRect(position.x, position.y, size.x, size.y));
    clip.setViewport(sf::FloatRect(position.x / whole.x, position.y / whole.y, size.x / whole.x, size.y / whole.y));
    saved.clippedTarget->setView(clip);
}

void endClipRect()
{
    if (openClips == 0)
        return;
    ClipState& saved = clipStack[static_cast<size_t>(--openClips)];
    if (saved.clippedTarget) {
        saved.clippedTarget->setView(saved.savedView);
        if (emulatingResolution && renderWindow.isBuilt() && saved.clippedTarget == &*renderWindow)
            KVCore::applyEmulatedView();
    }
    if (currentRenderTarget != saved.savedTarget) {
        currentRenderTarget = saved.savedTarget;
        layerRedirect.target = saved.savedTarget;
    }
    currentRenderLayer = saved.savedLayer;
    layerRedirected = saved.savedRedirected;
}

int clipDepth()
{
    return openClips;
}

} // namespace kv
