#pragma once
// Picture files written into a scratch folder for the texture and image loaders' tests.
#include "support/TempDir.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace testsupport {

// A width x height picture at relative below dir (folders made as needed), each pixel
// pixel(x, y), in the format its name's ending says. Call through ASSERT_NO_FATAL_FAILURE.
inline void writePicture(const TempDir& dir, const std::string& relative, unsigned width, unsigned height,
                         const std::function<sf::Color(unsigned x, unsigned y)>& pixel)
{
    const std::filesystem::path path = dir.path() / relative;
    std::filesystem::create_directories(path.parent_path());
    sf::Image image;
    image.create(width, height);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    ASSERT_TRUE(image.saveToFile(path.string()));
}

// The same in one colour.
inline void writePicture(const TempDir& dir, const std::string& relative, unsigned width, unsigned height,
                         const sf::Color& colour)
{
    writePicture(dir, relative, width, height, [&](unsigned, unsigned) { return colour; });
}

} // namespace testsupport
