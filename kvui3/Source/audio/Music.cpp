// Starting music from assets, loose files and packs.
#include "audio/Audio.h"

#include "audio/AssetFile.h"
#include "audio/AudioInternal.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace kv::Audio {

namespace {

const char* const kMusicUnreadable = "Unable to load music from ";
const char* const kModuleUnreadable = "Unable to load module music from ";

bool isStreamedFormat(const std::string& extension)
{
    return equalsIgnoreCase(extension, "ogg") || equalsIgnoreCase(extension, "wav");
}

// Opens the music stream on bytes it keeps for as long as it plays from them.
bool openMusicMemory(MusicStreams& streams, std::vector<uint8_t> bytes, size_t offset)
{
    if (bytes.size() <= offset || !streams.music->openFromMemory(bytes.data() + offset, bytes.size() - offset))
        return false;
    // The vector's storage moves with it, so the stream keeps reading the same bytes.
    streams.memory = std::move(bytes);
    streams.current = streams.music.get();
    return true;
}

bool openModule(MusicStreams& streams, bool fromFile, const std::string& path,
                const std::string& dotExtension, const uint8_t* data, size_t size)
{
    const bool opened = fromFile ? streams.module.openFromFile(path)
                                 : streams.module.openFromMemory(dotExtension, data, size);
    if (!opened)
        return false;
    // The module stream plays now; the music stream goes back to a fresh, closed one.
    streams.music = std::make_unique<sf::Music>();
    streams.memory.clear();
    streams.memory.shrink_to_fit();
    streams.current = &streams.module;
    return true;
}

bool fail(const std::string& message)
{
    printError(message);
    return false;
}

} // namespace

bool playMusic(const std::string& path, float startSeconds)
{
    if (!audioReady)
        return false;
    MusicStreams& streams = musicStreams();
    if (streams.current->getStatus() == sf::SoundSource::Playing && equalsIgnoreCase(path, currentMusicPath))
        return true;
    currentMusicPath.clear();
    currentMusicName.clear();
    streams.current->stop();

    const size_t dot = path.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    std::string error;

    if (equalsIgnoreCase(ext, "mus")) {
        std::vector<uint8_t> source;
        if (!readSource(path, kMusicUnreadable, source, error))
            return fail(error);
        AssetPayload asset;
        if (!readAsset(source.data(), source.size(), AssetKind::Music, path, asset, error))
            return fail(error);
        const std::string inner = asset.extension.empty() ? std::string() : asset.extension.substr(1);
        if (isStreamedFormat(inner)) {
            if (!openMusicMemory(streams, std::move(asset.data), 0))
                return fail(kMusicUnreadable + path);
        } else if (!openModule(streams, false, path, asset.extension, asset.data.data(), asset.data.size())) {
            return fail(kModuleUnreadable + path);
        }
    } else if (fileExists(path)) {
        if (isStreamedFormat(ext)) {
            if (!streams.music->openFromFile(resolvePath(path)))
                return fail(kMusicUnreadable + path);
            streams.memory.clear();
            streams.current = streams.music.get();
        } else if (!openModule(streams, true, path, {}, nullptr, 0)) {
            return fail(kModuleUnreadable + path);
        }
    } else {
        std::vector<uint8_t> source;
        if (!readSource(path, kMusicUnreadable, source, error))
            return fail(error);
        if (isStreamedFormat(ext)) {
            if (!openMusicMemory(streams, std::move(source), 0))
                return fail(kMusicUnreadable + path);
        } else if (!openModule(streams, false, path, "." + ext, source.data(), source.size())) {
            return fail(kModuleUnreadable + path);
        }
    }

    sf::SoundStream& music = *streams.current;
    music.setLoop(true);
    music.setVolume(std::clamp(static_cast<float>(settings.musicVolume), 0.0f, 100.0f));
    music.setRelativeToListener(true);
    music.play();
    music.pause();
    music.setPlayingOffset(sf::seconds(startSeconds > 0.0f ? startSeconds : 0.0f));
    music.play();

    currentMusicPath = path;
    const size_t cut = path.find_last_of("/\\");
    currentMusicName = cut == std::string::npos ? path : path.substr(cut + 1);
    writeLog("Playing music from " + path);
    settings.musicLoadPath = path;
    return true;
}

} // namespace kv::Audio
