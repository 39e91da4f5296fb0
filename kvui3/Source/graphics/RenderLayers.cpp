#include "graphics/RenderLayers.h"

#include "core/Framework.h"

namespace kv {

bool layerRedirected = true;

void resizeLayerTextures() {}

void clearDisplayLayer(const sf::Color& colour)
{
    renderWindow->clear(colour);
}

void initRenderLayers()
{
    layerRedirected = false;
}

} // namespace kv

namespace kv {
void drawOnUILayer(const sf::Drawable& drawable)
{
    renderWindow->draw(drawable);
}
}

namespace kv {
void RenderLayer::draw(const sf::Drawable& drawable, const sf::RenderStates& states)
{
    renderWindow->draw(drawable, states);
}

RenderLayer* getRenderLayer(RenderLayerId, bool)
{
    static RenderLayer window;
    return &window;
}
} // namespace kv
