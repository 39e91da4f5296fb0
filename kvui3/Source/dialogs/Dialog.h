#pragma once
// The base of framework dialogs that are one object rather than loose widgets (the colour
// picker): the nine operations every such dialog answers, and its debug bounds.
#include <SFML/Graphics/RectangleShape.hpp>

#include <string>

namespace kv {

class Dialog {
public:
    Dialog();
    virtual ~Dialog() = default;
    virtual void destroy() = 0;
    virtual void update() = 0;
    // Draws the dialog's bounds as a frame while showComponentBounds is on; nothing otherwise.
    virtual void draw();
    virtual sf::Vector2f getPosition() = 0;
    virtual sf::Vector2f getSize() = 0;
    virtual float getWidth() = 0;
    virtual float getHeight() = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual std::string getTitle() = 0;

protected:
    sf::RectangleShape bounds_;
};

} // namespace kv
