#pragma once
// The framework's textures: GameTexture (a picture file, PCX included, with its size figures),
// the named internal UI textures of "kvui3\textures\" whose entry 0 is the default texture every
// sprite starts on, the 256-icon sheet, the shadowed-sprite draw and the lazily made render
// textures of the layers.
//
// GL objects exist only once the window does: the default texture is made by start-up
// (loadTextures) or by the first call that needs it, never by a constructor. Entries live in
// stable storage and entry 0 is never destroyed, so a sprite may keep pointing at it.
#include "core/LazyObject.h"
#include "graphics/Sprite.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace kv {

struct GameTexture {
    sf::Texture texture;       // first, so a GameTexture can stand where a texture is wanted
    sf::Texture secondTexture; // not loaded by the framework
    uint8_t loaded = 0;
    uint32_t width = 0, height = 0;
    uint32_t halfWidth = 0, halfHeight = 0; // integer halves
    uint32_t radius = 0;                    // the larger half
    uint8_t failed = 0;                     // the default texture stands in
    sfSprite sprite;

    GameTexture();

    // Loads a picture (game path). A ".PCX" file (any case) goes through the PCX reader first
    // and, when that gives nothing, through the ordinary loader like every other file. On
    // failure: printError "Unable to load GameTexture from " + path, the texture becomes a copy
    // of the default texture and failed is set. A loaded texture repeats. The size figures are
    // filled either way and loaded is set; returns whether the file itself was loaded.
    bool load(const std::string& path);
};

struct InternalTexture {
    sf::Texture texture;
    std::string name; // the file name with its extension
    sf::Vector2u size;
};

// Never destroyed, and a deque, so entries keep their address while the list grows.
extern LazyObject<std::deque<InternalTexture>> internalTextures;
extern bool internalTexturesLoaded;

namespace InternalTextures {

constexpr const char* defaultTextureName = "(no texture)";
constexpr unsigned defaultTextureSide = 64;

// Makes entry 0, 64 x 64 opaque white, when the list is empty; on failure printError
// "InternalTextures::createDefaultTexture: Unable to create default internal texture." and the
// list stays empty. Needs a GL context (the window).
void createDefaultTexture();
// Entry 0's texture, made first when missing; nullptr only when it cannot be made.
const sf::Texture* getDefaultTexture();
// Entry 0's texture when it exists, without making it (safe before the window exists).
const sf::Texture* findDefaultTexture();

// Start-up, once the window exists: keeps entry 0, drops every other entry, then loads every
// picture (BMP, PNG, TGA, JPG, GIF, PSD, HDR, PIC) under "kvui3\textures\", sub-folders
// included, in case-insensitive name order. A picture that fails is reported
// ("InternalTextures::loadTextures: Unable to load texture from " + path) and left out.
// Returns true.
bool loadTextures();
// Shutdown: frees every entry but the default one (sprites may still point at it).
void unloadTextures();

// The index of the entry whose name equals name without regard to case; ".png" is added to a
// name without a dot. 0 (the default texture) when nothing matches.
int getTextureIndex(std::string name);
// The entry at getTextureIndex(name).
InternalTexture& getTexture(std::string name);

} // namespace InternalTextures

namespace Icons {

constexpr int iconCount = 256;
constexpr int iconSeparator = 140;
constexpr const char* iconSheetPath = "kvui3\\Textures\\Icons.png";
constexpr unsigned iconSheetSide = 1024;

// Icon i on the sheet: a 16 x 16 grid of 64-pixel cells, the 32 x 32 icon in the middle of its
// cell; the separator is 12 wide, 10 pixels further right. i in 0..255.
sf::IntRect getIconRect(int index);

// Loads the sheet once; a missing or bad sheet is reported ("Icons::loadIcons(): Unable to load
// icons texture from " + path) and becomes 1024 x 1024 opaque white.
void loadIcons();
// Icon index (loading the sheet on first use); any index outside 0..255 gives a sprite of the
// whole default texture.
sf::Sprite getIcon(int index);

} // namespace Icons

// Texture uploads that may wait for later frames. Under a software renderer making a texture,
// and above all its first mipmap of each kind of size, costs more than decoding the picture;
// start-up need not pay that before its first frame. A loader decodes its picture itself (so a
// missing or broken file is reported where it always was) and hands the pixels here: while
// deferring is on they wait, in order, until uploadSome or uploadAll makes their textures.
// Smoothing and repeating set on a waiting texture take effect when it is made. A waiting
// texture must keep its address until it is made.
namespace TextureUploads {

// Off at start. Turning it off leaves what waits waiting.
void setDeferring(bool deferring);
// Makes texture from image (with a mipmap when asked): at once, or later while deferring.
// An upload that cannot succeed (an empty picture, or one larger than the GPU takes) is made at
// once, so its failure is reported now. A newer upload of a waiting texture replaces the older.
// False when an upload made at once failed.
bool upload(sf::Texture& texture, std::unique_ptr<sf::Image> image, bool mipmap);
// The size texture has, or will have once its waiting upload is made.
sf::Vector2u sizeOf(const sf::Texture& texture);
bool pending();
// Makes waiting textures, oldest first, until `seconds` have passed (at least one); true while
// some still wait.
bool uploadSome(double seconds);
void uploadAll();

} // namespace TextureUploads

// Draws sprite on layerUI at position, scaled, rotation 0; when shadowOffset is not (0, 0) and
// the SpriteShadow program is loaded, its shadow first at position + shadowOffset. Leaves the
// sprite at position with scale (1, 1), rotation 0 and opaque white colour.
void drawShadowedSprite(sfSprite& sprite, const sf::Vector2f& position, const sf::Vector2f& scale,
                        const sf::Vector2f& shadowOffset);

// The held render texture, made (default constructed, not yet created) on first use.
sf::RenderTexture* ensureRenderTexture(std::unique_ptr<sf::RenderTexture>& holder);

} // namespace kv
