#pragma once
// What the world's generators share: the tile set's layout (which cell holds which ground and
// which transition), a little deterministic noise, and the ground colours, so that the maps,
// their previews and the menu background are made from the same cells the game draws.
#include "Draw.h"

#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>

namespace content {

// --- noise: the same on every machine for one seed ---

uint32_t hash32(uint32_t x);
uint32_t hash2(int x, int y, uint32_t seed);
// Uniform in [0, 1) from a lattice point.
float hashUnit(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1); period (in lattice cells, 0 = none) makes it tile.
float valueNoise(float x, float y, uint32_t seed, int period = 0);
// A few octaves of valueNoise, each at twice the frequency; still in [0, 1).
float fractalNoise(float x, float y, uint32_t seed, int octaves, int period = 0);

// --- the ground ---

enum Terrain : int { Grass, Lush, Sand, Forest, Road, Concrete, Water, Acid, TerrainCount };

// The material each terrain's cells carry in the tile set's .ini.
const char* terrainMaterial(Terrain t);

// Cell 0 is the plain ground the loader varies (0..4); every other terrain has four pure
// variants of its own in row 0. Water and acid are one pure key-colour cell each.
constexpr int kPlainGroundVariants = 5;
constexpr int kPureVariants = 4;
int pureTile(Terrain t, int variant);
constexpr int kConveyorUp = 27, kConveyorDown = 28, kConveyorLeft = 29, kConveyorRight = 30;

// Transitions: each pair (base, overlay) has 16 cells, one per corner mask. Mask bits: 1 top
// left, 2 top right, 4 bottom left, 8 bottom right is overlay; the other corners are base.
struct TerrainPair {
    Terrain base, overlay;
};
extern const TerrainPair kTerrainPairs[];
extern const int kTerrainPairCount;
int transitionTile(int pair, int mask);
// The pair index of (a, b) in either order, -1 when the tile set has none; swapped tells that
// a is the overlay.
int findTerrainPair(Terrain a, Terrain b, bool* swapped);

// The tile set picture as the game loads it (512 x 512, 16-pixel cells, 32 a row).
sf::Image makeTilesetImage();

// --- the generators (main's table) ---

// base/Tiles/Tileset.png and Tileset.ini.
bool generateTileset(const std::string& gameDir);
// base/images/: trees, rocks and the turning machines placed on maps.
bool generateMapSprites(const std::string& gameDir);
// base/Effects/ Smoke, Fire, Pulse and Sparks; base/Textures/ Water, Acid, UI.
bool generateEffectTextures(const std::string& gameDir);
// base/Effects/Wildlife.png and Plants.png, and a definition file in base/Particles for each
// wildlife and plant kind, its frames cut from those atlases.
bool generateParticles(const std::string& gameDir);
// base/Maps/: a .map and its preview .png for every plan (.ini) found there; then
// base/Textures/menuback.png, a night scene of the largest map.
bool generateMaps(const std::string& gameDir);

} // namespace content
