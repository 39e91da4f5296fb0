#include "ui/SimpleWidgets.h"

#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Theme.h"
#include "graphics/CachedShader.h"
#include "graphics/RenderLayers.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "ui/Colours.h"

#include <algorithm>

namespace kv {

namespace {

sf::Color withAlpha(sf::Color colour, uint8_t alpha)
{
    colour.a = alpha;
    return colour;
}

} // namespace

// ---- Rectangle ----

void Rectangle::create(const sf::Vector2f& topLeft, const sf::Vector2f& bottomRight)
{
    position = topLeft;
    size = bottomRight - topLeft;
    shape.setFillColor(sf::Color(0, 0, 0, 0));
    shape.setOutlineColor(sf::Color(255, 255, 255, 255));
    shape.setOutlineThickness(1);
    setPosition(position);
    setSize(size);
}

void Rectangle::draw()
{
    componentLayer()->draw(shape);
    drawDebugBounds();
}

void Rectangle::setPosition(const sf::Vector2f& p)
{
    position = p;
    shape.setPosition(p);
}

void Rectangle::setSize(const sf::Vector2f& s)
{
    size = s;
    shape.setSize(s);
}

void Rectangle::setAlpha(uint8_t alpha)
{
    shape.setFillColor(withAlpha(shape.getFillColor(), alpha));
    shape.setOutlineColor(withAlpha(shape.getOutlineColor(), alpha));
}

// ---- BevelPanel ----

void BevelPanel::create(const sf::Vector2f& position, const sf::Vector2f& size, const sf::Color& topLeftColour,
                        const sf::Color& bottomRightColour, const sf::Color& backColour)
{
    back.create({0, 0}, {0, 0});
    back.shape.setFillColor(backColour);
    back.shape.setOutlineThickness(0);
    setBounds(position, size);
    setColours(topLeftColour, bottomRightColour, backColour);
}

void BevelPanel::setBounds(const sf::Vector2f& position, const sf::Vector2f& size)
{
    const float x = position.x, y = position.y, w = size.x, h = size.y;
    const sf::Vector2f ends[8] = {{x, y},     {x + w, y},     {x, y + h},     {x + w, y + h},
                                  {x, y},     {x, y + h},     {x + w, y},     {x + w, y + h}};
    for (int i = 0; i < 8; ++i)
        vertices[i].position = ends[i];
    back.setPosition(position);
    back.setSize(size);
}

void BevelPanel::setColours(const sf::Color& topLeft, const sf::Color& bottomRight, const sf::Color& backColour)
{
    if (back.shape.getFillColor() != backColour)
        back.shape.setFillColor(backColour);
    for (int i : {0, 1, 4, 5})
        vertices[i].color = topLeft;
    for (int i : {2, 3, 6, 7})
        vertices[i].color = bottomRight;
}

void BevelPanel::update()
{
    if (pollerTicked)
        back.update();
}

void BevelPanel::draw()
{
    back.draw();
    componentLayer()->drawVertices(vertices, 8, sf::Lines);
    drawDebugBounds();
}

void BevelPanel::setAlpha(uint8_t alpha)
{
    if (back.getAlpha() != 0)
        back.setAlpha(alpha);
    for (sf::Vertex& v : vertices)
        v.color.a = alpha;
}

// ---- Line ----

void Line::draw()
{
    componentLayer()->drawVertices(vertices, 2, sf::Lines);
    drawDebugBounds();
}

sf::Vector2f Line::getPosition()
{
    return {std::min(vertices[0].position.x, vertices[1].position.x),
            std::min(vertices[0].position.y, vertices[1].position.y)};
}

void Line::setPosition(const sf::Vector2f& p)
{
    const sf::Vector2f by = p - getPosition();
    vertices[0].position += by;
    vertices[1].position += by;
}

void Line::setSize(const sf::Vector2f& s)
{
    sf::Vector2f& start = vertices[0].position;
    sf::Vector2f& end = vertices[1].position;
    if (end.x > start.x)
        end.x = start.x + s.x;
    else
        start.x = end.x + s.x;
    if (end.y > start.y)
        end.y = start.y + s.y;
    else
        start.y = end.y + s.y;
}

float Line::getWidth()
{
    return std::max(vertices[0].position.x, vertices[1].position.x) - getPosition().x;
}

float Line::getHeight()
{
    return std::max(vertices[0].position.y, vertices[1].position.y) - getPosition().y;
}

void Line::setAlpha(uint8_t alpha)
{
    vertices[0].color.a = alpha;
    vertices[1].color.a = alpha;
}

// ---- Label ----

void Label::create(const sf::Vector2f& position, const sf::Color& textColour, const std::string& string,
                   const sf::Font& font, unsigned characterSize)
{
    setPosition(position);
    text.setFont(font);
    text.setCharacterSize(characterSize);
    setText(string);
    text.setFillColor(textColour);
    colour = textColour;
    created = true;
}

void Label::setText(const std::string& string)
{
    text.setString(sf::String::fromUtf8(string.begin(), string.end()));
}

std::string Label::getText() const
{
    const std::basic_string<sf::Uint8> bytes = text.getString().toUtf8();
    return std::string(bytes.begin(), bytes.end());
}

void Label::draw()
{
    if (text.getString().isEmpty())
        return;
    componentLayer()->draw(text);
    drawDebugBounds();
}

// ---- ProgressBar ----

void ProgressBar::create(const sf::Vector2f& at, const sf::Vector2f& extent, float startValue, float startMaximum)
{
    for (sf::RectangleShape* shape : {&bar, &back}) {
        shape->setOutlineThickness(1);
        shape->setOutlineColor(colourBlack);
    }
    bar.setFillColor(colourGreen);
    back.setFillColor(colourGrey);
    position = at;
    size = extent;
    value = startValue;
    maximum = startMaximum;
    updateGeometry();
}

void ProgressBar::updateGeometry()
{
    const float percent = maximum == 0 ? 0 : value / maximum * 100;
    bar.setPosition(position);
    bar.setSize({size.x / 100 * percent, size.y});
    back.setPosition(position);
    back.setSize(size);
}

bool ProgressBar::backShown()
{
    return !(maximum > 0 && value >= maximum && getAlpha() == 255);
}

void ProgressBar::draw()
{
    RenderLayer* layer = componentLayer();
    if (backShown())
        layer->draw(back);
    if (barShown())
        layer->draw(bar);
    drawDebugBounds();
}

void ProgressBar::setPosition(const sf::Vector2f& p)
{
    position = p;
    updateGeometry();
}

void ProgressBar::setSize(const sf::Vector2f& s)
{
    size = s;
    updateGeometry();
}

void ProgressBar::setAlpha(uint8_t alpha)
{
    bar.setFillColor(withAlpha(bar.getFillColor(), alpha));
    back.setFillColor(withAlpha(back.getFillColor(), alpha));
}

// ---- GroupBox ----

void GroupBox::setBounds(const sf::Vector2f& p, const sf::Vector2f& s)
{
    position = p;
    size = s;
    const float half = componentLineSpacing() * 0.5f;
    frame = {p.x + half, p.y + half, p.x + s.x - half, p.y + s.y - half};
    caption.setPosition({frame.left + 10, p.y});
    const float l = frame.left, t = frame.top, r = frame.right, b = frame.bottom;
    const sf::Vector2f ends[10] = {{l, t}, {l + 6, t}, {l + 12 + caption.getWidth(), t}, {r, t}, {l, t},
                                   {l, b}, {r, t},     {r, b},     {l, b},                         {r, b}};
    for (int i = 0; i < 10; ++i)
        lines[i].position = ends[i];
}

void GroupBox::draw()
{
    componentLayer()->drawVertices(lines, 10, sf::Lines);
    caption.draw();
    drawDebugBounds();
}

void GroupBox::setAlpha(uint8_t alpha)
{
    caption.setAlpha(alpha);
    for (sf::Vertex& v : lines)
        v.color = withAlpha(theme.clButtonText, alpha);
}

// ---- TextCursor ----

void TextCursor::create(const sf::Vector2f& position)
{
    bar.setPosition(position);
    bar.setSize({1.25f, componentLineSpacing()});
    bar.setFillColor(theme.clEditText);
    bar.setOutlineColor(theme.clEditText);
    bar.setOutlineThickness(0);
}

void TextCursor::setColour(const sf::Color& colour)
{
    bar.setOutlineColor(colour);
    if (bar.getFillColor() != sf::Color(0, 0, 0, 0))
        bar.setFillColor(colour);
}

bool TextCursor::blink(float seconds)
{
    if (seconds - lastToggle > blinkInterval) {
        lastToggle = seconds;
        visible = !visible;
    }
    return visible;
}

void TextCursor::draw()
{
    if (blink(programClock.getElapsedTime().asSeconds()))
        componentLayer()->draw(bar);
    drawDebugBounds();
}

void TextCursor::setAlpha(uint8_t alpha)
{
    bar.setFillColor(withAlpha(bar.getFillColor(), alpha));
}

sf::RenderStates uiIconStates(bool enabled)
{
    sf::RenderStates states;
    ShaderSlot& slot = getShaderSlot(shaderUiIcon);
    if (slot.loaded && slot.shader) {
        CachedShader& program = *slot.shader;
        // Locations of uniforms the program lacks are -1, which the setters ignore.
        program.setUniformCurrentTexture(program.getUniformLocation(shaderUniforms::UiIcon::texture.name));
        program.setUniform1i(program.getUniformLocation(shaderUniforms::UiIcon::darkTheme.name), theme.darkTheme ? 1 : 0);
        program.setUniform1i(program.getUniformLocation(shaderUniforms::UiIcon::enabled.name), enabled ? 1 : 0);
        states.shader = &program;
    }
    return states;
}

} // namespace kv
