#pragma once
// The framework's sprite type: an sf::Sprite that can be held and deleted through the base and
// always shows a texture. One built without a texture takes the default internal texture: at
// once when it exists, otherwise when it is first drawn, so that no sprite creates a GL object
// before the window exists.
#include <SFML/Graphics/Sprite.hpp>

namespace kv {

class sfSprite : public sf::Sprite {
public:
    sfSprite();
    explicit sfSprite(const sf::Texture& texture) : sf::Sprite(texture) {}
    sfSprite(const sf::Texture& texture, const sf::IntRect& rectangle) : sf::Sprite(texture, rectangle) {}
    virtual ~sfSprite() = default;
    sfSprite(const sfSprite&) = default;
    sfSprite& operator=(const sfSprite&) = default;
    // From a plain sprite (an icon, a copy through the base).
    sfSprite(const sf::Sprite& sprite) : sf::Sprite(sprite) {}

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace kv
