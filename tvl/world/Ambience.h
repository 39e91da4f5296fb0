#pragma once
// Ambience: environment levels, ambient loops, wildlife and plant placement.
//
// Each tick of a running game measures what surrounds the centre of the view (grass, water,
// tree cover, the shore, wind), tops the wildlife up to targets that follow those levels and
// carpets the ground around the view with plants placed by value noise, so that one map always
// grows the same plants in the same places. Each world frame keeps one named looping voice per
// level playing at a volume that follows it. The decisions are plain functions over an
// AmbienceMap, so they run on a fake map as well as on the loaded one.
#include "world/Tileset.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace tvl {

// What a tile's material means to the ambience (by the names "Grass", "Water", "Tree").
enum class Ground : uint8_t { Other, Grass, Water, Tree };

// The map as the ambience reads it. The tiles are borrowed, not copied.
struct AmbienceMap {
    int32_t width = 0, height = 0;   // tiles
    const uint16_t* tiles = nullptr; // width x height tile indices, row by row
    std::array<Ground, tileCount> groundByTile{};
    Ground outside = Ground::Other;   // material 0's: outside the map, or a bad tile index
    std::vector<sf::FloatRect> trees; // world bounds of the map sprites whose image isTree

    // The ground of tile (tx, ty), as tileMaterialAt finds its material.
    Ground atTile(int tx, int ty) const;
    // The ground under a world point, as tileMaterialAtWorld finds its material.
    Ground atWorld(sf::Vector2f position) const;
};

// groundByTile and outside from the loaded tile materials (tileMaterialIndex, tileMaterials).
void fillGroundFromMaterials(AmbienceMap& map);
// The loaded map: its tiles, the ground of the loaded materials, and the tree sprites.
void readLoadedAmbienceMap(AmbienceMap& map);

// Nine levels in 0 .. 1; -1 before the first measure of a game (no loop plays).
struct AmbienceLevels {
    float meadow = -1, forest = -1, jungle = -1, city = -1, water = -1, shore = -1,
          underwater = -1, rain = -1, wind = -1;
};

// Share of the tiles of the 400 x 400 box around centre that are grass / water.
float groundShare(const AmbienceMap& map, sf::Vector2f centre, Ground ground);
// Share of "Tree" tiles in the box, plus (below 1) the tree sprites' overlap with it over
// 160000; clamped to 0 .. 1.
float treeCover(const AmbienceMap& map, sf::Vector2f centre);
// 1 - d / 400 for the nearest change of water-ness d pixels away along eight directions in
// 40-pixel steps (at most 10), shorePoint at the walker where it was found; 0 and (0, 0)
// when no direction finds one.
float shoreProximity(const AmbienceMap& map, sf::Vector2f centre, sf::Vector2f* shorePoint);
// All nine levels around centre (jungle, city, underwater and rain are always 0);
// wind = windSpeed / 33 clamped to 0 .. 1. Sets shorePoint.
AmbienceLevels measureAmbience(const AmbienceMap& map, sf::Vector2f centre, float windSpeed,
                               sf::Vector2f* shorePoint);

// ---- Wildlife ----

enum WildlifeKind { Fly, Bee, Butterfly, Firefly, Fish, Crab, Bird, wildlifeKindCount };
// How many of each kind should live around the view: the integer part of its formula over
// the levels; bees and butterflies only while light > 0.02, fireflies only at 0.02 or less.
std::array<int, wildlifeKindCount> wildlifeTargets(const AmbienceLevels& levels, float light);

// A kind's definition ids: a spawn picks one of them, its live count is over all of them.
struct WildlifeGroup {
    std::array<uint32_t, 3> ids{};
    int idCount = 0;
    float minDistance = 0; // spawned 0 .. 1000 pixels from the view centre, birds from 750
};
std::array<WildlifeGroup, wildlifeKindCount> wildlifeGroups();

// ---- Plants ----

// The 46 plant definition ids: hashName of "Plant_<Name><nn>.ini".
struct PlantIds {
    uint32_t grass[3], flower[7], stone[7], waterStone[7], seaweed[2], coral[2], starfish,
        bluebell[2], fern, firCone, leaf[7], mushroom[3], toadstool[3];
};
PlantIds plantIds();

// 42 x 0, 42 x 1, 42 x 2, then 10, 10, 10, 11, 11, 11, 12, 13, 14, 15, 15, 16, 20: grass
// 0 .. 2, flowers 10 .. 16, 20 a stone.
constexpr size_t grassPlantTableSize = 139;
std::array<uint8_t, grassPlantTableSize> makeGrassPlantTable();

struct PlantPlacementState {
    bool plantsPlaced = false;
    sf::Vector2f lastPlantCentre;
};

struct PlantGround {
    const AmbienceMap* map = nullptr;
    const PlantIds* ids = nullptr;
    const uint8_t* grassTable = nullptr; // grassPlantTableSize entries
    uint32_t noiseSeed = 0;              // mapNoiseSeed
    float forest = 0;                    // the forest level: above 0 also grows the forest floor
};

// Receives each plant placePlants decides on.
using PlantSink = void (*)(uint32_t definitionId, sf::Vector2f position, void* context);

// Plants the ground within radius of centre on a 16-pixel grid, except what the previous
// placement circle (radius around lastPlantCentre) already covered; nothing at all while
// plants are placed and centre is less than 32 pixels from lastPlantCentre (false then).
// The same map and seed give the same plants at the same places on every machine.
bool placePlants(const PlantGround& ground, PlantPlacementState& state, sf::Vector2f centre,
                 float radius, PlantSink sink, void* context);

// The placement radius: 0.6 x the view's diagonal in world pixels, whole, at most 1000.
float plantRadius(sf::Vector2u pixelSize, float renderScale);

// ---- Loops ----

// The ambience's sounds (-1 where a sound is missing).
struct AmbienceSounds {
    int32_t meadow = -1, forest = -1, jungle = -1, city = -1, water = -1, underwater = -1,
            shore = -1, rain = -1;
    std::array<int32_t, 5> wind{-1, -1, -1, -1, -1}; // Wind_A .. Wind_E
};

// One named looping voice to keep playing this frame.
struct AmbientVoice {
    int channel = 0; // index into ambientVoiceNames
    int32_t sound = -1;
    float volume = 0;
    bool positional = false; // at shorePoint; otherwise at the listener
};
constexpr int ambientChannelCount = 9;
extern const char* const ambientVoiceNames[ambientChannelCount];

// The voices for these levels: a channel plays when its level is above 0 and its sound exists,
// at level x gain; the shore at shore x water, positional. The wind's sound goes by its level
// (Wind_A below 0.2 .. Wind_E from 0.8). Returns how many of out are filled.
int ambientLoopVoices(const AmbienceLevels& levels, const AmbienceSounds& sounds, float gain,
                      std::array<AmbientVoice, ambientChannelCount>& out);

// ---- The game's ambience ----

extern AmbienceLevels ambienceLevels;
extern sf::Vector2f shorePoint;

// At every round start: sound and id look-ups, the four main loops loaded ahead, the map read,
// every level back to -1 (no loop plays yet).
void initAmbience();
// Keeps the ambient loops playing at their current levels (once per world frame).
void playAmbientLoops();
// Once per tick of a running game with the ambient setting on: levels, wildlife (wildlife
// setting) and plant placement (plants setting) around the view.
void updateAmbience();
// Set when a map is loaded or the render scale changes: the plants are placed again.
extern bool replantRequested;
}
