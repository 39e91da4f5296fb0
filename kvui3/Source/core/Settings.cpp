#include "core/Settings.h"

#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace kv {

FrameworkSettings settings;
bool settingsFileMissing = true;
int defaultSoundVolume = 80;
int defaultMusicVolume = 30;

static const char* const settingsFileName = "kvui3.ini";

bool iniBool(const std::string& value)
{
    return equalsIgnoreCase(value, "true") || equalsIgnoreCase(value, "yes") || value == "1";
}

namespace {

int readInt(IniFile& ini, const char* key, int fallback)
{
    bool found = false;
    const std::string& v = ini.getValue(key, &found);
    return found ? stringToInt(v) : fallback;
}

float readFloat(IniFile& ini, const char* key, float fallback)
{
    bool found = false;
    const std::string& v = ini.getValue(key, &found);
    return found ? stringToFloat(v) : fallback;
}

bool readBool(IniFile& ini, const char* key, bool fallback)
{
    bool found = false;
    const std::string& v = ini.getValue(key, &found);
    return found ? iniBool(v) : fallback;
}

const char* boolText(bool b)
{
    return b ? "True" : "False";
}

} // namespace

void readSettings(IniFile& ini, FrameworkSettings& s)
{
    s = FrameworkSettings();
    ini.setSection("info");
    s.version = readInt(ini, "version", 0);

    ini.setSection("video");
    s.width = readInt(ini, "width", 0);
    s.height = readInt(ini, "height", 0);
    s.bpp = readInt(ini, "bpp", 32);
    s.window = readBool(ini, "window", false);
    s.antialiasingLevel = std::max(0, readInt(ini, "antialiasingLevel", 8));
    s.fpsLimit = std::max(0, readInt(ini, "fpsLimit", 0));
    s.vsyncEnabled = readBool(ini, "vsyncEnabled", true);
    s.displayFPS = readBool(ini, "displayFPS", false);
    s.emulatedWidth = std::max(0, readInt(ini, "emulatedWidth", 0));
    s.emulatedHeight = std::max(0, readInt(ini, "emulatedHeight", 0));
    s.width = std::max(0, s.width);
    s.height = std::max(0, s.height);
    if (s.bpp <= 0)
        s.bpp = 32;

    ini.setSection("audio");
    s.globalVolume = std::clamp(readInt(ini, "globalVolume", 100), 0, 100);
    s.soundVolume = std::clamp(readInt(ini, "soundVolume", defaultSoundVolume), 0, 100);
    s.musicVolume = std::clamp(readInt(ini, "musicVolume", defaultMusicVolume), 0, 100);
    s.soundAttenuation = readFloat(ini, "soundAttenuation", 0.01f);
    s.soundListenerHeight = readFloat(ini, "soundListenerHeight", 5.0f);
    s.muteInactiveWindow = readFloat(ini, "muteInactiveWindow", 1.0f) != 0.0f;
    s.musicLoadPath = ini.getValue("musicLoadPath");

    ini.setSection("ui");
    s.hintsAlpha = std::clamp(readInt(ini, "hintsAlpha", 192), 0, 255);
    s.flatButtons = readBool(ini, "flatButtons", false);
    s.autoSelectInputDialog = readBool(ini, "autoSelectInputDialog", true);

    if (s.version == 0)
        s.hintsAlpha = 192;
    if (s.version == 1 || s.version == 2)
        s.soundAttenuation = 0.01f;
    else if (s.soundAttenuation <= 0.0f)
        s.soundAttenuation = 0.01f;
}

void writeSettings(const FrameworkSettings& s, IniFile& ini)
{
    ini.setSection("info");
    ini.setValue("version", "3");

    ini.setSection("video");
    ini.setComment(
        "Set either width or height to 0 to use detected desktop resolution.\n"
        "Any other width and height must be at least 640x480 respectively.\n"
        "bpp should be always be 32.\n"
        "Disabling the fps limiter (value 0) and vsync will run at full fps causing excessive GPU usage (NOT RECOMMENDED).\n"
        "Set displayFPS to true to always show an FPS counter.\n"
        "If emulatedWidth and emulatedWidth are both non-zero then the screen will be scaled to fit that virtual resolution without changing the actual video mode.\n"
        "Emulation deals with aspect automatically and can be any resolution provided that the emulatedWidth and emulatedHeight are at least 640x480 respectively.");
    ini.setValue("width", std::to_string(s.width));
    ini.setValue("height", std::to_string(s.height));
    ini.setValue("bpp", std::to_string(s.bpp));
    ini.setValue("window", boolText(s.window));
    ini.setValue("antialiasingLevel", std::to_string(s.antialiasingLevel));
    ini.setValue("fpsLimit", std::to_string(s.fpsLimit));
    ini.setValue("vsyncEnabled", boolText(s.vsyncEnabled));
    ini.setValue("displayFPS", boolText(s.displayFPS));
    ini.setValue("emulatedWidth", std::to_string(s.emulatedWidth));
    ini.setValue("emulatedHeight", std::to_string(s.emulatedHeight));

    ini.setSection("audio");
    ini.setComment("globalVolume, soundVolume and musicVolume range from 0 to 100.");
    ini.setValue("globalVolume", std::to_string(s.globalVolume));
    ini.setValue("soundVolume", std::to_string(s.soundVolume));
    ini.setValue("musicVolume", std::to_string(s.musicVolume));
    ini.setValue("soundAttenuation", floatToString(s.soundAttenuation));
    ini.setValue("soundListenerHeight", floatToString(s.soundListenerHeight));
    ini.setValue("muteInactiveWindow", s.muteInactiveWindow ? "1" : "0");
    ini.setValue("musicLoadPath", s.musicLoadPath);

    ini.setSection("ui");
    ini.setComment("hintAlpha ranges from 0 to 255.");
    ini.setValue("hintsAlpha", std::to_string(s.hintsAlpha));
    ini.setValue("flatButtons", boolText(s.flatButtons));
    ini.setValue("autoSelectInputDialog", boolText(s.autoSelectInputDialog));
}

void loadSettings()
{
    settingsFileMissing = !fileExists(settingsFileName);
    IniFile ini;
    ini.load(settingsFileName);
    readSettings(ini, settings);
}

bool saveSettings()
{
    IniFile ini;
    writeSettings(settings, ini);
    return saveSettingsFile(ini, settingsFileName);
}

bool saveSettingsFile(IniFile& ini, const std::string& fileName)
{
    if (ini.save(fileName))
        return true;
    printError("Unable to save settings to " + fileName);
    return false;
}

} // namespace kv
