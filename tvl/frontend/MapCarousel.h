#pragma once
// The arithmetic of the map selection screen, apart from the window so it can be tested.
#include <SFML/System/Vector2.hpp>

#include <string>

namespace tvl {

// The carousel's neighbours of index among count maps, wrapping both ways. With no maps
// both give 0.
int prevMap(int index, int count);
int nextMap(int index, int count);

// The size a preview of imageSize is drawn at in a view of viewSize: its own size when it
// fits in (view width - 350) x (view height - 320), else scaled down by the smaller of the two
// ratios, keeping its shape. An empty image (or a view too small for any room) gives 0 x 0.
sf::Vector2f fitPreview(sf::Vector2u imageSize, sf::Vector2f viewSize);

// The preview picture of a map: "Base\Maps\" + mapFilename with its extension made ".png".
std::string previewPath(const std::string& mapFilename);

// "Size: W by H | Music: Name", the music file name without its extension; a map without
// music of its own names defaultMusic.
std::string mapInfoLine(unsigned width, unsigned height, const std::string& musicFilename,
                        const std::string& defaultMusic);

// 0 "Easy", 1 "Normal", 2 "Hard"; anything else "Unknown".
std::string skillName(int skillLevel);

// What one tick's wheel movement does on the carousel: -1 previous (wheel up), +1 next
// (wheel down), 0 nothing. The caller asks once per tick, so each tick's movement counts once.
int wheelStep(float wheelDelta);

// The highlight after dt seconds: 1.5 per second up to 1, then down to 0, and so on; kept
// inside 0..1.
void stepHighlight(float& level, bool& rising, float dt);

} // namespace tvl
