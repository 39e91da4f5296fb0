// The PCX reader over arbitrary bytes: header checks, palette, run-length lines.
#include "core/PcxImage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sf::Image image;
    if (kv::decodePcxImage(data, size, image) == kv::PcxStatus::ok) {
        const sf::Vector2u side = image.getSize();
        // Touch the last pixel so that a short pixel buffer shows up under ASan.
        volatile uint8_t sink = image.getPixelsPtr()[side.x * side.y * 4 - 1];
        (void)sink;
    }
    return 0;
}
