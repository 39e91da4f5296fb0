#pragma once
// A colour chosen in HSL terms: a hue/saturation square (hue across, saturation up, lightness 50),
// a lightness bar for the square's pick beside it, a preview strip of the result below, and a
// marker on the square and on the bar. Dragged with the left button.
#include "graphics/Sprite.h"
#include "ui/SimpleWidgets.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>

namespace kv {

struct Hsl {
    double hue = 0;        // degrees, 0 .. 360
    double saturation = 0; // percent
    double lightness = 0;  // percent
};

// Opaque; each channel rounded to nearest, so hslToColour(colourToHsl(c)) gives c's red, green
// and blue back. A hue outside 0 .. 360 wraps.
sf::Color hslToColour(double hue, double saturation, double lightness);
// Greys have hue 0 and saturation 0; the hue is in [0, 360). Alpha is ignored.
Hsl colourToHsl(const sf::Color& colour);

class ColourPicker : public Component {
public:
    // The square keeps at least 128 x 96 pixels.
    static constexpr float minimumWidth = 176, minimumHeight = 176;
    static constexpr float barWidth = 32, previewHeight = 64, gap = 16; // gap: square to bar and strip

    double hue = 0, saturation = 0, lightness = 0;
    uint8_t alpha = 255; // the chosen colour's
    bool draggingSquare = false, draggingBar = false;
    uint8_t widgetAlpha = 255;

    sf::Image squareImage, barImage;
    // Made at the first draw: a texture needs GL, the picker's logic does not.
    std::unique_ptr<sf::Texture> squareTexture, barTexture;
    sfSprite squareSprite, barSprite;
    sf::CircleShape squareMarker;
    sf::RectangleShape barMarker;
    Rectangle preview;
    BevelPanel squareFrame, barFrame, previewFrame;
    sf::Vector2f position, size;

    // Starts at colour (its alpha kept), laid out at position in size (at least the minimum).
    void create(const sf::Vector2f& position, const sf::Vector2f& size, const sf::Color& colour);
    // hslToColour(hue, saturation, lightness) with alpha.
    sf::Color colour() const;
    // The parts' bounds in view units.
    sf::FloatRect squareRect() const;
    sf::FloatRect barRect() const;
    sf::FloatRect previewRect() const;

    void destroy() override {}
    // A left press (the only button held) that starts on the square drags hue and saturation,
    // one on the bar drags lightness, unless another widget holds the mouse; the drag holds it
    // until the button is released or the focus goes. Positions outside clamp to the edges.
    void update() override;
    // Square, bar, preview, frames, then the markers. The images reach their textures here.
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    // Rebuilds the square and bar images for the new size.
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return widgetAlpha; }
    void setAlpha(uint8_t a) override;

private:
    void rebuildBar();
    void refreshMarkers();
    void placeBarMarker();
    void refreshFills();
    bool squareStale_ = false, barStale_ = false;
    bool buttonWasHeld_ = false;
};

} // namespace kv
