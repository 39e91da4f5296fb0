#include "world/GameSettings.h"

#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/StringUtils.h"

#include <cmath>

namespace tvl {

GameSettings gameSettings;

namespace {

int32_t readInt(kv::IniFile& ini, const char* key, int32_t fallback)
{
    const std::string& v = ini.getValue(key);
    return v.empty() ? fallback : kv::stringToInt(v);
}

float readFloat(kv::IniFile& ini, const char* key, float fallback)
{
    const std::string& v = ini.getValue(key);
    return v.empty() ? fallback : kv::stringToFloat(v);
}

bool readBool(kv::IniFile& ini, const char* key, bool fallback)
{
    const std::string& v = ini.getValue(key);
    return v.empty() ? fallback : kv::iniBool(v);
}

// Present but empty is kept as empty; only an absent key takes the default.
std::string readString(kv::IniFile& ini, const char* key, const char* fallback)
{
    bool found = false;
    const std::string& v = ini.getValue(key, &found);
    return found ? v : std::string(fallback);
}

int32_t clampInt(int32_t v, int32_t lo, int32_t hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

float clampFloat(float v, float lo, float hi)
{
    // stringToFloat never yields NaN or infinity, but a copy of the record may.
    if (std::isnan(v))
        return lo;
    return v < lo ? lo : (v > hi ? hi : v);
}

const char* boolText(bool b)
{
    return b ? "True" : "False";
}

} // namespace

void readGameSettings(kv::IniFile& ini, GameSettings& s)
{
    const GameSettings d;

    ini.setSection("video");
    s.renderScale = clampFloat(readFloat(ini, "renderScale", d.renderScale), 0.1f, 100.0f);

    ini.setSection("game");
    s.tokensCount = clampInt(readInt(ini, "tokensCount", d.tokensCount), 1, 500);
    s.skillLevel = clampInt(readInt(ini, "skillLevel", d.skillLevel), 0, 2);
    s.itemsDensity = clampInt(readInt(ini, "itemsDensity", d.itemsDensity), 0, 4);

    ini.setSection("effects");
    s.ambient = readBool(ini, "ambient", d.ambient);
    s.wildlife = readBool(ini, "wildlife", d.wildlife);
    s.plants = readBool(ini, "plants", d.plants);
    s.plantsWind = readBool(ini, "plantsWind", d.plantsWind);

    ini.setSection("sound");
    s.ambientSoundsGain =
        clampFloat(readFloat(ini, "ambientSoundsGain", d.ambientSoundsGain), 0.0f, 1.0f);

    ini.setSection("mouse");
    s.invertMouseWheel = readBool(ini, "invertMouseWheel", d.invertMouseWheel);

    ini.setSection("user");
    s.playerName = readString(ini, "playerName", "Player");
    s.playerColour = ini.getColour("playerColour", d.playerColour);
    s.aiColour = ini.getColour("aiColour", d.aiColour);

    ini.setSection("network");
    s.localServerPort = readInt(ini, "localServerPort", d.localServerPort);
    // The port is bound as 16 bits: 70000 must not quietly become 4464.
    if (s.localServerPort < 1 || s.localServerPort > 65535)
        s.localServerPort = d.localServerPort;
    s.maxNetPlayers = clampInt(readInt(ini, "maxNetPlayers", d.maxNetPlayers), 2, 8);
    s.serverMap = readString(ini, "serverMap", "");
    s.lerpRate = readInt(ini, "lerpRate", d.lerpRate);
}

void writeGameSettings(kv::IniFile& ini, const GameSettings& s)
{
    ini.setSection("video");
    ini.setValue("renderScale", kv::floatToString(s.renderScale));

    ini.setSection("game");
    ini.setValue("tokensCount", std::to_string(s.tokensCount));
    ini.setValue("skillLevel", std::to_string(s.skillLevel));
    ini.setValue("itemsDensity", std::to_string(s.itemsDensity));

    ini.setSection("user");
    ini.setValue("playerName", s.playerName);
    ini.setColour("playerColour", s.playerColour);
    ini.setColour("aiColour", s.aiColour);

    ini.setSection("sound");
    ini.setValue("ambientSoundsGain", kv::floatToString(s.ambientSoundsGain));

    ini.setSection("mouse");
    ini.setValue("invertMouseWheel", boolText(s.invertMouseWheel));

    ini.setSection("effects");
    ini.setValue("ambient", boolText(s.ambient));
    ini.setValue("wildlife", boolText(s.wildlife));
    ini.setValue("plants", boolText(s.plants));
    ini.setValue("plantsWind", boolText(s.plantsWind));

    ini.setSection("network");
    ini.setValue("localServerPort", std::to_string(s.localServerPort));
    ini.setValue("maxNetPlayers", std::to_string(s.maxNetPlayers));
    ini.setValue("serverMap", s.serverMap);
    ini.setValue("lerpRate", std::to_string(s.lerpRate));
}

void loadGameSettings()
{
    kv::IniFile ini;
    ini.load(gameSettingsFileName); // a missing file leaves every default
    readGameSettings(ini, gameSettings);
}

void saveGameSettings()
{
    kv::IniFile ini;
    writeGameSettings(ini, gameSettings);
    kv::saveSettingsFile(ini, gameSettingsFileName);
}

} // namespace tvl
