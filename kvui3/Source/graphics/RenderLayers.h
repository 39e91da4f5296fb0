#pragma once
// The render layers that every frame is composed from.
#include <SFML/Graphics/Color.hpp>

namespace kv {

extern bool layerRedirected;

// Makes the layer textures match the window; every frame loop calls it first.
void resizeLayerTextures();
// Clears the layer the frame is drawn into (the display layer) with colour.
void clearDisplayLayer(const sf::Color& colour);
// Points drawing at the window; start-up calls it once the window exists.
void initRenderLayers();

} // namespace kv

namespace sf {
class Drawable;
}
namespace kv {
// Draws on layerUI, or on the current layer while layerRedirected is set.
void drawOnUILayer(const sf::Drawable& drawable);
}

#include <SFML/Graphics/RenderStates.hpp>

#include <cstdint>
namespace kv {
// The least of the layer table that drawing on a layer needs until the layers exist: every
// layer draws on the window.
using RenderLayerId = uint32_t;
constexpr RenderLayerId layerUI = 6;
class RenderLayer {
public:
    void draw(const sf::Drawable& drawable, const sf::RenderStates& states = sf::RenderStates::Default);
};
RenderLayer* getRenderLayer(RenderLayerId id, bool ignoreClip = false);
} // namespace kv
