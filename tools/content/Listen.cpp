// tvl_content --listen <folder>: the sounds and modules as plain files, and each module
// rendered once through DUMB, for ears, sox and spectrograms.
#include "Content.h"
#include "Synth.h"

#include "core/LittleEndian.h"

#include <dumb.h>

#include <cstdio>
#include <string>
#include <vector>

namespace content {

namespace {

std::string flatName(std::string name)
{
    for (char& c : name)
        if (c == '\\' || c == '/')
            c = '_';
    return name;
}

// The first seconds of a module as a 16-bit stereo WAV at 44100 Hz.
bool renderModule(const std::vector<uint8_t>& mod, float seconds, std::vector<uint8_t>& wav)
{
    DUMBFILE* file = dumbfile_open_memory(reinterpret_cast<const char*>(mod.data()),
                                          static_cast<long>(mod.size()));
    DUH* duh = file ? dumb_read_mod_quick(file) : nullptr;
    if (file)
        dumbfile_close(file);
    if (!duh)
        return false;
    DUH_SIGRENDERER* renderer = duh_start_sigrenderer(duh, 0, 2, 0);
    const long frames = static_cast<long>(seconds * 44100.0f);
    std::vector<int16_t> samples(static_cast<size_t>(frames) * 2, 0);
    duh_render(renderer, 16, 0, 1.0f, 65536.0f / 44100.0f, frames, samples.data());
    duh_end_sigrenderer(renderer);
    unload_duh(duh);
    // Reuse the mono writer's header, then patch it for two channels.
    synth::Signal placeholder(samples.size(), 0.0f);
    wav = synth::wavFile(placeholder, 44100);
    wav[22] = 2;
    kv::storeU32(wav.data() + 28, 44100 * 4); // bytes a second
    wav[32] = 4;
    for (size_t i = 0; i < samples.size(); i++)
        kv::storeU16(wav.data() + 44 + 2 * i, static_cast<uint16_t>(samples[i]));
    return true;
}

} // namespace

bool writeListeningCopies(const std::string& folder)
{
    for (const auto& [name, wav] : synthesiseSoundFiles())
        if (!writeBytes(wav, folder, flatName(name) + ".wav"))
            return false;
    for (const auto& [file, mod] : composeModules()) {
        const std::string stem = file.substr(0, file.rfind('.'));
        std::vector<uint8_t> wav;
        if (!writeBytes(mod, folder, stem + ".mod") || !renderModule(mod, 60.0f, wav) ||
            !writeBytes(wav, folder, stem + ".wav"))
            return false;
    }
    return true;
}

} // namespace content
