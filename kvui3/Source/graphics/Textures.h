#pragma once
// Internal textures of the user interface and the 256-icon sheet.
#include <SFML/Graphics/Sprite.hpp>

namespace kv::InternalTextures {
bool loadTextures();
void unloadTextures();
} // namespace kv::InternalTextures

namespace kv::Icons {
// A sprite showing icon number (0..255) of the icon sheet.
sf::Sprite getIcon(int number);
} // namespace kv::Icons
