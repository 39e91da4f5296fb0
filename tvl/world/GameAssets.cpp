#include "world/GameAssets.h"

#include "core/Angle.h"
#include "core/DirectoryScanner.h"
#include "core/IniFile.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "world/Images.h"
#include "world/Items.h"
#include "world/Map.h"
#include "world/Particles.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Graphics/Image.hpp>

#include <memory>
#include <utility>

namespace tvl {

std::vector<MapListEntry> mapListEntries;
std::string defaultMusicFilename = defaultMapMusic;

kv::Audio::SoundNumber upSound = -1, nitroBoostSound = -1, laserHitSound = -1, missileHitSound = -1,
                       bombHitSound = -1;
int32_t shipImageNumber = 0, tokenImageNumber = 0, energyPulseImageNumber = 0, dronePulseImageNumber = 0,
        missileImageNumber = 0;

kv::LazyObject<sf::Texture> smokeTexture, fireTexture, pulseTexture, sparksTexture, wildlifeTexture,
    plantsTexture, waterTexture, acidTexture, uiTexture;
kv::LazyObject<kv::sfSprite> uiSprite0, uiSprite1, uiSprite2, uiSprite3, uiSprite4;
kv::LazyObject<std::vector<kv::sfSprite>> sparkSprites;

namespace {

constexpr unsigned fallbackTextureSide = 512;

// The picture is read here, so a missing one is reported here; the texture is made now or on a
// later frame (kv::TextureUploads).
bool loadTexture(sf::Texture& texture, const std::string& path, bool mipmap)
{
    auto image = std::make_unique<sf::Image>();
    return image->loadFromFile(kv::resolvePath(path)) && kv::TextureUploads::upload(texture, std::move(image), mipmap);
}

// Texture::create leaves the pixels undefined; a fallback must draw as nothing.
void makeEmptyTexture(sf::Texture& texture, bool mipmap)
{
    auto image = std::make_unique<sf::Image>();
    image->create(fallbackTextureSide, fallbackTextureSide, sf::Color::Transparent);
    kv::TextureUploads::upload(texture, std::move(image), mipmap);
}

void loadEffectTexture(sf::Texture& texture, const std::string& path)
{
    loadTexture(texture, path, true);
    texture.setSmooth(true);
    texture.setRepeated(true);
}

void loadSurfaceTexture(sf::Texture& texture, const std::string& path, const char* failure)
{
    if (!loadTexture(texture, path, false)) {
        kv::printError(failure);
        makeEmptyTexture(texture, false);
    }
    texture.setRepeated(true);
    texture.setSmooth(true);
}

void loadSheetTexture(sf::Texture& texture, const std::string& path)
{
    if (!loadTexture(texture, path, true)) {
        kv::printError("Unable to load texture from " + path);
        makeEmptyTexture(texture, true);
    }
    texture.setSmooth(true);
}

void cutSprite(kv::sfSprite& sprite, const sf::Texture& texture, const sf::IntRect& rect)
{
    sprite.setTexture(texture);
    sprite.setTextureRect(rect);
    sprite.setOrigin(rect.width / 2.0f, rect.height / 2.0f);
}

void disableShipSmoothing()
{
    if (shipImageNumber < 0 || shipImageNumber >= imageCount)
        return;
    const int textureIndex = (*images)[shipImageNumber].textureIndex;
    if (textureIndex < 0 || textureIndex >= textureCount)
        return;
    (*textures)[textureIndex].texture.setSmooth(false);
    (*textures)[textureIndex].mask.setSmooth(false);
}

float readFloat(kv::IniFile& ini, const char* key, float defaultValue)
{
    const std::string& value = ini.getValue(key);
    return value.empty() ? defaultValue : kv::stringToFloat(value);
}

// Absent keys give the default; a present empty value is kept.
std::string readString(kv::IniFile& ini, const char* key, const std::string& defaultValue)
{
    bool found = false;
    const std::string& value = ini.getValue(key, &found);
    return found ? value : defaultValue;
}

MapListEntry readMapListEntry(kv::IniFile& ini)
{
    MapListEntry entry;
    entry.title = readString(ini, "mapTitle", "");
    entry.mapFilename = readString(ini, "mapFilename", "");
    entry.musicFilename = readString(ini, "musicFilename", "");
    entry.lightLevel = readFloat(ini, "lightLevel", 1.0f);
    entry.lightColour = ini.getColour("lightColour", sf::Color(255, 255, 255, 255));
    entry.fogDensity = readFloat(ini, "fogDensity", 0.0f);
    entry.fogColour = ini.getColour("fogColour", sf::Color(255, 255, 255, 255));
    entry.windSpeed = readFloat(ini, "windSpeed", 3.0f);
    entry.windDir = readFloat(ini, "windDir", 200.0f) * kv::degreesToRadians;
    const sf::Vector2u size = readMapSize(entry.mapFilename);
    entry.width = size.x;
    entry.height = size.y;
    return entry;
}

} // namespace

void runGraphicsStep(GraphicsStep step)
{
    switch (step) {
    case GraphicsStep::tileset:
        loadTileset("base\\Tiles\\Tileset.png");
        break;
    case GraphicsStep::defaultImage:
        Images::createDefault();
        break;
    case GraphicsStep::imagesFolder:
        loadImagesFolder();
        break;
    case GraphicsStep::effectTextures:
        loadEffectTextures();
        break;
    case GraphicsStep::shipTexture:
        disableShipSmoothing();
        break;
    case GraphicsStep::textures:
        loadGameTextures();
        break;
    }
}

void loadGameAssets()
{
    loadGameAssets(runGraphicsStep);
}

namespace {

bool gameAssetsDue = false;

void loadDueGameAssets()
{
    if (!gameAssetsDue)
        return;
    gameAssetsDue = false;
    kv::TextureUploads::setDeferring(true);
    loadGameAssets();
    kv::TextureUploads::setDeferring(false);
}

} // namespace

void deferGameAssets()
{
    gameAssetsDue = true;
}

void advanceGameAssets()
{
    if (gameAssetsDue)
        loadDueGameAssets();
    else
        kv::TextureUploads::uploadSome(assetSliceSeconds);
}

void finishGameAssets()
{
    loadDueGameAssets();
    kv::TextureUploads::uploadAll();
}

void loadGameAssets(const GraphicsStepRunner& runner)
{
    using namespace kv::Audio;
    // A missing pack leaves its sounds to the loose files; a damaged one is worth saying.
    const std::pair<const char*, bool> packs[] = {{"base\\sound.pak", true}, {"base\\music.pak", false}};
    for (const auto& [pack, addSounds] : packs)
        if (!loadSoundsFromPack(pack, addSounds) && !audioLastError.empty())
            kv::printError(audioLastError);
    addSoundsFromFolder("base\\sound");
    upSound = getSoundNumber("up", true);
    nitroBoostSound = getSoundNumber("Vehicles\\NitroBoost", true);
    laserHitSound = getSoundNumber("Contact\\LaserHit", true);
    missileHitSound = getSoundNumber("Contact\\MissileHit", true);
    bombHitSound = getSoundNumber("Contact\\BombHit", true);
    kv::writeLog("Loaded sounds");

    runner(GraphicsStep::tileset);
    runner(GraphicsStep::defaultImage);
    runner(GraphicsStep::imagesFolder);
    runner(GraphicsStep::effectTextures);
    loadParticlesFolder();
    loadItemAssets();

    shipImageNumber = getImageNumber("Ship03.png", false);
    tokenImageNumber = getImageNumber("Token.png", false);
    energyPulseImageNumber = getImageNumber("EnergyPulse.png", false);
    dronePulseImageNumber = getImageNumber("DronePulse.png", false);
    missileImageNumber = getImageNumber("Missile.png", false);
    runner(GraphicsStep::shipTexture);

    runner(GraphicsStep::textures);
    loadGameShaders();
    loadMapList(mapListPath);
}

void loadEffectTextures()
{
    for (auto [texture, path] : {std::pair{&*wildlifeTexture, "base\\Effects\\Wildlife.png"},
                                 std::pair{&*plantsTexture, "base\\Effects\\Plants.png"}}) {
        loadTexture(*texture, path, false);
        texture->setSmooth(true);
        texture->setRepeated(true);
    }
}

void loadGameTextures()
{
    loadEffectTexture(*smokeTexture, "base\\Effects\\Smoke.png");
    loadEffectTexture(*fireTexture, "base\\Effects\\Fire.png");
    loadEffectTexture(*pulseTexture, "base\\Effects\\Pulse.png");
    loadSurfaceTexture(*waterTexture, "base\\Textures\\Water.png", "Unable to load water texture");
    loadSurfaceTexture(*acidTexture, "base\\Textures\\Acid.png", "Unable to load acid texture");

    loadSheetTexture(*uiTexture, "base\\Textures\\UI.png");
    cutSprite(*uiSprite0, *uiTexture, sf::IntRect(0, 0, 300, 100));
    cutSprite(*uiSprite1, *uiTexture, sf::IntRect(0, 128, 64, 64));
    cutSprite(*uiSprite2, *uiTexture, sf::IntRect(0, 196, 32, 32));
    cutSprite(*uiSprite3, *uiTexture, sf::IntRect(128, 128, 256, 256));
    cutSprite(*uiSprite4, *uiTexture, sf::IntRect(0, 256, 65, 65));

    loadSheetTexture(*sparksTexture, "base\\Effects\\Sparks.png");
    sparkSprites->resize(sparkFrameCount);
    for (int i = 0; i < sparkFrameCount; ++i)
        cutSprite((*sparkSprites)[i], *sparksTexture, sf::IntRect((i % 3) * 128, (i / 3) * 128, 128, 128));
}

int loadParticlesFolder()
{
    kv::DirectoryScanner scanner;
    scanner.addExtension("ini");
    scanner.scan(particlesFolder, 1, true);
    int loaded = 0;
    for (const kv::DirectoryEntry& entry : scanner.entries) {
        if (wildlifeDefinitions.size() + plantDefinitions.size() >= maxParticleDefinitions) {
            kv::printError(kv::formatString("Cannot load more than %d particles", maxParticleDefinitions));
            break;
        }
        if (loadParticleDefinition(entry.path, entry.relativePath))
            ++loaded;
    }
    kv::writeLog(kv::formatString("Loaded %d particle(s) from %s", loaded, particlesFolder));
    return loaded;
}

void loadGameShaders()
{
    struct Program {
        kv::ShaderId* id;
        const char* name;
    };
    WorldView& view = worldView;
    for (const Program& program : {Program{&view.waterShader, "Water"}, Program{&view.terrainShader, "Terrain"},
                                   Program{&view.spriteShader, "Sprite"}, Program{&view.fogShader, "Fog"}}) {
        const std::string name = program.name;
        *program.id = loadGameShader(name + ".vert", name + ".frag");
    }
}

size_t loadMapList(const std::string& path)
{
    clearMapList();
    kv::IniFile ini;
    if (!ini.load(path)) {
        kv::printError("Failed to load MapList.ini");
        return 0;
    }
    if (!ini.checkHeader(mapListId)) {
        kv::printError("MapList.ini: " + ini.lastError);
        return 0;
    }
    ini.setSection("mapList");
    int mapCount = kv::stringToInt(ini.getValue("mapCount"));
    defaultMusicFilename = readString(ini, "defaultMusicFilename", defaultMapMusic);
    if (mapCount > maxMapListEntries) {
        kv::printWarning(kv::formatString("MapList.ini: mapCount %d is more than %d; reading %d maps", mapCount,
                                          maxMapListEntries, maxMapListEntries));
        mapCount = maxMapListEntries;
    }
    for (int n = 0; n < mapCount; ++n) {
        ini.setSection("map" + std::to_string(n));
        mapListEntries.push_back(readMapListEntry(ini));
    }
    return mapListEntries.size();
}

void clearMapList()
{
    mapListEntries.clear();
}

std::string itemsDensityName(int value)
{
    static const char* const names[] = {"None", "Low", "Medium", "High", "Ultra"};
    if (value < 0 || value >= static_cast<int>(std::size(names)))
        return "Unknown";
    return names[value];
}

} // namespace tvl
