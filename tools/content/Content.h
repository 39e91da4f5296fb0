#pragma once
// The content tool's generators. Each one writes its files below the game folder and answers
// false after printing what went wrong; main stops the build at the first failure.
#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace content {

// Saves image as gameDir/relativePath (a PNG), creating the folders on the way. On failure
// prints "tvl_content: cannot write <path>" to stderr and answers false.
bool writeImage(const sf::Image& image, const std::string& gameDir, const std::string& relativePath);

// Writes bytes as gameDir/relativePath, creating the folders on the way; prints and answers
// false on failure.
bool writeBytes(const std::vector<uint8_t>& bytes, const std::string& gameDir,
                const std::string& relativePath);

// kvui3/Textures/Icons.png: the 16 x 16 sheet of 32 x 32 icons.
bool generateIcons(const std::string& gameDir);
// kvui3/textures/: the named textures of the user-interface widgets.
bool generateInternalTextures(const std::string& gameDir);
// base/images/: vehicles, token, projectiles, item pictures and map sprites.
bool generateGameImages(const std::string& gameDir);

// base/sound.pak: every sound the game plays, as KSND assets (every other one scrambled).
bool generateSounds(const std::string& gameDir);
// The same sounds as plain WAV files, named by their pack entry without "sound\" and ".snd".
std::vector<std::pair<std::string, std::vector<uint8_t>>> synthesiseSoundFiles();

// The music as KMUS assets: base/music.pak and base/Music/ (the menu theme "MainMenu.mus",
// the default "BurningSoul.mus" and one piece per map mood).
bool generateMusic(const std::string& gameDir);
// The same pieces as plain ProTracker modules, named by their .mus file.
std::vector<std::pair<std::string, std::vector<uint8_t>>> composeModules();

// Plain copies for listening: every sound as a WAV, every module as a .mod and rendered to a
// 60-second stereo WAV, all in folder.
bool writeListeningCopies(const std::string& folder);

} // namespace content
