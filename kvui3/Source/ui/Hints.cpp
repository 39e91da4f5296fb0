#include "ui/Hints.h"

namespace kv {

std::vector<Hint> hints;

// Nothing adds hints yet.
void drawHint(const sf::Vector2f&, const sf::Color&, const sf::Color&, const std::string&) {}

} // namespace kv
