#include "world/Minimap.h"

#include "core/Angle.h"
#include "core/Framework.h"
#include "core/LazyObject.h"
#include "core/Messages.h"
#include "graphics/Sprite.h"
#include "world/HudBatch.h"
#include "world/Map.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cmath>

namespace tvl {

sf::Image minimapImage;
MinimapLayout minimapLayout;
bool minimapImageChanged = false;
std::vector<MinimapMarker> minimapMarkers;

namespace {

constexpr float tilesPerWorldPixel = 1.0f / 16.0f;

struct MinimapDrawing {
    sf::Texture texture;
    kv::sfSprite sprite;
    sf::RectangleShape rectangle;
    sf::CircleShape triangle{32.0f, 3};
};
kv::LazyObject<MinimapDrawing> drawing;

} // namespace

MinimapLayout minimapLayoutFor(int w, int h, sf::Vector2f view)
{
    MinimapLayout layout;
    if (w <= 0 || h <= 0)
        return layout;
    if (view.x >= float(w) * 16.0f && view.y >= float(h) * 16.0f) {
        layout.size = sf::Vector2u(unsigned(w), unsigned(h));
    } else {
        float s = std::min(view.x / float(w), view.y / float(h));
        if (!(s > 0.0f)) // a NaN view as well
            return layout;
        layout.size = sf::Vector2u(unsigned(s * float(w)), unsigned(s * float(h)));
    }
    layout.pixelsPerTile =
        sf::Vector2f(float(layout.size.x) / float(w), float(layout.size.y) / float(h));
    return layout;
}

void buildMinimap()
{
    sf::Vector2f view = mapWorldSize;
    if (kv::renderWindow.isBuilt() && kv::renderWindow->isOpen())
        view = kv::renderWindow->getView().getSize();
    if (mapWidth <= 0 || mapHeight <= 0
        || mapTiles.size() < std::size_t(mapWidth) * std::size_t(mapHeight)) {
        kv::printWarning("buildMinimap: the map has no tiles");
        minimapLayout = MinimapLayout();
    } else {
        minimapLayout = minimapLayoutFor(mapWidth, mapHeight, view);
    }
    paintMinimap();
}

void paintMinimap()
{
    const MinimapLayout& l = minimapLayout;
    minimapImageChanged = true;
    if (l.size.x == 0 || l.size.y == 0 || !(l.pixelsPerTile.x > 0.0f) || !(l.pixelsPerTile.y > 0.0f)) {
        minimapImage = sf::Image();
        return;
    }
    // Painted into one buffer and handed over whole: every pixel is written once.
    std::vector<sf::Uint8> pixels(std::size_t(l.size.x) * l.size.y * 4);
    for (unsigned py = 0; py < l.size.y; py++) {
        const int ty = std::min(int(float(py) / l.pixelsPerTile.y), mapHeight - 1);
        for (unsigned px = 0; px < l.size.x; px++) {
            const int tx = std::min(int(float(px) / l.pixelsPerTile.x), mapWidth - 1);
            const uint16_t index = mapTiles[std::size_t(ty) * mapWidth + tx];
            const sf::Color& c = tileMinimapColours[index < tileCount ? index : 0];
            sf::Uint8* p = &pixels[(std::size_t(py) * l.size.x + px) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
    minimapImage.create(l.size.x, l.size.y, pixels.data());
}

void addMinimapMarker(int kind, const sf::Vector2f* position, const sf::Vector2f* size,
                      const float* angle, const uint8_t* colour)
{
    MinimapMarker marker;
    marker.kind = kind;
    marker.colour = sf::Color(colour[0], colour[1], colour[2], 255);
    marker.angle = *angle;
    marker.x = position->x;
    marker.y = position->y;
    marker.width = size->x;
    marker.height = size->y;
    minimapMarkers.push_back(marker);
}

MinimapMarkerPlace minimapMarkerPlace(const MinimapMarker& marker, sf::Vector2f mapPosition,
                                      sf::Vector2f pixelsPerTile)
{
    const sf::Vector2f scale = pixelsPerTile * tilesPerWorldPixel;
    MinimapMarkerPlace place;
    place.centre = mapPosition + sf::Vector2f(marker.x * scale.x, marker.y * scale.y);
    place.size = sf::Vector2f(std::max(1.0f, marker.width * scale.x), std::max(1.0f, marker.height * scale.y));
    return place;
}

void drawMinimap(sf::Vector2f position, HudBatch& batch)
{
    MinimapDrawing& d = *drawing;
    if (minimapImageChanged) {
        minimapImageChanged = false;
        const sf::Vector2u size = minimapImage.getSize();
        if (size.x > 0 && size.y > 0 && d.texture.loadFromImage(minimapImage))
            d.sprite.setTexture(d.texture, true);
        else
            d.sprite = kv::sfSprite();
        d.rectangle = sf::RectangleShape();
        d.triangle = sf::CircleShape(32.0f, 3);
    }
    const sf::Vector2u mapSize = minimapImage.getSize();
    if (mapSize.x > 0 && mapSize.y > 0) {
        d.sprite.setPosition(position);
        d.sprite.setColor(sf::Color::White);
        batch.addSprite(d.sprite);
    }

    const sf::Vector2f ppt = minimapLayout.pixelsPerTile;
    for (const MinimapMarker& marker : minimapMarkers) {
        const MinimapMarkerPlace place = minimapMarkerPlace(marker, position, ppt);
        sf::Shape* shape = nullptr;
        if (marker.kind == 1) {
            const float radius = std::max(place.size.x, place.size.y) * 0.5f;
            d.triangle.setRadius(radius);
            d.triangle.setOrigin(radius, radius);
            shape = &d.triangle;
        } else {
            d.rectangle.setSize(place.size);
            d.rectangle.setOrigin(place.size * 0.5f);
            shape = &d.rectangle;
        }
        shape->setPosition(place.centre);
        shape->setRotation(marker.angle * kv::radiansToDegrees);
        shape->setFillColor(marker.colour);
        batch.addShape(*shape);
    }

    const sf::Vector2f size(float(mapSize.x), float(mapSize.y));
    batch.addRect(position, size, sf::Color(255, 255, 255, 128), false, 1.0f);

    const sf::Vector2f scale = ppt * tilesPerWorldPixel;
    const sf::FloatRect visible =
        visibleWorldRect(worldView.scroll, worldView.pixelSize, worldView.worldRenderScale);
    batch.addRect(position + sf::Vector2f(visible.left * scale.x, visible.top * scale.y),
                  sf::Vector2f(visible.width * scale.x, visible.height * scale.y), sf::Color(32, 255, 0, 128), false,
                  2.0f);
}

} // namespace tvl
