#pragma once
// kvui3.ini: the framework's video, audio and user-interface settings.
#include <string>

namespace kv {

class IniFile;

struct FrameworkSettings {
    int version = 0;
    // video
    int width = 0;             // 0 = the desktop's
    int height = 0;            // 0 = the desktop's
    int bpp = 32;
    bool window = false;       // windowed (true) or fullscreen
    int antialiasingLevel = 8; // >= 0
    int fpsLimit = 0;          // 0 = none, >= 0
    bool vsyncEnabled = true;
    bool displayFPS = false;
    int emulatedWidth = 0;     // 0 = emulation off
    int emulatedHeight = 0;
    // audio, volumes 0..100
    int globalVolume = 100;
    int soundVolume = 80;
    int musicVolume = 30;
    float soundAttenuation = 0.01f;
    float soundListenerHeight = 5.0f;
    bool muteInactiveWindow = true;
    std::string musicLoadPath;
    // ui
    int hintsAlpha = 192; // 0..255
    bool flatButtons = false;
    bool autoSelectInputDialog = true;
};

extern FrameworkSettings settings;
extern bool settingsFileMissing;
// What soundVolume and musicVolume take when kvui3.ini does not give them; main sets them.
extern int defaultSoundVolume;
extern int defaultMusicVolume;

// "true", "yes" or "1" in any case.
bool iniBool(const std::string& value);

// Reads every key from an already loaded file into out, with the version rules and clamps;
// absent keys take their defaults.
void readSettings(IniFile& ini, FrameworkSettings& out);
// Writes every section, comment and key in the file's fixed order.
void writeSettings(const FrameworkSettings& in, IniFile& ini);

// "kvui3.ini" in the working folder.
void loadSettings();
bool saveSettings();

// Saves ini as the settings file fileName. A failure is reported on screen and in the log as
// "Unable to save settings to " + fileName, for every settings file alike, and gives false.
bool saveSettingsFile(IniFile& ini, const std::string& fileName);

} // namespace kv
