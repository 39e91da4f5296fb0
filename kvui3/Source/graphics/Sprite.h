#pragma once
// The framework's sprite type: an sf::Sprite that can be held and deleted through the base.
#include <SFML/Graphics/Sprite.hpp>

namespace kv {

class sfSprite : public sf::Sprite {
public:
    using sf::Sprite::Sprite;
    sfSprite() = default;
    virtual ~sfSprite() = default;
};

} // namespace kv
