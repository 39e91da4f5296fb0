#pragma once
// Tracker-module music (MOD, XM, S3M, IT) as an endless stereo stream at 44100 Hz, rendered by
// DUMB. Open it on the main thread; the stream's callbacks run on SFML's streaming thread.
#include <SFML/Audio/SoundStream.hpp>

#include <cstddef>
#include <mutex>
#include <string>

struct DUH;
struct DUH_SIGRENDERER;

namespace kv {

class ModMusic : public sf::SoundStream {
public:
    ModMusic();
    ~ModMusic() override;

    // Stops the stream and releases the current module, then loads path (through the path
    // resolver) with the loader its extension names: .mod, .xm, .s3m or .it, in any case.
    // Failure (another extension, or a file the loader refuses) logs "Failed to open module
    // file: " + path and gives false with no module held.
    bool openFromFile(const std::string& path);
    // The same from size bytes at data, the loader picked by extension (".mod", ".XM", ...).
    // The module is copied while loading, so data may be freed once this returns. Failure logs
    // "Failed to open memory for module file" or "Failed to open module file memory".
    bool openFromMemory(const std::string& extension, const void* data, std::size_t size);

    // The renderer's position in 1/65536 s, or -1 when no module is open.
    long getRenderPosition() const;

protected:
    // 22050 stereo frames (44100 samples) per chunk; what could not be rendered is silence.
    // Always true, so the stream loops for as long as it plays.
    bool onGetData(Chunk& data) override;
    // Replaces the renderer with one that starts at the offset.
    void onSeek(sf::Time timeOffset) override;

private:
    static constexpr int kFrames = 22050;

    // Ends the renderer and unloads the module; the stream must be stopped and mutex held.
    void release();
    // Takes a freshly loaded module and starts rendering it from the beginning.
    bool adopt(DUH* loaded);

    mutable std::mutex mutex;
    DUH* duh = nullptr;
    DUH_SIGRENDERER* renderer = nullptr;
    sf::Int16 samples[kFrames * 2] = {};
};

} // namespace kv
