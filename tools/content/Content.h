#pragma once
// The content tool's generators. Each one writes its files below the game folder and answers
// false after printing what went wrong; main stops the build at the first failure.
#include <SFML/Graphics/Image.hpp>

#include <string>

namespace content {

// Saves image as gameDir/relativePath (a PNG), creating the folders on the way. On failure
// prints "tvl_content: cannot write <path>" to stderr and answers false.
bool writeImage(const sf::Image& image, const std::string& gameDir, const std::string& relativePath);

// kvui3/Textures/Icons.png: the 16 x 16 sheet of 32 x 32 icons.
bool generateIcons(const std::string& gameDir);
// kvui3/textures/: the named textures of the user-interface widgets.
bool generateInternalTextures(const std::string& gameDir);
// base/images/: vehicles, token, projectiles, item pictures and map sprites.
bool generateGameImages(const std::string& gameDir);

} // namespace content
