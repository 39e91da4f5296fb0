#pragma once
// The render layers that every frame is composed from. Everything the program draws goes to
// one of eleven layers named by RenderLayerId; the compositor (displayFrame) replays and composes
// them into the display in a fixed order, so world, lighting, user interface and effects stack
// the same whatever order the game draws them in.
//
// A layer is one of three modes:
// - Passthrough: draws go straight to `target` (dropped while it is null).
// - Texture: draws go into the layer's own render texture, sized to the display and given the
//   display's view, so a texture layer is drawn in the same coordinates as the display and is
//   composed over the whole view.
// - Deferred: copies of the drawables are recorded with their states (and, for a draw with one
//   of the registry's programs, a snapshot of that program's uniform values) and replayed later.
//   Recorded copies keep raw texture and font pointers: only draw resources on a Deferred layer
//   that live at least until the frame is composed.
#include "graphics/CachedShader.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <vector>

namespace sf {
class Drawable;
class RenderTarget;
class RenderTexture;
class Sprite;
class Texture;
class View;
} // namespace sf

namespace kv {

using RenderLayerId = uint32_t;

constexpr RenderLayerId layerCurrent = 0; // whatever currentRenderLayer points to
constexpr RenderLayerId layerDisplay = 1; // the window itself
constexpr RenderLayerId layerGroundLow = 2;
constexpr RenderLayerId layerGround = 3;
constexpr RenderLayerId layerGroundHigh = 4;
constexpr RenderLayerId layerAir = 5;
constexpr RenderLayerId layerUI = 6;
constexpr RenderLayerId layerUILighting = 7;
constexpr RenderLayerId layerLighting = 8;
constexpr RenderLayerId layerLightEffects = 9;
constexpr RenderLayerId layerNightVision = 10;
constexpr RenderLayerId layerThermalImaging = 11;
constexpr int renderLayerCount = 11;

enum RenderLayerMode : uint32_t { modePassthrough = 0, modeTexture = 1, modeDeferred = 2 };

// What a deferred record holds a copy of.
enum DeferredKind : uint8_t {
    deferredCircleShape = 0,
    deferredConvexShape = 1,
    deferredRectangleShape = 2,
    deferredSprite = 3,
    deferredText = 4,
    deferredVertexArray = 5, // kv::VertexArray
};

struct DeferredDraw {
    uint8_t kind = 0;
    std::unique_ptr<sf::Drawable> drawable;
    sf::RenderStates states;
    std::vector<UniformValue> uniforms; // the shader's value cache at the moment of the draw
    CachedShader* shader = nullptr;     // whose snapshot that is; null without one
};

class RenderLayer {
public:
    RenderLayer(uint32_t mode, const char* name, sf::Color neutralColour = sf::Color(0, 0, 0, 0));
    ~RenderLayer();
    RenderLayer(const RenderLayer&) = delete;
    RenderLayer& operator=(const RenderLayer&) = delete;

    uint32_t mode;
    const char* name;
    bool drawnTo = false;                // set by every draw; a Texture layer's clear resets it
    sf::Color neutralColour;             // Texture only: what a new or resized texture holds
    sf::RenderTarget* target = nullptr;  // Passthrough only
    std::vector<DeferredDraw> records;   // Deferred only

    void draw(const sf::Drawable& drawable, const sf::RenderStates& states = sf::RenderStates::Default);
    // Deferred layers record a kv::VertexArray copy (sf::Quads kept as quads).
    void drawVertices(const sf::Vertex* vertices, size_t count, sf::PrimitiveType type,
                      const sf::RenderStates& states = sf::RenderStates::Default);
    // Passthrough clears its target; Texture clears its texture and drawnTo; Deferred drops
    // its records.
    void clear(const sf::Color& colour);
    void clearDeferred();
    // Passthrough: nothing. Deferred: every record in order, each with the uniform values it was
    // recorded with. Texture, only when drawnTo: the finished texture over the target's view,
    // in one draw of the parts drawn since the last clear to transparent black (the rest would
    // add nothing). The layer keeps its content.
    void replay(sf::RenderTarget& target);

    // Texture only: the render texture (created at the display's size on first use), else null.
    sf::RenderTexture* renderTexture();
    // Texture only: finishes the render texture and returns the sprite that shows it over the
    // view the layer was drawn with; null for other modes.
    const sf::Sprite* finishedSprite();
    // Where draws go now: the target, the render texture, or null (Deferred).
    sf::RenderTarget* drawTarget();

    // Makes the render texture, once it exists, match size and view (Texture only); rebuild
    // makes a new one even at the same size. A new texture is cleared to neutralColour. Used
    // once per frame.
    void matchDisplay(sf::Vector2u size, const sf::View& view, bool rebuild = false);

private:
    struct TextureStore;
    std::unique_ptr<TextureStore> store_;
};

// The layers by id (index 0 is layer 1) and the redirect layer, which has no id: a Passthrough
// layer that the world view points at its texture while it draws.
extern RenderLayer renderLayers[renderLayerCount];
extern RenderLayer layerRedirect;

// Current-target state, switched together.
extern RenderLayer* currentRenderLayer;
extern bool layerRedirected;
extern sf::RenderTarget* currentRenderTarget;
extern sf::Vector2f currentDrawOffset;
extern sf::Vector2f currentDrawScale;

// While layerRedirected is set and ignoreClip is false every id gives currentRenderLayer;
// otherwise 0 gives currentRenderLayer, 2..11 that layer and any other id layerDisplay.
RenderLayer* getRenderLayer(RenderLayerId id, bool ignoreClip = false);

// Draws on layerUI, or on the current layer while layerRedirected is set.
void drawOnUILayer(const sf::Drawable& drawable);

// Start-up, once the window exists: the window becomes the current target and the target of
// layerDisplay and layerRedirect; draw offset (0,0), scale (1,1); no redirection.
void initRenderLayers();

// Clears layer id with colour, except that (0,0,0,0) clears nothing; then resizeLayerTextures.
void clearLayer(const sf::Color& colour, RenderLayerId id);
// Keeps every Texture layer that has its texture at the size and view of layerDisplay's target
// (the window); every frame loop calls it before drawing. Does nothing while layerDisplay has
// no target.
void resizeLayerTextures();
// The whole texture stretched over the view on layerDisplay (modal dialogs' backdrop), then
// resizeLayerTextures.
void drawFullScreenTexture(const sf::Texture& texture);

// Redirects every draw (ids through getRenderLayer(id, false)) into layer, clipped to the
// rectangle at position with size (view units). localCoordinates puts the rectangle's top-left
// at (0,0) of what is drawn. Only for Passthrough and Texture layers (a Deferred layer, or one
// without a target, is left alone). Clips nest up to maxClipDepth; a deeper begin is refused
// with an error. Every accepted begin needs its endClipRect.
constexpr int maxClipDepth = 8;
void beginClipRect(RenderLayer* layer, const sf::Vector2f& position, const sf::Vector2f& size, bool localCoordinates);
// Restores the state of the matching begin: the clipped target's view, currentRenderTarget (and
// layerRedirect's target with it), currentRenderLayer and layerRedirected. Without an open clip
// it does nothing.
void endClipRect();
// Open clips (0 outside any).
int clipDepth();

// The "Render Layer Debug" tool window; the compositor builds it while the flag is set.
extern bool renderLayerDebugOpen;
void drawRenderLayerDebug();

} // namespace kv
