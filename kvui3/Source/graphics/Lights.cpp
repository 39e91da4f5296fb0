#include "graphics/Lights.h"

#include "core/FrameUpdate.h"
#include "core/Time.h"
#include "graphics/CachedShader.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "platform/Clock.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/View.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kv {

float ambientLightLevel = 1.0f;
LightTiming lightTiming;

namespace {

constexpr float twoPi = 6.2831853f;
constexpr float pi = 3.14159265f;
constexpr uint64_t randomFlickerMilliseconds = 200; // five changes a second at most

// [0, 2 pi)
float wrapPositive(float radians)
{
    float wrapped = std::fmod(radians, twoPi);
    if (wrapped < 0)
        wrapped += twoPi;
    return wrapped < twoPi ? wrapped : 0.0f;
}

// [-pi, pi)
float wrapSigned(float radians)
{
    return wrapPositive(radians + pi) - pi;
}

int lightRandom()
{
    return lightTiming.random ? lightTiming.random() : std::rand();
}

// A queue that keeps its elements between frames, so that queuing reuses their storage
// instead of allocating again every frame.
template <class T> struct Queue {
    std::vector<T> items;
    size_t count = 0;

    T* push()
    {
        if (count >= maxQueuedPerGroup)
            return nullptr;
        if (count == items.size())
            items.emplace_back();
        return &items[count++];
    }
    std::span<const T> view() const { return {items.data(), count}; }
};

struct Group {
    Queue<QueuedLight> lights;
    Queue<QueuedLightEffect> effects;
    Queue<QueuedLightSprite> sprites;
};

constexpr size_t groupCount = layerThermalImaging + 1;
Group groups[groupCount];

Group* findGroup(RenderLayerId group)
{
    return group < groupCount ? &groups[group] : nullptr;
}

const sf::Color opaqueBlack(0, 0, 0, 255);

// What the pass keeps between frames: the scratch texture a group's layer is replayed into.
struct PassState {
    sf::RenderTexture scratch;
    sfSprite scratchSprite;
};

PassState& passState()
{
    // Made on first use, inside a frame, never by a global constructor (it needs GL).
    static PassState* state = new PassState;
    return *state;
}

// The Light program's uniform locations, looked up in each pass (a reload may move them).
struct LightUniforms {
    int lightPos, lightAngle, lightSize, lightType, lightEmission, lightColour, lightAlpha;

    explicit LightUniforms(CachedShader& shader)
    {
        namespace U = shaderUniforms::Light;
        lightPos = shader.getUniformLocation(U::lightPos.name);
        lightAngle = shader.getUniformLocation(U::lightAngle.name);
        lightSize = shader.getUniformLocation(U::lightSize.name);
        lightType = shader.getUniformLocation(U::lightType.name);
        lightEmission = shader.getUniformLocation(U::lightEmission.name);
        lightColour = shader.getUniformLocation(U::lightColour.name);
        lightAlpha = shader.getUniformLocation(U::lightAlpha.name);
    }
    // A program that takes lightAlpha reads each light from its vertices, so that a group's
    // lights of one kind are one draw; any other is given the light's uniforms light by light.
    bool batched() const { return lightAlpha >= 0; }
};

void setColour(CachedShader& shader, int location, const sf::Color& colour, float alphaFactor)
{
    const float value[4] = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f,
                            colour.a / 255.0f * alphaFactor};
    shader.setUniform4f(location, value);
}

// Where the pass draws. lighting is multiplied over the picture, effects added to it (the light
// effects layer, or the display itself); a null side is left out. Light added to a white
// lighting layer that only light has been added to changes nothing, so it is not drawn.
struct LightTargets {
    RenderLayer* lighting = nullptr;
    RenderLayer* effects = nullptr;
    bool lightingWhite = false; // the lighting layer is white and only light was added to it
};

// The lights of a group that the batched program draws in one call: those of one kind, on one
// side, at one share of their alpha.
struct LightBatch {
    bool onEffects = false;
    float alpha = 0;
    int type = 0;
    float emission = 0;
    std::vector<sf::Vertex> triangles;
};

// Kept between frames so that a steady frame does not allocate; the first batchesInUse count.
std::vector<LightBatch> lightBatches;
size_t batchesInUse = 0;

std::vector<sf::Vertex>& batchFor(bool onEffects, float alpha, int type, float emission)
{
    for (size_t i = 0; i < batchesInUse; ++i) {
        LightBatch& batch = lightBatches[i];
        if (batch.onEffects == onEffects && batch.alpha == alpha && batch.type == type && batch.emission == emission)
            return batch.triangles;
    }
    if (batchesInUse == lightBatches.size())
        lightBatches.emplace_back();
    LightBatch& batch = lightBatches[batchesInUse++];
    batch.onEffects = onEffects;
    batch.alpha = alpha;
    batch.type = type;
    batch.emission = emission;
    batch.triangles.clear();
    return batch.triangles;
}

// The light's quad as triangles in the light's colour, each corner carrying as texture
// coordinates its place in the light's own frame (turned back by the light's angle, divided by
// its half size): the per-light program works that out for every pixel, and as it is linear
// over the quad the corners give the same values.
void appendLight(std::vector<sf::Vertex>& triangles, const QueuedLight& queued)
{
    // A light's quad is a quad list (buildQuad's, or its owner's when preTransformed).
    if (queued.quad.primitiveType != sf::Quads)
        return;
    const LightSource& light = queued.light;
    const float c = std::cos(queued.angle), s = std::sin(queued.angle);
    const sf::Vector2f size(std::max(light.halfWidth * queued.scale.x, 0.001f),
                            std::max(light.halfHeight * queued.scale.y, 0.001f));
    const auto corner = [&](const sf::Vertex& v) {
        const sf::Vector2f d = v.position - queued.position;
        return sf::Vertex(v.position, light.colour, {(c * d.x + s * d.y) / size.x, (c * d.y - s * d.x) / size.y});
    };
    const std::vector<sf::Vertex>& quads = queued.quad.quadVertices;
    for (size_t q = 0; q + 4 <= quads.size(); q += 4) {
        const sf::Vertex p = corner(quads[q]), r = corner(quads[q + 2]);
        triangles.insert(triangles.end(), {p, corner(quads[q + 1]), r, corner(quads[q + 3]), p, r});
    }
}

void drawGroupLights(const Group& group, CachedShader& shader, const LightUniforms& u, LightTargets& to)
{
    for (const QueuedLightEffect& effect : group.effects.view()) {
        RenderLayer* layer = effect.onLightEffects ? to.effects : to.lighting;
        if (!layer)
            continue;
        layer->draw(effect.vertices, effect.states);
        if (!effect.onLightEffects)
            to.lightingWhite = false;
    }
    if (to.effects)
        for (const QueuedLightSprite& sprite : group.sprites.view())
            to.effects->draw(sprite.sprite, sprite.states);

    const float ambient = ambientLightLevel;
    const bool night = ambient < 0.5f;
    RenderLayer* lighting = to.lightingWhite ? nullptr : to.lighting;
    sf::RenderStates states(sf::BlendAdd);
    states.shader = &shader;
    if (u.batched()) {
        batchesInUse = 0;
        for (const QueuedLight& queued : group.lights.view()) {
            const LightSource& light = queued.light;
            const int type = static_cast<int>(light.lightType);
            if (lighting && (night || !light.glowByDay))
                appendLight(batchFor(false, light.glowByDay ? 1.0f - ambient : 1.0f, type, light.emission), queued);
            if (to.effects && light.glowByDay)
                appendLight(batchFor(true, ambient, type, light.emission), queued);
        }
        // Added light is the same sum in any order, so the batches need not keep the queue's.
        for (size_t i = 0; i < batchesInUse; ++i) {
            const LightBatch& batch = lightBatches[i];
            if (batch.triangles.empty())
                continue;
            shader.setUniform1i(u.lightType, batch.type);
            shader.setUniform1f(u.lightEmission, batch.emission);
            shader.setUniform1f(u.lightAlpha, batch.alpha);
            (batch.onEffects ? to.effects : lighting)
                ->drawVertices(batch.triangles.data(), batch.triangles.size(), sf::Triangles, states);
        }
        return;
    }
    for (const QueuedLight& queued : group.lights.view()) {
        const LightSource& light = queued.light;
        const bool onLighting = lighting && (night || !light.glowByDay);
        const bool onEffects = to.effects && light.glowByDay;
        if (!onLighting && !onEffects)
            continue;
        shader.setUniform2f(u.lightPos, queued.position);
        shader.setUniform1f(u.lightAngle, queued.angle * 57.295776f);
        shader.setUniform2f(u.lightSize, {light.halfWidth * queued.scale.x, light.halfHeight * queued.scale.y});
        shader.setUniform1i(u.lightType, static_cast<int>(light.lightType));
        shader.setUniform1f(u.lightEmission, light.emission);
        if (onLighting) {
            setColour(shader, u.lightColour, light.colour, light.glowByDay ? 1.0f - ambient : 1.0f);
            lighting->draw(queued.quad, states);
        }
        if (onEffects) {
            setColour(shader, u.lightColour, light.colour, ambient);
            to.effects->draw(queued.quad, states);
        }
    }
}

// Whether a ground group's layer holds anything to mask with this frame. A deferred layer keeps
// drawnTo once it is set, but without records it replays as a transparent picture, which covers
// nothing.
bool holdsDrawing(const RenderLayer& layer)
{
    return layer.mode == modeDeferred ? !layer.records.empty() : layer.drawnTo;
}

bool anyGroundLayerDrawn()
{
    for (RenderLayerId id = layerGroundLow; id <= layerGroundHigh; ++id)
        if (holdsDrawing(*getRenderLayer(id, true)))
            return true;
    return false;
}

// Whether the additive side can be drawn straight onto the display, after the lighting layer is
// multiplied on: added light on opaque black, added to the display, is the same sum added to the
// display directly (every draw adds its rounded share and saturates), and a full-window pass is
// saved. That holds while everything queued for the side adds, no mask will darken it, nothing
// else drew on the light effects layer, and its texels are the display's pixels.
bool addsOntoDisplay(RenderLayer& onto, RenderLayer& effects)
{
    sf::RenderTarget* target = onto.drawTarget();
    const sf::RenderTexture* layer = effects.renderTexture();
    if (!target || !layer || effects.drawnTo || anyGroundLayerDrawn())
        return false;
    const sf::View& view = target->getView();
    const sf::View& layerView = layer->getView();
    const sf::Vector2u size = target->getSize();
    if (layer->getSize() != size || view.getViewport() != sf::FloatRect(0, 0, 1, 1) ||
        view.getSize() != sf::Vector2f(static_cast<float>(size.x), static_cast<float>(size.y)) ||
        layerView.getCenter() != view.getCenter() || layerView.getSize() != view.getSize())
        return false;
    for (const Group& group : groups)
        for (const QueuedLightEffect& effect : group.effects.view())
            if (effect.onLightEffects && effect.states.blendMode != sf::BlendAdd)
                return false;
    return true;
}

// What stands on a ground group covers the lights of that group and those below it: the
// group's layer is replayed into the scratch texture and written over both light layers as
// the ambient level and as black.
void maskByLayer(RenderLayerId id, const sf::View& view, LightTargets& to)
{
    RenderLayer& layer = *getRenderLayer(id, true);
    ShaderSlot& slot = getShaderSlot(shaderLighting);
    if (!holdsDrawing(layer) || !slot.loaded || !slot.shader)
        return;
    PassState& pass = passState();
    const sf::Vector2u size(static_cast<unsigned>(view.getSize().x), static_cast<unsigned>(view.getSize().y));
    if (size.x == 0 || size.y == 0)
        return;
    if (pass.scratch.getSize() != size) {
        if (!pass.scratch.create(size.x, size.y))
            return;
        pass.scratchSprite.setTexture(pass.scratch.getTexture(), true);
    }
    pass.scratch.setView(sf::View(view.getCenter(), view.getSize()));
    pass.scratch.clear(sf::Color::Transparent);
    layer.replay(pass.scratch);
    pass.scratch.display();
    pass.scratchSprite.setPosition(view.getCenter() - view.getSize() / 2.0f);

    namespace U = shaderUniforms::Lighting;
    CachedShader& shader = *slot.shader;
    shader.setUniformCurrentTexture(shader.getUniformLocation(U::texture.name));
    const int level = shader.getUniformLocation(U::lightLevel.name);
    const sf::RenderStates states(&shader);
    shader.setUniform1f(level, ambientLightLevel);
    to.lighting->draw(pass.scratchSprite, states);
    to.lightingWhite = false;
    if (to.effects) {
        shader.setUniform1f(level, 0.0f);
        to.effects->draw(pass.scratchSprite, states);
    }
}

// In daylight, with no light queued and nothing drawn on the light layers, the pass would
// multiply the picture by white and add black to it: two full-window passes that change nothing.
bool lightingChangesPicture(const RenderLayer& lighting, const RenderLayer& effects)
{
    if (lighting.drawnTo || effects.drawnTo || neutralLightingColour() != sf::Color::White)
        return true;
    for (const Group& group : groups)
        if (group.lights.count != 0 || group.effects.count != 0 || group.sprites.count != 0)
            return true;
    return false;
}

constexpr RenderLayerId groupOrder[] = {layerGroundLow, layerGround, layerGroundHigh, layerAir, layerDisplay};

void drawLightLayers()
{
    ShaderSlot& slot = getShaderSlot(shaderLight);
    if (!slot.loaded || !slot.shader)
        return;
    RenderLayer& lighting = *getRenderLayer(layerLighting, true);
    RenderLayer& effects = *getRenderLayer(layerLightEffects, true);
    const sf::RenderTexture* texture = lighting.renderTexture();
    if (!texture || texture->getSize().x == 0 || texture->getSize().y == 0 || !effects.renderTexture() ||
        !lightingChangesPicture(lighting, effects))
        return;
    // A change of the ambient level shows in this frame already, not one frame later.
    const sf::Color neutral = neutralLightingColour();
    if (lighting.neutralColour != neutral) {
        lighting.neutralColour = neutral;
        lighting.clear(neutral);
    }

    CachedShader& shader = *slot.shader;
    const LightUniforms uniforms(shader);
    const sf::View& view = texture->getView();
    RenderLayer& onto = *getRenderLayer(layerDisplay, false);
    const bool direct = addsOntoDisplay(onto, effects);
    LightTargets to{&lighting, direct ? nullptr : &effects, neutral == sf::Color::White && !lighting.drawnTo};
    for (RenderLayerId id : groupOrder) {
        drawGroupLights(groups[id], shader, uniforms, to);
        if (id >= layerGroundLow && id <= layerGroundHigh)
            maskByLayer(id, view, to);
    }

    // A lighting layer still at its neutral colour is a constant, and white multiplies nothing.
    if (lighting.drawnTo || neutral != sf::Color::White)
        if (const sf::Sprite* sprite = lighting.finishedSprite())
            onto.draw(*sprite, sf::RenderStates(sf::BlendMultiply));
    if (lighting.drawnTo)
        lighting.clear(neutral);
    if (direct) {
        LightTargets added{nullptr, &onto, false};
        for (RenderLayerId id : groupOrder)
            drawGroupLights(groups[id], shader, uniforms, added);
    } else if (effects.drawnTo) {
        if (const sf::Sprite* sprite = effects.finishedSprite())
            onto.draw(*sprite, sf::RenderStates(sf::BlendAdd));
        effects.clear(opaqueBlack);
    }
}

} // namespace

uint64_t lightClockMilliseconds()
{
    if (lightTiming.milliseconds)
        return lightTiming.milliseconds();
    return static_cast<uint64_t>(steadySeconds() * 1000.0);
}

LightSource::LightSource() : clockStart(lightClockMilliseconds()) {}

void LightSource::buildQuad()
{
    preTransformed = false;
    // In place: fires resize their light every frame, which must not allocate.
    quad.primitiveType = sf::Quads;
    quad.resize(4);
    const sf::Vector2f corners[4] = {
        {0, 0}, {2 * halfWidth, 0}, {2 * halfWidth, 2 * halfHeight}, {0, 2 * halfHeight}};
    for (int i = 0; i < 4; ++i)
        quad[i] = sf::Vertex(corners[i], sf::Color::Transparent, corners[i]);
}

void LightSource::updateFlicker(float dt)
{
    if (!enabled || lastFrame == lightTiming.frame)
        return;
    lastFrame = lightTiming.frame;
    if (rotationSpeed != 0)
        rotation = wrapPositive(rotation + rotationSpeed * 20.0f * dt * 0.017453292f);
    switch (flickerMode) {
    case 0:
        lit = true;
        break;
    case 1:
        lit = getAnimationFrame(2, lightClockMilliseconds()) != 0;
        break;
    case 2: {
        const uint64_t now = lightClockMilliseconds();
        if (now - clockStart >= randomFlickerMilliseconds) {
            clockStart = now;
            lit = (lightRandom() & 1) != 0;
        }
        break;
    }
    case 3:
        lit = (getAnimationFrame(6, lightClockMilliseconds()) & 1) != 0;
        break;
    default:
        break;
    }
}

void LightSource::submit(RenderLayerId group, const sf::Vector2f& position, const float& submitAngle,
                         const sf::Vector2f& scale)
{
    if (!enabled || (nightOnly && ambientLightLevel >= 0.5f))
        return;
    const sf::Vector2f target(position.x / currentDrawScale.x + currentDrawOffset.x,
                              position.y / currentDrawScale.y + currentDrawOffset.y);
    screenPosition = target;
    angle = submitAngle;
    const float total = wrapSigned(rotation + submitAngle);
    submitLight(group, *this, target, total, scale);
}

void submitLight(RenderLayerId group, LightSource& light, const sf::Vector2f& targetPosition, const float& angle,
                 const sf::Vector2f& scale)
{
    light.updateFlicker(frameTime);
    if (!light.enabled || !light.visible || !light.lit)
        return;
    Group* queues = findGroup(group);
    QueuedLight* queued = queues ? queues->lights.push() : nullptr;
    if (!queued)
        return;
    queued->light = light;
    queued->position = targetPosition;
    queued->angle = angle;
    queued->scale = scale;
    queued->quad = light.quad;
    if (light.preTransformed)
        return;
    sf::Transformable placing;
    placing.setOrigin(light.halfWidth, light.halfHeight);
    placing.setPosition(targetPosition);
    placing.setRotation(angle * 57.2957795f); // SFML 2.5 turns by degrees
    placing.setScale(scale);
    const sf::Transform& transform = placing.getTransform();
    for (size_t i = 0; i < queued->quad.getVertexCount(); ++i)
        queued->quad[i].position = transform.transformPoint(queued->quad[i].position);
}

void addLightEffectVertices(const VertexArray& vertices, bool onLightEffects, const sf::RenderStates* states)
{
    QueuedLightEffect* queued = groups[lightEffectGroup].effects.push();
    if (!queued)
        return;
    queued->vertices = vertices;
    queued->states = states ? *states : sf::RenderStates(sf::BlendAdd);
    queued->onLightEffects = onLightEffects;
}

void addLightEffectSprite(const sf::Sprite& sprite)
{
    QueuedLightSprite* queued = groups[lightEffectGroup].sprites.push();
    if (!queued)
        return;
    static_cast<sf::Sprite&>(queued->sprite) = sprite;
    queued->states = sf::RenderStates(sf::BlendAdd);
}

std::span<const QueuedLight> queuedLights(RenderLayerId group)
{
    const Group* queues = findGroup(group);
    return queues ? queues->lights.view() : std::span<const QueuedLight>();
}

std::span<const QueuedLightEffect> queuedLightEffects(RenderLayerId group)
{
    const Group* queues = findGroup(group);
    return queues ? queues->effects.view() : std::span<const QueuedLightEffect>();
}

std::span<const QueuedLightSprite> queuedLightSprites(RenderLayerId group)
{
    const Group* queues = findGroup(group);
    return queues ? queues->sprites.view() : std::span<const QueuedLightSprite>();
}

void clearLightQueues()
{
    for (Group& group : groups) {
        group.lights.count = 0;
        group.effects.count = 0;
        group.sprites.count = 0;
    }
}

void lightingPass(float)
{
    drawLightLayers();
    clearLightQueues();
    if (++lightTiming.frame == 0) // 0 is what a light that never stepped holds
        lightTiming.frame = 1;
}

sf::Color neutralLightingColour()
{
    const float level = ambientLightLevel;
    const float clamped = level > 0.0f ? (level < 1.0f ? level : 1.0f) : 0.0f;
    const auto a = static_cast<uint8_t>(clamped * 255.0f);
    return sf::Color(a, a, a, 255);
}

void resetLighting()
{
    ambientLightLevel = 1.0f;
    clearLightQueues();
    RenderLayer& lighting = *getRenderLayer(layerLighting, true);
    lighting.neutralColour = neutralLightingColour();
    lighting.clear(lighting.neutralColour);
    getRenderLayer(layerLightEffects, true)->clear(opaqueBlack);
}

} // namespace kv
