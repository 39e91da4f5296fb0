#include "world/Minimap.h"

#include "core/Framework.h"
#include "world/Map.h"
#include "world/Tileset.h"

#include <algorithm>
#include <vector>

namespace tvl {

sf::Image minimapImage;
MinimapLayout minimapLayout;
bool minimapImageChanged = false;

MinimapLayout minimapLayoutFor(int w, int h, sf::Vector2f view)
{
    MinimapLayout layout;
    if (w <= 0 || h <= 0)
        return layout;
    if (view.x >= float(w) * 16.0f && view.y >= float(h) * 16.0f) {
        layout.size = sf::Vector2u(unsigned(w), unsigned(h));
    } else {
        float s = std::min(view.x / float(w), view.y / float(h));
        layout.size = sf::Vector2u(unsigned(std::max(0.0f, s * float(w))),
                                   unsigned(std::max(0.0f, s * float(h))));
    }
    layout.pixelsPerTile =
        sf::Vector2f(float(layout.size.x) / float(w), float(layout.size.y) / float(h));
    return layout;
}

void buildMinimap()
{
    sf::Vector2f view = mapWorldSize;
    if (kv::frameworkInitialised && kv::renderWindow.isBuilt() && kv::renderWindow->isOpen())
        view = kv::renderWindow->getView().getSize();
    minimapLayout = minimapLayoutFor(mapWidth, mapHeight, view);
    const MinimapLayout& l = minimapLayout;

    std::vector<sf::Uint8> pixels(std::size_t(l.size.x) * l.size.y * 4);
    for (unsigned py = 0; py < l.size.y; py++) {
        int ty = std::min(int(float(py) / l.pixelsPerTile.y), mapHeight - 1);
        for (unsigned px = 0; px < l.size.x; px++) {
            int tx = std::min(int(float(px) / l.pixelsPerTile.x), mapWidth - 1);
            uint16_t index = mapTiles[std::size_t(ty) * mapWidth + tx];
            const sf::Color& c = tileMinimapColours[index < tileCount ? index : 0];
            sf::Uint8* p = &pixels[(std::size_t(py) * l.size.x + px) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
    if (pixels.empty())
        minimapImage.create(0, 0);
    else
        minimapImage.create(l.size.x, l.size.y, pixels.data());
    minimapImageChanged = true;
}

} // namespace tvl
