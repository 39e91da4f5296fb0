// The physics debug view: outlines of the bodies the view can see, on the UI layer.
#include "world/PhysicsDebugDraw.h"

#include "core/Angle.h"
#include "core/Geometry.h"
#include "graphics/RenderLayers.h"
#include "world/GameState.h"
#include "world/Physics.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>

namespace tvl {

namespace {

// One 2-pixel line as a quad: the end points offset by 1 px either side along the normal.
void addThickLine(sf::VertexArray& quads, sf::Vector2f from, sf::Vector2f to, sf::Color colour)
{
    sf::Vector2f d = to - from;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length > 0.0f)
        d /= length;
    const sf::Vector2f n(-d.y, d.x);
    quads.append(sf::Vertex(from + n, colour));
    quads.append(sf::Vertex(to + n, colour));
    quads.append(sf::Vertex(to - n, colour));
    quads.append(sf::Vertex(from - n, colour));
}

sf::Color debugColour(const b2Body* body)
{
    switch (body->GetType()) {
    case b2_staticBody:
        return sf::Color::White;
    case b2_kinematicBody:
        return sf::Color::Yellow;
    default:
        return body->IsAwake() ? sf::Color::Red : sf::Color::Green;
    }
}

} // namespace

void drawPhysicsDebug(const sf::FloatRect* view)
{
    if (!game.physicsWorld || !view)
        return;
    // Kept between frames so the debug view does not allocate once warmed up.
    static PhysicsDebugAABBCallback found;
    static sf::VertexArray lines(sf::Quads);
    static sf::CircleShape circle;
    found.fixtures.clear();
    lines.clear();
    queryPhysicsFixtures(*view, found);

    for (b2Fixture* fixture : found.fixtures) {
        const BodyUserData* data = fixtureUserData(fixture);
        const b2Shape* shape = fixture->GetShape();
        const bool isCircle = shape->GetType() == b2Shape::e_circle;
        const bool isBox = shape->GetType() == b2Shape::e_polygon
                           && static_cast<const b2PolygonShape*>(shape)->m_count == 4;
        if (!data || !(isCircle || isBox))
            continue;

        const b2Body* body = fixture->GetBody();
        sf::Vector2f pose = toPixels(body->GetPosition());
        float angle = body->GetAngle();
        if (data->kind == BodyUserData::player && data->owner) {
            pose = {data->owner->renderX, data->owner->renderY};
            angle = data->owner->renderAngle;
        }
        const sf::Vector2f screen = pose - sf::Vector2f(view->left, view->top);
        const sf::Color colour = debugColour(body);

        if (isBox) {
            const auto* polygon = static_cast<const b2PolygonShape*>(shape);
            sf::Vector2f corner[4];
            for (int i = 0; i < 4; i++)
                corner[i] = toPixels(polygon->m_vertices[i]) + screen;
            const sf::Vector2f centre = (corner[0] + corner[2]) * 0.5f;
            for (sf::Vector2f& c : corner)
                kv::rotatePoint(c.x, c.y, kv::radians(angle), centre.x, centre.y);
            for (int i = 0; i < 4; i++)
                addThickLine(lines, corner[i], corner[(i + 1) % 4], colour);
        } else {
            const float r = shape->m_radius * pixelsPerMetre;
            circle.setRadius(r);
            circle.setPointCount(static_cast<std::size_t>(std::clamp(r / 5.0f, 16.0f, 160.0f)));
            circle.setOrigin(r, r);
            circle.setPosition(screen);
            circle.setFillColor(sf::Color::Transparent);
            circle.setOutlineThickness(2.0f);
            circle.setOutlineColor(colour);
            kv::drawOnUILayer(circle);
            sf::Vector2f tip = screen;
            kv::moveInDirection(tip.x, tip.y, kv::radians(angle), r);
            addThickLine(lines, screen, tip, colour);
        }
    }
    if (lines.getVertexCount() > 0)
        kv::drawOnUILayer(lines);
}

} // namespace tvl
