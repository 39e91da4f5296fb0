#include "world/Images.h"

#include "core/DirectoryScanner.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/StringUtils.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <memory>

namespace tvl {

kv::LazyObject<std::array<TextureRecord, maxTextures>> textures;
kv::LazyObject<std::array<ImageRecord, maxImages>> images;
int textureCount = 0;
int imageCount = 0;
std::unordered_map<uint32_t, int> textureIndexByName;
std::unordered_map<uint32_t, int> imageIndexByName;

namespace {

const sf::Color placeholderColour(128, 10, 10, 255);
constexpr unsigned placeholderSide = 64;

uint32_t nameKey(const std::string& name)
{
    return kv::hashName(kv::removeExtension(name));
}

bool readBool(const std::string& value)
{
    return kv::equalsIgnoreCase(value, "true") || kv::equalsIgnoreCase(value, "yes") || value == "1";
}

std::optional<sf::IntRect> readRect(const std::string& value)
{
    if (value.empty())
        return std::nullopt;
    std::vector<std::string> parts;
    kv::splitString(value, ',', parts, true);
    if (parts.size() != 4)
        return std::nullopt;
    return sf::IntRect(kv::stringToInt(parts[0]), kv::stringToInt(parts[1]), kv::stringToInt(parts[2]),
                       kv::stringToInt(parts[3]));
}

void printLimit(const char* origin)
{
    kv::printError(kv::formatString("%sCannot load more than %d images", origin, maxImages));
}

void clearTables()
{
    textureCount = 0;
    imageCount = 0;
    textureIndexByName.clear();
    imageIndexByName.clear();
}

} // namespace

ImageDefinitions readImageDefinitions(kv::IniFile& ini, const std::string& defaultName, int maxToRead)
{
    ImageDefinitions out;
    ini.setSection("info");
    const std::string& count = ini.getValue("imagesCount");
    if (!count.empty())
        out.imagesCount = kv::stringToInt(count);
    const int toRead = std::min(out.imagesCount, std::max(maxToRead, 0));
    for (int n = 0; n < toRead; ++n) {
        ini.setSection("image" + std::to_string(n));
        ImageDefinition definition;
        bool found = false;
        const std::string& name = ini.getValue("imageName", &found);
        definition.imageName = found ? name : defaultName;
        definition.rect = readRect(ini.getValue("rect"));
        definition.turnSpeed = kv::stringToFloat(ini.getValue("turnSpeed"));
        definition.randomTurn = readBool(ini.getValue("randomTurn"));
        definition.rotateSpeed = kv::stringToFloat(ini.getValue("rotateSpeed"));
        definition.isTree = readBool(ini.getValue("isTree"));
        out.images.push_back(std::move(definition));
    }
    return out;
}

std::string imageDefinitionPath(const std::string& picturePath)
{
    return kv::changeExtension(picturePath, "ini");
}

std::string imageMaskPath(const std::string& picturePath)
{
    const std::string stem = kv::removeExtension(picturePath);
    return stem + "_mask" + picturePath.substr(stem.size());
}

namespace Images {

void createDefault()
{
    if (imageCount > 0 || textureCount > 0)
        clearTables();

    sf::Image picture;
    picture.create(placeholderSide, placeholderSide, placeholderColour);
    if (picture.getSize().x == 0 || picture.getSize().y == 0) {
        kv::printError("Images::createDefault: Unable to create default image image");
        return;
    }
    TextureRecord& texture = (*textures)[0];
    if (!texture.texture.loadFromImage(picture) || texture.texture.getSize().x == 0 ||
        texture.texture.getSize().y == 0) {
        kv::printError("Images::createDefault: Unable to create default image texture");
        return;
    }
    kv::HashedName::set(texture.path, "");
    kv::HashedName::set(texture.name, "");
    texture.hasMask = false;

    ImageRecord& image = (*images)[0];
    image = ImageRecord();
    image.sprite = kv::sfSprite(texture.texture);
    image.sprite.setOrigin(placeholderSide / 2.0f, placeholderSide / 2.0f);
    image.width = image.height = placeholderSide;
    kv::HashedName::set(image.fileName, defaultImageName);
    kv::HashedName::set(image.name, defaultImageName);

    textureIndexByName[texture.name.hash] = 0;
    imageIndexByName[image.name.hash] = 0;
    textureCount = 1;
    imageCount = 1;
}

bool addTextureFile(const std::string& path, const std::string& defaultName)
{
    if (imageCount >= maxImages) {
        printLimit("Images::addTextureFile: ");
        return false;
    }

    kv::IniFile ini;
    ini.load(imageDefinitionPath(path)); // a picture need not have one
    const ImageDefinitions definitions = readImageDefinitions(ini, defaultName, maxImages - imageCount);

    int t = findTextureFile(path);
    if (t == 0) {
        if (textureCount >= maxTextures) {
            kv::printError(kv::formatString("Images::addTextureFile: Cannot load more than %d textures",
                                            maxTextures));
            return false;
        }
        TextureRecord& record = (*textures)[textureCount];
        kv::HashedName::set(record.path, path);
        kv::HashedName::set(record.name, kv::removeExtension(path));
        record.hasMask = false;
        ++textureCount;
        if (!loadImageTexture(textureCount - 1)) {
            --textureCount;
            return false;
        }
        t = textureCount - 1;
        textureIndexByName[record.name.hash] = t;
    }

    const sf::Texture& texture = (*textures)[t].texture;
    // Its upload may still wait (kv::TextureUploads): the picture's size is known already.
    const sf::Vector2u size = kv::TextureUploads::sizeOf(texture);
    const sf::IntRect whole(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
    for (const ImageDefinition& definition : definitions.images) {
        ImageRecord& image = (*images)[imageCount];
        image.sprite = kv::sfSprite(texture, definition.rect.value_or(whole));
        const sf::FloatRect bounds = image.sprite.getLocalBounds();
        image.sprite.setOrigin(bounds.width / 2.0f, bounds.height / 2.0f);
        image.width = static_cast<int32_t>(bounds.width);
        image.height = static_cast<int32_t>(bounds.height);
        kv::HashedName::set(image.fileName, definition.imageName);
        kv::HashedName::set(image.name, kv::removeExtension(definition.imageName));
        image.textureIndex = t;
        image.turnSpeed = definition.turnSpeed;
        image.randomTurn = definition.randomTurn;
        image.rotateSpeed = definition.rotateSpeed;
        image.isTree = definition.isTree;
        imageIndexByName[image.name.hash] = imageCount;
        ++imageCount;
    }
    if (definitions.imagesCount > static_cast<int>(definitions.images.size()))
        printLimit("Images::addTextureFile: ");
    return true;
}

} // namespace Images

bool loadImageTexture(int textureIndex)
{
    if (textureIndex < 0 || textureIndex >= textureCount)
        return false;
    TextureRecord& record = (*textures)[textureIndex];
    const std::string& path = record.path.name;
    // The pictures are read here, so a bad one is reported here; the textures are made now or
    // on a later frame (kv::TextureUploads).
    auto picture = std::make_unique<sf::Image>();
    if (!picture->loadFromFile(kv::resolvePath(path)) ||
        !kv::TextureUploads::upload(record.texture, std::move(picture), true)) {
        kv::printError("Error Loading image from " + path);
        return false;
    }
    record.texture.setSmooth(true);

    record.hasMask = false;
    const std::string maskPath = imageMaskPath(path);
    auto mask = std::make_unique<sf::Image>();
    if (kv::fileExists(maskPath) && mask->loadFromFile(kv::resolvePath(maskPath)) &&
        kv::TextureUploads::upload(record.mask, std::move(mask), false)) {
        record.hasMask = true;
        record.mask.setSmooth(true);
    }
    return true;
}

int findTextureFile(const std::string& path)
{
    if (path.empty())
        return 0;
    const auto found = textureIndexByName.find(nameKey(path));
    return found == textureIndexByName.end() ? 0 : found->second;
}

int getImageNumber(const std::string& name, bool reportMissing)
{
    if (name.empty())
        return 0;
    const auto found = imageIndexByName.find(nameKey(name));
    if (found != imageIndexByName.end())
        return found->second;
    if (reportMissing)
        kv::printError("getImageNumber: Unable to find image " + kv::removeExtension(name));
    return 0;
}

int loadImagesFolder()
{
    // Pictures only: definition files (and anything else) are read with their pictures.
    kv::DirectoryScanner scanner;
    scanner.addImageExtensions();
    scanner.scan(imagesFolder, 1, true);
    int added = 0;
    for (const kv::DirectoryEntry& entry : scanner.entries) {
        if (imageCount >= maxImages) {
            printLimit("");
            break;
        }
        if (Images::addTextureFile(entry.path, entry.relativePath))
            ++added;
    }
    kv::writeLog(kv::formatString("Loaded %d image texture(s) from %s", added, imagesFolder));
    return added;
}

void resetImageTables()
{
    // The records stay where they are (sprites may point at them); only their GL textures go.
    if (textures.isBuilt())
        for (int i = 0; i < textureCount; ++i) {
            (*textures)[i].texture = sf::Texture();
            (*textures)[i].mask = sf::Texture();
            (*textures)[i].hasMask = false;
        }
    clearTables();
}

} // namespace tvl
