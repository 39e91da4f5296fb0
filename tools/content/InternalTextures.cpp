// The named textures of the widgets under kvui3/textures/: the three faces of the check box.
// The mouse-over face is drawn first and the checked or unchecked face over it, so the
// mouse-over face is a glow that shows around the box and through its rim.
#include "Content.h"
#include "Draw.h"

namespace content {

namespace {

constexpr int kSize = 22;
const Rgba kRim = rgb(58, 64, 76);
const Rgba kHighlight = rgb(52, 110, 220);

Shape boxShape() { return rect(3, 3, kSize - 3, kSize - 3, 2.5f); }

sf::Image checkBoxFace(bool checked)
{
    Canvas c(kSize, kSize);
    Shape rim = subtract(grow(boxShape(), 1.3f), boxShape());
    c.shadow(rim, {0.6f, 0.8f}, 1.0f, rgb(0, 0, 0, 60));
    c.fill(rim, kRim);
    // The inside lets a little of what lies beneath show, so the mouse-over glow tints it;
    // its top left edge is darker, for a sunken look.
    c.fill(boxShape(), linear({0, 3}, rgb(228, 231, 237, 205), {0, kSize - 3}, rgb(255, 255, 255, 215)));
    c.fill(subtract(boxShape(), moved(boxShape(), {1.2f, 1.2f})), rgb(0, 0, 0, 40));
    if (checked) {
        Shape tick = polyline({{6.8f, 11.2f}, {9.8f, 14.4f}, {15.4f, 7.4f}}, 3.0f);
        c.shadow(tick, {0.5f, 0.7f}, 0.8f, rgb(0, 0, 0, 60));
        c.fill(tick, linear({0, 7}, rgb(40, 150, 70), {0, 15}, rgb(20, 105, 45)));
    }
    return c.toImage();
}

sf::Image mouseOverFace()
{
    Canvas c(kSize, kSize);
    c.glow(grow(boxShape(), 1.3f), 2.5f, withAlpha(kHighlight, 0.9f));
    c.fill(grow(boxShape(), 1.3f), kHighlight);
    return c.toImage();
}

} // namespace

bool generateInternalTextures(const std::string& gameDir)
{
    return writeImage(checkBoxFace(true), gameDir, "kvui3/textures/CheckBox_Checked.png") &&
           writeImage(checkBoxFace(false), gameDir, "kvui3/textures/CheckBox_Unchecked.png") &&
           writeImage(mouseOverFace(), gameDir, "kvui3/textures/CheckBox_MouseOver.png");
}

} // namespace content
