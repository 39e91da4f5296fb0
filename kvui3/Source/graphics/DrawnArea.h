#pragma once
// The parts of a texture layer drawn since it was last cleared to transparent black, as a few
// disjoint rectangles of texels. The compositor draws only these: the rest of the texture is
// transparent black and would compose to nothing. Rectangles that overlap are joined, so no texel
// is composed twice.
#include <SFML/Graphics/Rect.hpp>

#include <array>
#include <cstddef>

namespace kv {

class DrawnArea {
public:
    static constexpr size_t maxParts = 8;

    // Nothing drawn.
    void clear() { count_ = 0; }
    // The whole of a texture of width x height.
    void all(int width, int height);
    // Adds rect (texels); an empty one adds nothing. Overlapping or touching parts are joined;
    // past maxParts the new one joins the part that grows least by it.
    void add(sf::IntRect rect);

    size_t size() const { return count_; }
    const sf::IntRect& operator[](size_t i) const { return parts_[i]; }
    bool empty() const { return count_ == 0; }

private:
    std::array<sf::IntRect, maxParts> parts_{};
    size_t count_ = 0;
};

} // namespace kv
