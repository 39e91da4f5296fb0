#include "audio/ModMusic.h"

#include "core/Log.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <dumb.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kv {

namespace {

using FileLoader = DUH* (*)(const char*);
using MemoryReader = DUH* (*)(DUMBFILE*);

struct ModuleKind {
    const char* extension;
    FileLoader load;
    MemoryReader read;
};

const ModuleKind kKinds[] = {
    {".mod", dumb_load_mod_quick, dumb_read_mod_quick},
    {".xm", dumb_load_xm_quick, dumb_read_xm_quick},
    {".s3m", dumb_load_s3m_quick, dumb_read_s3m_quick},
    {".it", dumb_load_it_quick, dumb_read_it_quick},
};

const ModuleKind* kindFor(const std::string& extension)
{
    for (const ModuleKind& kind : kKinds)
        if (equalsIgnoreCase(extension, kind.extension))
            return &kind;
    return nullptr;
}

// DUMB's file loaders go through its registered stdio layer; registered on first use.
void registerDumbFiles()
{
    static std::once_flag once;
    std::call_once(once, [] { dumb_register_stdfiles(); });
}

} // namespace

ModMusic::ModMusic() = default;

ModMusic::~ModMusic()
{
    // The streaming thread must be gone before the module it renders.
    stop();
    std::lock_guard<std::mutex> lock(mutex);
    release();
}

void ModMusic::release()
{
    if (renderer)
        duh_end_sigrenderer(renderer);
    renderer = nullptr;
    if (duh)
        unload_duh(duh);
    duh = nullptr;
}

bool ModMusic::adopt(DUH* loaded)
{
    if (!loaded)
        return false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        duh = loaded;
        // SFML asks for data before any seek, so rendering starts here.
        renderer = duh_start_sigrenderer(duh, 0, 2, 0);
    }
    initialize(2, 44100);
    return true;
}

bool ModMusic::openFromFile(const std::string& path)
{
    stop();
    {
        std::lock_guard<std::mutex> lock(mutex);
        release();
    }
    size_t dot = path.find_last_of('.');
    const ModuleKind* kind = dot == std::string::npos ? nullptr : kindFor(path.substr(dot));
    DUH* loaded = nullptr;
    if (kind) {
        registerDumbFiles();
        loaded = kind->load(resolvePath(path).c_str());
    }
    if (!adopt(loaded)) {
        writeLog("Failed to open module file: " + path);
        return false;
    }
    return true;
}

bool ModMusic::openFromMemory(const std::string& extension, const void* data, std::size_t size)
{
    stop();
    {
        std::lock_guard<std::mutex> lock(mutex);
        release();
    }
    DUMBFILE* file = (data && size <= LONG_MAX)
                         ? dumbfile_open_memory(static_cast<const char*>(data), static_cast<long>(size))
                         : nullptr;
    if (!file) {
        writeLog("Failed to open memory for module file");
        return false;
    }
    const ModuleKind* kind = kindFor(extension);
    DUH* loaded = kind ? kind->read(file) : nullptr;
    dumbfile_close(file);
    if (!adopt(loaded)) {
        writeLog("Failed to open module file memory");
        return false;
    }
    return true;
}

long ModMusic::getRenderPosition() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return renderer ? duh_sigrenderer_get_position(renderer) : -1;
}

bool ModMusic::onGetData(Chunk& data)
{
    std::lock_guard<std::mutex> lock(mutex);
    long frames = renderer ? duh_render(renderer, 16, 0, 1.0f, 65536.0f / 44100.0f, kFrames, samples) : 0;
    frames = std::clamp<long>(frames, 0, kFrames);
    std::fill(samples + frames * 2, samples + kFrames * 2, sf::Int16(0));
    data.samples = samples;
    data.sampleCount = kFrames * 2;
    return true;
}

void ModMusic::onSeek(sf::Time timeOffset)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (renderer)
        duh_end_sigrenderer(renderer);
    renderer = nullptr;
    if (duh) {
        int64_t position = std::max<int64_t>(0, timeOffset.asMicroseconds()) * 65536 / 1000000;
        renderer = duh_start_sigrenderer(duh, 0, 2, static_cast<long>(position));
    }
}

} // namespace kv
