#pragma once
// tvl.ini: the game's own settings, read once after the framework is up and written at exit
// (also when the window is closed). The file lives in the current folder.
#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <string>

namespace kv {
class IniFile;
}

namespace tvl {

struct GameSettings {
    // [video]
    float renderScale = 1.5f; // world zoom, 0.1 .. 100 (the camera divides by it)
    // [game]
    int32_t tokensCount = 25; // 1 .. 500
    int32_t skillLevel = 1;   // 0 Easy, 1 Normal, 2 Hard
    int32_t itemsDensity = 2; // 0 None, 1 Low, 2 Medium, 3 High, 4 Ultra
    // [effects]
    bool ambient = true;
    bool wildlife = true;
    bool plants = true;
    bool plantsWind = true;
    // [sound]
    float ambientSoundsGain = 0.6f; // 0 .. 1
    // [mouse]
    bool invertMouseWheel = false;
    // [user]
    std::string playerName = "Player";
    sf::Color playerColour = sf::Color(120, 120, 120, 255);
    sf::Color aiColour = sf::Color(135, 87, 51, 255);
    // [network]
    int32_t localServerPort = 5911; // 1 .. 65535
    int32_t maxNetPlayers = 8;      // 2 .. 8
    std::string serverMap;
    int32_t lerpRate = 10;
};

extern GameSettings gameSettings;

// What a new game starts with; copied from the settings (or received from the server).
struct GameStartSettings {
    int32_t tokensCount = 25;
    int32_t skillLevel = 1;
    int32_t itemsDensity = 2;
};

constexpr const char* gameSettingsFileName = "tvl.ini";

// Reads tvl.ini into gameSettings. A missing or unreadable file gives the defaults; an absent
// or empty number or boolean takes its default, and a value outside its range is brought
// into it (a port outside 1 .. 65535 gives 5911). Never fails.
void loadGameSettings();
// Writes every value to tvl.ini (a fresh file: comments and unknown keys are not kept).
// An unwritable file keeps its old contents, and the failure is reported (kv::saveSettingsFile).
void saveGameSettings();

// The same over a file object (the file's own sections are added to, not emptied).
void readGameSettings(kv::IniFile& ini, GameSettings& out);
void writeGameSettings(kv::IniFile& ini, const GameSettings& settings);

} // namespace tvl
