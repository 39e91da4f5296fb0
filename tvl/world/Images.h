#pragma once
// The game's catalogue of pictures. Every picture under "base\images\" becomes a texture; each
// texture yields one or more images (named rectangles of it with a few behaviour flags), described
// by an optional companion definition file "<picture without extension>.ini" beside it. Game code
// looks an image up once by name (getImageNumber) and draws it by number. Image 0 is a red
// placeholder, so a failed lookup still draws something visible.
//
// Both tables have a fixed capacity and fixed addresses: a sprite keeps pointing at its texture
// record for the whole run. The records are built on first use (never by a global constructor);
// the textures in them are GL objects, so only code running after the window exists fills them.
#include "core/Hash.h"
#include "core/IniFile.h"
#include "core/LazyObject.h"
#include "graphics/Sprite.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tvl {

constexpr int maxTextures = 2048;
constexpr int maxImages = 2048;
constexpr const char* imagesFolder = "base\\images\\";
constexpr const char* defaultImageName = "(none)";

struct TextureRecord {
    kv::HashedName path;      // the picture's game path as given
    kv::HashedName name;      // the path without its extension: the key of the texture lookup
    sf::Texture texture;      // mipmapped and smooth
    bool hasMask = false;     // mask holds the "_mask" picture
    sf::Texture mask;         // smooth, no mipmap; the sprite shader's colour mask
};

struct ImageRecord {
    kv::sfSprite sprite;      // on its texture with the image's rectangle, origin at its centre
    int32_t width = 0, height = 0; // the rectangle's size in pixels
    kv::HashedName fileName;  // the image name as defined
    kv::HashedName name;      // the image name without its extension: the key of the lookup
    int32_t textureIndex = 0;
    bool randomTurn = false;  // map sprites turn to a new random heading every few seconds
    float turnSpeed = 0;      // degrees per second of those turns; 0 disables them
    float rotateSpeed = 0;    // degrees per second of steady rotation; 0 for none
    bool isTree = false;      // counted as tree cover by the ambience
};

// Slots 0 .. textureCount - 1 and 0 .. imageCount - 1 are in use.
extern kv::LazyObject<std::array<TextureRecord, maxTextures>> textures;
extern kv::LazyObject<std::array<ImageRecord, maxImages>> images;
extern int textureCount;
extern int imageCount;
// hashName of a name without its extension -> slot. A later insert of the same key wins, so of
// two names differing only in extension or case the later one is found.
extern std::unordered_map<uint32_t, int> textureIndexByName;
extern std::unordered_map<uint32_t, int> imageIndexByName;

// One [image<N>] section of a definition file.
struct ImageDefinition {
    std::string imageName;          // the key, or the default name when the key is absent
    std::optional<sf::IntRect> rect; // left, top, width, height; none means the whole picture
    float turnSpeed = 0;
    bool randomTurn = false;
    float rotateSpeed = 0;
    bool isTree = false;
};

struct ImageDefinitions {
    int imagesCount = 1;                // [info] imagesCount as read (1 when absent or empty)
    std::vector<ImageDefinition> images; // sections image0 .. ; at most maxToRead of them
};

// Reads a definition file already loaded into ini (no header check). imagesCount below 1 gives
// no sections; above maxToRead only the first maxToRead sections are read (imagesCount keeps
// the declared figure, so the caller can tell the file was cut short). Booleans are "true",
// "yes" or "1" in any case; rect needs exactly four comma-separated parts (blanks removed),
// anything else means the whole picture.
ImageDefinitions readImageDefinitions(kv::IniFile& ini, const std::string& defaultName, int maxToRead);

// The definition file of a picture: its path with the extension replaced by "ini".
std::string imageDefinitionPath(const std::string& picturePath);
// The mask picture beside P.ext: "P_mask.ext" (or "P_mask" when the path has no extension).
std::string imageMaskPath(const std::string& picturePath);

namespace Images {

// Resets both tables, then makes texture 0 (64 x 64, filled with (128,10,10,255), empty path and
// name) and image 0 ("(none)", the whole texture). On failure an error is printed and the tables
// stay empty. Needs the window.
void createDefault();

// Adds one picture (a game path) and the images its definition file describes; defaultName is
// the image name used where a section gives none (the path relative to base\images\). A picture
// whose name without extension is already loaded shares that texture. False, with a message,
// when the image or texture table is full or the picture cannot be loaded (its slot is then
// freed again and no image is made). A file that asks for more images than the table holds
// adds what fits and reports the limit. True otherwise, also when the file asks for no image.
bool addTextureFile(const std::string& path, const std::string& defaultName);

} // namespace Images

// Loads slot textureIndex's picture from its path (mipmapped, smooth) and, when one exists, its
// mask picture (smooth). False, with "Error Loading image from <path>", when the picture does
// not load; false when the index is not in use. A missing or unloadable mask is no failure.
bool loadImageTexture(int textureIndex);

// The texture slot of an already added picture with the same name without extension; 0 when
// there is none or the path is empty.
int findTextureFile(const std::string& path);

// The image number of name (case and extension ignored); 0, the placeholder, for an empty or
// unknown name, reported as "getImageNumber: Unable to find image <name without extension>"
// when reportMissing is set.
int getImageNumber(const std::string& name, bool reportMissing);

// Start-up: adds every picture (BMP, PNG, TGA, JPG, GIF, PSD, HDR, PIC, any case) under
// base\images\ (sub-folders included, in scan order) with its path relative to base\images\ as
// its default name, until the image table is full ("Cannot load more than 2048 images", once).
// Other files, the companion definition files among them, are not added as pictures. Logs how many pictures were added; returns that count.
int loadImagesFolder();

// Empties both tables and their name maps, and frees the textures they held.
void resetImageTables();

} // namespace tvl
