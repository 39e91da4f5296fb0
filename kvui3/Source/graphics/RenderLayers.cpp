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
