#include "graphics/Textures.h"

namespace kv::InternalTextures {
bool loadTextures()
{
    return true;
}
void unloadTextures() {}
} // namespace kv::InternalTextures

namespace kv::Icons {
sf::Sprite getIcon(int)
{
    return sf::Sprite();
}
} // namespace kv::Icons
