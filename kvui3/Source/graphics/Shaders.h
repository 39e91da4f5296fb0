#pragma once
// The one table of GLSL programs. Every shader is registered once by a vertex and a fragment
// file (game paths) and is then known by its ShaderId; the registry reads the files, resolves
// their #include lines, compiles them into the slot's CachedShader and can recompile all of
// them from disk (Control+F12).
//
// Drawing with a program: take getShaderSlot(id), test `loaded`, and pass `*slot.shader` in the
// render states; a slot that is not loaded is skipped (drawn without the effect).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

class CachedShader;

// A slot index: 1..1023 from registration, -1 when registration failed. Slot 0 is reserved.
using ShaderId = int32_t;

constexpr int shaderSlotCount = 1024;

struct ShaderSlot {
    bool used = false;
    std::string vertexPath;   // game paths; either may be empty
    std::string fragmentPath;
    CachedShader* shader = nullptr; // element i of the program table once Shaders::init ran
    bool loaded = false;            // the last compile of both stages succeeded
};

extern ShaderSlot shaderSlots[shaderSlotCount];

// The framework's programs, -1 until Shaders::init registered them.
extern ShaderId shaderSpriteShadow;
extern ShaderId shaderTeamColour;
extern ShaderId shaderThermalImaging;
extern ShaderId shaderUiIcon;
extern ShaderId shaderLighting;
extern ShaderId shaderLight;

// The slot of id; ids that are 1024 or more taken as unsigned (-1 included) give slot 0, which
// is never loaded.
ShaderSlot& getShaderSlot(ShaderId id);

namespace Shaders {

// Once, from start-up, with the window's GL context current: creates the 1024 programs,
// reserves slot 0, and registers the framework's programs from "kvui3\Shaders\". False (and
// getLastError says why) only when the system has no shader support; a program that fails to
// compile does not fail init, it only leaves its slot unloaded. Logs "Shaders initialised.".
bool init();

// "" or the reason init failed.
const std::string& getLastError();

// Registers a program and compiles it. -1 when both paths are empty, when a given file does
// not exist ("Vertex shader file not found: " / "Fragment shader file not found: " + path), or
// when all 1023 slots are taken (silently). A compile failure still returns the id, with the
// slot not loaded.
ShaderId addShader(const std::string& vertexPath, const std::string& fragmentPath);

// (Re)compiles one used slot from its files; the result is also the slot's `loaded`. A slot
// with both paths compiles only when both texts came out whole; otherwise nothing is
// compiled and the slot is not loaded. Errors go through printError.
bool loadShader(ShaderId id);

// The text of one shader file with its #include "name" lines resolved, "" on any failure.
// Include names are relative to the including file. Each file enters one stage at most once
// (`included` holds the real disk paths already inserted; pass an empty list for a top-level
// file), a file's include of itself is dropped, and an included file appears as
// "\n// Begin name:\n" + text + "// End name\n". A file that cannot be read, bad include
// syntax, a missing include or an include cycle (A -> B -> A) is reported and fails the whole
// result, so no half program is ever compiled.
std::string preprocess(const std::string& path, std::vector<std::string>& included);

// Recompiles every used slot, keeping ids and paths, and empties each program's value and
// location caches (they belong to the old program). Prints "Reloaded shaders".
void reloadAll();

// The compile step: given the slot and the preprocessed stage texts (either may be empty when
// the slot has no such path), compiles them and returns success. The default compiles into the
// slot's CachedShader; tests replace it to run the registry without GL. An empty function
// restores the default.
using CompileFunction =
    std::function<bool(ShaderSlot& slot, const std::string& vertexText, const std::string& fragmentText)>;
void setCompileFunction(CompileFunction compile);

// Forgets every registration and id (tests; the running program never frees a slot).
void clearSlots();

} // namespace Shaders
} // namespace kv
