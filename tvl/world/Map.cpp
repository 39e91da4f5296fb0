#include "world/Map.h"

#include "core/Angle.h"
#include "core/Framework.h"
#include "core/Hash.h"
#include "core/Messages.h"
#include "platform/FileSystem.h"
#include "world/Images.h"
#include "world/MapFile.h"
#include "world/Minimap.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tvl {

bool mapLoaded = false;
int32_t mapWidth = 0;
int32_t mapHeight = 0;
sf::Vector2f mapWorldSize;
std::vector<uint16_t> mapTiles;
std::vector<MapSprite> mapSprites;
std::string currentMapFile;
std::string mapError;
uint32_t mapNoiseSeed = 0;
float windSpeed = 10.0f;
float windDirection = 0.7853982f;
sf::Vector2f windVector;

namespace {

std::string lastPathComponent(const std::string& path)
{
    std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

// Plain ground (0) becomes one of its five variants; now and then a sheep grazes there.
void applyTileVariants()
{
    bool sheep = getImageNumber("Sheep.png", false) != 0;
    for (int32_t y = 0; y < mapHeight; y++)
        for (int32_t x = 0; x < mapWidth; x++) {
            uint16_t& tile = mapTiles[std::size_t(y) * mapWidth + x];
            if (tile != 0)
                continue;
            tile = uint16_t(std::rand() % 5);
            if (sheep && std::rand() % 5000 == 0) {
                sf::Vector2f position(float(16 * x + 8), float(16 * y + 8));
                float angle = float(std::rand() % 360) * kv::degreesToRadians;
                addMapSprite("Sheep", &position, &angle, true);
            }
        }
}

} // namespace

bool isSafeMapFileName(const std::string& mapFile)
{
    if (mapFile.empty() || mapFile.find('\0') != std::string::npos)
        return false;
    if (mapFile[0] == '/' || mapFile[0] == '\\' || mapFile.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= mapFile.size()) {
        std::size_t end = mapFile.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = mapFile.size();
        if (mapFile.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

void unloadMap()
{
    mapLoaded = false;
    mapWidth = 0;
    mapHeight = 0;
    mapWorldSize = sf::Vector2f();
    mapTiles.clear();
    mapTiles.shrink_to_fit();
    mapSprites.clear();
    currentMapFile.clear();
}

bool loadMap(const std::string& mapFile)
{
    // The name may come from the network: it must stay inside the maps folder.
    if (!isSafeMapFileName(mapFile)) {
        mapError = mapFile + " is not a valid map file name";
        return false;
    }
    std::string bytes;
    if (!kv::readWholeFile(mapFolder + mapFile, bytes)) {
        mapError = "Unable to open " + mapFile;
        return false;
    }
    MapFileData data;
    switch (parseMapFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), data)) {
    case MapFileStatus::Ok:
        break;
    case MapFileStatus::NotAMap:
        mapError = mapFile + " is not a valid map file";
        return false;
    case MapFileStatus::Truncated:
        mapError = mapFile + " is truncated";
        return false;
    }

    unloadMap();
    mapWidth = data.width;
    mapHeight = data.height;
    mapWorldSize = sf::Vector2f(float(mapWidth) * 16.0f, float(mapHeight) * 16.0f);
    mapTiles = std::move(data.tiles);
    mapLoaded = true;
    mapSprites.reserve(data.sprites.size());
    for (const MapFileSprite& sprite : data.sprites) {
        sf::Vector2f position(sprite.x, sprite.y);
        float angle = sprite.angleDegrees * kv::degreesToRadians;
        addMapSprite(sprite.typeName, &position, &angle, false);
    }
    currentMapFile = mapFile;
    applyTileVariants();
    buildMinimap();
    mapNoiseSeed = kv::hashName(lastPathComponent(mapFile));
    return true;
}

sf::Vector2u readMapSize(const std::string& mapFile)
{
    if (!isSafeMapFileName(mapFile)) {
        kv::printWarning(mapFile + " is not a valid map file name");
        return {0, 0};
    }
    std::string path = mapFolder + mapFile;
    FILE* f = kv::openFile(path, "rb");
    if (!f) {
        kv::printWarning("Unable to open map file: " + path);
        return {0, 0};
    }
    uint8_t header[mapHeaderSize];
    std::size_t got = std::fread(header, 1, sizeof header, f);
    std::fclose(f);
    uint16_t width = 0, height = 0;
    if (readMapHeader(header, got, width, height) != MapFileStatus::Ok) {
        kv::printWarning(mapFile + " is not a valid map file");
        return {0, 0};
    }
    return {width, height};
}

void addMapSprite(const std::string& typeName, const sf::Vector2f* position,
                  const float* angleRadians, bool atFront)
{
    int index = getImageNumber(typeName, false);
    if (index == 0) {
        kv::printError("addMapSprite: No such sprite type " + typeName);
        return;
    }
    if (index < 1 || index >= imageCount) {
        kv::printError("addMapSprite: No such sprite index " + std::to_string(index));
        return;
    }
    MapSprite sprite;
    sprite.x = position->x;
    sprite.y = position->y;
    sprite.angle = *angleRadians;
    sprite.targetAngle = *angleRadians;
    sprite.imageIndex = index;
    if (atFront)
        mapSprites.insert(mapSprites.begin(), sprite);
    else
        mapSprites.push_back(sprite);
}

const TileMaterial* tileMaterialAt(const sf::Vector2i* tile)
{
    if (tile->x < 0 || tile->y < 0 || tile->x >= mapWidth || tile->y >= mapHeight)
        return &tileMaterials[0];
    int16_t index = int16_t(mapTiles[std::size_t(tile->y) * mapWidth + tile->x]);
    if (index < 0 || index >= tileCount)
        return &tileMaterials[0];
    return &tileMaterials[tileMaterialIndex[index]];
}

const TileMaterial* tileMaterialAtWorld(const sf::Vector2f* position)
{
    float tx = position->x * 0.0625f;
    float ty = position->y * 0.0625f;
    // Checked as floats first: NaN and huge values must not reach the integer conversion.
    if (!(tx > -1.0f && tx < float(mapWidth) && ty > -1.0f && ty < float(mapHeight)))
        return &tileMaterials[0];
    sf::Vector2i tile{int(tx), int(ty)};
    return tileMaterialAt(&tile);
}

const sf::Vector2f* getWindVector()
{
    static bool computed = false;
    static float computedAt = 0;
    static float computedSpeed = 0;
    static float computedDirection = 0;
    float now = kv::programClock.getElapsedTime().asSeconds();
    if (computed && now - computedAt <= 1.0f && computedSpeed == windSpeed &&
        computedDirection == windDirection)
        return &windVector;
    const float a = kv::wrapRadians(windDirection);
    windVector = sf::Vector2f(-std::sin(a) * windSpeed, std::cos(a) * windSpeed);
    computed = true;
    computedAt = now;
    computedSpeed = windSpeed;
    computedDirection = windDirection;
    return &windVector;
}

} // namespace tvl
