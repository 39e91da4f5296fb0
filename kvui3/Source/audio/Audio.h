#pragma once
// The audio service: a table of named sounds (each with interchangeable sample files loaded on
// first use), 256 voices that play them with a position, attenuation, pitch, volume and
// optional looping, and one music stream. Main thread only; the audio library mixes on its own
// thread and is only reached through its setters.
//
// Sound names keep "\" as their separator wherever they come from ("Menu\Select"), because
// their hashes travel between machines.
#include "core/Hash.h"
#include "core/Notifier.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Audio/SoundStream.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::Audio {

// Index into the sound table: 1 ... size - 1 are sounds, 0 is "(no sound)", -1 no sound.
using SoundNumber = int32_t;
// hashName of a sound's name.
using SoundNameHash = uint32_t;

constexpr int kVoiceCount = 256;
// OpenAL Soft gives 256 sources and the two music streams hold two, so at most this many
// voices hold a sound object at a time.
constexpr int kMaxVoiceSounds = 254;
constexpr uint32_t kFreeVoice = 0xFFFFFFFFu;

struct SoundVariant {
    // Made when the variant loads; held by pointer so that playing sounds stay attached while
    // the table grows or loses variants.
    std::unique_ptr<sf::SoundBuffer> buffer;
    std::string path; // a file path, or the key of a pack entry
    uint8_t loaded = 0;
};

struct SoundRecord {
    std::vector<SoundVariant> variants;
    HashedName name;
};

struct Voice {
    uint32_t number = kFreeVoice;
    std::unique_ptr<sf::Sound> sound; // made on first use, then kept
    float volume = 1.0f;              // factor on the soundVolume setting
    uint16_t refreshCounter = 0;
    std::string name;                 // empty for anonymous voices
    uint8_t positional = 0;
    float pitch = 1.0f;
};

extern bool audioReady;
// Notified each time init brings the service up.
extern Notifier cameUp;
extern std::vector<SoundRecord> soundTable;
// Exactly kVoiceCount entries after init.
extern std::vector<Voice> voices;
// World pixels; the game keeps it on the local player.
extern sf::Vector2f listenerPosition;
extern std::string currentMusicPath;
extern std::string currentMusicName; // the part after the last "/" or "\"
extern std::string audioLastError;

// The stream playing music: the service's sf::Music or its module stream, never null (built
// on first use, and again after stopAll).
sf::SoundStream& currentMusic();

// Whether an audio device can be opened.
bool audioDeviceAvailable();
// Resets the voices to kVoiceCount free entries, places the listener at the view centre at
// soundListenerHeight facing (0, 0, -1), sets the global volume, marks the service ready, polls
// once and notifies cameUp (the Audio Panel builds its widgets on it). False, with the service
// left down (every call a no-op), when no audio device can be opened.
bool init();
// Stops every voice that is not stopped and frees it, empties the sound table and unmounts
// every pack.
void shutdown();
// The framework's part of taking audio down: stops every voice and drops the voices, clears the
// current music path and name, stops the music and releases the music streams.
void stopAll();

// Adds a variant at path to the sound named name, making the record when there is none (and
// entry 0, "(no sound)", when the table is empty). Always true.
bool addSound(const std::string& path, const std::string& name);
// The record for a name: -1 for an empty name or "blank" (any case); otherwise the first record
// whose hash matches, or whose name plus the name's extension matches ("explosion.wav" finds
// "explosion"). Unknown: -1, and with reportMissing an error line and the table in the log.
SoundNumber getSoundNumber(const std::string& name, bool reportMissing);
// The first record with the hash; 0 and the hash of "blank" give -1; unknown: -1 and an error.
SoundNumber getSoundNumberForHash(SoundNameHash hash);
// Loads the record's variants that are not loaded (all when variant < 0, else that one), last
// to first; each that fails is reported and removed. False only for an invalid number.
bool loadSoundBuffers(SoundNumber number, int variant);
// The first playing voice whose name is exactly name; -1 when none.
int findVoiceByName(std::string_view name);

// How playSound plays; the defaults are a one-shot, unnamed, listener-relative sound as recorded.
struct SoundOptions {
    bool loop = false;
    std::string_view voiceName; // a playing voice of this name is renewed instead of started again
    float minDistance = -1.0f;  // world pixels; < 0 means 1
    bool positional = false;    // placed in the world rather than at the listener
    float volume = 1.0f;        // a factor on soundVolume; <= 0 plays nothing (and is true)
    float pitch = 1.0f;
};

// Plays a sound at position (world pixels), or renews the placement of the playing voice called
// options.voiceName. False for an invalid number, a sound without variants, or no voice to take
// (all playing, or the one free would need a sound object beyond kMaxVoiceSounds).
bool playSound(SoundNumber number, const sf::Vector2f& position, const SoundOptions& options = {});

// Once per frame: the listener fade while the window has no focus (or the ease back to
// globalVolume), voice pitch and volume, music volume, and named loops that were not renewed
// for more than 3 polls are stopped.
void pollSound();

// Mounts a KPAK pack: its entries become loadable under their keys, and with addSounds every
// entry also becomes a sound variant. A pack that cannot be read is dropped silently: false,
// with audioLastError = "Unable to read pack " + packPath + ": " + the pack's own reason, or
// empty when there is no file at packPath (a pack is optional).
bool loadSoundsFromPack(const std::string& packPath, bool addSounds);
// Every mounted pack's entries as (key: pack folder + entry name, relative, lower case, '/';
// the entry's name as stored), pack by pack in mount order, each pack's in key order: what a
// file chooser lists beside the disk.
std::vector<std::pair<std::string, std::string>> mountedPackEntries();
// Adds every .wav and .ogg below folder (recursively) as a sound variant.
void addSoundsFromFolder(const std::string& folder);
// Loads one variant from a loose file or a mounted pack: a KSND asset (".snd") or a plain
// sample file; stereo becomes mono. Failure: false with audioLastError set.
bool loadSoundVariant(SoundVariant& variant, const std::string& path);
// Starts music from a .mus asset, an Ogg or WAV file or a tracker module, loose or in a mounted
// pack, looping, startSeconds in; the same path again (any case) while it plays changes nothing.
// Failure: an error line, false, silence.
bool playMusic(const std::string& path, float startSeconds = 0.0f);

// ---- Plain rules behind the service (no device) ----

// One frame of the fade while the window has no focus: max(volume - 0.75, 0) * 0.9.
float fadeInactiveVolume(float volume);
// One frame of easing toward target: volume * 0.9 + target * 0.1, clamped to 0 ... 100.
float easeVolume(float volume, float target);
// The listener volume after one frame.
float nextListenerVolume(float volume, float globalVolume, bool muteInactiveWindow, bool hasFocus);

struct VoiceSlot {
    bool hasSound = false;
    bool playing = false;
};
// The voice a new sound takes: the first that is not playing, -1 when none, or when that voice
// has no sound object yet and soundObjects already reached kMaxVoiceSounds.
int pickVoice(const VoiceSlot* slots, size_t count, int soundObjects);

// A file name's sound name: the extension and trailing digits and "_" dropped, the first
// character always kept ("Hit_2.wav" -> "Hit").
std::string soundNameFromFile(const std::string& fileName);
// The name a pack entry plays under: its folders without the first, then its file's sound
// name, joined with "\" ("sound/Menu/Select1.snd" -> "Menu\Select").
std::string soundNameFromPackEntry(const std::string& entryName);
// The key a game path is looked up under in the mounted packs: relative to the working folder,
// lower case, "/" separators.
std::string packKey(const std::string& path);
// Interleaved 16-bit stereo to mono, (left + right) / 2 truncated toward zero.
std::vector<int16_t> downmixStereo(const int16_t* samples, size_t sampleCount);

} // namespace kv::Audio
