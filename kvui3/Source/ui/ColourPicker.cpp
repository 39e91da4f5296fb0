#include "ui/ColourPicker.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// Rounded rather than truncated: truncation loses a step on most channels of a round trip.
uint8_t toChannel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value * 255), 0L, 255L));
}

double hueChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (6 * t < 1)
        return p + (q - p) * 6 * t;
    if (2 * t < 1)
        return q;
    if (3 * t < 2)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

sf::Color withAlpha(sf::Color colour, uint8_t alpha)
{
    colour.a = alpha;
    return colour;
}

const sf::Color markerOutline(0, 0, 0, 192);

// SFML 2.5's rectangles have no position and size accessors.
sf::Vector2f topLeft(const sf::FloatRect& r)
{
    return {r.left, r.top};
}
sf::Vector2f extent(const sf::FloatRect& r)
{
    return {r.width, r.height};
}

} // namespace

sf::Color hslToColour(double hue, double saturation, double lightness)
{
    const double s = saturation / 100, l = lightness / 100;
    double h = std::fmod(hue / 360, 1.0);
    if (h < 0)
        h += 1;
    if (s <= 1e-14) {
        const uint8_t grey = toChannel(l);
        return {grey, grey, grey, 255};
    }
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {toChannel(hueChannel(p, q, h + 1.0 / 3)), toChannel(hueChannel(p, q, h)),
            toChannel(hueChannel(p, q, h - 1.0 / 3)), 255};
}

Hsl colourToHsl(const sf::Color& colour)
{
    const double r = colour.r / 255.0, g = colour.g / 255.0, b = colour.b / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b}), delta = max - min;
    Hsl hsl;
    hsl.lightness = (max + min) / 2 * 100;
    if (delta <= 1e-14)
        return hsl;
    hsl.saturation = (hsl.lightness < 50 ? delta / (max + min) : delta / (2 - max - min)) * 100;
    if (max == r)
        hsl.hue = 60 * (g - b) / delta;
    else if (max == g)
        hsl.hue = 120 + 60 * (b - r) / delta;
    else
        hsl.hue = 240 + 60 * (r - g) / delta;
    if (hsl.hue < 0)
        hsl.hue += 360;
    if (hsl.hue >= 360)
        hsl.hue -= 360;
    return hsl;
}

void ColourPicker::create(const sf::Vector2f& at, const sf::Vector2f& wanted, const sf::Color& start)
{
    squareMarker.setRadius(8);
    squareMarker.setPointCount(30);
    squareMarker.setOrigin(8, 8);
    barMarker.setSize({38, 8});
    barMarker.setOrigin(3, 4);
    for (sf::Shape* marker : {static_cast<sf::Shape*>(&squareMarker), static_cast<sf::Shape*>(&barMarker)}) {
        marker->setOutlineColor(markerOutline);
        marker->setOutlineThickness(2);
    }
    preview.create({0, 0}, {0, 0});
    preview.shape.setOutlineThickness(0);
    for (BevelPanel* frame : {&squareFrame, &barFrame, &previewFrame})
        frame->create({0, 0}, {0, 0}, theme.clFormBorderDark, theme.clFormBorderLight, sf::Color(0, 0, 0, 0));

    const Hsl hsl = colourToHsl(start);
    hue = hsl.hue;
    saturation = hsl.saturation;
    lightness = hsl.lightness;
    alpha = start.a;
    draggingSquare = draggingBar = false;
    buttonWasHeld_ = true; // a press already down when the picker appears is not a drag
    setSize(wanted);
    setPosition(at);
}

sf::Color ColourPicker::colour() const
{
    return withAlpha(hslToColour(hue, saturation, lightness), alpha);
}

sf::FloatRect ColourPicker::squareRect() const
{
    return {position.x, position.y, size.x - barWidth - gap, size.y - previewHeight - gap};
}

sf::FloatRect ColourPicker::barRect() const
{
    return {position.x + size.x - barWidth, position.y, barWidth, size.y - previewHeight - gap};
}

sf::FloatRect ColourPicker::previewRect() const
{
    return {position.x, position.y + size.y - previewHeight, size.x, previewHeight};
}

void ColourPicker::setSize(const sf::Vector2f& s)
{
    size = {std::max(s.x, minimumWidth), std::max(s.y, minimumHeight)};
    const sf::FloatRect square = squareRect();
    const unsigned w = static_cast<unsigned>(square.width), h = static_cast<unsigned>(square.height);
    squareImage.create(w, h);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            squareImage.setPixel(x, y, hslToColour(x * 360.0 / w, (h - y) * 100.0 / h, 50));
    squareStale_ = true;
    rebuildBar();
    preview.setSize(extent(previewRect()));
    squareFrame.setSize(extent(square));
    barFrame.setSize(extent(barRect()));
    previewFrame.setSize(extent(previewRect()));
    setPosition(position);
}

void ColourPicker::rebuildBar()
{
    const sf::FloatRect bar = barRect();
    const unsigned w = static_cast<unsigned>(bar.width), h = static_cast<unsigned>(bar.height);
    if (barImage.getSize() != sf::Vector2u(w, h))
        barImage.create(w, h, sf::Color::Black);
    for (unsigned y = 0; y < h; ++y) {
        const sf::Color row = hslToColour(hue, saturation, (h - y) * 100.0 / h);
        for (unsigned x = 0; x < w; ++x)
            barImage.setPixel(x, y, row);
    }
    barStale_ = true;
}

void ColourPicker::setPosition(const sf::Vector2f& p)
{
    position = p;
    const sf::FloatRect square = squareRect(), bar = barRect(), strip = previewRect();
    squareSprite.setPosition(square.left, square.top);
    barSprite.setPosition(bar.left, bar.top);
    preview.setPosition(topLeft(strip));
    squareFrame.setPosition(topLeft(square));
    barFrame.setPosition(topLeft(bar));
    previewFrame.setPosition(topLeft(strip));
    refreshMarkers();
}

void ColourPicker::refreshMarkers()
{
    const sf::FloatRect square = squareRect();
    const float x = square.left + static_cast<float>(hue / 360) * square.width;
    const float y = square.top + square.height - static_cast<float>(saturation / 100) * square.height;
    squareMarker.setPosition(std::clamp(x, square.left, square.left + square.width - 1),
                             std::clamp(y, square.top, square.top + square.height - 1));
    squareMarker.setFillColor(withAlpha(hslToColour(hue, saturation, 50), widgetAlpha));
    placeBarMarker();
    refreshFills();
}

void ColourPicker::placeBarMarker()
{
    const sf::FloatRect bar = barRect();
    barMarker.setPosition(bar.left, bar.top + bar.height - static_cast<float>(lightness / 100) * bar.height);
}

void ColourPicker::refreshFills()
{
    const sf::Color current = withAlpha(hslToColour(hue, saturation, lightness), widgetAlpha);
    barMarker.setFillColor(current);
    preview.shape.setFillColor(current);
}

void ColourPicker::update()
{
    const sf::Vector2f at(Mouse::pointerInView());
    if (Mouse::getButtons() != Mouse::leftButton) {
        draggingSquare = draggingBar = false;
    } else if (!buttonWasHeld_ && !draggingSquare && !draggingBar && !mouseCaptured) {
        if (squareRect().contains(at))
            draggingSquare = true;
        else if (barRect().contains(at))
            draggingBar = true;
        mouseCaptured = draggingSquare || draggingBar;
    }
    buttonWasHeld_ = Mouse::getButtons() != 0;

    if (draggingSquare || draggingBar) {
        if (draggingSquare) {
            const sf::FloatRect square = squareRect();
            const float x = std::clamp(at.x - square.left, 0.0f, square.width);
            const float y = std::clamp(at.y - square.top, 0.0f, square.height);
            hue = x / square.width * 360;
            saturation = (square.height - y) / square.height * 100;
            rebuildBar();
            refreshMarkers();
        } else {
            const sf::FloatRect bar = barRect();
            const sf::Vector2u pixels = barImage.getSize();
            const float x = std::clamp(at.x - bar.left, 0.0f, static_cast<float>(pixels.x - 1));
            const float y = std::clamp(at.y - bar.top, 0.0f, static_cast<float>(pixels.y - 1));
            lightness = colourToHsl(barImage.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y))).lightness;
            placeBarMarker();
            refreshFills();
        }
    }
    preview.update();
    squareFrame.update();
    barFrame.update();
    previewFrame.update();
}

void ColourPicker::draw()
{
    if (squareStale_) {
        if (!squareTexture)
            squareTexture = std::make_unique<sf::Texture>();
        squareTexture->loadFromImage(squareImage);
        squareSprite.setTexture(*squareTexture, true);
        squareStale_ = false;
    }
    if (barStale_) {
        if (!barTexture)
            barTexture = std::make_unique<sf::Texture>();
        if (barTexture->getSize() == barImage.getSize())
            barTexture->update(barImage);
        else
            barTexture->loadFromImage(barImage);
        barSprite.setTexture(*barTexture, true);
        barStale_ = false;
    }
    RenderLayer* layer = componentLayer();
    layer->draw(squareSprite);
    layer->draw(barSprite);
    preview.draw();
    squareFrame.draw();
    barFrame.draw();
    previewFrame.draw();
    layer->draw(squareMarker);
    layer->draw(barMarker);
    drawDebugBounds();
}

void ColourPicker::setAlpha(uint8_t a)
{
    widgetAlpha = a;
    squareSprite.setColor(withAlpha(squareSprite.getColor(), a));
    barSprite.setColor(withAlpha(barSprite.getColor(), a));
    squareMarker.setFillColor(withAlpha(squareMarker.getFillColor(), a));
    squareMarker.setOutlineColor(withAlpha(squareMarker.getOutlineColor(), a));
    barMarker.setFillColor(withAlpha(barMarker.getFillColor(), a));
    barMarker.setOutlineColor(withAlpha(barMarker.getOutlineColor(), a));
    preview.setAlpha(a);
    squareFrame.setAlpha(a);
    barFrame.setAlpha(a);
    previewFrame.setAlpha(a);
}

} // namespace kv
