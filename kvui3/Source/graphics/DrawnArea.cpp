#include "graphics/DrawnArea.h"

#include <algorithm>
#include <cstdint>

namespace kv {

namespace {

sf::IntRect joined(const sf::IntRect& a, const sf::IntRect& b)
{
    const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    const int right = std::max(a.left + a.width, b.left + b.width);
    const int bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}

// Sharing a texel or an edge.
bool meet(const sf::IntRect& a, const sf::IntRect& b)
{
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height &&
           b.top <= a.top + a.height;
}

int64_t area(const sf::IntRect& r)
{
    return static_cast<int64_t>(r.width) * r.height;
}

} // namespace

void DrawnArea::all(int width, int height)
{
    count_ = 0;
    add({0, 0, width, height});
}

void DrawnArea::add(sf::IntRect rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    // A join may reach parts the new rectangle did not: join until none meets it.
    for (bool grown = true; grown;) {
        grown = false;
        for (size_t i = 0; i < count_; ++i) {
            if (meet(parts_[i], rect)) {
                rect = joined(parts_[i], rect);
                parts_[i] = parts_[--count_];
                grown = true;
                break;
            }
        }
    }
    if (count_ < maxParts) {
        parts_[count_++] = rect;
        return;
    }
    size_t best = 0;
    int64_t leastGrowth = INT64_MAX;
    for (size_t i = 0; i < count_; ++i) {
        const int64_t growth = area(joined(parts_[i], rect)) - area(parts_[i]);
        if (growth < leastGrowth) {
            leastGrowth = growth;
            best = i;
        }
    }
    const sf::IntRect merged = joined(parts_[best], rect);
    parts_[best] = parts_[--count_];
    add(merged);
}

} // namespace kv
