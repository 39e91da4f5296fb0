#pragma once
// The frame on screen read back, and the colour test its pixels are checked with.
#include "app/Compositor.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdlib>

namespace kv::test {

// The frame just shown, as an image.
inline sf::Image shownFrame()
{
    return lastShownFrame().copyToImage();
}

// Channels within tolerance of each other (alpha ignored).
inline bool near(sf::Color a, sf::Color b, int tolerance = 2)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

} // namespace kv::test
