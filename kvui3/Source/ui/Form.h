#pragma once
// The framed panel behind every dialog and tool window: a title bar with the title over a
// raised body. It only draws; its owner places the other widgets on the body and draws them
// after the form.
#include "ui/SimpleWidgets.h"

#include <string>

namespace kv {

class Form : public Component {
public:
    sf::Vector2f position;
    sf::Vector2f size; // title bar and body together
    BevelPanel titleBar;
    Label title;
    BevelPanel body;

    // Title bar height: one line of the toolkit's text (componentLineSpacing) + 4.
    static float titleBarHeight() { return componentLineSpacing() + 4; }

    // Takes the theme's colours as they are now (a theme change shows after the next create),
    // lays the parts out and makes the form opaque.
    void create(const sf::Vector2f& position, const sf::Vector2f& size, const std::string& title);

    void destroy() override {}
    void update() override {}
    void draw() override; // title bar, title, body
    // Title bar at p, title at p + (3, 3), body right under the title bar.
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    // The body takes what the title bar leaves of s.y: 0 for a form one title bar high.
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return body.getAlpha(); }
    // Body and title bar; the title keeps its colour.
    void setAlpha(uint8_t alpha) override;
};

} // namespace kv
