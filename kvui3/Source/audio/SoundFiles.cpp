// Mounting packs and sound folders, and loading one sound file.
#include "audio/Audio.h"

#include "audio/AssetFile.h"
#include "audio/AudioInternal.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kv::Audio {

std::vector<MountedPack> openPacks;

namespace {

struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using MallocBytes = std::unique_ptr<uint8_t, FreeDeleter>;

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The working folder with "/" separators and a trailing "/".
std::string currentFolder()
{
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).generic_string();
    if (ec)
        return {};
    if (cwd.empty() || cwd.back() != '/')
        cwd += '/';
    return cwd;
}

bool hasExtension(const std::string& name, const char* extension)
{
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && equalsIgnoreCase(name.substr(dot + 1), extension);
}

} // namespace

std::string soundNameFromFile(const std::string& fileName)
{
    std::string name = fileName;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    while (name.size() > 1 && (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == '_'))
        name.pop_back();
    return name;
}

std::string soundNameFromPackEntry(const std::string& entryName)
{
    size_t last = entryName.size();
    while (last > 0 && !isSeparator(entryName[last - 1]))
        last--;
    const std::string fileName = entryName.substr(last);
    std::string folder = entryName.substr(0, last ? last - 1 : 0);
    // Without its first folder and any leading separator.
    size_t first = 0;
    while (first < folder.size() && !isSeparator(folder[first]))
        first++;
    folder.erase(0, first);
    while (!folder.empty() && isSeparator(folder.front()))
        folder.erase(0, 1);
    std::replace(folder.begin(), folder.end(), '/', '\\');
    const std::string name = soundNameFromFile(fileName);
    return folder.empty() ? name : folder + "\\" + name;
}

std::string packKey(const std::string& path)
{
    std::string key = path;
    std::replace(key.begin(), key.end(), '\\', '/');
    if (!key.empty() && key.front() == '/') {
        const std::string cwd = currentFolder();
        if (!cwd.empty() && key.compare(0, cwd.size(), cwd) == 0)
            key.erase(0, cwd.size());
    }
    return toLowerAscii(key);
}

std::vector<int16_t> downmixStereo(const int16_t* samples, size_t sampleCount)
{
    std::vector<int16_t> mono(sampleCount / 2);
    for (size_t i = 0; i < mono.size(); i++)
        mono[i] = static_cast<int16_t>((samples[2 * i] + samples[2 * i + 1]) / 2);
    return mono;
}

void unmountPacks()
{
    openPacks.clear();
}

bool loadSoundsFromPack(const std::string& packPath, bool addSounds)
{
    openPacks.erase(std::remove_if(openPacks.begin(), openPacks.end(),
                                   [&](const MountedPack& p) { return p.path == packPath; }),
                    openPacks.end());
    MountedPack mounted;
    mounted.path = packPath;
    mounted.pak = std::make_unique<PakFile>();
    PakFile& pak = *mounted.pak;
    audioLastError.clear();
    if (!fileExists(packPath))
        return false;
    if (!pak.stream.openFile(packPath) || !pak.readHeader()) {
        const std::string& reason = pak.stream.isOpen() ? pak.error : pak.stream.getError();
        audioLastError = "Unable to read pack " + packPath + ": " + reason;
        return false;
    }

    size_t cut = packPath.size();
    while (cut > 0 && !isSeparator(packPath[cut - 1]))
        cut--;
    const std::string folder = cut ? packPath.substr(0, cut - 1) : std::string();
    for (size_t i = 0; i < pak.entries.size(); i++) {
        const std::string& entryName = pak.entries[i].name;
        const std::string key = packKey(folder.empty() ? entryName : folder + "/" + entryName);
        mounted.index.emplace(key, i);
        if (addSounds)
            addSound(key, soundNameFromPackEntry(entryName));
    }
    openPacks.push_back(std::move(mounted));
    return true;
}

std::vector<std::pair<std::string, std::string>> mountedPackEntries()
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const MountedPack& mounted : openPacks) {
        const size_t first = entries.size();
        for (const auto& [key, entry] : mounted.index)
            entries.emplace_back(key, mounted.pak->entries[entry].name);
        // The index is a hash map: its order means nothing.
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end());
    }
    return entries;
}

void addSoundsFromFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    const fs::path root = resolvePath(folder);
    std::error_code ec;
    if (!fs::is_directory(root, ec))
        return; // an optional folder: the packs may hold every sound
    std::vector<std::string> files; // relative, "\" separators
    fs::recursive_directory_iterator it(root, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string leaf = it->path().filename().string();
        std::error_code entryError; // an entry that cannot be queried is skipped
        if (!leaf.empty() && leaf.front() == '.') {
            if (it->is_directory(entryError))
                it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(entryError) || !(hasExtension(leaf, "wav") || hasExtension(leaf, "ogg")))
            continue;
        std::string relative = it->path().lexically_relative(root).generic_string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        files.push_back(relative);
    }
    if (ec) {
        printError("Audio::addSoundsFromFolder: Unable to list " + folder + ": " + ec.message());
        return;
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return toLowerAscii(a) < toLowerAscii(b);
    });
    std::string base = folder;
    while (!base.empty() && isSeparator(base.back()))
        base.pop_back();
    for (const std::string& relative : files) {
        const size_t cut = relative.rfind('\\');
        const std::string name = cut == std::string::npos
            ? soundNameFromFile(relative)
            : relative.substr(0, cut + 1) + soundNameFromFile(relative.substr(cut + 1));
        addSound(base.empty() ? relative : base + "\\" + relative, name);
    }
}

bool readSource(const std::string& path, const char* unreadableMessage, std::vector<uint8_t>& out,
                std::string& error)
{
    if (fileExists(path)) {
        BinaryStream stream;
        if (!stream.openFile(path)) {
            error = stream.getError();
            return false;
        }
        const uint32_t size = stream.getSize();
        MallocBytes bytes(stream.readAll());
        if (!bytes) {
            error = unreadableMessage + path;
            return false;
        }
        out.assign(bytes.get(), bytes.get() + size);
        return true;
    }
    const std::string key = packKey(path);
    for (MountedPack& mounted : openPacks) {
        const auto found = mounted.index.find(key);
        if (found == mounted.index.end())
            continue;
        PakEntry& entry = mounted.pak->entries[found->second];
        if (entry.inMemory) {
            const uint8_t* bytes = entry.stream.readAll();
            if (!bytes || entry.stream.getSize() < entry.size) {
                error = unreadableMessage + path;
                return false;
            }
            out.assign(bytes, bytes + entry.size);
            return true;
        }
        // Pack reads share one file position: place it at this entry first.
        BinaryStream& packStream = mounted.pak->stream;
        MallocBytes bytes(packStream.seek(entry.offset) ? entry.readData(packStream) : nullptr);
        if (!bytes) {
            error = unreadableMessage + path;
            return false;
        }
        out.assign(bytes.get(), bytes.get() + entry.size);
        return true;
    }
    error = "Unable to find " + path;
    return false;
}

bool loadSoundVariant(SoundVariant& variant, const std::string& path)
{
    if (variant.loaded)
        return true;
    static const char* const unreadable = "Unable to load samples from ";
    std::vector<uint8_t> source;
    if (!readSource(path, unreadable, source, audioLastError))
        return false;

    const uint8_t* samples = source.data();
    size_t sampleBytes = source.size();
    AssetPayload asset;
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && path.compare(dot, std::string::npos, ".snd") == 0) {
        if (!readAsset(source.data(), source.size(), AssetKind::Sound, path, asset, audioLastError))
            return false;
        samples = asset.data.data();
        sampleBytes = asset.data.size();
    }

    auto buffer = std::make_unique<sf::SoundBuffer>();
    if (sampleBytes == 0 || !buffer->loadFromMemory(samples, sampleBytes)) {
        audioLastError = unreadable + path;
        return false;
    }
    if (buffer->getChannelCount() == 2) {
        const std::vector<int16_t> mono =
            downmixStereo(buffer->getSamples(), static_cast<size_t>(buffer->getSampleCount()));
        if (!buffer->loadFromSamples(mono.data(), mono.size(), 1, buffer->getSampleRate())) {
            audioLastError = "Failed to convert samples to mono from " + path;
            return false;
        }
    }
    variant.buffer = std::move(buffer);
    variant.loaded = 1;
    return true;
}

} // namespace kv::Audio
