#include "world/Hud.h"

#include "app/Compositor.h"
#include "core/Angle.h"
#include "core/Framework.h"
#include "core/LazyObject.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "ui/Hints.h"
#include "ui/SimpleWidgets.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/HudBatch.h"
#include "world/Images.h"
#include "world/Player.h"
#include "world/ShaderParams.h"
#include "world/WorldView.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace tvl {

const EffectTimer effectTimers[effectTimerCount] = {
    {Bomb, 1.5f}, {Gun, 3.0f}, {Missile, 2.0f}, {Drone, 3.0f}, {EMP, 3.0f}, {TimeWarp, 3.0f},
};

namespace {

bool isFinite(sf::Vector2f v) { return std::isfinite(v.x) && std::isfinite(v.y); }

// Between lo and hi, or lo when the range is empty (a view too small for the part).
float keepWithin(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }

bool hasArea(const sf::FloatRect& r) { return r.width > 0 && r.height > 0; }

sf::FloatRect around(sf::Vector2f centre, sf::Vector2f half)
{
    return {centre.x - half.x, centre.y - half.y, 2 * half.x, 2 * half.y};
}

// A box moved to exactly the gap from another is clear of it, rounding or not.
constexpr float slack = 0.01f;

// Whether box comes within hudClearGap of other; a box without area is nothing to keep clear of.
bool tooNear(const sf::FloatRect& box, const sf::FloatRect& other)
{
    const float gap = hudClearGap - slack;
    return hasArea(other) && box.left < other.left + other.width + gap && box.left + box.width > other.left - gap
        && box.top < other.top + other.height + gap && box.top + box.height > other.top - gap;
}

bool within(const sf::FloatRect& box, const sf::FloatRect& bounds)
{
    return box.left >= bounds.left - slack && box.top >= bounds.top - slack
        && box.left + box.width <= bounds.left + bounds.width + slack
        && box.top + box.height <= bounds.top + bounds.height + slack;
}

// What a moving part keeps clear of: the HUD's boxes and one of its own (the target arrow, for
// the texts beside it).
struct Obstacles {
    std::span<const sf::FloatRect> boxes;
    sf::FloatRect own;

    bool hit(const sf::FloatRect& box) const
    {
        return tooNear(box, own)
            || std::any_of(boxes.begin(), boxes.end(), [&](const sf::FloatRect& b) { return tooNear(box, b); });
    }
};

// The shortest shift s of box along way (a unit vector), lo <= s <= hi, that leaves it inside
// bounds and clear of every obstacle; none when there is none. The shifts tried bring a side of
// the box to hudClearGap from a side of an obstacle, so a box that clears one may still meet
// another, whose sides are tried too.
std::optional<float> shortestClearShift(const sf::FloatRect& box, sf::Vector2f way, float lo, float hi,
                                        const Obstacles& obstacles, const sf::FloatRect& bounds)
{
    std::optional<float> best;
    const auto trySide = [&](float boxSide, float obstacleSide, float along) {
        if (std::abs(along) < 1e-6f)
            return;
        const float shift = (obstacleSide - boxSide) / along;
        if (shift < lo || shift > hi || (best && std::abs(shift) >= std::abs(*best)))
            return;
        const sf::FloatRect moved(box.left + way.x * shift, box.top + way.y * shift, box.width, box.height);
        if (within(moved, bounds) && !obstacles.hit(moved))
            best = shift;
    };
    const auto trySidesOf = [&](const sf::FloatRect& o) {
        if (!hasArea(o))
            return;
        trySide(box.left, o.left + o.width + hudClearGap, way.x);
        trySide(box.left + box.width, o.left - hudClearGap, way.x);
        trySide(box.top, o.top + o.height + hudClearGap, way.y);
        trySide(box.top + box.height, o.top - hudClearGap, way.y);
    };
    trySidesOf(obstacles.own);
    for (const sf::FloatRect& o : obstacles.boxes)
        trySidesOf(o);
    return best;
}

// The shorter of the clear shifts across (x) and up and down (y), as allowed.
std::optional<sf::Vector2f> shortestClearMove(const sf::FloatRect& box, bool acrossX, bool acrossY,
                                              const Obstacles& obstacles, const sf::FloatRect& bounds)
{
    constexpr float any = std::numeric_limits<float>::max();
    std::optional<sf::Vector2f> best;
    if (acrossX)
        if (const std::optional<float> x = shortestClearShift(box, {1, 0}, -any, any, obstacles, bounds))
            best = sf::Vector2f(*x, 0);
    if (acrossY)
        if (const std::optional<float> y = shortestClearShift(box, {0, 1}, -any, any, obstacles, bounds);
            y && (!best || std::abs(*y) < std::abs(best->x)))
            best = sf::Vector2f(0, *y);
    return best;
}

} // namespace

HudLayout hudLayoutFor(sf::Vector2f view, const HudMetrics& m)
{
    HudLayout l;
    const float barWidth = view.x * 0.15f;
    l.nitroBar = sf::FloatRect(view.x - barWidth - 10, 10, barWidth, m.lineSpacing18 - 2);
    l.nitroLabel = sf::Vector2f(l.nitroBar.left + barWidth - m.nitroTextWidth, l.nitroBar.top + m.lineSpacing18 + 2);
    l.nitroLabelBox = sf::FloatRect(l.nitroLabel.x, l.nitroLabel.y, m.nitroTextWidth, m.lineSpacing18);
    l.headingBox = sf::FloatRect((view.x - m.headingBoxWidth) / 2, 15, m.headingBoxWidth, m.lineSpacing16);
    const float larger = std::max(m.shipImageSize.x, m.shipImageSize.y);
    l.iconScale = larger > 0 ? (m.lineSpacing18 + 1) / larger : 0;
    l.tokenBar = sf::FloatRect(m.shipImageSize.x * l.iconScale + 5 + 10, 10 + 1, 100, m.lineSpacing18 - 2);
    l.rowStep = m.lineSpacing18 + 6;
    l.itemColumnTop = l.nitroLabel.y + m.lineSpacing18 + 10;
    l.effectBarSize = sf::Vector2f(view.x * 0.2f, m.lineSpacing18 - 2);
    l.fpsBox = kv::fpsTextBox(view, m.fpsTextWidth, m.fpsLineSpacing);
    return l;
}

ScoreRow scoreRowFor(const HudLayout& l, const HudMetrics& m, int row, float textWidth)
{
    const float y = 10 + float(row) * l.rowStep;
    ScoreRow r;
    r.icon = sf::FloatRect(10, y, m.shipImageSize.x * l.iconScale, m.shipImageSize.y * l.iconScale);
    r.bar = sf::FloatRect(l.tokenBar.left, y + 1, l.tokenBar.width, l.tokenBar.height);
    r.text = sf::FloatRect(r.bar.left + r.bar.width + 6, y - 2, textWidth, m.lineSpacing18);
    return r;
}

sf::FloatRect scoreRowBox(const ScoreRow& row)
{
    const float top = std::min({row.icon.top, row.bar.top, row.text.top});
    const float bottom = std::max({row.icon.top + row.icon.height, row.bar.top + row.bar.height,
                                   row.text.top + row.text.height});
    return {row.icon.left, top, row.text.left + row.text.width - row.icon.left, bottom - top};
}

sf::Vector2f renderScaleHintPosition(const HudLayout& l, const HudMetrics& m, int rows)
{
    if (rows < 1)
        return {50, 50};
    // The last row's icon is the lowest part of the scoreboard.
    const float bottom = 10 + float(rows - 1) * l.rowStep + m.lineSpacing18 + 1;
    return {50, std::max(50.0f, bottom + 6)};
}

sf::FloatRect renderScaleHintBox(sf::Vector2f position, const HudMetrics& m, sf::Vector2f view)
{
    // The box as the hint draws it, with its 1 px outline and its shadow.
    const sf::FloatRect box = kv::hintBox(position, m.hintTextWidth, m.lineSpacing18, view);
    return {box.left - 1, box.top - 1, box.width + 2 + m.hintShadow, box.height + 2 + m.hintShadow};
}

int effectBarsFor(const float timers[effectTimerCount], float viewHeight, EffectBarSlot out[effectTimerCount])
{
    int count = 0;
    for (int i = 0; i < effectTimerCount; i++) {
        if (!(timers[i] > 0))
            continue;
        out[count] = {effectTimers[i].icon, timers[i], effectTimers[i].maximum, viewHeight - 60 - 60.0f * count};
        count++;
    }
    return count;
}

EffectBarBoxes effectBarBoxes(const HudLayout& l, sf::Vector2f centre)
{
    const sf::Vector2f size = l.effectBarSize;
    EffectBarBoxes boxes;
    boxes.bar = sf::FloatRect(centre.x - size.x / 2 + 64 + 4, centre.y, size.x - 64 - 4, size.y);
    boxes.icon = around({boxes.bar.left - 36, boxes.bar.top + size.y / 2},
                        {effectIconSize / 2, effectIconSize / 2});
    return boxes;
}

int itemColumnFor(const int counts[itemTypeCount], int currentItem, const sf::Vector2f imageSizes[itemTypeCount],
                  float viewWidth, float top, ItemSlot out[itemTypeCount])
{
    if (currentItem < 0 || currentItem >= itemTypeCount || counts[currentItem] < 1)
        return 0;
    int count = 0;
    float y = top;
    for (int type = 0; type < itemTypeCount; type++) {
        if (counts[type] <= 0)
            continue;
        const sf::Vector2f size = imageSizes[type];
        const bool current = type == currentItem;
        const float scale = current ? 1.0f : 0.5f;
        out[count++] = {ItemType(type), {viewWidth - size.x * scale / 2 - 10, y + size.y * scale / 2}, scale};
        y += size.y * scale + 10;
    }
    return count;
}

sf::FloatRect itemColumnBox(const ItemSlot slots[], int count, const sf::Vector2f imageSizes[itemTypeCount],
                            float nameWidth, float lineSpacing18)
{
    float left = std::numeric_limits<float>::max(), top = left;
    float right = std::numeric_limits<float>::lowest(), bottom = right;
    for (int i = 0; i < count; i++) {
        const sf::Vector2f half = imageSizes[slots[i].type] * (slots[i].scale / 2);
        float x = slots[i].centre.x - half.x;
        if (slots[i].scale == 1.0f)
            x -= 6 + nameWidth;
        left = std::min(left, x);
        right = std::max(right, slots[i].centre.x + half.x);
        top = std::min({top, slots[i].centre.y - half.y, slots[i].centre.y - lineSpacing18 / 2});
        bottom = std::max({bottom, slots[i].centre.y + half.y, slots[i].centre.y + lineSpacing18 / 2});
    }
    return count > 0 ? sf::FloatRect(left, top, right - left, bottom - top) : sf::FloatRect();
}

// The distance to the first edge is solved per axis, so a long way costs no more than a short one.
sf::Vector2f targetArrowPoint(sf::Vector2f start, float bearingDegrees, sf::Vector2f half, sf::Vector2f view,
                              std::span<const sf::FloatRect> keepClear)
{
    if (!isFinite(start) || !std::isfinite(bearingDegrees))
        return view * 0.5f;
    const float minX = half.x, maxX = view.x - half.x - 1;
    const float minY = half.y, maxY = view.y - half.y - 1;
    const sf::Vector2f p(keepWithin(start.x, minX, maxX), keepWithin(start.y, minY, maxY));
    const float radians = bearingDegrees * kv::degreesToRadians;
    const sf::Vector2f d(std::sin(radians), -std::cos(radians));
    float t = std::numeric_limits<float>::max();
    if (d.x > 1e-6f) t = std::min(t, (maxX - p.x) / d.x);
    if (d.x < -1e-6f) t = std::min(t, (minX - p.x) / d.x);
    if (d.y > 1e-6f) t = std::min(t, (maxY - p.y) / d.y);
    if (d.y < -1e-6f) t = std::min(t, (minY - p.y) / d.y);
    t = std::max(0.0f, t);
    // Held on the edge it reached, whatever the rounding of the way there.
    const sf::Vector2f edge(keepWithin(p.x + d.x * t, minX, maxX), keepWithin(p.y + d.y * t, minY, maxY));
    const sf::FloatRect arrow = around(edge, half);
    const Obstacles obstacles{keepClear, {}};
    if (!obstacles.hit(arrow))
        return edge;
    // Along its edge (in a corner along either), or back along its way toward the player,
    // whichever is shorter: it stays at the screen's edge or on the line to the target.
    const bool sideEdge = edge.x <= minX + 0.5f || edge.x >= maxX - 0.5f;
    const bool topOrBottom = edge.y <= minY + 0.5f || edge.y >= maxY - 0.5f;
    const sf::FloatRect bounds(0, 0, view.x - 1, view.y - 1);
    std::optional<sf::Vector2f> move = shortestClearMove(arrow, topOrBottom, sideEdge, obstacles, bounds);
    const std::optional<float> back = shortestClearShift(arrow, -d, 0, t, obstacles, bounds);
    if (back && (!move || *back < std::abs(move->x) + std::abs(move->y)))
        move = -d * *back;
    // A player under a part of the HUD leaves only the way straight in from the edge.
    if (!move)
        move = shortestClearMove(arrow, sideEdge, topOrBottom, obstacles, bounds);
    return move ? edge + *move : edge;
}

TargetMarker targetMarkerFor(sf::Vector2f target, sf::Vector2f player, const TargetView& view, bool mapViewOpen,
                             sf::Vector2f halfArrow, std::span<const sf::FloatRect> keepClear)
{
    TargetMarker marker;
    if (!isFinite(target) || !isFinite(player))
        return marker;
    const sf::Vector2f margin = view.viewSize * 0.05f;
    const sf::FloatRect visible = visibleWorldRect(view.scroll, view.pixelSize, view.renderScale);
    const sf::FloatRect inner(view.scroll.x + margin.x, view.scroll.y + margin.y, visible.width - 2 * margin.x,
                              visible.height - 2 * margin.y);
    marker.inside = inner.contains(target);
    if (marker.inside && mapViewOpen)
        return marker;
    marker.shown = true;

    const sf::Vector2f d = target - player;
    // Far beyond any map, but kept where an int holds it.
    marker.distance = int(std::min(std::hypot(d.x, d.y) * 0.0625f, 1e9f));
    float bearing = std::atan2(d.x, -d.y) * kv::radiansToDegrees;
    if (bearing < 0)
        bearing += 360;
    marker.bearing = std::clamp(int(bearing), 0, 359);

    auto toScreen = [&](sf::Vector2f world) {
        return textureToWindow(worldToTexture(world, view.scroll, view.renderScale), view.pixelSize,
                               view.screenRect);
    };
    marker.spot = marker.inside ? toScreen(target)
                                : targetArrowPoint(toScreen(player), bearing, halfArrow, view.viewSize, keepClear);
    return marker;
}

sf::FloatRect targetTextBox(sf::Vector2f anchor, float widerText, float lineSpacing16)
{
    return {anchor.x - widerText / 2, anchor.y, widerText, targetTextLines * lineSpacing16};
}

sf::Vector2f targetTextAnchor(const TargetMarker& marker, float widerText, sf::Vector2f arrowSize,
                              float lineSpacing16, sf::Vector2f view, std::span<const sf::FloatRect> keepClear)
{
    if (marker.inside)
        return marker.spot + sf::Vector2f(0, 1.5f * lineSpacing16);
    // At a side edge the texts stand beside the arrow, not over it.
    const float side = widerText / 2 + std::max(46.0f, arrowSize.x + 6);
    const sf::Vector2f anchor(keepWithin(marker.spot.x, side, view.x - side),
                              keepWithin(marker.spot.y, 112 - 2 * lineSpacing16, view.y - (140 - 2 * lineSpacing16)));
    const sf::FloatRect texts = targetTextBox(anchor, widerText, lineSpacing16);
    const Obstacles obstacles{keepClear, around(marker.spot, arrowSize * 0.5f)};
    if (!obstacles.hit(texts))
        return anchor;
    const std::optional<sf::Vector2f> move =
        shortestClearMove(texts, true, true, obstacles, sf::FloatRect(0, 0, view.x, view.y));
    return move ? anchor + *move : anchor;
}

// ---- Drawing ----

namespace {

// A text of the HUD's own, its string set again only when it changes: a steady HUD costs no
// allocation a frame.
struct HudText {
    sf::Text text;
    std::string shown;

    void setUp(const sf::Font& font, unsigned size, float outline)
    {
        text.setFont(font);
        text.setCharacterSize(size);
        text.setFillColor(sf::Color::White);
        text.setOutlineThickness(outline);
        text.setOutlineColor(sf::Color::Black);
    }
    void set(std::string_view string)
    {
        if (string == shown)
            return;
        shown.assign(string);
        text.setString(sf::String::fromUtf8(string.begin(), string.end()));
    }
    float width() const { return text.getLocalBounds().width; }
    void addAt(sf::Vector2f position, HudBatch& batch)
    {
        text.setPosition(position);
        batch.addText(text);
    }
};

struct HudParts {
    bool laidOut = false;
    HudMetrics metrics;
    HudLayout layout;
    sf::Vector2f view;
    kv::sfSprite shipIcon;
    kv::ProgressBar tokenBar;
    // One label a row, so that a row's text is set again only when it changes.
    kv::Label rowLabels[maxPlayers];
    std::string rowTexts[maxPlayers];
    std::string scratch;
    kv::ProgressBar nitroBar;
    kv::Label nitroLabel;
    kv::ProgressBar effectBar;
    HudText itemName;
    // This frame's parts drawn so far, which the marker toward the token keeps clear of.
    std::vector<sf::FloatRect> keepClear;
    HudText targetLabel;
    HudText targetDistance;
    HudText heading;
    // The frame's draws, drawn together at the end.
    HudBatch batch;
};
kv::LazyObject<HudParts> hud;

const sf::Color outlineBlack(0, 0, 0, 255);
const sf::Color greyBack(151, 151, 151);

sf::Vector2f viewSize() { return kv::renderWindow->getView().getSize(); }

ImageRecord* imageAt(int number)
{
    return number >= 0 && number < imageCount ? &(*images)[number] : nullptr;
}

ImageRecord* itemImage(ItemType type)
{
    return type >= 0 && type < itemTypeCount ? imageAt(itemImageNumbers[type]) : nullptr;
}

void outline(kv::Label& label, float thickness)
{
    label.text.setOutlineThickness(thickness);
    label.text.setOutlineColor(outlineBlack);
}

// The blue frame a widget's own draw ends with while showComponentBounds is set.
void addWidgetBounds(HudBatch& batch, kv::Component& widget)
{
    if (kv::showComponentBounds)
        batch.addRect(widget.getPosition(), widget.getSize(), sf::Color(0, 0, 255), false, 1);
}

// A progress bar and a label, added as their own draws would draw them.
void addBar(HudBatch& batch, kv::ProgressBar& bar)
{
    if (bar.backShown())
        batch.addShape(bar.back);
    if (bar.barShown())
        batch.addShape(bar.bar);
    addWidgetBounds(batch, bar);
}

void addLabel(HudBatch& batch, kv::Label& label)
{
    if (label.text.getString().isEmpty())
        return;
    batch.addText(label.text);
    addWidgetBounds(batch, label);
}

void addScoreboard(HudParts& h)
{
    // The icons' team colours are set draw by draw, the rest here.
    kv::ShaderSlot& teamColour = kv::getShaderSlot(kv::shaderTeamColour);
    if (teamColour.loaded) {
        shaderParams::setCurrentTexture(*teamColour.shader, kv::shaderUniforms::TeamColour::texture);
        const float minMatch[4] = {0.5f, 0.5f, 0.5f, 0.0f};
        kv::CachedShader& program = *teamColour.shader;
        program.setUniform4f(program.getUniformLocation(kv::shaderUniforms::TeamColour::minMatchColour.name), minMatch);
    }
    const int target = game.roundSettings.tokensCount;
    for (size_t i = 0; i < game.players.size() && i < size_t(maxPlayers); i++) {
        const Player& player = *game.players[i];
        h.scratch.assign(player.name);
        h.scratch.append(": ").append(std::to_string(player.tokens)).append("/").append(std::to_string(target));
        kv::Label& label = h.rowLabels[i];
        if (h.scratch != h.rowTexts[i]) {
            h.rowTexts[i] = h.scratch;
            label.setText(h.scratch);
        }
        const ScoreRow row = scoreRowFor(h.layout, h.metrics, int(i), label.getWidth());

        h.shipIcon.setPosition(row.icon.left, row.icon.top);
        if (teamColour.loaded)
            h.batch.addSprite(h.shipIcon, *teamColour.shader, kv::shaderUniforms::TeamColour::teamColour,
                              player.colour);
        else
            h.batch.addSprite(h.shipIcon);

        h.tokenBar.value = float(player.tokens);
        h.tokenBar.setPosition({row.bar.left, row.bar.top});
        addBar(h.batch, h.tokenBar);

        label.text.setFillColor(isLocallyControlled(player.playerId) ? sf::Color(128, 255, 128) : sf::Color::White);
        label.setPosition({row.text.left, row.text.top});
        addLabel(h.batch, label);
        h.keepClear.push_back(scoreRowBox(row));
    }
}

void addItemColumn(HudParts& h, const Player& p)
{
    int counts[itemTypeCount];
    sf::Vector2f sizes[itemTypeCount];
    for (int type = 0; type < itemTypeCount; type++) {
        const auto found = p.itemCounts.find(type);
        counts[type] = found == p.itemCounts.end() ? 0 : found->second;
        const ImageRecord* image = itemImage(ItemType(type));
        sizes[type] = image ? sf::Vector2f(float(image->width), float(image->height)) : sf::Vector2f();
    }
    ItemSlot slots[itemTypeCount];
    const int n = itemColumnFor(counts, p.currentItem, sizes, h.view.x, h.layout.itemColumnTop, slots);
    if (n > 0)
        h.itemName.set(itemName(ItemType(p.currentItem)));
    h.keepClear.push_back(itemColumnBox(slots, n, sizes, h.itemName.width(), h.metrics.lineSpacing18));
    for (int i = 0; i < n; i++) {
        ImageRecord* image = itemImage(slots[i].type);
        if (!image)
            continue;
        kv::sfSprite& sprite = image->sprite;
        sprite.setScale(slots[i].scale, slots[i].scale);
        sprite.setRotation(0);
        sprite.setPosition(slots[i].centre);
        h.batch.addSprite(sprite);
        sprite.setScale(1, 1);
        if (slots[i].scale != 1.0f)
            continue;
        h.itemName.addAt({slots[i].centre.x - float(image->width) / 2 - 6 - h.itemName.width(),
                          slots[i].centre.y - h.metrics.lineSpacing18 / 2},
                         h.batch);
    }
}

void addHeading(HudParts& h, const Player& p)
{
    const int degrees =
        std::isfinite(p.angle) ? std::clamp(int(kv::wrapRadians(p.angle) * kv::radiansToDegrees), 0, 359) : 0;
    char text[8];
    std::snprintf(text, sizeof text, "%03d", degrees);
    h.heading.set(text);
    h.heading.addAt({(h.view.x - h.heading.width()) / 2, 16}, h.batch);
    const sf::FloatRect& box = h.layout.headingBox;
    h.batch.addRect({box.left, box.top}, {box.width, box.height}, sf::Color::White, false, 1);
}

// The parts the framework draws over the HUD at the frame's end: the render-scale hint while it
// shows, and the frame rate.
void keepClearOfOverlays(HudParts& h)
{
    const int hint = kv::findHint(renderScaleHintId);
    if (hint >= 0)
        h.keepClear.push_back(renderScaleHintBox(kv::hints[size_t(hint)].position, h.metrics, h.view));
    if (kv::showFPS && kv::fpsTextReady)
        h.keepClear.push_back(h.layout.fpsBox);
}

void addEffectBar(HudParts& h, ItemType icon, sf::Vector2f centre, float value, float maximum)
{
    const EffectBarBoxes boxes = effectBarBoxes(h.layout, centre);
    kv::ProgressBar& bar = h.effectBar;
    bar.position = {boxes.bar.left, boxes.bar.top};
    bar.value = value;
    bar.maximum = maximum;
    bar.updateGeometry();
    addBar(h.batch, bar);
    h.keepClear.push_back(boxes.bar);
    if (ImageRecord* image = itemImage(icon)) {
        const float larger = float(std::max(image->width, image->height));
        const float scale = larger > effectIconSize ? effectIconSize / larger : 1.0f;
        kv::sfSprite& sprite = image->sprite;
        sprite.setScale(scale, scale);
        sprite.setPosition(boxes.icon.left + boxes.icon.width / 2, boxes.icon.top + boxes.icon.height / 2);
        sprite.setRotation(0);
        h.batch.addSprite(sprite);
        sprite.setScale(1, 1);
        h.keepClear.push_back(boxes.icon);
    }
}

void addTargetMarker(HudParts& h, sf::Vector2f target, const std::string& label)
{
    const Player* p = localPlayer();
    if (!p)
        return;
    TargetView view;
    view.scroll = worldView.scroll;
    view.renderScale = worldView.worldRenderScale;
    view.pixelSize = worldView.pixelSize;
    view.screenRect = worldView.screenRect;
    view.viewSize = h.view;
    kv::sfSprite& arrow = *uiSprite1;
    const sf::FloatRect arrowBounds = arrow.getLocalBounds();
    const TargetMarker marker = targetMarkerFor(target, {p->x, p->y}, view, session.mapViewOpen,
                                                {arrowBounds.width / 2, arrowBounds.height / 2}, h.keepClear);
    if (!marker.shown)
        return;

    kv::sfSprite& sprite = marker.inside ? *uiSprite2 : arrow;
    sprite.setPosition(marker.spot);
    sprite.setRotation(marker.inside ? 0.0f : float(marker.bearing));
    h.batch.addSprite(sprite);

    char distance[48];
    if (marker.inside)
        std::snprintf(distance, sizeof distance, "%dM", marker.distance);
    else
        std::snprintf(distance, sizeof distance, "%dM BRG %03d", marker.distance, marker.bearing);
    h.targetLabel.set(label);
    h.targetDistance.set(distance);
    const float labelWidth = label.empty() ? 0 : h.targetLabel.width();
    const float distanceWidth = h.targetDistance.width();
    const float lineSpacing = h.metrics.lineSpacing16;
    const sf::Vector2f anchor =
        targetTextAnchor(marker, std::max(labelWidth, distanceWidth), {arrowBounds.width, arrowBounds.height},
                         lineSpacing, h.view, h.keepClear);
    if (!label.empty())
        h.targetLabel.addAt({anchor.x - labelWidth / 2, anchor.y}, h.batch);
    h.targetDistance.addAt({anchor.x - distanceWidth / 2, anchor.y + 1.25f * lineSpacing}, h.batch);
}

// Every part of this frame's HUD into its batch, in the order they overlap.
void addHud(HudParts& h)
{
    h.keepClear.clear();
    if (session.mapViewOpen) {
        h.batch.addRect({0, 0}, h.view + sf::Vector2f(1, 1), sf::Color::Black, true, 0);
        const sf::Vector2u size = minimapImage.getSize();
        drawMinimap({std::floor((h.view.x - float(size.x)) / 2), std::floor((h.view.y - float(size.y)) / 2)},
                    h.batch);
    }
    addScoreboard(h);

    const Player* p = localPlayer();
    if (!p)
        return;
    const float timers[effectTimerCount] = {p->bombStun, p->pulseHit,  p->missileHit,
                                            p->dronePulseHit, p->empTimer, p->timeWarpTimer};
    EffectBarSlot bars[effectTimerCount];
    const int n = effectBarsFor(timers, h.view.y, bars);
    for (int i = 0; i < n; i++)
        addEffectBar(h, bars[i].icon, {h.view.x / 2, bars[i].centreY}, bars[i].value, bars[i].maximum);

    h.nitroBar.value = p->nitroSeconds;
    h.nitroBar.updateGeometry();
    addBar(h.batch, h.nitroBar);
    addLabel(h.batch, h.nitroLabel);
    h.keepClear.push_back(h.layout.nitroBar);
    h.keepClear.push_back(h.layout.nitroLabelBox);

    addItemColumn(h, *p);
    h.keepClear.push_back(h.layout.headingBox);
    keepClearOfOverlays(h);

    if (game.token.present) {
        static const std::string targetLabel = "Target";
        addTargetMarker(h, {game.token.x, game.token.y}, targetLabel);
    }
    addHeading(h, *p);
}

} // namespace

HudMetrics measureHudMetrics()
{
    const sf::Font& standard = *kv::standardFont;
    const sf::Font& osd = *kv::osdFont;
    HudMetrics m;
    m.lineSpacing18 = standard.getLineSpacing(18);
    m.lineSpacing16 = osd.getLineSpacing(16);
    m.nitroTextWidth = kv::textWidth(standard, 18, "Nitro");
    m.headingBoxWidth = kv::textWidth(osd, 16, "0000");
    const ImageRecord* ship = imageAt(shipImageNumber);
    m.shipImageSize = ship ? sf::Vector2f(float(ship->width), float(ship->height)) : sf::Vector2f();
    m.hintTextWidth = kv::textWidth(standard, kv::componentTextSize, renderScaleHintText(defaultRenderScale));
    m.hintShadow = std::max(0.0f, kv::theme.hintShadowOffset);
    m.fpsTextWidth = kv::fpsTextWidth;
    m.fpsLineSpacing = kv::fpsLineSpacing;
    return m;
}

void layoutHud()
{
    static bool followsDisplayMode = false;
    if (!followsDisplayMode) {
        followsDisplayMode = true;
        kv::displayModeChanged.subscribe([] {
            if (hud.isBuilt() && hud->laidOut)
                layoutHud();
        });
    }
    if (!kv::renderWindow.isBuilt() || !kv::renderWindow->isOpen())
        return;
    HudParts& h = *hud;
    h.view = viewSize();
    const sf::Font& standard = *kv::standardFont;
    const sf::Font& osd = *kv::osdFont;
    h.metrics = measureHudMetrics();
    const ImageRecord* ship = imageAt(shipImageNumber);
    h.layout = hudLayoutFor(h.view, h.metrics);
    const HudLayout& l = h.layout;

    h.shipIcon = ship ? kv::sfSprite(ship->sprite) : kv::sfSprite();
    h.shipIcon.setOrigin(0, 0);
    h.shipIcon.setRotation(0);
    h.shipIcon.setColor(sf::Color::White);
    h.shipIcon.setScale(l.iconScale, l.iconScale);

    h.tokenBar.create({0, 0}, {l.tokenBar.width, l.tokenBar.height}, 0, float(game.roundSettings.tokensCount));
    h.tokenBar.setAlpha(220);

    for (int i = 0; i < maxPlayers; i++) {
        h.rowLabels[i].create({0, 0}, sf::Color::White, "", standard, 18);
        outline(h.rowLabels[i], 1);
        h.rowTexts[i].clear();
    }

    h.nitroBar.create({l.nitroBar.left, l.nitroBar.top}, {l.nitroBar.width, l.nitroBar.height}, 0, maxNitroSeconds);
    h.nitroBar.bar.setFillColor(sf::Color(192, 192, 192, 255));
    h.nitroBar.back.setFillColor(sf::Color(greyBack.r, greyBack.g, greyBack.b, 220));

    h.nitroLabel.create(l.nitroLabel, sf::Color::White, "Nitro", standard, 18);
    outline(h.nitroLabel, 1);

    h.effectBar.create({0, 0}, {l.effectBarSize.x - 64 - 4, l.effectBarSize.y}, 0, 1);
    h.effectBar.bar.setFillColor(sf::Color(255, 0, 0));
    h.effectBar.back.setFillColor(greyBack);

    h.itemName.setUp(standard, 18, 0.75f);
    h.targetLabel.setUp(osd, 16, 0.75f);
    h.targetDistance.setUp(osd, 16, 0.75f);
    h.heading.setUp(osd, 16, 1);
    h.keepClear.reserve(2 * maxPlayers + effectTimerCount * 2 + 8);
    h.laidOut = true;
}

sf::Vector2f renderScaleHintPlace()
{
    if (!hud.isBuilt() || !hud->laidOut)
        return {50, 50};
    return renderScaleHintPosition(hud->layout, hud->metrics, int(std::min(game.players.size(), size_t(maxPlayers))));
}

void drawHud()
{
    if (!hud.isBuilt() || !hud->laidOut)
        return;
    HudParts& h = *hud;
    addHud(h);
    h.batch.draw(*kv::getRenderLayer(kv::layerUI));
}

void drawEffectBar(ItemType icon, const sf::Vector2f* centre, float value, float maximum)
{
    if (!hud.isBuilt() || !hud->laidOut)
        return;
    addEffectBar(*hud, icon, *centre, value, maximum);
    hud->batch.draw(*kv::getRenderLayer(kv::layerUI));
}

void drawTargetMarker(sf::Vector2f target, const std::string& label)
{
    if (!hud.isBuilt() || !hud->laidOut)
        return;
    addTargetMarker(*hud, target, label);
    hud->batch.draw(*kv::getRenderLayer(kv::layerUI));
}

} // namespace tvl
