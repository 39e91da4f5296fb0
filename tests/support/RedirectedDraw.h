#pragma once
// Runs a world draw with every render layer redirected into one texture, as the world frame does,
// and returns what it drew over the background.
#include "graphics/RenderLayers.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

namespace gametest {

template <typename Draw>
sf::Image drawRedirected(sf::RenderTexture& target, const sf::Color& background, Draw draw)
{
    sf::RenderTarget* window = kv::currentRenderTarget;
    target.clear(background);
    kv::currentRenderTarget = &target;
    kv::layerRedirect.target = &target;
    kv::currentRenderLayer = &kv::layerRedirect;
    kv::layerRedirected = true;
    draw();
    kv::currentRenderTarget = window;
    kv::layerRedirect.target = window;
    kv::layerRedirected = false;
    target.display();
    return target.getTexture().copyToImage();
}

} // namespace gametest
