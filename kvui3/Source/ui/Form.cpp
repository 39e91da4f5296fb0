#include "ui/Form.h"

#include "core/Theme.h"
#include "graphics/Text.h"

namespace kv {

void Form::create(const sf::Vector2f& at, const sf::Vector2f& extent, const std::string& titleText)
{
    position = at;
    size = extent;
    titleBar.create(at, extent, theme.clTitleBarBorderLight, theme.clTitleBarBorderDark, theme.clTitleBarBack);
    title.create(at, theme.clTitleBarText, titleText, *standardFont, componentTextSize);
    body.create(at, extent, theme.clButtonBorderLight, theme.clButtonBorderDark, theme.clButtonBack);
    setPosition(at);
    setSize(extent);
    setAlpha(255);
}

void Form::draw()
{
    titleBar.draw();
    title.draw();
    body.draw();
    drawDebugBounds();
}

void Form::setPosition(const sf::Vector2f& p)
{
    position = p;
    titleBar.setPosition(p);
    title.setPosition(p + sf::Vector2f(3, 3));
    body.setPosition({p.x, p.y + titleBarHeight()});
}

void Form::setSize(const sf::Vector2f& s)
{
    size = s;
    const float bar = titleBarHeight();
    titleBar.setSize({s.x, bar});
    body.setSize({s.x, s.y - bar});
}

void Form::setAlpha(uint8_t alpha)
{
    body.setAlpha(alpha);
    titleBar.setAlpha(alpha);
    title.setAlpha(alpha);
}

} // namespace kv
