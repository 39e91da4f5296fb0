#include "graphics/Textures.h"

#include "core/DirectoryScanner.h"

#include "core/Messages.h"
#include "core/PcxImage.h"
#include "core/StringUtils.h"
#include "graphics/CachedShader.h"
#include "graphics/RenderLayers.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "platform/FileSystem.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <chrono>
#include <system_error>
#include <vector>

namespace kv {

LazyObject<std::deque<InternalTexture>> internalTextures;
bool internalTexturesLoaded = false;

namespace {

const char* const texturesFolder = "kvui3\\textures\\";

std::string extensionOf(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// Filled with opaque white; a texture made by create() alone has undefined pixels.
bool makeWhiteTexture(sf::Texture& texture, unsigned side)
{
    sf::Image white;
    white.create(side, side, sf::Color::White);
    return texture.loadFromImage(white);
}

} // namespace

// --- GameTexture ---------------------------------------------------------------------------

GameTexture::GameTexture() = default;

bool GameTexture::load(const std::string& path)
{
    loaded = 0;
    failed = 0;
    bool ok = false;
    if (equalsIgnoreCase(extensionOf(path), "PCX")) {
        sf::Image image = loadPcxImage(path);
        if (image.getSize().x != 0 && image.getSize().y != 0)
            ok = texture.loadFromImage(image);
    }
    if (!ok)
        ok = texture.loadFromFile(resolvePath(path));
    if (!ok) {
        printError("Unable to load GameTexture from " + path);
        if (const sf::Texture* fallback = InternalTextures::getDefaultTexture())
            texture = *fallback;
        failed = 1;
    } else {
        texture.setRepeated(true);
    }
    const sf::Vector2u size = texture.getSize();
    width = size.x;
    height = size.y;
    halfWidth = width / 2;
    halfHeight = height / 2;
    radius = std::max(halfWidth, halfHeight);
    loaded = 1;
    return ok;
}

// --- InternalTextures ----------------------------------------------------------------------

namespace InternalTextures {

void createDefaultTexture()
{
    std::deque<InternalTexture>& list = *internalTextures;
    if (!list.empty())
        return;
    InternalTexture& entry = list.emplace_back();
    entry.name = defaultTextureName;
    if (!makeWhiteTexture(entry.texture, defaultTextureSide)) {
        printError("InternalTextures::createDefaultTexture: Unable to create default internal texture.");
        list.pop_back();
        return;
    }
    entry.size = entry.texture.getSize();
}

const sf::Texture* getDefaultTexture()
{
    createDefaultTexture();
    return findDefaultTexture();
}

const sf::Texture* findDefaultTexture()
{
    if (!internalTextures.isBuilt() || internalTextures->empty())
        return nullptr;
    return &internalTextures->front().texture;
}

bool loadTextures()
{
    unloadTextures();
    createDefaultTexture();
    DirectoryScanner scanner;
    scanner.addImageExtensions();
    scanner.scan(texturesFolder, 1, true);
    std::deque<InternalTexture>& list = *internalTextures;
    for (const DirectoryEntry& file : scanner.entries) {
        const std::string& path = file.path;
        InternalTexture& entry = list.emplace_back();
        if (!entry.texture.loadFromFile(resolvePath(path))) {
            printError("InternalTextures::loadTextures: Unable to load texture from " + path);
            list.pop_back();
            continue;
        }
        entry.name = file.name;
        entry.size = entry.texture.getSize();
    }
    internalTexturesLoaded = true;
    return true;
}

void unloadTextures()
{
    // Entry 0 stays: sprites anywhere may still show it.
    if (internalTextures.isBuilt() && internalTextures->size() > 1)
        internalTextures->erase(internalTextures->begin() + 1, internalTextures->end());
    internalTexturesLoaded = false;
}

int getTextureIndex(std::string name)
{
    if (name.find('.') == std::string::npos)
        name += ".png";
    const std::deque<InternalTexture>& list = *internalTextures;
    for (size_t i = 0; i < list.size(); ++i)
        if (equalsIgnoreCase(list[i].name, name))
            return static_cast<int>(i);
    return 0;
}

InternalTexture& getTexture(std::string name)
{
    createDefaultTexture();
    if (internalTextures->empty()) {
        // Without GL there is nothing to show; an empty entry keeps callers safe.
        static LazyObject<InternalTexture> none;
        return *none;
    }
    return (*internalTextures)[static_cast<size_t>(getTextureIndex(std::move(name)))];
}

} // namespace InternalTextures

// --- Icons ---------------------------------------------------------------------------------

namespace Icons {

namespace {
struct IconSheet {
    sf::Texture texture;
    std::vector<sfSprite> sprites;
    bool loaded = false;
};
LazyObject<IconSheet> iconSheet;
} // namespace

sf::IntRect getIconRect(int index)
{
    sf::IntRect rect((index % 16) * 64 + 16, (index / 16) * 64 + 16, 32, 32);
    if (index == iconSeparator) {
        rect.left += 10;
        rect.width = 12;
    }
    return rect;
}

void loadIcons()
{
    IconSheet& sheet = *iconSheet;
    if (sheet.loaded)
        return;
    if (!sheet.texture.loadFromFile(resolvePath(iconSheetPath))) {
        printError(std::string("Icons::loadIcons(): Unable to load icons texture from ") + iconSheetPath);
        makeWhiteTexture(sheet.texture, iconSheetSide);
    }
    sheet.sprites.resize(iconCount);
    for (int i = 0; i < iconCount; ++i) {
        sfSprite& icon = sheet.sprites[static_cast<size_t>(i)];
        icon.setTextureRect(getIconRect(i));
        icon.setTexture(sheet.texture, false);
    }
    sheet.loaded = true;
}

sf::Sprite getIcon(int index)
{
    loadIcons();
    if (index >= 0 && index < iconCount)
        return iconSheet->sprites[static_cast<size_t>(index)];
    sf::Sprite whole;
    if (const sf::Texture* fallback = InternalTextures::getDefaultTexture())
        whole.setTexture(*fallback, true);
    return whole;
}

} // namespace Icons

// --- TextureUploads ------------------------------------------------------------------------

namespace TextureUploads {

namespace {

// The picture is held by pointer: sf::Image has no move, and a copy would cost what waiting saves.
struct WaitingUpload {
    sf::Texture* texture;
    std::unique_ptr<sf::Image> image;
    bool mipmap;
};

bool deferringUploads = false;
LazyObject<std::deque<WaitingUpload>> waitingUploads;

bool make(sf::Texture& texture, const sf::Image& image, bool mipmap)
{
    if (!texture.loadFromImage(image))
        return false;
    if (mipmap)
        texture.generateMipmap();
    return true;
}

WaitingUpload* findWaiting(const sf::Texture& texture)
{
    for (WaitingUpload& waiting : *waitingUploads)
        if (waiting.texture == &texture)
            return &waiting;
    return nullptr;
}

void makeOldest()
{
    std::deque<WaitingUpload>& queue = *waitingUploads;
    // Off the queue first: a texture that fails to be made is not tried again.
    WaitingUpload oldest = std::move(queue.front());
    queue.pop_front();
    make(*oldest.texture, *oldest.image, oldest.mipmap);
}

} // namespace

void setDeferring(bool deferring)
{
    deferringUploads = deferring;
}

bool upload(sf::Texture& texture, std::unique_ptr<sf::Image> image, bool mipmap)
{
    const sf::Vector2u size = image->getSize();
    bool wait = deferringUploads && size.x > 0 && size.y > 0;
    if (wait) {
        const unsigned largest = sf::Texture::getMaximumSize();
        wait = size.x <= largest && size.y <= largest;
    }
    if (!wait) {
        // A texture made now must not be overwritten later by an older picture.
        std::deque<WaitingUpload>& queue = *waitingUploads;
        queue.erase(std::remove_if(queue.begin(), queue.end(),
                                   [&](const WaitingUpload& waiting) { return waiting.texture == &texture; }),
                    queue.end());
        return make(texture, *image, mipmap);
    }
    if (WaitingUpload* waiting = findWaiting(texture)) {
        waiting->image = std::move(image);
        waiting->mipmap = mipmap;
    } else {
        waitingUploads->push_back({&texture, std::move(image), mipmap});
    }
    return true;
}

sf::Vector2u sizeOf(const sf::Texture& texture)
{
    const WaitingUpload* waiting = findWaiting(texture);
    return waiting ? waiting->image->getSize() : texture.getSize();
}

bool pending()
{
    return waitingUploads.isBuilt() && !waitingUploads->empty();
}

bool uploadSome(double seconds)
{
    const auto start = std::chrono::steady_clock::now();
    const std::chrono::duration<double> budget(seconds);
    do {
        if (!pending())
            return false;
        makeOldest();
    } while (std::chrono::steady_clock::now() - start < budget);
    return pending();
}

void uploadAll()
{
    while (pending())
        makeOldest();
}

} // namespace TextureUploads

// --- Drawing -------------------------------------------------------------------------------

void drawShadowedSprite(sfSprite& sprite, const sf::Vector2f& position, const sf::Vector2f& scale,
                        const sf::Vector2f& shadowOffset)
{
    if (sprite.getPosition() != position)
        sprite.setPosition(position);
    if (sprite.getRotation() != 0)
        sprite.setRotation(0);
    if (sprite.getScale() != scale)
        sprite.setScale(scale);
    RenderLayer* layer = getRenderLayer(layerUI, false);
    ShaderSlot& shadow = getShaderSlot(shaderSpriteShadow);
    if (shadowOffset != sf::Vector2f(0, 0) && shadow.loaded && shadow.shader) {
        CachedShader& program = *shadow.shader;
        program.setUniformCurrentTexture(program.getUniformLocation(shaderUniforms::SpriteShadow::texture.name));
        sf::RenderStates states;
        states.shader = &program;
        sprite.setPosition(position + shadowOffset);
        layer->draw(sprite, states);
        sprite.setPosition(position);
    }
    layer->draw(sprite, sf::RenderStates::Default);
    if (sprite.getScale() != sf::Vector2f(1, 1))
        sprite.setScale(1, 1);
    sprite.setRotation(0);
    if (sprite.getColor() != sf::Color::White)
        sprite.setColor(sf::Color::White);
}

sf::RenderTexture* ensureRenderTexture(std::unique_ptr<sf::RenderTexture>& holder)
{
    if (!holder)
        holder = std::make_unique<sf::RenderTexture>();
    return holder.get();
}

} // namespace kv
