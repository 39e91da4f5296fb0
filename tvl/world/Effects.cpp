#include "world/Effects.h"

#include "core/Angle.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Geometry.h"
#include "core/Hash.h"
#include "core/Random.h"
#include "graphics/CachedShader.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "world/GameAssets.h"
#include "world/GameEvents.h"
#include "world/GameSettings.h"
#include "world/GameState.h"
#include "world/Map.h"
#include "world/Particles.h"
#include "world/ShaderParams.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tvl {
std::deque<SmokeParticle> smokeParticles;
std::deque<FireParticle> fireParticles;
std::deque<DebrisParticle> debrisParticles;
std::deque<WildlifeParticle> wildlifeParticles;
std::list<PlantParticle> plantParticles;
std::unordered_map<uint32_t, int> wildlifeCountById;
std::unordered_map<uint32_t, int> plantCountById;
bool plantListReady = false;
int (*effectRandom)() = std::rand;

namespace {

float unit()
{
    return kv::randomFloat(0.0f, 1.0f);
}

float randomRotation()
{
    return unit() * kv::tau;
}

bool skipOneIn(int n)
{
    return effectRandom() % n == 0;
}

template <typename List>
void makeRoom(List& list, size_t cap)
{
    while (list.size() >= cap)
        list.pop_front();
}

uint8_t toByte(float v)
{
    return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f));
}

sf::IntRect wholeTexture(const sf::Texture& texture)
{
    const sf::Vector2u size = texture.getSize();
    return sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
}

// A puff's side at that life: it grows from its base as it ages (fire, whose growth is negative, shrinks).
float puffSide(float life, float growth, float baseSide)
{
    return (256.0f - life) * growth * baseSide * 0.1f + baseSide;
}

bool finiteAll(std::initializer_list<float> values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

bool isDebrisSize(float v)
{
    return v >= 0.0f && v <= maxDebrisSize;
}

// Appends the four corners of a rectangle of half extents half centred on centre (world
// pixels), turned by angle (radians), as target pixels (relative to scroll, times scale).
// topShift moves the two top corners sideways before the turn.
void appendQuad(std::vector<sf::Vertex>& quads, const sf::Vector2f& centre, const sf::Vector2f& half, float angle,
                const sf::IntRect& rect, const sf::Color& colour, const sf::Vector2f& scroll, float scale,
                float topShift = 0.0f)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const sf::Vector2f corners[4] = {{-half.x + topShift, -half.y}, {half.x + topShift, -half.y}, {half.x, half.y},
                                     {-half.x, half.y}};
    const float l = static_cast<float>(rect.left), t = static_cast<float>(rect.top);
    const float r = l + static_cast<float>(rect.width), b = t + static_cast<float>(rect.height);
    const sf::Vector2f tex[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
    for (int i = 0; i < 4; ++i) {
        const sf::Vector2f p(corners[i].x * c - corners[i].y * s, corners[i].x * s + corners[i].y * c);
        quads.emplace_back((centre + p - scroll) * scale, colour, tex[i]);
    }
}

void drawQuads(kv::VertexArray& quads, const sf::Texture& texture)
{
    if (quads.getVertexCount() == 0)
        return;
    sf::RenderStates states(sf::BlendAlpha);
    states.texture = &texture;
    kv::getRenderLayer(kv::layerCurrent)->draw(quads, states);
}

// Empties a family's quads for this frame, keeping their storage.
void emptyQuads(kv::VertexArray& quads)
{
    quads.primitiveType = sf::Quads;
    quads.quadVertices.clear();
}

// A puff texture's reach, read back once for each texture it is drawn with (the effect textures
// are loaded once; a new texture or size reads it again).
struct PuffTexture {
    unsigned handle = 0;
    sf::Vector2u size;
    PuffReach reach;
};

const PuffReach& reachOf(PuffTexture& known, const sf::Texture& texture)
{
    if (known.handle != texture.getNativeHandle() || known.size != texture.getSize()) {
        known.handle = texture.getNativeHandle();
        known.size = texture.getSize();
        const sf::Image image = texture.copyToImage();
        const uint8_t* pixels = image.getPixelsPtr();
        if (!pixels || image.getSize() != known.size) {
            // Unread, every texel may show: whole quads, as before any cut.
            std::fill(std::begin(known.reach.reach), std::end(known.reach.reach), 2.0f);
            known.reach.reach[0] = -1.0f;
            return known.reach;
        }
        std::vector<uint8_t> alpha(static_cast<size_t>(known.size.x) * known.size.y);
        for (size_t i = 0; i < alpha.size(); ++i)
            alpha[i] = pixels[i * 4 + 3];
        known.reach = puffReach(alpha.data(), known.size.x, known.size.y);
    }
    return known.reach;
}

// Appends as triangles the part of a puff that can show (see puffOutline), placed as appendQuad
// places the whole quad; nothing when no part of it can show.
void appendPuff(sf::VertexArray& triangles, const sf::Vector2f& centre, const sf::Vector2f& half, float angle,
                const sf::IntRect& rect, const sf::Color& colour, const PuffReach& reach, const sf::Vector2f& scroll,
                float scale)
{
    const float farthest = reach.reach[colour.a];
    const sf::Vector2f side(2 * half.x * scale, 2 * half.y * scale); // target pixels
    if (farthest < 0 || !(side.x > 0) || !(side.y > 0) || rect.width <= 0 || rect.height <= 0)
        return;
    // A pixel's sample reads the texels within one of it, and when the puff is drawn smaller than
    // its texture the mipmap levels reach farther: about three texels for each a pixel spans.
    const float w = static_cast<float>(rect.width), h = static_cast<float>(rect.height);
    const float r = farthest + std::hypot((1 + 6 * w / side.x) / (w / 2), (1 + 6 * h / side.y) / (h / 2));
    sf::Vector2f outline[8];
    int count = 8;
    if (r >= std::sqrt(2.0f)) {
        const sf::Vector2f whole[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        std::copy(std::begin(whole), std::end(whole), outline);
        count = 4;
    } else {
        puffOutline(r, outline);
    }
    const float c = std::cos(angle), s = std::sin(angle);
    const auto corner = [&](const sf::Vector2f& uv) {
        const sf::Vector2f local(uv.x * half.x, uv.y * half.y);
        const sf::Vector2f p(local.x * c - local.y * s, local.x * s + local.y * c);
        const sf::Vector2f tex(static_cast<float>(rect.left) + (uv.x + 1) * 0.5f * w,
                               static_cast<float>(rect.top) + (uv.y + 1) * 0.5f * h);
        return sf::Vertex((centre + p - scroll) * scale, colour, tex);
    };
    if (count == 4) {
        // As a quad is split: (P, Q, R), (S, P, R).
        const sf::Vertex p = corner(outline[0]), r2 = corner(outline[2]);
        for (const sf::Vertex& v : {p, corner(outline[1]), r2, corner(outline[3]), p, r2})
            triangles.append(v);
        return;
    }
    const sf::Vertex first = corner(outline[0]);
    sf::Vertex previous = corner(outline[1]);
    for (int i = 2; i < count; ++i) {
        const sf::Vertex next = corner(outline[i]);
        triangles.append(first);
        triangles.append(previous);
        triangles.append(next);
        previous = next;
    }
}

// Smoke, fire and debris share their drawing. Each shows its whole texture, cut to the part
// that can show at its alpha (a large, faint puff is mostly clear texels); the rectangle is
// taken here, not at the spawn, so that spawning never touches a texture (and GL).
template <typename List>
void drawPuffs(List& puffs, kv::VertexArray& triangles, const sf::Texture& texture, PuffTexture& known)
{
    const WorldView& view = worldView;
    const sf::IntRect whole = wholeTexture(texture);
    const PuffReach& reach = reachOf(known, texture);
    triangles.primitiveType = sf::Triangles;
    triangles.vertices.setPrimitiveType(sf::Triangles);
    triangles.vertices.clear();
    for (auto& p : puffs)
        if (p.delay < 1) {
            p.textureRect = whole;
            appendPuff(triangles.vertices, p.position, p.size * 0.5f, p.rotation, p.textureRect, p.colour, reach,
                       view.scroll, view.worldRenderScale);
        }
    drawQuads(triangles, texture);
}

sf::Vector2f wind()
{
    return *getWindVector();
}

float programSeconds()
{
    return kv::programClock.getElapsedTime().asSeconds();
}

// The counts are recounted in place: clearing the map would free and make its nodes every frame.
void zeroCounts(std::unordered_map<uint32_t, int>& counts)
{
    for (auto& entry : counts)
        entry.second = 0;
}

const WildlifeDefinition* findWildlife(uint32_t id)
{
    auto it = wildlifeDefinitionIndex.find(id);
    return it == wildlifeDefinitionIndex.end() ? nullptr : &wildlifeDefinitions[it->second];
}

const PlantDefinition* findPlant(uint32_t id)
{
    auto it = plantDefinitionIndex.find(id);
    return it == plantDefinitionIndex.end() ? nullptr : &plantDefinitions[it->second];
}

const sf::IntRect& frameRect(const std::vector<ParticleFrame>& frames, int16_t frame)
{
    static const sf::IntRect none;
    if (frames.empty())
        return none;
    return frames[frame >= 0 && static_cast<size_t>(frame) < frames.size() ? frame : 0].rect;
}

void reportDebris(const sf::Vector2f& position, const sf::Vector2f& velocity, const sf::Vector2f& size,
                  const sf::Vector2f& maxSize, const sf::Color& colour, float growthRate, float alphaScale)
{
    GameEvent event;
    event.type = GameEventType::Debris;
    event.x = position.x;
    event.y = position.y;
    event.vx = velocity.x;
    event.vy = velocity.y;
    event.debrisSize = size;
    event.debrisMaxSize = maxSize;
    event.debrisColour = colour;
    event.debrisGrowthRate = growthRate;
    event.debrisAlphaScale = alphaScale;
    reportEvent(event);
}

} // namespace

// --- Plain rules ---

kv::RenderLayerId fireLayerForHeight(float height)
{
    if (height >= 10.0f)
        return kv::layerAir;
    if (height >= 2.0f)
        return kv::layerGroundHigh;
    if (height >= 0.0f)
        return kv::layerGround;
    return kv::layerGroundLow;
}

float puffLifeLoss(float fade, float u, float dt)
{
    return (fade + u * fade) * 30.0f * dt;
}

bool debrisFieldsSound(const sf::Vector2f& position, const sf::Vector2f& velocity, const sf::Vector2f& size,
                       const sf::Vector2f& maxSize, float growthRate, float alphaScale)
{
    return finiteAll({position.x, position.y, velocity.x, velocity.y, growthRate, alphaScale}) &&
           isDebrisSize(size.x) && isDebrisSize(size.y) && isDebrisSize(maxSize.x) && isDebrisSize(maxSize.y) &&
           maxSize.x > 0.0f;
}

uint32_t effectSizeSeed(float x, uint32_t definitionId)
{
    // Positions lie on the map; anything else is brought to 0 rather than converted undefined.
    const bool usable = std::isfinite(x) && std::fabs(x) < 2.0e9f;
    const uint32_t whole = usable ? static_cast<uint32_t>(static_cast<int32_t>(x)) : 0u;
    return whole + definitionId + mapNoiseSeed;
}

sf::Vector2f seededEffectSize(const sf::IntRect& firstFrame, float minScale, float maxScale, bool uniformScale,
                              uint32_t seed)
{
    const float span = maxScale - minScale;
    const float scale = minScale + span * kv::randomFloat(0.0f, 1.0f, true, seed - 10000u);
    const float heightScale =
        uniformScale ? scale : minScale + span * kv::randomFloat(0.0f, 1.0f, true, seed - 20000u);
    return {static_cast<float>(firstFrame.width) * scale, static_cast<float>(firstFrame.height) * heightScale};
}

bool advanceEffectFrame(int16_t& frame, float& frameTime, const std::vector<ParticleFrame>& frames, float now)
{
    if (frames.size() < 2 || frame < 0 || static_cast<size_t>(frame) >= frames.size())
        return false;
    const float duration = frames[frame].duration;
    if (!(duration > 0.0f) || now < frameTime + duration)
        return false;
    frame = static_cast<int16_t>(static_cast<size_t>(frame) + 1 < frames.size() ? frame + 1 : 0);
    frameTime = now;
    return true;
}

float plantSwayStrength(float windSpeed)
{
    const float k = windSpeed / 33.0f;
    return k > 0.0f ? std::min(k, 1.0f) : 0.0f;
}

void advanceSwayPhase(PlantParticle& plant, float k, float dt)
{
    const float step = k * dt * 20.0f;
    if (plant.swayRising) {
        plant.swayPhase += step;
        if (plant.swayPhase >= 1.0f) {
            plant.swayPhase = 1.0f;
            plant.swayRising = false;
        }
    } else {
        plant.swayPhase -= step;
        if (plant.swayPhase <= 0.0f) {
            plant.swayPhase = 0.0f;
            plant.swayRising = true;
        }
    }
}

// --- Lists ---

PuffReach puffReach(const uint8_t* alpha, unsigned width, unsigned height)
{
    PuffReach out;
    std::fill(std::begin(out.reach), std::end(out.reach), -1.0f);
    if (!alpha || width == 0 || height == 0)
        return out;
    // Each texel first shows from the puff alpha p with a x p >= 128; the farthest of those from
    // each p, then carried up to every higher alpha.
    const float hw = static_cast<float>(width) / 2, hh = static_cast<float>(height) / 2;
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x) {
            const unsigned a = alpha[static_cast<size_t>(y) * width + x];
            const unsigned from = a ? (128 + a - 1) / a : 256;
            if (from > 255)
                continue;
            const float d = std::hypot((static_cast<float>(x) + 0.5f - hw) / hw, (static_cast<float>(y) + 0.5f - hh) / hh);
            out.reach[from] = std::max(out.reach[from], d);
        }
    for (size_t p = 1; p < 256; ++p)
        out.reach[p] = std::max(out.reach[p], out.reach[p - 1]);
    return out;
}

void puffOutline(float r, sf::Vector2f corners[8])
{
    // Inside the quad's edges and |u| + |v| <= r sqrt 2, which the disc touches on the diagonals.
    const float b = std::clamp(r, 0.0f, 1.0f);
    const float c = std::min(std::max(r, 0.0f) * std::sqrt(2.0f), 2 * b) - b;
    const sf::Vector2f outline[8] = {{b, -c}, {b, c}, {c, b}, {-c, b}, {-b, c}, {-b, -c}, {-c, -b}, {c, -b}};
    std::copy(std::begin(outline), std::end(outline), corners);
}

void clearPlants() { plantParticles.clear(); }

int wildlifeCount(uint32_t id)
{
    auto it = wildlifeCountById.find(id);
    return it == wildlifeCountById.end() ? 0 : it->second;
}

void clearEffects()
{
    smokeParticles.clear();
    fireParticles.clear();
    debrisParticles.clear();
    wildlifeParticles.clear();
    clearPlants();
    wildlifeCountById.clear();
    plantCountById.clear();
}

// --- Smoke ---

void spawnSmoke(const sf::Vector2f* position, const sf::Vector2f* velocity, const sf::Vector2f* size,
                const sf::Color* colour, float growth, float fade, float alphaScale)
{
    if (!position || !velocity || !size || !colour)
        return;
    makeRoom(smokeParticles, maxSmokeParticles);
    if (skipOneIn(20))
        return;
    SmokeParticle& p = smokeParticles.emplace_back();
    p.position = *position;
    p.rotation = randomRotation();
    p.velocity = *velocity * (0.8f + 0.4f * unit());
    p.size = p.baseSize = *size;
    p.growth = growth * (0.7f + 0.6f * unit());
    p.fade = std::max(0.01f, fade) * (0.8f + 0.4f * unit());
    p.alphaScale = alphaScale;
    p.colour = *colour;
    p.life = 255.0f - 64.0f * unit();
    p.delay = 1;
}

void updateSmoke(float dt)
{
    const sf::Vector2f w = wind();
    for (size_t i = smokeParticles.size(); i-- > 0;) {
        SmokeParticle& p = smokeParticles[i];
        p.position += (w * 1.2f + p.velocity) * 16.0f * dt;
        if (p.delay > 0 && --p.delay > 0)
            continue;
        p.life -= puffLifeLoss(p.fade, unit(), dt);
        const float side = puffSide(p.life, p.growth, p.baseSize.x);
        if (!(p.life > 1.0f) || !(side >= 1.0f)) {
            smokeParticles.erase(smokeParticles.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        p.colour.a = toByte(p.life * p.alphaScale);
        p.size = {side, side};
    }
}

void drawSmoke()
{
    static kv::VertexArray triangles;
    static PuffTexture known;
    drawPuffs(smokeParticles, triangles, *smokeTexture, known);
}

// --- Fire ---

void spawnFire(const sf::Vector2f* position, float height, const sf::Vector2f* size)
{
    if (!position || !size)
        return;
    makeRoom(fireParticles, maxFireParticles);
    if (skipOneIn(10))
        return;
    FireParticle& p = fireParticles.emplace_back();
    p.layer = fireLayerForHeight(height);
    p.position = *position;
    p.rotation = randomRotation();
    p.colour = sf::Color(255, static_cast<uint8_t>(kv::randomInt(0, 255)), static_cast<uint8_t>(kv::randomInt(0, 64)),
                         255);
    p.growth = -0.04f - 0.06f * unit();
    p.fade = 4.0f + 2.0f * unit();
    p.life = 255.0f - 64.0f * unit();
    p.delay = 1;
    p.size = {size->x * (0.75f + 0.25f * unit()), size->y * (0.75f + 0.25f * unit())};
    p.baseSize = p.size;
    const float scale = worldView.worldRenderScale;
    p.light.enabled = true;
    p.light.visible = true;
    p.light.halfWidth = p.size.x * scale;
    p.light.halfHeight = p.size.y * scale;
    p.light.colour = p.colour;
    p.light.buildQuad();
}

void updateFire(float dt)
{
    const sf::Vector2f w = wind();
    const float scale = worldView.worldRenderScale;
    for (size_t i = fireParticles.size(); i-- > 0;) {
        FireParticle& p = fireParticles[i];
        p.position += w * (p.size.x * 0.08f) * 16.0f * dt;
        if (p.delay > 0 && --p.delay > 0)
            continue;
        p.life -= puffLifeLoss(p.fade, unit(), dt);
        const float side = puffSide(p.life, p.growth, p.baseSize.x);
        if (!(p.life > 1.0f) || !(side >= 1.0f)) {
            fireParticles.erase(fireParticles.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        p.colour.a = toByte(p.life * 0.75f);
        p.size = {side, side};
        p.light.halfWidth = p.light.halfHeight = side * scale;
        p.light.buildQuad();
    }
}

void drawFire()
{
    static kv::VertexArray triangles;
    static PuffTexture known;
    drawPuffs(fireParticles, triangles, *fireTexture, known);
    const WorldView& view = worldView;
    // The light's size is in world-texture pixels already; the submit maps it onto the window.
    const sf::Vector2f toWindow(1.0f / kv::currentDrawScale.x, 1.0f / kv::currentDrawScale.y);
    for (FireParticle& p : fireParticles)
        if (p.delay < 1)
            p.light.submit(p.layer, worldToTexture(p.position, view.scroll, view.worldRenderScale), 0.0f, toWindow);
}

// --- Debris ---

void spawnDebris(const sf::Vector2f* position, const sf::Vector2f* velocity, const sf::Vector2f* size,
                 const sf::Vector2f* maxSize, const sf::Color* colour, float growthRate, float alphaScale, bool relay)
{
    if (!position || !velocity || !size || !maxSize || !colour ||
        !debrisFieldsSound(*position, *velocity, *size, *maxSize, growthRate, alphaScale))
        return;
    const bool network = game.gameType == MultiplayerGame && netRole != NoNetRole;
    if (relay && network && netRole != ServerRole) {
        reportDebris(*position, *velocity, *size, *maxSize, *colour, growthRate, alphaScale);
        return;
    }
    makeRoom(debrisParticles, maxDebrisParticles);
    DebrisParticle& p = debrisParticles.emplace_back();
    p.position = *position;
    p.rotation = randomRotation();
    p.velocity = *velocity * (0.8f + 0.4f * unit());
    p.size = p.baseSize = *size;
    p.maxSize = *maxSize;
    p.colour = *colour;
    p.growthRate = growthRate;
    p.alphaScale = alphaScale;
    p.life = 255.0f;
    p.delay = 1;
    if (relay && network)
        reportDebris(*position, *velocity, *size, *maxSize, *colour, growthRate, alphaScale);
}

void updateDebris(float dt)
{
    for (size_t i = debrisParticles.size(); i-- > 0;) {
        DebrisParticle& p = debrisParticles[i];
        p.position += p.velocity * 16.0f * dt;
        if (p.delay > 0 && --p.delay > 0)
            continue;
        p.life = (1.0f - p.size.x / p.maxSize.x) * 256.0f;
        const float side = p.size.x + p.growthRate * dt;
        // Written so that a NaN life or side removes the debris too.
        if (!(p.life > 1.0f) || !(side >= 1.0f)) {
            debrisParticles.erase(debrisParticles.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        p.colour.a = toByte(p.life * p.alphaScale);
        p.size = {side, side};
    }
}

void drawDebris()
{
    static kv::VertexArray triangles, light;
    static PuffTexture known;
    drawPuffs(debrisParticles, triangles, *pulseTexture, known);
    const size_t count = triangles.vertices.getVertexCount();
    if (count == 0)
        return;
    // The same triangles light the dark: the lighting layer is in window coordinates.
    light.primitiveType = sf::Triangles;
    light.vertices.setPrimitiveType(sf::Triangles);
    light.vertices.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const sf::Vertex& v = triangles.vertices[i];
        sf::Vertex& mapped = light.vertices[i];
        mapped = v;
        mapped.position = {v.position.x / kv::currentDrawScale.x + kv::currentDrawOffset.x,
                           v.position.y / kv::currentDrawScale.y + kv::currentDrawOffset.y};
    }
    static sf::RenderStates states(sf::BlendAlpha);
    states.texture = &*pulseTexture;
    addLightEffectVertices(light, false, &states);
}

// --- Wildlife ---

void spawnWildlife(const sf::Vector2f* position, uint32_t definitionId)
{
    const WildlifeDefinition* d = findWildlife(definitionId);
    if (!position || !d || d->frames.empty())
        return;
    makeRoom(wildlifeParticles, maxWildlifeParticles);
    if (skipOneIn(20))
        return;
    WildlifeParticle& p = wildlifeParticles.emplace_back();
    p.definition = d;
    p.id = definitionId;
    const sf::Vector2f size = seededEffectSize(d->frames[0].rect, d->minScale, d->maxScale, d->uniformScale,
                                               effectSizeSeed(position->x, definitionId));
    p.width = size.x;
    p.height = size.y;
    p.position = *position;
    p.angle = p.targetAngle = randomRotation();
    p.colour = d->colour;
    p.colour.a = 0;
    p.speed = kv::randomFloat(d->minSpeed, d->maxSpeed);
    p.lifetime = kv::randomFloat(d->minLifetime, d->maxLifetime);
}

void updateWildlife(float dt)
{
    zeroCounts(wildlifeCountById);
    const WorldView& view = worldView;
    const sf::FloatRect visible = visibleWorldRect(view.scroll, view.pixelSize, view.worldRenderScale);
    const sf::FloatRect near(visible.left - 100.0f, visible.top - 100.0f, visible.width + 200.0f,
                             visible.height + 200.0f);
    const sf::Vector2f centre(visible.left + visible.width * 0.5f, visible.top + visible.height * 0.5f);
    const sf::Vector2f w = wind();
    const float now = programSeconds();
    const bool ticked = kv::pollerTicked;
    const float tick = kv::pollerTickSeconds;
    for (size_t i = wildlifeParticles.size(); i-- > 0;) {
        WildlifeParticle& p = wildlifeParticles[i];
        const WildlifeDefinition& d = *p.definition;
        ++wildlifeCountById[p.id];
        advanceEffectFrame(p.frame, p.frameTime, d.frames, now);
        if (ticked) {
            p.offscreenTime = near.contains(p.position) ? 0.0f : p.offscreenTime + tick;
            if (d.randomAngleChance > 0.0f && unit() < d.randomAngleChance)
                p.targetAngle = randomRotation();
            if (d.turnSpeed != 0.0f) {
                bool down = false, up = false;
                p.angle = kv::turnTowards(kv::radians(p.angle), kv::radians(p.targetAngle), d.turnSpeed * tick, down,
                                          up)
                              .asRadians();
            }
        }
        const sf::Vector2f heading(std::sin(p.angle), -std::cos(p.angle));
        p.position += (heading * (p.speed * 0.0625f * dt) + w * (d.windInfluence * dt)) * 16.0f;
        p.fade = p.lifetime > 1.0f ? std::min(1.0f, p.fade + dt) : std::max(0.0f, p.fade - dt);
        p.colour.a = toByte(p.fade * d.alpha * 255.0f);
        const sf::Vector2f fromCentre = p.position - centre;
        if (std::hypot(fromCentre.x, fromCentre.y) > 1000.0f)
            p.lifetime = std::min(p.lifetime, 1.0f);
        if (p.offscreenTime > 3.0f)
            p.lifetime = 0.0f;
        p.lifetime -= dt;
        if (p.lifetime < 0.0f)
            wildlifeParticles.erase(wildlifeParticles.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void drawWildlife(bool airPass, bool shadowPass)
{
    static kv::VertexArray quads;
    static const uint32_t water = kv::hashName("Water");
    const WorldView& view = worldView;
    kv::ShaderSlot& shadow = kv::getShaderSlot(kv::shaderSpriteShadow);
    if (shadowPass && !shadow.loaded)
        return;
    emptyQuads(quads);
    const sf::Vector2f offset = shadowPass ? sf::Vector2f(10.0f, 10.0f) : sf::Vector2f(0.0f, 0.0f);
    for (const WildlifeParticle& p : wildlifeParticles) {
        const WildlifeDefinition& d = *p.definition;
        if ((d.medium == ParticleMedium::air) != airPass || (shadowPass && !d.castShadow))
            continue;
        if (d.medium == ParticleMedium::water && tileMaterialAtWorld(&p.position)->name.hash != water)
            continue;
        appendQuad(quads.quadVertices, p.position + offset, {p.width * 0.5f, p.height * 0.5f}, p.angle,
                   frameRect(d.frames, p.frame), p.colour, view.scroll, view.worldRenderScale);
    }
    if (!shadowPass) {
        drawQuads(quads, *wildlifeTexture);
        return;
    }
    if (quads.quadVertices.empty())
        return;
    sf::RenderStates states(shadow.shader);
    states.texture = &*wildlifeTexture;
    shaderParams::setCurrentTexture(*shadow.shader, kv::shaderUniforms::SpriteShadow::texture);
    kv::getRenderLayer(kv::layerCurrent)->draw(quads, states);
}

// --- Plants ---

void spawnPlant(const sf::Vector2f* position, uint32_t definitionId)
{
    if (!position || plantParticles.size() >= maxPlantParticles)
        return;
    if (!(position->x >= 0.0f && position->x < mapWorldSize.x && position->y >= 0.0f &&
          position->y < mapWorldSize.y))
        return;
    const PlantDefinition* d = findPlant(definitionId);
    if (!d || d->frames.empty())
        return;
    const uint32_t seed = effectSizeSeed(position->x, definitionId);
    const sf::Vector2f size = seededEffectSize(d->frames[0].rect, d->minScale, d->maxScale, d->uniformScale, seed);
    PlantParticle& p = plantParticles.emplace_back();
    p.definition = d;
    p.id = definitionId;
    p.width = size.x;
    p.height = size.y;
    p.position = {position->x, position->y - size.y * 0.5f};
    p.colour = d->colour;
    p.colour.a = 0;
    p.angle = d->randomiseAngle ? kv::randomFloat(0.0f, kv::tau, true, seed + 15000u) : 0.0f;
    p.swayPhase = unit();
    p.swayRising = kv::randomInt(0, 1) == 1;
    p.swayLeftEdge = kv::randomInt(0, 1) == 1;
}

void updatePlants(float dt)
{
    zeroCounts(plantCountById);
    const float now = programSeconds();
    for (PlantParticle& p : plantParticles) {
        const PlantDefinition& d = *p.definition;
        ++plantCountById[p.id];
        advanceEffectFrame(p.frame, p.frameTime, d.frames, now);
        p.fade = p.fadingOut ? std::max(0.0f, p.fade - 2.0f * dt) : std::min(1.0f, p.fade + 2.0f * dt);
        p.colour.a = toByte(p.fade * d.alpha * 255.0f);
    }
}

bool plantReaches(const PlantParticle& plant, float topShift, const sf::FloatRect& rect)
{
    // No corner lies farther from the centre than this, however the plant is turned.
    const float reach = std::hypot(plant.width * 0.5f + std::fabs(topShift), plant.height * 0.5f);
    return plant.position.x + reach > rect.left && plant.position.x - reach < rect.left + rect.width &&
           plant.position.y + reach > rect.top && plant.position.y - reach < rect.top + rect.height;
}

void drawPlants(float dt, bool underwaterPass, const sf::Vector2f* scroll, float scale)
{
    static kv::VertexArray quads;
    if (!scroll)
        return;
    emptyQuads(quads);
    // The ground around the view is planted too, but only the view and the pixel around it that
    // smoothing reads are ever shown.
    const WorldView& view = worldView;
    const sf::Vector2f shown(static_cast<float>(view.pixelSize.x) / view.worldRenderScale,
                             static_cast<float>(view.pixelSize.y) / view.worldRenderScale);
    const sf::FloatRect visible(view.scroll.x - 2.0f, view.scroll.y - 2.0f, shown.x + 4.0f, shown.y + 4.0f);
    const float k = gameSettings.plantsWind ? plantSwayStrength(windSpeed) : 0.0f;
    for (PlantParticle& p : plantParticles) {
        const PlantDefinition& d = *p.definition;
        if (!(p.fade > 0.0f) || d.underwater != underwaterPass)
            continue;
        float shift = 0.0f;
        if (k > 0.0f && d.windInfluence > 0.0f && p.width > 0.0f) {
            advanceSwayPhase(p, k, dt);
            const float amplitude = d.windInfluence * p.width * 2.0f * k;
            shift = amplitude * p.swayPhase * (p.swayLeftEdge ? -1.0f : 1.0f);
        }
        if (!plantReaches(p, shift, visible))
            continue;
        appendQuad(quads.quadVertices, p.position, {p.width * 0.5f, p.height * 0.5f}, p.angle,
                   frameRect(d.frames, p.frame), p.colour, *scroll, scale, shift);
    }
    drawQuads(quads, *plantsTexture);
}
} // namespace tvl
