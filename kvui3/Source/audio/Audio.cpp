#include "audio/Audio.h"

#include "audio/AudioInternal.h"
#include "core/Input.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/StringUtils.h"

#include <AL/alc.h>

#include <SFML/Audio/Listener.hpp>

#include <algorithm>
#include <cstdlib>

namespace kv::Audio {

bool audioReady = false;
Notifier cameUp;
std::vector<SoundRecord> soundTable;
std::vector<Voice> voices;
sf::Vector2f listenerPosition;
std::string currentMusicPath;
std::string currentMusicName;
std::string audioLastError;

namespace {

// Built on first use and released when the framework takes audio down, so that the device
// closes once the last sound object has gone.
std::unique_ptr<MusicStreams> streams;

// Voices holding an sf::Sound; never more than kMaxVoiceSounds.
int voiceSounds = 0;

bool isPlaying(const Voice& voice)
{
    return voice.sound && voice.sound->getStatus() == sf::Sound::Playing;
}

bool validNumber(SoundNumber number)
{
    return number >= 1 && static_cast<size_t>(number) < soundTable.size();
}

float clampVolume(float volume)
{
    return std::clamp(volume, 0.0f, 100.0f);
}

void place(Voice& voice, const sf::Vector2f& position, float minDistance)
{
    sf::Sound& sound = *voice.sound;
    if (voice.positional) {
        sound.setRelativeToListener(false);
        sound.setPosition(position.x, position.y, 0.0f);
        sound.setAttenuation(settings.soundAttenuation);
        sound.setMinDistance(minDistance);
    } else {
        sound.setRelativeToListener(true);
        sound.setPosition(0.0f, 0.0f, 0.0f);
        sound.setAttenuation(0.0f);
        sound.setMinDistance(0.0f);
    }
}

// Picks a variant at random and loads it; a variant that fails is gone afterwards, so the pick
// is made again over what is left. -1 when nothing can be played.
int chooseLoadedVariant(SoundNumber number)
{
    std::vector<SoundVariant>& variants = soundTable[number].variants;
    while (!variants.empty()) {
        const size_t before = variants.size();
        const int variant = std::rand() % static_cast<int>(before);
        loadSoundBuffers(number, variant);
        if (variants.size() == before)
            return variant;
    }
    return -1;
}

} // namespace

MusicStreams& musicStreams()
{
    if (!streams)
        streams = std::make_unique<MusicStreams>();
    return *streams;
}

sf::SoundStream& currentMusic()
{
    return *musicStreams().current;
}

// ---- Plain rules ----

float fadeInactiveVolume(float volume)
{
    if (volume <= 0.0f)
        return volume;
    return std::max(volume - 0.75f, 0.0f) * 0.9f;
}

float easeVolume(float volume, float target)
{
    return clampVolume(volume * 0.9f + target * 0.1f);
}

float nextListenerVolume(float volume, float globalVolume, bool muteInactiveWindow, bool hasFocus)
{
    if (muteInactiveWindow && !hasFocus)
        return fadeInactiveVolume(volume);
    if (volume != globalVolume)
        return easeVolume(volume, globalVolume);
    return volume;
}

int pickVoice(const VoiceSlot* slots, size_t count, int soundObjects)
{
    for (size_t i = 0; i < count; i++) {
        if (slots[i].playing)
            continue;
        if (!slots[i].hasSound && soundObjects >= kMaxVoiceSounds)
            return -1;
        return static_cast<int>(i);
    }
    return -1;
}

// ---- Service ----

bool audioDeviceAvailable()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device)
        return false;
    alcCloseDevice(device);
    return true;
}

bool init()
{
    audioLastError.clear();
    currentMusicPath.clear();
    currentMusicName.clear();
    for (Voice& voice : voices) {
        if (voice.sound)
            voice.sound->stop();
    }
    voices.clear();
    voices.resize(kVoiceCount);
    voiceSounds = 0;

    // Without a device SFML goes on calling OpenAL and floods the error stream every frame:
    // the service stays down instead, and every call into it does nothing.
    if (!audioDeviceAvailable()) {
        audioReady = false;
        printError("Audio::init: No audio device is available; the game runs without sound.");
        return false;
    }

    const sf::Vector2f view = InputHooks::currentViewSize();
    listenerPosition = sf::Vector2f(view.x / 2, view.y / 2);
    sf::Listener::setPosition(listenerPosition.x, listenerPosition.y, settings.soundListenerHeight);
    sf::Listener::setDirection(0.0f, 0.0f, -1.0f);
    sf::Listener::setGlobalVolume(clampVolume(static_cast<float>(settings.globalVolume)));
    audioReady = true;
    pollSound();
    cameUp.notify();
    return true;
}

void shutdown()
{
    for (Voice& voice : voices) {
        if (voice.sound && voice.sound->getStatus() != sf::Sound::Stopped)
            voice.sound->stop();
        voice.number = kFreeVoice;
        voice.name.clear();
    }
    soundTable.clear();
    unmountPacks();
}

void stopAll()
{
    for (Voice& voice : voices) {
        if (voice.sound)
            voice.sound->stop();
    }
    voices.clear();
    voiceSounds = 0;
    currentMusicPath.clear();
    currentMusicName.clear();
    if (streams)
        streams->current->stop();
    streams.reset();
}

bool addSound(const std::string& path, const std::string& name)
{
    if (soundTable.empty()) {
        soundTable.emplace_back();
        HashedName::set(soundTable.back().name, "(no sound)");
    }
    SoundVariant variant;
    variant.path = path;
    const SoundNumber found = getSoundNumber(name, false);
    if (found >= 0) {
        soundTable[found].variants.push_back(std::move(variant));
        return true;
    }
    SoundRecord record;
    record.variants.push_back(std::move(variant));
    HashedName::set(record.name, name);
    soundTable.push_back(std::move(record));
    return true;
}

SoundNumber getSoundNumber(const std::string& name, bool reportMissing)
{
    if (name.empty() || equalsIgnoreCase(name, "blank"))
        return -1;
    const uint32_t hash = hashName(name);
    const size_t dot = name.rfind('.');
    for (size_t i = 1; i < soundTable.size(); i++) {
        const HashedName& record = soundTable[i].name;
        if (record.hash == hash)
            return static_cast<SoundNumber>(i);
        if (dot != std::string::npos && equalsIgnoreCase(record.name + name.substr(dot), name))
            return static_cast<SoundNumber>(i);
    }
    if (reportMissing) {
        printError("Audio::getSoundNumber: No such sound \"" + name + "\"");
        writeLog("Valid sound numbers are...");
        for (size_t i = 0; i < soundTable.size(); i++)
            writeLog(formatString("%zu = \"%s\"", i, soundTable[i].name.name.c_str()));
    }
    return -1;
}

SoundNumber getSoundNumberForHash(SoundNameHash hash)
{
    if (hash == 0 || hash == hashName("blank"))
        return -1;
    for (size_t i = 1; i < soundTable.size(); i++) {
        if (soundTable[i].name.hash == hash)
            return static_cast<SoundNumber>(i);
    }
    printError(formatString("Audio::getSoundNumberForHash: No such sound for hash \"%u\"", hash));
    return -1;
}

bool loadSoundBuffers(SoundNumber number, int variant)
{
    if (!validNumber(number))
        return false;
    std::vector<SoundVariant>& variants = soundTable[number].variants;
    for (int i = static_cast<int>(variants.size()) - 1; i >= 0; i--) {
        if (variant >= 0 && i != variant)
            continue;
        SoundVariant& entry = variants[i];
        if (entry.loaded)
            continue;
        const std::string path = entry.path;
        if (!loadSoundVariant(entry, path)) {
            printError(audioLastError);
            variants.erase(variants.begin() + i);
        }
    }
    return true;
}

int findVoiceByName(std::string_view name)
{
    for (size_t i = 0; i < voices.size(); i++) {
        if (isPlaying(voices[i]) && voices[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

bool playSound(SoundNumber number, const sf::Vector2f& position, const SoundOptions& options)
{
    const auto [loop, voiceName, minDistance, positional, volume, pitch] = options;
    if (!audioReady || !validNumber(number))
        return false;
    if (volume <= 0.0f)
        return true;
    const float distance = minDistance < 0.0f ? 1.0f : minDistance;

    int index = voiceName.empty() ? -1 : findVoiceByName(voiceName);
    if (index >= 0) {
        Voice& voice = voices[index];
        voice.volume = volume;
        voice.pitch = pitch;
        voice.refreshCounter = 0;
        place(voice, position, distance);
        return true;
    }

    VoiceSlot slots[kVoiceCount];
    const size_t count = std::min(voices.size(), static_cast<size_t>(kVoiceCount));
    for (size_t i = 0; i < count; i++)
        slots[i] = VoiceSlot{voices[i].sound != nullptr, isPlaying(voices[i])};
    index = pickVoice(slots, count, voiceSounds);
    if (index < 0)
        return false;

    const int variant = chooseLoadedVariant(number);
    if (variant < 0)
        return false;

    Voice& voice = voices[index];
    if (!voice.sound) {
        voice.sound = std::make_unique<sf::Sound>();
        voiceSounds++;
    }
    sf::Sound& sound = *voice.sound;
    voice.volume = volume;
    voice.pitch = pitch;
    sound.setVolume(clampVolume(static_cast<float>(settings.soundVolume)) * volume);
    if (sound.getPitch() != pitch)
        sound.setPitch(pitch);
    voice.number = static_cast<uint32_t>(number);
    sound.setLoop(loop);
    sound.setBuffer(*soundTable[number].variants[variant].buffer);
    voice.name = voiceName;
    voice.positional = positional ? 1 : 0;
    place(voice, position, distance);
    voice.refreshCounter = 0;
    sound.play();
    return true;
}

void pollSound()
{
    if (!audioReady)
        return;

    const float listener = sf::Listener::getGlobalVolume();
    const float next = nextListenerVolume(listener, static_cast<float>(settings.globalVolume),
                                          settings.muteInactiveWindow, input.focus);
    if (next != listener)
        sf::Listener::setGlobalVolume(next);

    const float soundVolume = clampVolume(static_cast<float>(settings.soundVolume));
    for (Voice& voice : voices) {
        if (!voice.sound)
            continue;
        sf::Sound& sound = *voice.sound;
        if (sound.getPitch() != voice.pitch)
            sound.setPitch(voice.pitch);
        const float volume = voice.volume * soundVolume;
        if (sound.getVolume() != volume)
            sound.setVolume(volume);
    }

    // The music streams, and with them the audio library's device, are made by the first call
    // that plays or asks about music; playMusic sets the volume of what it starts.
    if (streams) {
        sf::SoundStream& music = *streams->current;
        if (static_cast<int>(music.getVolume()) != settings.musicVolume)
            music.setVolume(clampVolume(static_cast<float>(settings.musicVolume)));
    }

    for (Voice& voice : voices) {
        if (!isPlaying(voice) || !voice.sound->getLoop() || voice.name.empty())
            continue;
        if (++voice.refreshCounter > 3) {
            voice.sound->stop();
            voice.name.clear();
            voice.number = kFreeVoice;
        }
    }
}

} // namespace kv::Audio
