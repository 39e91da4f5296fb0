#pragma once
// World sprites: every image of the world (map sprites, pickups, the token, vehicles and their
// drones) is drawn by drawSpriteShaded, with an optional drop shadow and through the game's
// Sprite program, which paints the team-coloured parts through the texture's mask.
#include "graphics/Lights.h"
#include "world/Map.h"
#include "world/WorldView.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace tvl {

struct ImageRecord;

// Draws image (an index into the image table; outside 0 .. imageCount - 1 draws nothing) at
// position (world-texture pixels), turned by angle (radians), on layerGround (the world texture
// while the world is drawn). scale is a factor on the view's render scale; -1 draws unscaled.
// shadowDistance > 0 first draws a shadow that far down and right (world pixels, scaled like the
// sprite) through the framework's SpriteShadow program. sideColour replaces the team-coloured
// parts where sideColourSwap is set; objectId tells the Sprite program whose pixels these are.
// The image's sprite is left unturned and unscaled.
void drawSpriteShaded(WorldView& view, int image, const sf::Vector2f& position, const float& angle,
                      float shadowDistance, int objectId, float scale, bool sideColourSwap,
                      const sf::Color& sideColour);

// The map's sprites in order (those on screen); when the game is not paused, also their turns.
void drawMapSprites(float dt);
// Every pickup at half scale with its item's picture.
void drawPickups();
// The token, when one is in play, and its light.
void drawToken();
// Each player's vehicle in its colour, its drone while out, and sparks while it is disabled.
void drawPlayers(float dt);

// --- Plain rules (no GL) ---

// The sprite scale for a scale argument: (scale x renderScale) on both axes, (1, 1) for -1.
sf::Vector2f spriteScale(float scale, float renderScale);
// The scale that gives a light of world-pixel size the window size of a sprite drawn with
// spriteScale(scale, renderScale) into a world texture shown at drawScale.
sf::Vector2f lightScale(float scale, float renderScale, const sf::Vector2f& drawScale);
// The shadow's offset on both axes: shadowDistance x renderScale x scale, or shadowDistance
// when scale is -1.
float shadowOffset(float shadowDistance, float scale, float renderScale);

// One frame of a map sprite's motion (dt seconds): with randomTurn and a turnSpeed, a new random
// target every 3 to 10 s and a turn towards it of turnSpeed x dt degrees (none within 1 degree);
// with a rotateSpeed, a steady turn of rotateSpeed x dt degrees. Angles stay in [0, 2 pi).
void updateMapSprite(MapSprite& sprite, const ImageRecord& image, float dt);

// The spark animation of a disabled vehicle: a new frame every 0.02 s, over frameCount frames.
struct SparkAnimation {
    float timer = 0;
    int frame = 0;
};
constexpr float sparkFrameSeconds = 0.02f;
// Advances by dt; frameCount 0 keeps frame 0.
void advanceSparks(SparkAnimation& sparks, float dt, int frameCount);

// A vehicle's beam: yellow and 64 px long for a person, orange and 128 px for the computer.
// The record is shared by all vehicles of that kind (steady, so sharing changes nothing).
kv::LightSource& vehicleLight(bool computer);
// Where a vehicle's beam stands: radius behind its centre (world pixels), turned to point back
// the way the vehicle faces, heading + pi wrapped into [0, 2 pi).
struct LightPlacement {
    sf::Vector2f position;
    float angle = 0;
};
LightPlacement vehicleLightPlacement(sf::Vector2f centre, float heading, float radius);

} // namespace tvl
