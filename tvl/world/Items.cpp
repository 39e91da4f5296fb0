#include "world/Items.h"

#include "audio/Audio.h"
#include "world/Images.h"

namespace tvl {

int32_t itemImageNumbers[itemTypeCount] = {};
SoundNumber itemPickupSounds[itemTypeCount] = {-1, -1, -1, -1, -1, -1, -1};
SoundNumber itemUseSounds[itemTypeCount] = {-1, -1, -1, -1, -1, -1, -1};

namespace {

struct ItemAssetNames {
    const char* displayName;
    const char* image;
    const char* pickupSound;
    const char* useSound; // nullptr: none
};

const ItemAssetNames itemAssetNames[itemTypeCount] = {
    {"Nitro", "Nitro.png", "Items\\Pickup\\Nitro", "Items\\Use\\Nitro"},
    {"Missile", "Missile.png", "Items\\Pickup\\Missile", nullptr},
    {"Bomb", "Bomb.png", "Items\\Pickup\\Bomb", "Items\\Use\\Bomb"},
    {"EMP", "EMP.png", "Items\\Pickup\\EMP", "Items\\Use\\EMP"},
    {"Time Warp", "TimeWarp.png", "Items\\Pickup\\TimeWarp", "Items\\Use\\TimeWarp"},
    {"Gun", "Gun.png", "Items\\Pickup\\Gun", nullptr},
    {"Drone", "Drone.png", "Items\\Pickup\\Drone", "Items\\Use\\Drone"},
};

} // namespace

std::string itemName(ItemType type)
{
    if (type < 0 || type >= itemTypeCount)
        return "Unknown Item";
    return itemAssetNames[type].displayName;
}

void loadItemAssets()
{
    for (int i = 0; i < itemTypeCount; i++)
        itemImageNumbers[i] = getImageNumber(itemAssetNames[i].image, true);
    for (int i = 0; i < itemTypeCount; i++)
        itemPickupSounds[i] = kv::Audio::getSoundNumber(itemAssetNames[i].pickupSound, true);
    for (int i = 0; i < itemTypeCount; i++) {
        const char* use = itemAssetNames[i].useSound;
        itemUseSounds[i] = use ? kv::Audio::getSoundNumber(use, true) : -1;
    }
}

} // namespace tvl
