#pragma once
// Start-up loading of the game's assets, and the map list.
#include "core/LazyObject.h"

#include <SFML/Graphics/Texture.hpp>

namespace tvl {
void loadGameAssets();
void clearMapList();

// base\Textures\Water.png and Acid.png: repeated, smooth.
extern kv::LazyObject<sf::Texture> waterTexture;
extern kv::LazyObject<sf::Texture> acidTexture;
}
