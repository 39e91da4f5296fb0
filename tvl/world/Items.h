#pragma once
// The item types a pickup gives, their display names, and the image and sound numbers each
// item uses (looked up once at start-up).
#include "world/SoundNumber.h"

#include <cstdint>
#include <string>

namespace tvl {

// Values outside 0 .. 6 can arrive (from the network, from files): every reader checks.
enum ItemType : int32_t {
    Nitro = 0,
    Missile = 1,
    Bomb = 2,
    EMP = 3,
    TimeWarp = 4,
    Gun = 5,
    Drone = 6,
};
constexpr int itemTypeCount = 7;

// "Nitro", "Missile", "Bomb", "EMP", "Time Warp", "Gun", "Drone"; "Unknown Item" for any
// other value.
std::string itemName(ItemType type);

// Indexed by ItemType. Image 0 (the placeholder) and sound -1 stand for what is missing; the
// Missile and the Gun have no use sound (their weapons sound instead).
extern int32_t itemImageNumbers[itemTypeCount];
extern SoundNumber itemPickupSounds[itemTypeCount];
extern SoundNumber itemUseSounds[itemTypeCount];

// Looks up all images, then the pickup sounds, then the use sounds; each missing one is
// reported once.
void loadItemAssets();

} // namespace tvl
