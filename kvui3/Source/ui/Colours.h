#pragma once
// The framework's fixed colours (the themed ones are the cl* colours of core/Theme.h).
#include <SFML/Graphics/Color.hpp>

namespace kv {

inline const sf::Color colourBlack(0, 0, 0, 255);
inline const sf::Color colourWhite(255, 255, 255, 255);
inline const sf::Color colourGrey(151, 151, 151, 255);
inline const sf::Color colourGreen(0, 255, 0, 255);

} // namespace kv
