#pragma once
// A GLSL program that remembers, per uniform location, the last value it sent, so setting a
// uniform to the value it already holds costs no driver call. Uniforms are set by location
// through the program-uniform entry points (GL 4.1 / ARB_separate_shader_objects), which need
// no program binding. Every framework and game draw with a shader goes through this class.
#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sf {
class Texture;
}

namespace kv {

// What a cache entry holds.
enum UniformTag : uint32_t {
    uniformEmpty = 0,
    uniformFloat = 1,
    uniformVec2 = 2,
    uniformVec3 = 3,
    uniformVec4 = 4,
    uniformInt = 5,
    uniformIVec2 = 6,
    uniformIVec3 = 7,
    uniformIVec4 = 8,
    uniformMat3 = 9,
    uniformMat4 = 10,
    uniformTexture = 11,
    uniformCurrentTexture = 12,
};

// One cache entry: a tag and room for a 4 x 4 float matrix. Trivially copyable, so the
// deferred render layers can snapshot a whole cache with a vector copy.
struct UniformValue {
    uint32_t tag = uniformEmpty;
    union {
        float f[16];
        int32_t i[16];
        const sf::Texture* texture;
    } value{};
};

// The GL entry points the cache calls, in plain C types (GLuint = unsigned, GLint/GLsizei =
// int, GLenum = unsigned, GLboolean = unsigned char). Fetched by name through SFML's context on
// first use; tests install fakes with setGlUniformApi.
struct GlUniformApi {
    void (*programUniform1f)(unsigned, int, float) = nullptr;
    void (*programUniform2f)(unsigned, int, float, float) = nullptr;
    void (*programUniform3f)(unsigned, int, float, float, float) = nullptr;
    void (*programUniform4f)(unsigned, int, float, float, float, float) = nullptr;
    void (*programUniform1i)(unsigned, int, int) = nullptr;
    void (*programUniform2i)(unsigned, int, int, int) = nullptr;
    void (*programUniform3i)(unsigned, int, int, int, int) = nullptr;
    void (*programUniform4i)(unsigned, int, int, int, int, int) = nullptr;
    void (*programUniformMatrix3fv)(unsigned, int, int, unsigned char, const float*) = nullptr;
    void (*programUniformMatrix4fv)(unsigned, int, int, unsigned char, const float*) = nullptr;
    int (*getUniformLocation)(unsigned, const char*) = nullptr;
    void (*getProgramiv)(unsigned, unsigned, int*) = nullptr;
    void (*getActiveUniform)(unsigned, unsigned, int, int*, int*, unsigned*, char*) = nullptr;
    unsigned (*getError)() = nullptr;
};

// The program-wide entry points; the first call fetches them (a GL context must exist).
const GlUniformApi& getGlUniformApi();
// Replaces the entry points (tests).
void setGlUniformApi(const GlUniformApi& api);

// Locations above this are set but never cached (an explicit layout(location = N) could
// otherwise grow the value vector without bound).
constexpr int maxCachedUniformLocation = 1023;

// The cache itself, over a program handle: no SFML object, so it is testable without a window.
class UniformCache {
public:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const; // FNV-1a 64
    };

    // Uniform name -> location; misses are kept as -1.
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> locations;
    // Last value sent, indexed by location; empty entries have tag uniformEmpty.
    std::vector<UniformValue> values;

    // The cached location of name, else asked of the driver once and kept (-1 included).
    // -1 without caching when the entry point is missing or program is 0.
    int getUniformLocation(unsigned program, std::string_view name);

    // The name of a location: from the map, else by walking the program's active uniforms
    // (a location is not an active-uniform index). "" for a negative location, a "gl_" name,
    // no program, or no match.
    std::string getUniformName(unsigned program, int location) const;

    // Sends a number, vector or matrix (tags uniformFloat..uniformMat4) to location unless
    // the entry already holds the same tag and an equal value (a NaN never equals); force
    // always sends. A negative location or program 0 sends and caches nothing. A missing
    // entry point is reported once and nothing is cached. GL errors are reported after the
    // call (callSite numbers 224 ... 651) and the value is cached all the same.
    void set(unsigned program, int location, const UniformValue& value, bool force);

    // For the texture setters: whether location already holds exactly this entry, and storing it.
    bool holds(int location, const UniformValue& value) const;
    void store(int location, const UniformValue& value);

    // Forgets every value and location (after the program was recompiled).
    void clear();
};

// Reports a pending GL error: "CachedShader::<callSite>: GL_INVALID_OPERATION" for 1282,
// "CachedShader::<callSite>: A GL error occured." for any other.
void checkGlError(int callSite);

class CachedShader : public sf::Shader {
public:
    UniformCache cache;

    int getUniformLocation(std::string_view name) { return cache.getUniformLocation(getNativeHandle(), name); }
    std::string getUniformName(int location) const { return cache.getUniformName(getNativeHandle(), location); }

    void setUniform1f(int location, float x);
    void setUniform2f(int location, const sf::Vector2f& v);
    void setUniform3f(int location, const float v[3]);
    void setUniform4f(int location, const float v[4]);
    void setUniform1i(int location, int x, bool force = false);
    void setUniform2i(int location, const int v[2]);
    void setUniform3i(int location, const int v[3]);
    void setUniform4i(int location, const int v[4]);
    void setUniformMat3(int location, const float m[9]);
    void setUniformMat4(int location, const float m[16]);
    // Bound through SFML by the uniform's name; nothing happens when the name is unknown.
    void setUniformTexture(int location, const sf::Texture& texture);
    void setUniformCurrentTexture(int location);

    // Replays one snapshot entry through its setter (the int setter without force).
    void setValue(int location, const UniformValue& value);

    void clearCaches() { cache.clear(); }
};

} // namespace kv
