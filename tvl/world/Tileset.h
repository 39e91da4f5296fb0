#pragma once
// The tile set every map shares: base\Tiles\Tileset.png cut into 1024 cells of 16 x 16 pixels
// (32 a row), each classified by two key colours painted into it, with its minimap colour,
// its ground material and its conveyor role from the companion .ini file.
#include "core/Hash.h"
#include "core/LazyObject.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <map>
#include <string>

namespace tvl {

constexpr int tileCount = 1024;
constexpr int tileSize = 16;
constexpr int tilesetColumns = 32;
constexpr unsigned tilesetImageSize = 512; // the picture's least width and height
constexpr int maxTileMaterials = 128;
constexpr int maxTileMaterialsRead = 127; // numMats is clamped to 0 .. 127

// Key A marks water, key B acid. Compared exactly, alpha included.
constexpr uint8_t tileKeyColourA[4] = {115, 113, 255, 255};
constexpr uint8_t tileKeyColourB[4] = {131, 255, 131, 255};

// Tile kinds: 0 no key colour; 1 key A only (key B may be there too); 2 key A and other
// colours (a shore: its key pixels are cleared); 3 key B only; 4 key B and other colours,
// no key A (its key-B pixels are cleared).
enum TileKind : uint8_t {
    TileKindPlain = 0,
    TileKindKeyA = 1,
    TileKindKeyAMixed = 2,
    TileKindKeyB = 3,
    TileKindKeyBMixed = 4,
};

enum TileSpecial : uint32_t {
    TileSpecialNone = 0,
    ConveyorUp = 1,
    ConveyorDown = 2,
    ConveyorLeft = 3,
    ConveyorRight = 4,
};

struct TileMaterial {
    kv::HashedName name;
    float shine = 0; // 0 .. 1
};

// Built on first use (no texture exists before the window does). 1024 x 1024 and transparent
// after a failed load.
extern kv::LazyObject<sf::Texture> tilesetTexture;
extern sf::IntRect tileRects[tileCount];
extern sf::Color tileMinimapColours[tileCount]; // the cell's centre pixel as loaded
extern uint8_t tileKinds[tileCount];
extern uint32_t tileMaterialIndex[tileCount]; // always below tileMaterialCount, or 0
extern uint32_t tileSpecials[tileCount];
// Slot 0 is the fallback of every lookup that finds nothing (also outside the map).
extern TileMaterial tileMaterials[maxTileMaterials];
extern int32_t tileMaterialCount;
// A 16 x 16 repeated, smooth texture of each conveyor tile, by tile index.
extern kv::LazyObject<std::map<uint32_t, sf::Texture>> conveyorTextures;
extern std::string tilesetError;

// Loads the tile set picture and builds every table, reads the materials file (path with
// the extension "ini") and makes the conveyor textures. A picture that cannot be read, or
// that is smaller than 512 x 512, sets tilesetError, prints it and returns false with an empty
// 1024 x 1024 texture and no table built. Needs the window's GL context.
bool loadTileset(const std::string& path);

// The part of loadTileset that needs no GL: reads the picture into image, refusing one that
// cannot be read ("Failed to load tileset texture: <path>") or is smaller than 512 x 512,
// then analyses it (analyseTilesetImage). False (tilesetError set and printed) on a refusal.
bool prepareTilesetImage(const std::string& path, sf::Image& image);

// The kind of the 16 x 16 cell at (left, top); the cell must lie inside the image.
TileKind tileKindOfCell(const sf::Image& image, unsigned left, unsigned top);

// Fills tileRects, tileMinimapColours and tileKinds from an image of at least 512 x 512
// (false, nothing touched, for a smaller one) and makes the key pixels of kinds 2 and 4
// transparent in it. changed tells whether any pixel was cleared.
bool analyseTilesetImage(sf::Image& image, bool* changed = nullptr);

// Reads the materials file into tileMaterials, tileMaterialIndex and tileSpecials, from an
// empty table each time. A missing file is silent: every tile is then on material 0.
void loadTileMaterials(const std::string& path);

// Exactly "ConveyorUp", "ConveyorDown", "ConveyorLeft" or "ConveyorRight" (case counts);
// anything else is None.
TileSpecial tileSpecialFromName(const std::string& name);

} // namespace tvl
