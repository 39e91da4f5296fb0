#include "graphics/Shaders.h"

#include "core/Log.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "graphics/CachedShader.h"
#include "graphics/ShaderUniforms.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>

namespace kv {

ShaderSlot shaderSlots[shaderSlotCount];

ShaderId shaderSpriteShadow = -1;
ShaderId shaderTeamColour = -1;
ShaderId shaderThermalImaging = -1;
ShaderId shaderUiIcon = -1;
ShaderId shaderLighting = -1;
ShaderId shaderLight = -1;

ShaderSlot& getShaderSlot(ShaderId id)
{
    const uint32_t index = static_cast<uint32_t>(id);
    return index < static_cast<uint32_t>(shaderSlotCount) ? shaderSlots[index] : shaderSlots[0];
}

namespace {

// In the order of shaderUniforms::frameworkPrograms.
ShaderId* const frameworkIds[] = {&shaderSpriteShadow, &shaderTeamColour, &shaderThermalImaging,
                                  &shaderUiIcon,       &shaderLighting,   &shaderLight};
static_assert(std::size(frameworkIds) == std::size(shaderUniforms::frameworkPrograms));

// Shader sources are small; anything larger is not one.
constexpr uint64_t maxShaderFileSize = 1u << 20;

std::string lastError;
Shaders::CompileFunction compileFunction;

bool compileIntoSlot(ShaderSlot& slot, const std::string& vertexText, const std::string& fragmentText)
{
    if (!slot.shader)
        return false;
    if (!vertexText.empty() && !fragmentText.empty())
        return slot.shader->loadFromMemory(vertexText, fragmentText);
    if (!vertexText.empty())
        return slot.shader->loadFromMemory(vertexText, sf::Shader::Vertex);
    return slot.shader->loadFromMemory(fragmentText, sf::Shader::Fragment);
}

// The real disk path of a game path, for comparing files: case resolved, then made absolute
// and canonical (so "a/../b.glsl" and "b.glsl" are one file, and two names that differ only in
// case on disk stay two files).
std::string realPath(const std::string& gamePath)
{
    const std::filesystem::path disk = resolvePath(gamePath);
    std::error_code error;
    std::filesystem::path real = std::filesystem::weakly_canonical(disk, error);
    if (error)
        real = std::filesystem::absolute(disk, error).lexically_normal();
    return error ? disk.string() : real.string();
}

// The folder part of a game path, with its separator ("" for a bare name).
std::string parentFolder(const std::string& gamePath)
{
    const size_t slash = gamePath.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : gamePath.substr(0, slash + 1);
}

bool fail(const std::string& path, const std::string& what)
{
    printError("Error loading shader " + path + ": " + what);
    return false;
}

bool contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Appends the expanded text of path to out. `open` holds the real paths of the files being
// expanded (the include chain), to tell a cycle from a file that was simply included before.
bool expand(const std::string& path, std::vector<std::string>& included, std::vector<std::string>& open,
            std::string& out)
{
    const FileStatus status = getFileStatus(path);
    std::string text;
    if (!status.exists || status.isDirectory || status.size > maxShaderFileSize || !readWholeFile(path, text))
        return fail(path, "Unable to open file");

    const std::string self = realPath(path);
    open.push_back(self);
    struct PopOnExit {
        std::vector<std::string>& list;
        ~PopOnExit() { list.pop_back(); }
    } popOnExit{open};

    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const size_t at = line.size() < 8 ? std::string_view::npos : line.find("#include");
        if (at == std::string_view::npos || line.find("//") < at) {
            out.append(line);
            out += '\n';
            continue;
        }
        size_t quote = at + 8;
        while (quote < line.size() && line[quote] == ' ')
            ++quote;
        if (quote >= line.size() || line[quote] != '"')
            return fail(path, "Invalid syntax, expected a \" after #include");
        const size_t close = line.find('"', quote + 1);
        if (close == std::string_view::npos)
            return fail(path, "Invalid syntax, expected a \" but found EOL");
        const std::string name(line.substr(quote + 1, close - quote - 1));

        const std::string includePath = parentFolder(path) + name;
        const FileStatus includeStatus = getFileStatus(includePath);
        if (name.empty() || !includeStatus.exists || includeStatus.isDirectory)
            return fail(path, "Unable to find " + name);
        const std::string real = realPath(includePath);
        if (real == self)
            continue; // a file never includes itself
        if (contains(open, real))
            return fail(path, "Include cycle through " + name);
        if (contains(included, real))
            continue; // each file once per stage
        included.push_back(real);

        std::string includedText;
        if (!expand(includePath, included, open, includedText))
            return false; // already reported; the whole stage fails
        out += "\n// Begin " + name + ":\n";
        out += includedText;
        out += "// End " + name + "\n";
    }
    return true;
}

} // namespace

namespace Shaders {

bool init()
{
    lastError.clear();
    // Allocated once with the window's context current and kept for the whole run: the
    // programs go away with the context at exit.
    static CachedShader* programs = new CachedShader[shaderSlotCount];
    for (int i = 0; i < shaderSlotCount; ++i)
        shaderSlots[i].shader = &programs[i];
    shaderSlots[0].used = true;
    shaderSlots[0].vertexPath.clear();
    shaderSlots[0].fragmentPath.clear();
    shaderSlots[0].loaded = false;

    if (!sf::Shader::isAvailable()) {
        lastError = "Shaders::init: Shaders are not available on this system.";
        return false;
    }

    const std::string folder = "kvui3\\Shaders\\";
    for (size_t i = 0; i < std::size(frameworkIds); ++i) {
        const ProgramInfo& program = shaderUniforms::frameworkPrograms[i];
        *frameworkIds[i] = addShader(folder + program.vertexFile, folder + program.fragmentFile);
    }
    writeLog("Shaders initialised.");
    return true;
}

const std::string& getLastError()
{
    return lastError;
}

ShaderId addShader(const std::string& vertexPath, const std::string& fragmentPath)
{
    if (!vertexPath.empty() && !fileExists(vertexPath)) {
        printError("Vertex shader file not found: " + vertexPath);
        return -1;
    }
    if (!fragmentPath.empty() && !fileExists(fragmentPath)) {
        printError("Fragment shader file not found: " + fragmentPath);
        return -1;
    }
    if (vertexPath.empty() && fragmentPath.empty())
        return -1;
    for (ShaderId id = 1; id < shaderSlotCount; ++id) {
        ShaderSlot& slot = shaderSlots[id];
        if (slot.used)
            continue;
        slot.used = true;
        slot.vertexPath = vertexPath;
        slot.fragmentPath = fragmentPath;
        loadShader(id);
        return id;
    }
    return -1;
}

bool loadShader(ShaderId id)
{
    if (id < 0 || id >= shaderSlotCount)
        return false;
    ShaderSlot& slot = shaderSlots[id];
    slot.loaded = false;
    const bool hasVertex = !slot.vertexPath.empty();
    const bool hasFragment = !slot.fragmentPath.empty();
    if (!slot.used || (!hasVertex && !hasFragment))
        return false;

    std::vector<std::string> included;
    const std::string vertexText = hasVertex ? preprocess(slot.vertexPath, included) : std::string();
    included.clear();
    const std::string fragmentText = hasFragment ? preprocess(slot.fragmentPath, included) : std::string();

    const CompileFunction& compile = compileFunction ? compileFunction : CompileFunction(compileIntoSlot);
    bool ok = false;
    if (hasVertex && hasFragment) {
        // Never a one-stage program from a pair whose other text failed.
        ok = !vertexText.empty() && !fragmentText.empty() && compile(slot, vertexText, fragmentText);
        if (!ok)
            printError(formatString("Error loading vertex and fragment shaders from %s and %s",
                                    slot.vertexPath.c_str(), slot.fragmentPath.c_str()));
    } else if (hasVertex) {
        ok = !vertexText.empty() && compile(slot, vertexText, std::string());
        if (!ok)
            printError(formatString("Error loading vertex shader from %s", slot.vertexPath.c_str()));
    } else {
        ok = !fragmentText.empty() && compile(slot, std::string(), fragmentText);
        if (!ok)
            printError(formatString("Error loading fragment shader from %s", slot.fragmentPath.c_str()));
    }
    // A recompiled program has new locations: whatever the cache knew belongs to the old one.
    if (slot.shader)
        slot.shader->clearCaches();
    slot.loaded = ok;
    return ok;
}

std::string preprocess(const std::string& path, std::vector<std::string>& included)
{
    if (path.empty())
        return "";
    std::vector<std::string> open;
    std::string text;
    return expand(path, included, open, text) ? text : std::string();
}

void reloadAll()
{
    for (ShaderId id = 1; id < shaderSlotCount; ++id) {
        ShaderSlot& slot = shaderSlots[id];
        if (!slot.used)
            continue;
        loadShader(id);
    }
    printMessage("Reloaded shaders");
    writeLog("Reloaded shaders");
}

void setCompileFunction(CompileFunction compile)
{
    compileFunction = std::move(compile);
}

void clearSlots()
{
    for (ShaderSlot& slot : shaderSlots) {
        CachedShader* shader = slot.shader;
        slot = ShaderSlot{};
        slot.shader = shader;
    }
    for (ShaderId* id : frameworkIds)
        *id = -1;
}

} // namespace Shaders
} // namespace kv
