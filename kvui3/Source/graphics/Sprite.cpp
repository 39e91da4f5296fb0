#include "graphics/Sprite.h"

#include "graphics/Textures.h"

#include <SFML/Graphics/RenderTarget.hpp>

namespace kv {

sfSprite::sfSprite()
{
    if (const sf::Texture* fallback = InternalTextures::findDefaultTexture())
        setTexture(*fallback, true);
}

void sfSprite::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    // sf::Sprite's own draw is private: draw a plain copy, which dispatches to it.
    sf::Sprite plain(*this);
    if (!plain.getTexture()) {
        if (const sf::Texture* fallback = InternalTextures::getDefaultTexture())
            plain.setTexture(*fallback, true);
    }
    target.draw(plain, states);
}

} // namespace kv
