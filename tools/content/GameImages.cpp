// The game's pictures under base/images/. Everything that has a heading faces up (towards -y):
// the game turns images by their heading, with 0 pointing up. One palette throughout: a dark
// navy rim, gunmetal hulls, neutral light grey where the player's colour goes, cyan glass,
// warm engine light. Vehicles and pickups get their drop shadow from the game; map sprites
// do not, so the sheep carries its own.
#include "Content.h"
#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace content {

namespace {

const Rgba kRim = rgb(18, 22, 30);
// Hulls stay a little blue, so that no lit hull pixel passes for the neutral grey that the
// team-colour program repaints.
const Rgba kHullDark = rgb(46, 54, 72);
const Rgba kHullLight = rgb(92, 106, 136);
const Rgba kTeamDark = rgb(150, 150, 150);
const Rgba kTeamLight = rgb(238, 238, 238);
const Rgba kGlassDark = rgb(20, 70, 130);
const Rgba kGlassLight = rgb(120, 210, 250);
const Rgba kEngine = rgb(255, 150, 40);
const Rgba kGold = rgb(250, 196, 60);
const Rgba kGoldDark = rgb(170, 104, 20);

// Shading across a round body standing upright between left and right: lit from the left.
Paint cylinder(float left, float right, Rgba dark, Rgba light)
{
    return [=](Vec p) {
        float t = std::clamp((p.x - left) / (right - left), 0.0f, 1.0f);
        float lit = 1.0f - std::fabs(t - 0.35f) / 0.65f;
        return mix(dark, light, std::clamp(lit, 0.0f, 1.0f));
    };
}

// A sphere lit from the upper left.
Paint sphere(Vec centre, float radius, Rgba dark, Rgba light)
{
    return radial({centre.x - radius * 0.35f, centre.y - radius * 0.4f}, radius * 1.5f, light, dark);
}

// A shape and its mirror image about the vertical line x = axisX.
Shape symmetric(Shape s, float axisX) { return unite(s, mirrored(s, axisX)); }

// --- the vehicle ---

// The ship is 32 x 48. Its wings and nose stripe carry the player's colour: the picture has
// them in neutral grey, and the mask marks exactly them (white, alpha = coverage).
Shape shipWings() { return symmetric(polygon({{11, 19}, {2.5f, 33}, {2.5f, 40}, {11, 37.5f}}), 16); }
Shape shipStripe() { return unite(polygon({{16, 2.5f}, {18.3f, 8}, {13.7f, 8}}), rect(14.6f, 26, 17.4f, 37)); }
Shape shipFuselage()
{
    return polygon({{16, 1.5f}, {20, 9}, {21.5f, 27}, {20.5f, 41}, {11.5f, 41}, {10.5f, 27}, {12, 9}});
}
Shape shipEngines() { return symmetric(rect(9, 36, 14, 45.5f, 1.5f), 16); }

sf::Image ship()
{
    Canvas c(32, 48);
    Shape whole = unite({shipWings(), shipFuselage(), shipEngines()});
    c.fill(grow(whole, 1.0f), kRim);
    c.fill(shipEngines(), cylinder(9, 23, kHullDark, kHullLight));
    c.fill(symmetric(rect(10, 44, 13, 46.5f, 0.8f), 16), kEngine);
    c.fill(shipWings(), linear({0, 19}, kTeamLight, {0, 40}, kTeamDark));
    c.fill(grow(shipFuselage(), 0.6f), kRim);
    c.fill(shipFuselage(), cylinder(10.5f, 21.5f, kHullDark, kHullLight));
    c.fill(shipStripe(), linear({0, 2}, kTeamLight, {0, 37}, kTeamDark));
    c.bevel(whole, 2.0f, 0.3f);
    // Panel lines, then the canopy.
    c.fill(unite(symmetric(line({5, 34}, {10.5f, 31}, 0.8f), 16), line({12, 23}, {20, 23}, 0.8f)), withAlpha(kRim, 0.7f));
    Shape canopy = ellipse({16, 15.5f}, 3.2f, 6);
    c.fill(grow(canopy, 0.8f), kRim);
    c.fill(canopy, linear({14, 10}, kGlassLight, {18, 21}, kGlassDark));
    c.fill(ellipse({15, 13}, 1, 2.2f), withAlpha(rgb(255, 255, 255), 0.7f));
    return c.toImage();
}

sf::Image shipMask()
{
    Canvas c(32, 48);
    // The wings as they show from under the fuselage and its rim.
    c.fill(unite(subtract(shipWings(), grow(shipFuselage(), 0.6f)), shipStripe()), rgb(255, 255, 255));
    sf::Image image = c.toImage();
    // White with alpha = coverage; the colour channels follow the alpha, so that a shader
    // reading either one sees the same mask.
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x) {
            sf::Uint8 a = image.getPixel(x, y).a;
            image.setPixel(x, y, sf::Color(a, a, a, a));
        }
    return image;
}

// --- token and projectiles ---

Shape star(Vec centre, float outer, float inner, int points)
{
    std::vector<Vec> pts;
    for (int i = 0; i < points * 2; ++i) {
        float a = i * 3.14159265f / points;
        float r = i % 2 ? inner : outer;
        pts.push_back({centre.x + r * std::sin(a), centre.y - r * std::cos(a)});
    }
    return polygon(pts);
}

sf::Image token()
{
    Canvas c(32, 32);
    const Vec centre = {16, 16};
    c.outlined(circle(centre, 14), sphere(centre, 14, kGoldDark, rgb(255, 236, 150)), 1.2f, kRim);
    c.bevel(circle(centre, 14), 2.5f, 0.35f);
    c.fill(ring(centre, 10.5f, 1.2f), withAlpha(kGoldDark, 0.8f));
    Shape gem = star(centre, 9, 3.6f, 4);
    c.fill(grow(gem, 0.9f), kRim);
    c.fill(gem, linear({10, 8}, rgb(150, 220, 255), {22, 24}, rgb(20, 80, 200)));
    c.fill(intersect(gem, rect(0, 0, 16, 16)), withAlpha(rgb(255, 255, 255), 0.35f));
    return c.toImage();
}

// A bolt of light, its round head at the top, fading into a tail.
sf::Image bolt(int width, int height, Rgba colour, Rgba core)
{
    Canvas c(width, height);
    float cx = width / 2.0f, r = width * 0.22f;
    Shape body = unite(circle({cx, r + width * 0.28f}, r), polygon({{cx - r, r + width * 0.28f}, {cx + r, r + width * 0.28f},
                                                                    {cx, height - 2.0f}}));
    c.glow(body, width * 0.28f, withAlpha(colour, 0.85f));
    c.fill(body, linear({0, 0}, core, {0, static_cast<float>(height)}, colour));
    c.fill(grow(body, -r * 0.45f), withAlpha(rgb(255, 255, 255), 0.9f));
    return c.toImage();
}

sf::Image missile()
{
    Canvas c(24, 64);
    Shape body = unite(rect(8, 12, 16, 53, 2), ellipse({12, 13}, 4, 11));
    Shape fins = symmetric(polygon({{8.5f, 40}, {2, 54}, {2, 57}, {8.5f, 53}}), 12);
    Shape nozzle = rect(9, 52, 15, 57, 1);
    c.glow(ellipse({12, 59}, 2.5f, 3.5f), 4, withAlpha(kEngine, 0.9f));
    c.fill(ellipse({12, 59}, 2, 3), rgb(255, 240, 190));
    c.fill(grow(unite({body, fins, nozzle}), 1.0f), kRim);
    c.fill(nozzle, cylinder(9, 15, kHullDark, kHullLight));
    c.fill(fins, cylinder(2, 22, rgb(150, 30, 30), rgb(230, 70, 60)));
    c.fill(body, cylinder(8, 16, rgb(150, 156, 168), rgb(248, 248, 250)));
    c.fill(intersect(body, rect(0, 0, 24, 12)), cylinder(8, 16, rgb(150, 30, 30), rgb(240, 80, 70)));
    c.fill(unite(line({8, 12}, {16, 12}, 0.9f), line({8, 44}, {16, 44}, 0.9f)), withAlpha(kRim, 0.8f));
    c.bevel(unite(body, fins), 1.5f, 0.25f);
    return c.toImage();
}

// --- item pictures (64 x 64, drawn at half size on the map) ---

sf::Image nitro()
{
    Canvas c(64, 64);
    Shape tank = rect(19, 15, 45, 58, 9);
    Shape valve = unite(rect(27, 6, 37, 16, 1.5f), rect(22, 4, 42, 8, 2));
    c.outlined(valve, cylinder(22, 42, kHullDark, rgb(170, 176, 188)), 1.6f, kRim);
    c.outlined(tank, cylinder(19, 45, rgb(14, 60, 150), rgb(90, 170, 255)), 1.8f, kRim);
    c.fill(intersect(tank, rect(0, 28, 64, 44)), cylinder(19, 45, rgb(180, 186, 196), rgb(255, 255, 255)));
    Shape flame = unite(polygon({{32, 29.5f}, {37.5f, 37}, {35.5f, 42.5f}, {28.5f, 42.5f}, {26.5f, 37}}), circle({32, 39}, 3.6f));
    c.fill(flame, linear({0, 29}, rgb(255, 200, 40), {0, 43}, rgb(235, 70, 20)));
    c.fill(circle({32, 39.5f}, 1.8f), rgb(255, 240, 170));
    c.bevel(tank, 3, 0.3f);
    return c.toImage();
}

sf::Image bomb()
{
    Canvas c(64, 64);
    const Vec centre = {30, 38};
    Shape cap = turned(rect(34, 13, 44, 21, 1.5f), {39, 17}, 40);
    c.outlined(cap, cylinder(34, 44, kHullDark, kHullLight), 1.6f, kRim);
    c.outlined(circle(centre, 21), sphere(centre, 21, rgb(16, 18, 24), rgb(100, 108, 124)), 1.8f, kRim);
    c.fill(ellipse({22, 28}, 5, 3.5f), withAlpha(rgb(255, 255, 255), 0.45f));
    c.fill(polyline({{42, 14}, {46, 9}, {51, 8}}, 2.6f), rgb(190, 160, 110));
    c.glow(circle({53, 7}, 1.5f), 7, withAlpha(rgb(255, 170, 40), 0.9f));
    c.fill(star({53, 7}, 6, 2, 4), rgb(255, 230, 120));
    c.fill(turned(star({53, 7}, 4.5f, 1.5f, 4), {53, 7}, 45), rgb(255, 255, 220));
    return c.toImage();
}

sf::Image emp()
{
    Canvas c(64, 64);
    const Vec centre = {32, 32};
    c.glow(circle(centre, 18), 10, withAlpha(rgb(90, 140, 255), 0.55f));
    c.outlined(circle(centre, 18), sphere(centre, 18, rgb(30, 30, 110), rgb(140, 170, 255)), 1.8f, kRim);
    c.fill(unite(arc(centre, 24, 2.6f, 300, 420), arc(centre, 24, 2.6f, 120, 240)), rgb(170, 200, 255));
    Shape boltShape = polygon({{35, 17}, {24, 34}, {31, 34}, {28, 47}, {40, 29}, {33, 29}});
    c.fill(grow(boltShape, 1.2f), kRim);
    c.fill(boltShape, linear({0, 17}, rgb(255, 255, 230), {0, 47}, rgb(255, 215, 60)));
    return c.toImage();
}

sf::Image timeWarp()
{
    Canvas c(64, 64);
    Shape glass = symmetric(polygon({{20, 12}, {44, 12}, {34.5f, 31}, {34.5f, 33}, {44, 52}, {20, 52}, {29.5f, 33}, {29.5f, 31}}), 32);
    c.glow(glass, 6, withAlpha(rgb(170, 110, 255), 0.5f));
    c.fill(grow(glass, 1.6f), kRim);
    c.fill(glass, linear({20, 12}, rgb(210, 240, 255, 235), {44, 52}, rgb(120, 170, 220, 235)));
    Shape sandTop = intersect(glass, polygon({{23, 20}, {41, 20}, {32, 32}}));
    Shape sandBottom = intersect(glass, polygon({{32, 38}, {43, 51}, {21, 51}}));
    Paint sand = linear({0, 20}, rgb(255, 214, 110), {0, 51}, rgb(220, 150, 40));
    c.fill(unite(sandTop, sandBottom), sand);
    c.fill(line({32, 31}, {32, 41}, 1.2f), rgb(240, 190, 80));
    for (float y : {8.0f, 56.0f})
        c.outlined(rect(15, y - 4, 49, y + 4, 2), cylinder(15, 49, rgb(90, 40, 150), rgb(190, 130, 255)), 1.6f, kRim);
    c.fill(line({26, 16}, {30, 27}, 1.6f), withAlpha(rgb(255, 255, 255), 0.7f));
    return c.toImage();
}

sf::Image gun()
{
    // A twin pulse cannon from above, barrels forward.
    Canvas c(64, 64);
    Shape barrels = symmetric(rect(22, 4, 28, 36, 1.5f), 32);
    Shape base = unite(circle({32, 40}, 16), rect(18, 40, 46, 58, 4));
    c.fill(grow(unite(barrels, base), 1.8f), kRim);
    c.fill(barrels, cylinder(22, 28, kHullDark, rgb(170, 176, 188)));
    c.fill(mirrored(barrels, 32), cylinder(36, 42, kHullDark, rgb(170, 176, 188)));
    c.fill(symmetric(rect(21.5f, 14, 28.5f, 17, 0.5f), 32), kRim);
    c.glow(symmetric(rect(23, 3, 27, 6), 32), 4, withAlpha(rgb(255, 230, 60), 0.9f));
    c.fill(symmetric(rect(23, 3, 27, 6, 1), 32), rgb(255, 250, 200));
    c.fill(grow(base, 0.5f), kRim);
    c.fill(base, sphere({32, 42}, 16, kHullDark, kHullLight));
    c.bevel(base, 3, 0.3f);
    c.outlined(circle({32, 42}, 7), sphere({32, 42}, 7, rgb(150, 100, 10), rgb(255, 230, 90)), 1.5f, kRim);
    c.fill(unite(line({22, 53}, {42, 53}, 1.2f), line({22, 49}, {26, 49}, 1.2f)), withAlpha(kRim, 0.6f));
    return c.toImage();
}

sf::Image drone()
{
    // A quadcopter from above, its camera at the front.
    Canvas c(64, 64);
    const Vec centre = {32, 32};
    const Vec rotors[] = {{14, 14}, {50, 14}, {14, 50}, {50, 50}};
    Shape arms = unite(line(rotors[0], rotors[3], 5), line(rotors[1], rotors[2], 5));
    Shape hubs = unite({circle(rotors[0], 4), circle(rotors[1], 4), circle(rotors[2], 4), circle(rotors[3], 4)});
    Shape body = rect(22, 20, 42, 44, 7);
    for (Vec r : rotors) {
        c.fill(circle(r, 12.5f), withAlpha(rgb(200, 210, 225), 0.28f));
        c.fill(ring(r, 12.5f, 1.2f), withAlpha(kRim, 0.7f));
    }
    c.fill(grow(unite({arms, hubs, body}), 1.5f), kRim);
    c.fill(arms, linear({0, 10}, kHullLight, {0, 54}, kHullDark));
    c.fill(hubs, sphere(centre, 30, kHullDark, rgb(170, 176, 188)));
    for (Vec r : rotors)
        c.fill(unite(line(r - Vec{9, 3}, r + Vec{9, 3}, 2.2f), line(r - Vec{-3, 9}, r + Vec{-3, 9}, 2.2f)),
               withAlpha(rgb(230, 235, 240), 0.55f));
    c.fill(body, linear({22, 20}, rgb(230, 232, 236), {42, 44}, rgb(140, 146, 158)));
    c.bevel(body, 3, 0.3f);
    c.fill(rect(26, 30, 38, 40, 3), withAlpha(kHullDark, 0.55f));
    c.fill(grow(circle({32, 23.5f}, 3.2f), 1.0f), kRim);
    c.fill(circle({32, 23.5f}, 3.2f), sphere({32, 23.5f}, 3.2f, rgb(140, 10, 10), rgb(255, 120, 100)));
    return c.toImage();
}

// --- map sprites ---

sf::Image sheep()
{
    // Seen from above, head forward; 24 x 32.
    Canvas c(24, 32);
    Shape wool = unite({circle({12, 19.5f}, 7.5f), circle({7.5f, 15}, 4), circle({16.5f, 15}, 4),
                        circle({6.5f, 21}, 4), circle({17.5f, 21}, 4), circle({8.5f, 26}, 4),
                        circle({15.5f, 26}, 4), circle({12, 14}, 4)});
    Shape head = ellipse({12, 6}, 3.1f, 4.8f);
    Shape ears = unite(turned(ellipse({8, 8.8f}, 2.3f, 1.1f), {8, 8.8f}, 35), turned(ellipse({16, 8.8f}, 2.3f, 1.1f), {16, 8.8f}, -35));
    c.shadow(unite({wool, head, ears}), {1.5f, 2}, 1.5f, rgb(0, 0, 0, 80));
    c.fill(grow(unite(head, ears), 0.8f), kRim);
    c.fill(unite(head, ears), sphere({12, 5}, 5, rgb(40, 36, 36), rgb(125, 114, 108)));
    c.fill(grow(wool, 0.9f), withAlpha(rgb(70, 66, 60), 0.9f));
    c.fill(wool, sphere({12, 19}, 11, rgb(196, 188, 170), rgb(255, 252, 244)));
    for (Vec v : {Vec{8, 16}, Vec{15, 17}, Vec{11, 22}, Vec{9, 26}, Vec{16, 24}})
        c.fill(arc(v, 1.6f, 0.8f, 200, 340), withAlpha(rgb(150, 142, 126), 0.8f));
    return c.toImage();
}

struct Picture {
    const char* fileName;
    sf::Image (*draw)();
};

sf::Image energyPulse() { return bolt(12, 32, rgb(255, 210, 40), rgb(255, 255, 200)); }
sf::Image dronePulse() { return bolt(10, 24, rgb(255, 50, 40), rgb(255, 200, 190)); }

const Picture kPictures[] = {
    {"Ship03.png", ship},          {"Ship03_mask.png", shipMask}, {"Token.png", token},
    {"EnergyPulse.png", energyPulse}, {"DronePulse.png", dronePulse}, {"Missile.png", missile},
    {"Nitro.png", nitro},          {"Bomb.png", bomb},            {"EMP.png", emp},
    {"TimeWarp.png", timeWarp},    {"Gun.png", gun},              {"Drone.png", drone},
    {"Sheep.png", sheep},
};

} // namespace

bool generateGameImages(const std::string& gameDir)
{
    for (const Picture& picture : kPictures)
        if (!writeImage(picture.draw(), gameDir, std::string("base/images/") + picture.fileName))
            return false;
    return true;
}

} // namespace content
