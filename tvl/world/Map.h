#pragma once
// The loaded map: one at a time, loaded by the game at its start from "Base\Maps\" + a file
// name, with its tiles (16 x 16 world pixels each), its placed sprites and its wind.
#include "world/Tileset.h"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace tvl {

struct MapSprite {
    float x = 0;           // world pixels, the sprite's centre
    float y = 0;
    float angle = 0;       // radians, as drawn
    float targetAngle = 0; // radians
    float turnTimer = 0;   // seconds
    int32_t imageIndex = 0;
};

constexpr const char* mapFolder = "Base\\Maps\\";

extern bool mapLoaded;
extern int32_t mapWidth;  // tiles
extern int32_t mapHeight; // tiles
extern sf::Vector2f mapWorldSize; // world pixels: width x 16, height x 16
extern std::vector<uint16_t> mapTiles; // mapWidth x mapHeight, index y * mapWidth + x
extern std::vector<MapSprite> mapSprites; // in drawing order
extern std::string currentMapFile; // as given to loadMap (relative to the maps folder)
extern std::string mapError;       // why the last loadMap failed
extern uint32_t mapNoiseSeed;      // hashName of the file name without its folders
extern float windSpeed;            // initially 10
extern float windDirection;        // radians, initially pi / 4
extern sf::Vector2f windVector;

// Makes "Base\Maps\" + mapFile the current map. The file is read and checked whole before the
// loaded map is touched: on false the previous map is as it was and mapError says why
// ("Unable to open <file>", "<file> is not a valid map file", "<file> is truncated", or
// "<file> is not a valid map file name" for a name with a ".." component, an absolute path,
// a drive letter or a NUL; sub-folders are fine). On success plain ground tiles (0) become
// one of the variants 0..4, a sheep may stand on a ground cell when a "Sheep" image exists,
// the minimap is rebuilt and mapNoiseSeed set. Prints nothing but the sprite errors of
// addMapSprite.
bool loadMap(const std::string& mapFile);

// The size in tiles from the header alone; {0, 0} with a warning ("Unable to open map file:
// <path>" or "<file> is not a valid map file") when the file cannot be used.
sf::Vector2u readMapSize(const std::string& mapFile);

// Places a sprite of the image typeName (case and extension ignored) with angle and target
// angle from angleRadians: appended, or before all others with atFront. An unknown type
// prints "addMapSprite: No such sprite type <name>" and adds nothing.
void addMapSprite(const std::string& typeName, const sf::Vector2f* position,
                  const float* angleRadians, bool atFront);

// The material of a tile; material 0 outside the map or for a tile index outside 0..1023
// (read as signed 16 bits). Never null.
const TileMaterial* tileMaterialAt(const sf::Vector2i* tile);
// The same for a world position, truncated toward zero to a tile (so -16 < x < 0 is column 0).
const TileMaterial* tileMaterialAtWorld(const sf::Vector2f* position);

// (-sin a, cos a) x windSpeed for a = windDirection; recomputed when speed or direction
// changed and at least once a second.
const sf::Vector2f* getWindVector();

// Frees the tile grid and the map sprites and forgets the current map file.
void unloadMap();

// True when mapFile may be opened below the maps folder: not empty, no NUL, no ".."
// component, not absolute ("/" or "\" first) and no drive letter (no ':').
bool isSafeMapFileName(const std::string& mapFile);

} // namespace tvl
