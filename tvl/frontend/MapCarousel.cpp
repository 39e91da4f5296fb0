#include "frontend/MapCarousel.h"

#include "core/Paths.h"
#include "world/Map.h"

#include <algorithm>

namespace tvl {

int prevMap(int index, int count)
{
    if (count <= 0)
        return 0;
    return index <= 0 || index >= count ? count - 1 : index - 1;
}

int nextMap(int index, int count)
{
    if (count <= 0)
        return 0;
    return index < 0 || index >= count - 1 ? 0 : index + 1;
}

sf::Vector2f fitPreview(sf::Vector2u imageSize, sf::Vector2f viewSize)
{
    if (imageSize.x == 0 || imageSize.y == 0)
        return {0, 0};
    const float roomX = std::max(viewSize.x - 350.0f, 0.0f);
    const float roomY = std::max(viewSize.y - 320.0f, 0.0f);
    const sf::Vector2f size(static_cast<float>(imageSize.x), static_cast<float>(imageSize.y));
    if (size.x <= roomX && size.y <= roomY)
        return size;
    const float scale = std::min(roomX / size.x, roomY / size.y);
    return {size.x * scale, size.y * scale};
}

std::string previewPath(const std::string& mapFilename)
{
    return kv::changeExtension(mapFolder + mapFilename, ".png");
}

std::string mapInfoLine(unsigned width, unsigned height, const std::string& musicFilename,
                        const std::string& defaultMusic)
{
    std::string music = musicFilename.empty() ? defaultMusic : musicFilename;
    const size_t dot = music.rfind('.');
    if (dot != std::string::npos)
        music.erase(dot);
    return "Size: " + std::to_string(width) + " by " + std::to_string(height) + " | Music: " + music;
}

std::string skillName(int skillLevel)
{
    switch (skillLevel) {
    case 0: return "Easy";
    case 1: return "Normal";
    case 2: return "Hard";
    default: return "Unknown";
    }
}

int wheelStep(float wheelDelta)
{
    if (wheelDelta > 0)
        return -1;
    if (wheelDelta < 0)
        return 1;
    return 0;
}

void stepHighlight(float& level, bool& rising, float dt)
{
    level += (rising ? 1.5f : -1.5f) * dt;
    if (level >= 1.0f) {
        level = 1.0f;
        rising = false;
    } else if (level <= 0.0f) {
        level = 0.0f;
        rising = true;
    }
}

} // namespace tvl
