#include "audio/Audio.h"

namespace kv::Audio {

bool audioUp = false;

bool init()
{
    audioUp = true;
    return true;
}

void shutdown()
{
    audioUp = false;
}

void pollSound() {}

SoundNumber getSoundNumber(const std::string&, bool)
{
    return -1;
}

} // namespace kv::Audio
