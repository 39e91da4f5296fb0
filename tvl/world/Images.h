#pragma once
// The game's image and texture tables.
#include <cstdint>
#include <string>
#include <unordered_map>

namespace tvl {

// Images in use, image 0 (the red placeholder) included.
extern int imageCount;
// hashName of an image name without its extension -> image number.
extern std::unordered_map<uint32_t, int> imageIndexByName;

// The image number of name (case and extension ignored); 0, the placeholder, when there is
// none, reported as "getImageNumber: Unable to find image <name>" when reportMissing is set.
int getImageNumber(const std::string& name, bool reportMissing);

// Empties both tables and their name maps.
void resetImageTables();
}
