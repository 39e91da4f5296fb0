#include "world/GameAssets.h"
namespace tvl {
kv::LazyObject<sf::Texture> waterTexture;
kv::LazyObject<sf::Texture> acidTexture;
void loadGameAssets() {}
void clearMapList() {}
}
