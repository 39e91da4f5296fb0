#pragma once
// The drawing-only widgets the interactive ones are assembled from: a filled box, a box with
// light and dark edges, a line, a text, a progress bar, a captioned frame and the blinking
// caret of the edit widgets. All draw through componentLayer().
#include "graphics/Text.h"
#include "ui/Component.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <string>

namespace kv {

// A filled box. Owners reach the shape to set its fill and outline after create.
class Rectangle : public Component {
public:
    sf::RectangleShape shape;
    sf::Vector2f position;
    sf::Vector2f size;

    // Transparent fill, opaque white outline 1 pixel thick, spanning topLeft..bottomRight.
    void create(const sf::Vector2f& topLeft, const sf::Vector2f& bottomRight);

    void destroy() override {}
    void update() override {}
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    // Fill alpha / fill and outline alpha.
    uint8_t getAlpha() override { return shape.getFillColor().a; }
    void setAlpha(uint8_t alpha) override;
};

// A box with four edges: vertex pairs 0-1 top, 2-3 bottom, 4-5 left, 6-7 right. Light colour
// first gives a raised panel, dark first a sunken one.
class BevelPanel : public Component {
public:
    Rectangle back;
    sf::Vertex vertices[8];

    void create(const sf::Vector2f& position, const sf::Vector2f& size, const sf::Color& topLeftColour,
                const sf::Color& bottomRightColour, const sf::Color& backColour);
    void setBounds(const sf::Vector2f& position, const sf::Vector2f& size);
    // The back's fill is written only when it differs; the edges take the two colours.
    void setColours(const sf::Color& topLeft, const sf::Color& bottomRight, const sf::Color& backColour);

    void destroy() override {}
    void update() override; // the back's, on ticks
    void draw() override;   // back, then the edges
    void setPosition(const sf::Vector2f& p) override { setBounds(p, getSize()); }
    sf::Vector2f getPosition() override { return vertices[0].position; }
    void setSize(const sf::Vector2f& s) override { setBounds(getPosition(), s); }
    sf::Vector2f getSize() override { return {getWidth(), getHeight()}; }
    float getWidth() override { return vertices[1].position.x - vertices[0].position.x; }
    float getHeight() override { return vertices[5].position.y - vertices[4].position.y; }
    uint8_t getAlpha() override { return back.getAlpha(); }
    // Every edge takes alpha; the back only when it is not fully transparent (a see-through
    // panel stays see-through).
    void setAlpha(uint8_t alpha) override;
};

// One line from vertices[0] (start) to vertices[1] (end).
class Line : public Component {
public:
    sf::Vertex vertices[2];

    void destroy() override {}
    void update() override {}
    void draw() override;
    // Moves both ends; the position is the smaller coordinates of the ends.
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override;
    // Moves the far end on each axis, so the line keeps its direction: (10,10)->(0,0) sized
    // (5,5) becomes (5,5)->(0,0).
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return {getWidth(), getHeight()}; }
    float getWidth() override;
    float getHeight() override;
    uint8_t getAlpha() override { return vertices[0].color.a; }
    void setAlpha(uint8_t alpha) override;
};

// One text. Strings are UTF-8.
class Label : public Component {
public:
    sf::Color colour = sf::Color(0, 0, 0, 255);
    bool created = false;
    sfText text;

    void create(const sf::Vector2f& position, const sf::Color& textColour, const std::string& string,
                const sf::Font& font, unsigned characterSize);
    void setText(const std::string& text);
    std::string getText() const;

    void destroy() override {}
    void update() override {}
    void draw() override; // nothing for an empty string
    void setPosition(const sf::Vector2f& p) override { text.setPosition(p); }
    sf::Vector2f getPosition() override { return text.getPosition(); }
    // The size is the text's; neither size nor alpha can be set.
    void setSize(const sf::Vector2f&) override {}
    sf::Vector2f getSize() override { return {getWidth(), getHeight()}; }
    // An empty text measures 0 without asking the font (which would need GL).
    float getWidth() override { return text.getString().isEmpty() ? 0 : text.getLocalBounds().width; }
    float getHeight() override { return text.getString().isEmpty() ? 0 : text.getLocalBounds().height; }
    uint8_t getAlpha() override { return text.getFillColor().a; }
    void setAlpha(uint8_t) override {}
};

// A bar over a back. Owners write value and maximum, then call updateGeometry. The value is
// not clamped: above the maximum the bar runs past the back.
class ProgressBar : public Component {
public:
    sf::RectangleShape bar;
    sf::RectangleShape back;
    sf::Vector2f position;
    sf::Vector2f size;
    float value = 0;
    float maximum = 0;

    void create(const sf::Vector2f& position, const sf::Vector2f& size, float value, float maximum);
    // Bar width = size.x * value / maximum (0 when maximum is 0); the back spans the size.
    void updateGeometry();
    // The back is hidden only behind a full, opaque bar (maximum > 0, value >= maximum, alpha
    // 255); the bar is drawn while value > 0.
    bool backShown();
    bool barShown() const { return value > 0; }

    void destroy() override {}
    void update() override {}
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    // Bar fill alpha / bar and back fill alpha (outlines keep theirs).
    uint8_t getAlpha() override { return bar.getFillColor().a; }
    void setAlpha(uint8_t alpha) override;
};

// A captioned frame: five lines, the top one open behind the caption. The owner creates the
// caption, then calls setPosition, setSize and setAlpha.
class GroupBox : public Component {
public:
    struct Frame {
        float left = 0, top = 0, right = 0, bottom = 0;
    };
    sf::Vertex lines[10];
    Label caption;
    sf::Vector2f position;
    sf::Vector2f size;
    Frame frame;

    // The frame sits half a line (standard font, 18) inside the bounds; the caption at
    // (frame.left + 10, y); the top edge is left open from left + 6 to left + 12 + caption width.
    void setBounds(const sf::Vector2f& position, const sf::Vector2f& size);

    void destroy() override {}
    void update() override {}
    void draw() override; // the lines, then the caption
    void setPosition(const sf::Vector2f& p) override { setBounds(p, size); }
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override { setBounds(position, s); }
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return caption.getAlpha(); }
    // Colours every line theme.clButtonText with alpha.
    void setAlpha(uint8_t alpha) override;
};

// The caret of the edit widgets: a thin bar that blinks on programClock.
class TextCursor : public Component {
public:
    sf::RectangleShape bar;
    bool visible = false;
    float blinkInterval = 0.25f; // seconds
    float lastToggle = 0;        // seconds of programClock

    // 1.25 wide, one line (standard font, 18) tall, in theme.clEditText.
    void create(const sf::Vector2f& position);
    // Outline = colour; the fill too unless it is fully transparent (0,0,0,0).
    void setColour(const sf::Color& colour);
    // Flips visible when more than blinkInterval passed since the last flip; gives visible.
    bool blink(float seconds);

    void destroy() override {}
    void update() override {}
    void draw() override;
    void setPosition(const sf::Vector2f& p) override { bar.setPosition(p); }
    sf::Vector2f getPosition() override { return bar.getPosition(); }
    void setSize(const sf::Vector2f& s) override { bar.setSize(s); }
    sf::Vector2f getSize() override { return bar.getSize(); }
    float getWidth() override { return bar.getSize().x; }
    float getHeight() override { return bar.getSize().y; }
    uint8_t getAlpha() override { return bar.getFillColor().a; }
    void setAlpha(uint8_t alpha) override;
};

// The render states for an icon: the uiIcon program with the current texture, the theme's
// darkness and enabled (a disabled icon is greyed); plain states while the program is not loaded.
sf::RenderStates uiIconStates(bool enabled);

} // namespace kv
