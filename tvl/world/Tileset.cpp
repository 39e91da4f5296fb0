#include "world/Tileset.h"

#include "core/IniFile.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"


namespace tvl {

kv::LazyObject<sf::Texture> tilesetTexture;
sf::IntRect tileRects[tileCount];
sf::Color tileMinimapColours[tileCount];
uint8_t tileKinds[tileCount];
uint32_t tileMaterialIndex[tileCount];
uint32_t tileSpecials[tileCount];
TileMaterial tileMaterials[maxTileMaterials];
int32_t tileMaterialCount = 0;
kv::LazyObject<std::map<uint32_t, sf::Texture>> conveyorTextures;
std::string tilesetError;

namespace {

bool isKey(const sf::Color& c, const uint8_t key[4])
{
    return c.r == key[0] && c.g == key[1] && c.b == key[2] && c.a == key[3];
}

void refuse(const std::string& text)
{
    tilesetError = text;
    kv::printError(tilesetError);
}

// The same path with its extension (after the last '.' of the file name) replaced by "ini".
std::string materialsPathFor(const std::string& path)
{
    std::size_t dot = path.rfind('.');
    std::size_t sep = path.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return path + ".ini";
    return path.substr(0, dot) + ".ini";
}

} // namespace

TileKind tileKindOfCell(const sf::Image& image, unsigned left, unsigned top)
{
    bool hasA = false, hasB = false, hasOther = false;
    for (unsigned y = top; y < top + tileSize; y++)
        for (unsigned x = left; x < left + tileSize; x++) {
            sf::Color c = image.getPixel(x, y);
            if (isKey(c, tileKeyColourA))
                hasA = true;
            else if (isKey(c, tileKeyColourB))
                hasB = true;
            else
                hasOther = true;
        }
    if (hasA)
        return hasOther ? TileKindKeyAMixed : TileKindKeyA;
    if (hasB)
        return hasOther ? TileKindKeyBMixed : TileKindKeyB;
    return TileKindPlain;
}

bool analyseTilesetImage(sf::Image& image, bool* changed)
{
    if (changed)
        *changed = false;
    sf::Vector2u size = image.getSize();
    if (size.x < tilesetImageSize || size.y < tilesetImageSize)
        return false;
    for (int i = 0; i < tileCount; i++) {
        unsigned left = (i % tilesetColumns) * tileSize;
        unsigned top = (i / tilesetColumns) * tileSize;
        tileRects[i] = sf::IntRect(int(left), int(top), tileSize, tileSize);
        tileMinimapColours[i] = image.getPixel(left + 8, top + 8);
        TileKind kind = tileKindOfCell(image, left, top);
        tileKinds[i] = kind;
        if (kind != TileKindKeyAMixed && kind != TileKindKeyBMixed)
            continue;
        const uint8_t* key = kind == TileKindKeyAMixed ? tileKeyColourA : tileKeyColourB;
        for (unsigned y = top; y < top + tileSize; y++)
            for (unsigned x = left; x < left + tileSize; x++)
                if (isKey(image.getPixel(x, y), key)) {
                    image.setPixel(x, y, sf::Color(0, 0, 0, 0));
                    if (changed)
                        *changed = true;
                }
    }
    return true;
}

bool prepareTilesetImage(const std::string& path, sf::Image& image)
{
    if (!image.loadFromFile(kv::resolvePath(path))) {
        refuse("Failed to load tileset texture: " + path);
        return false;
    }
    sf::Vector2u size = image.getSize();
    if (size.x < tilesetImageSize || size.y < tilesetImageSize) {
        refuse(kv::formatString("Tileset texture %s is %ux%u, smaller than %ux%u", path.c_str(),
                                size.x, size.y, tilesetImageSize, tilesetImageSize));
        return false;
    }
    analyseTilesetImage(image);
    return true;
}

bool loadTileset(const std::string& path)
{
    conveyorTextures->clear();
    sf::Image image;
    if (!prepareTilesetImage(path, image)) {
        sf::Image empty;
        empty.create(1024, 1024, sf::Color(0, 0, 0, 0));
        tilesetTexture->loadFromImage(empty);
        return false;
    }
    if (!tilesetTexture->loadFromImage(image)) {
        refuse("Failed to load tileset texture: " + path);
        return false;
    }

    loadTileMaterials(materialsPathFor(path));

    for (int i = 0; i < tileCount; i++) {
        if (tileSpecials[i] == TileSpecialNone)
            continue;
        sf::Image cell;
        cell.create(tileSize, tileSize, sf::Color(0, 0, 0, 255));
        cell.copy(image, 0, 0, tileRects[i], false);
        sf::Texture& texture = (*conveyorTextures)[uint32_t(i)];
        texture.loadFromImage(cell);
        texture.setRepeated(true);
        texture.setSmooth(true);
    }
    return true;
}

TileSpecial tileSpecialFromName(const std::string& name)
{
    if (name == "ConveyorUp")
        return ConveyorUp;
    if (name == "ConveyorDown")
        return ConveyorDown;
    if (name == "ConveyorLeft")
        return ConveyorLeft;
    if (name == "ConveyorRight")
        return ConveyorRight;
    return TileSpecialNone;
}

void loadTileMaterials(const std::string& path)
{
    // Every load starts from an empty table, so a second load does not append.
    tileMaterialCount = 0;
    for (TileMaterial& m : tileMaterials)
        m = TileMaterial();
    for (int t = 0; t < tileCount; t++) {
        tileMaterialIndex[t] = 0;
        tileSpecials[t] = TileSpecialNone;
    }

    kv::IniFile ini;
    bool loaded = ini.load(path);

    ini.setSection("info");
    int count = kv::stringToInt(ini.getValue("numMats"));
    count = count < 0 ? 0 : (count > maxTileMaterialsRead ? maxTileMaterialsRead : count);
    for (int n = 0; n < count; n++) {
        ini.setSection("mat" + std::to_string(n));
        bool found = false;
        const std::string& name = ini.getValue("name", &found);
        TileMaterial& m = tileMaterials[tileMaterialCount];
        kv::HashedName::set(m.name, found ? name : std::string("(none)"));
        float shine = kv::stringToFloat(ini.getValue("shine"));
        // Shine becomes a byte in the terrain shader's input: keep it where that cannot wrap.
        m.shine = shine < 0.0f ? 0.0f : (shine > 1.0f ? 1.0f : shine);
        tileMaterialCount++;
    }

    ini.setSection("tileMats");
    for (int t = 0; t < tileCount; t++) {
        bool found = false;
        const std::string& value = ini.getValue(std::to_string(t), &found);
        uint32_t hash = kv::hashName(found ? value : std::string("Grass"));
        for (int m = 0; m < tileMaterialCount; m++)
            if (tileMaterials[m].name.hash == hash) {
                tileMaterialIndex[t] = uint32_t(m);
                break;
            }
    }

    ini.setSection("tileSpecials");
    for (int t = 0; t < tileCount; t++)
        tileSpecials[t] = tileSpecialFromName(ini.getValue(std::to_string(t)));

    if (loaded)
        kv::writeLog("Loaded tile materials from " + path);
}

} // namespace tvl
