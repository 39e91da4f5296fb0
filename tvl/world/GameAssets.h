#pragma once
// Start-up loading of the game's assets, and the map list.
//
// loadGameAssets runs once after the game settings are read and before the menu is built: the
// sounds, the tile set, the images, the particle and item definitions, the effect and UI
// textures, the game's shaders and the list of maps in "Base\MapList.ini". Everything it fills
// lives for the whole run; nothing it does fails the program (a missing file is reported and
// the game goes on with a placeholder, or without that map).
#include "audio/Audio.h"
#include "core/LazyObject.h"
#include "graphics/Sprite.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tvl {

// One map of the list, as [map<N>] of MapList.ini gives it.
struct MapListEntry {
    std::string title;         // mapTitle
    std::string mapFilename;   // mapFilename, under Base\Maps\ .
    std::string musicFilename; // musicFilename, under Base\Music\; empty: defaultMusicFilename
    float lightLevel = 1.0f;
    sf::Color lightColour = sf::Color(255, 255, 255, 255);
    float fogDensity = 0.0f;
    sf::Color fogColour = sf::Color(255, 255, 255, 255);
    float windSpeed = 3.0f;
    float windDir = 3.4906585f; // radians; the file gives degrees (200 by default)
    uint32_t width = 0;         // tiles, from the map file's header; 0 x 0 when it cannot be read
    uint32_t height = 0;
};

constexpr const char* mapListPath = "Base\\MapList.ini";
constexpr const char* mapListId = "TVL Map List";
constexpr const char* defaultMapMusic = "BurningSoul.mus";
// A mapCount above this is read as this many maps, with a warning.
constexpr int maxMapListEntries = 4096;
// Both kinds of particle definition together.
constexpr int maxParticleDefinitions = 2048;
constexpr const char* particlesFolder = "base\\Particles";

extern std::vector<MapListEntry> mapListEntries;
extern std::string defaultMusicFilename;

// Well-known sounds: "up", "Vehicles\NitroBoost", "Contact\LaserHit", "Contact\MissileHit",
// "Contact\BombHit"; -1 when missing.
extern kv::Audio::SoundNumber upSound, nitroBoostSound, laserHitSound, missileHitSound, bombHitSound;
// Well-known images: "Ship03.png", "Token.png", "EnergyPulse.png", "DronePulse.png",
// "Missile.png"; 0 (the placeholder) when missing.
extern int32_t shipImageNumber, tokenImageNumber, energyPulseImageNumber, dronePulseImageNumber,
    missileImageNumber;

// base\Effects\: Smoke, Fire, Pulse (smooth, repeated, mipmapped), Sparks (smooth, mipmapped),
// Wildlife and Plants (smooth, repeated). base\Textures\: Water and Acid (smooth, repeated) and
// UI (smooth, mipmapped). Water, Acid, UI and Sparks are 512 x 512 transparent when their file
// does not load, so drawing goes on.
extern kv::LazyObject<sf::Texture> smokeTexture, fireTexture, pulseTexture, sparksTexture,
    wildlifeTexture, plantsTexture, waterTexture, acidTexture, uiTexture;
// Rectangles of uiTexture, origin at their centre: 0 the paused picture (0,0,300,100), 1 the
// HUD's off-screen arrow (0,128,64,64), 2 the HUD's target marker (0,196,32,32), 3 the menu's
// carousel arrow (128,128,256,256), 4 the menu's back button (0,256,65,65).
extern kv::LazyObject<kv::sfSprite> uiSprite0, uiSprite1, uiSprite2, uiSprite3, uiSprite4;
// Six 128 x 128 cells of sparksTexture, origin at their centre, left to right then down.
constexpr int sparkFrameCount = 6;
extern kv::LazyObject<std::vector<kv::sfSprite>> sparkSprites;

// The parts of loading that need the window's GL context, in the order loadGameAssets runs them.
enum class GraphicsStep {
    tileset,        // loadTileset("base\Tiles\Tileset.png")
    defaultImage,   // Images::createDefault
    imagesFolder,   // loadImagesFolder
    effectTextures, // loadEffectTextures
    shipTexture,    // hard pixels for the ship's texture and mask (after the image lookups)
    textures,       // loadGameTextures
};
using GraphicsStepRunner = std::function<void(GraphicsStep)>;

// The whole start-up load, in this order: the sound packs "base\sound.pak" (its entries become
// sounds) and "base\music.pak", the folder "base\sound", the five well-known sounds (a missing
// one is reported), "Loaded sounds" in the log; the tile set, the default image, the images
// folder, Wildlife and Plants, the particle definitions, the item assets; the five well-known
// images; the effect and UI textures; the four game shaders; the map list.
void loadGameAssets();
// The same with the GL steps handed to runner (tests run the rest for real without a window).
void loadGameAssets(const GraphicsStepRunner& runner);
// What loadGameAssets does for each GL step.
void runGraphicsStep(GraphicsStep step);

// The program's start-up load waits until the menu's first frame is shown. deferGameAssets
// marks it due; the next advanceGameAssets or finishGameAssets runs loadGameAssets with the
// making of the textures left for later frames (kv::TextureUploads). Every file is read, and
// every message and log line given, as loadGameAssets gives them.
void deferGameAssets();
// The due load, if any; otherwise more of the textures it left, for about assetSliceSeconds
// (a frame's slice).
constexpr double assetSliceSeconds = 0.008;
void advanceGameAssets();
// The due load, if any, and the rest of its textures now: whatever needs the game's assets
// calls this first.
void finishGameAssets();

// Loads wildlifeTexture and plantsTexture; failures are not reported.
void loadEffectTextures();
// Smoke, Fire, Pulse, Water, Acid, UI and Sparks, and cuts the UI and spark sprites. Reports
// "Unable to load water texture", "Unable to load acid texture" and "Unable to load texture
// from <path>" (UI, Sparks).
void loadGameTextures();
// Reads every "ini" file below base\Particles (sub-folders included, in name order) with
// loadParticleDefinition until both kinds together reach maxParticleDefinitions ("Cannot load
// more than 2048 particles", once). Logs the count read; returns it.
int loadParticlesFolder();
// Registers Water, Terrain, Sprite and Fog (vertex and fragment file each, through
// loadGameShader), in that order, into worldView's program ids.
void loadGameShaders();

// Empties mapListEntries and reads path into it, with defaultMusicFilename. Failures leave the
// list empty: "Failed to load MapList.ini" when the file cannot be read, "MapList.ini: " + the
// header error when its [info] is not "TVL Map List" version 1. A mapCount that is absent,
// empty, not a number or not above 0 gives no maps, without a message; one above
// maxMapListEntries is cut to it with a warning. Each entry's size comes from its map file
// (readMapSize: 0 x 0 and a warning when it cannot be read). Returns the number of entries.
size_t loadMapList(const std::string& path = mapListPath);
void clearMapList();

// 0 "None", 1 "Low", 2 "Medium", 3 "High", 4 "Ultra"; anything else "Unknown".
std::string itemsDensityName(int value);

} // namespace tvl
