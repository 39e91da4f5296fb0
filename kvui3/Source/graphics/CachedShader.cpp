#include "graphics/CachedShader.h"

#include "core/Messages.h"
#include "core/StringUtils.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Context.hpp>

#include <cstring>

namespace kv {

namespace {

constexpr unsigned glInvalidOperation = 0x0502;
constexpr unsigned glActiveUniforms = 0x8B86;

GlUniformApi glApi;
bool glApiLoaded = false;

template <typename F>
void fetch(F& pointer, const char* name)
{
    pointer = reinterpret_cast<F>(sf::Context::getFunction(name));
}

// Per tag: the number of components compared, the entry point's name, the call-site number.
struct TagInfo {
    int components;
    const char* entryPoint;
    int callSite;
};

constexpr TagInfo tagInfo[] = {
    {0, "", 0},
    {1, "glProgramUniform1f", 224},
    {2, "glProgramUniform2f", 265},
    {3, "glProgramUniform3f", 306},
    {4, "glProgramUniform4f", 354},
    {1, "glProgramUniform1i", 395},
    {2, "glProgramUniform2i", 436},
    {3, "glProgramUniform3i", 477},
    {4, "glProgramUniform4i", 525},
    {9, "glProgramUniformMatrix3fv", 606},
    {16, "glProgramUniformMatrix4fv", 651},
};
constexpr uint32_t lastNumberTag = uniformMat4;

bool isIntTag(uint32_t tag)
{
    return tag >= uniformInt && tag <= uniformIVec4;
}

bool sameValue(const UniformValue& a, const UniformValue& b)
{
    if (a.tag != b.tag)
        return false;
    if (a.tag == uniformTexture)
        return a.value.texture == b.value.texture;
    if (a.tag == uniformCurrentTexture || a.tag == uniformEmpty)
        return true;
    const int n = tagInfo[a.tag].components;
    for (int k = 0; k < n; ++k) {
        if (isIntTag(a.tag) ? a.value.i[k] != b.value.i[k] : !(a.value.f[k] == b.value.f[k]))
            return false;
    }
    return true;
}

// Calls the entry point of the value's tag; false when it is missing.
bool send(const GlUniformApi& gl, unsigned program, int location, const UniformValue& v)
{
    const float* f = v.value.f;
    const int* i = v.value.i;
    switch (v.tag) {
    case uniformFloat:
        if (!gl.programUniform1f) return false;
        gl.programUniform1f(program, location, f[0]);
        return true;
    case uniformVec2:
        if (!gl.programUniform2f) return false;
        gl.programUniform2f(program, location, f[0], f[1]);
        return true;
    case uniformVec3:
        if (!gl.programUniform3f) return false;
        gl.programUniform3f(program, location, f[0], f[1], f[2]);
        return true;
    case uniformVec4:
        if (!gl.programUniform4f) return false;
        gl.programUniform4f(program, location, f[0], f[1], f[2], f[3]);
        return true;
    case uniformInt:
        if (!gl.programUniform1i) return false;
        gl.programUniform1i(program, location, i[0]);
        return true;
    case uniformIVec2:
        if (!gl.programUniform2i) return false;
        gl.programUniform2i(program, location, i[0], i[1]);
        return true;
    case uniformIVec3:
        if (!gl.programUniform3i) return false;
        gl.programUniform3i(program, location, i[0], i[1], i[2]);
        return true;
    case uniformIVec4:
        if (!gl.programUniform4i) return false;
        gl.programUniform4i(program, location, i[0], i[1], i[2], i[3]);
        return true;
    case uniformMat3:
        if (!gl.programUniformMatrix3fv) return false;
        gl.programUniformMatrix3fv(program, location, 1, 0, f);
        return true;
    case uniformMat4:
        if (!gl.programUniformMatrix4fv) return false;
        gl.programUniformMatrix4fv(program, location, 1, 0, f);
        return true;
    default:
        return false;
    }
}

// Without separate shader objects every uniform would silently stay unset: say so once per
// entry point.
void reportMissing(uint32_t tag)
{
    static bool reported[lastNumberTag + 1] = {};
    if (reported[tag])
        return;
    reported[tag] = true;
    printError(formatString("CachedShader: %s is not available; uniforms of this type are not set.",
                            tagInfo[tag].entryPoint));
}

} // namespace

const GlUniformApi& getGlUniformApi()
{
    if (!glApiLoaded) {
        fetch(glApi.programUniform1f, "glProgramUniform1f");
        fetch(glApi.programUniform2f, "glProgramUniform2f");
        fetch(glApi.programUniform3f, "glProgramUniform3f");
        fetch(glApi.programUniform4f, "glProgramUniform4f");
        fetch(glApi.programUniform1i, "glProgramUniform1i");
        fetch(glApi.programUniform2i, "glProgramUniform2i");
        fetch(glApi.programUniform3i, "glProgramUniform3i");
        fetch(glApi.programUniform4i, "glProgramUniform4i");
        fetch(glApi.programUniformMatrix3fv, "glProgramUniformMatrix3fv");
        fetch(glApi.programUniformMatrix4fv, "glProgramUniformMatrix4fv");
        fetch(glApi.getUniformLocation, "glGetUniformLocation");
        fetch(glApi.getProgramiv, "glGetProgramiv");
        fetch(glApi.getActiveUniform, "glGetActiveUniform");
        fetch(glApi.getError, "glGetError");
        glApiLoaded = true;
    }
    return glApi;
}

void setGlUniformApi(const GlUniformApi& api)
{
    glApi = api;
    glApiLoaded = true;
}

void checkGlError(int callSite)
{
    const GlUniformApi& gl = getGlUniformApi();
    if (!gl.getError)
        return;
    const unsigned error = gl.getError();
    if (error == 0)
        return;
    if (error == glInvalidOperation)
        printError(formatString("CachedShader::%d: GL_INVALID_OPERATION", callSite));
    else
        printError(formatString("CachedShader::%d: A GL error occured.", callSite));
}

size_t UniformCache::NameHash::operator()(std::string_view name) const
{
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : name) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return static_cast<size_t>(h);
}

int UniformCache::getUniformLocation(unsigned program, std::string_view name)
{
    auto found = locations.find(name);
    if (found != locations.end())
        return found->second;
    const GlUniformApi& gl = getGlUniformApi();
    if (!gl.getUniformLocation || program == 0)
        return -1;
    const std::string key(name);
    const int location = gl.getUniformLocation(program, key.c_str());
    locations.emplace(key, location);
    return location;
}

std::string UniformCache::getUniformName(unsigned program, int location) const
{
    if (location < 0)
        return "";
    for (const auto& [name, loc] : locations) {
        if (loc == location)
            return name;
    }
    const GlUniformApi& gl = getGlUniformApi();
    if (program == 0 || !gl.getProgramiv || !gl.getActiveUniform || !gl.getUniformLocation)
        return "";
    int count = 0;
    gl.getProgramiv(program, glActiveUniforms, &count);
    for (int index = 0; index < count; ++index) {
        char name[128] = {};
        int length = 0, size = 0;
        unsigned type = 0;
        gl.getActiveUniform(program, static_cast<unsigned>(index), sizeof name, &length, &size, &type, name);
        name[sizeof name - 1] = '\0';
        if (name[0] == '\0' || std::strncmp(name, "gl_", 3) == 0)
            continue;
        if (gl.getUniformLocation(program, name) == location)
            return name;
    }
    return "";
}

void UniformCache::set(unsigned program, int location, const UniformValue& value, bool force)
{
    if (location < 0 || value.tag == uniformEmpty || value.tag > lastNumberTag)
        return;
    if (!force && holds(location, value))
        return;
    if (program == 0)
        return;
    if (!send(getGlUniformApi(), program, location, value)) {
        reportMissing(value.tag);
        return;
    }
    checkGlError(tagInfo[value.tag].callSite);
    store(location, value);
}

bool UniformCache::holds(int location, const UniformValue& value) const
{
    return location >= 0 && static_cast<size_t>(location) < values.size() &&
           sameValue(values[static_cast<size_t>(location)], value);
}

void UniformCache::store(int location, const UniformValue& value)
{
    if (location < 0 || location > maxCachedUniformLocation)
        return;
    if (static_cast<size_t>(location) >= values.size())
        values.resize(static_cast<size_t>(location) + 1);
    values[static_cast<size_t>(location)] = value;
}

void UniformCache::clear()
{
    values.clear();
    locations.clear();
}

namespace {

UniformValue floats(uint32_t tag, const float* v, int n)
{
    UniformValue u;
    u.tag = tag;
    std::memcpy(u.value.f, v, sizeof(float) * static_cast<size_t>(n));
    return u;
}

UniformValue ints(uint32_t tag, const int* v, int n)
{
    UniformValue u;
    u.tag = tag;
    std::memcpy(u.value.i, v, sizeof(int) * static_cast<size_t>(n));
    return u;
}

} // namespace

void CachedShader::setUniform1f(int location, float x)
{
    cache.set(getNativeHandle(), location, floats(uniformFloat, &x, 1), false);
}

void CachedShader::setUniform2f(int location, const sf::Vector2f& v)
{
    const float xy[2] = {v.x, v.y};
    cache.set(getNativeHandle(), location, floats(uniformVec2, xy, 2), false);
}

void CachedShader::setUniform3f(int location, const float v[3])
{
    cache.set(getNativeHandle(), location, floats(uniformVec3, v, 3), false);
}

void CachedShader::setUniform4f(int location, const float v[4])
{
    cache.set(getNativeHandle(), location, floats(uniformVec4, v, 4), false);
}

void CachedShader::setUniform1i(int location, int x, bool force)
{
    cache.set(getNativeHandle(), location, ints(uniformInt, &x, 1), force);
}

void CachedShader::setUniform2i(int location, const int v[2])
{
    cache.set(getNativeHandle(), location, ints(uniformIVec2, v, 2), false);
}

void CachedShader::setUniform3i(int location, const int v[3])
{
    cache.set(getNativeHandle(), location, ints(uniformIVec3, v, 3), false);
}

void CachedShader::setUniform4i(int location, const int v[4])
{
    cache.set(getNativeHandle(), location, ints(uniformIVec4, v, 4), false);
}

void CachedShader::setUniformMat3(int location, const float m[9])
{
    cache.set(getNativeHandle(), location, floats(uniformMat3, m, 9), false);
}

void CachedShader::setUniformMat4(int location, const float m[16])
{
    cache.set(getNativeHandle(), location, floats(uniformMat4, m, 16), false);
}

void CachedShader::setUniformTexture(int location, const sf::Texture& texture)
{
    UniformValue v;
    v.tag = uniformTexture;
    v.value.texture = &texture;
    if (location < 0 || cache.holds(location, v))
        return;
    const std::string name = getUniformName(location);
    if (name.empty())
        return;
    setUniform(name, texture);
    cache.store(location, v);
}

void CachedShader::setUniformCurrentTexture(int location)
{
    UniformValue v;
    v.tag = uniformCurrentTexture;
    if (location < 0 || cache.holds(location, v))
        return;
    const std::string name = getUniformName(location);
    if (name.empty())
        return;
    setUniform(name, sf::Shader::CurrentTexture);
    cache.store(location, v);
}

void CachedShader::setValue(int location, const UniformValue& value)
{
    switch (value.tag) {
    case uniformTexture:
        if (value.value.texture)
            setUniformTexture(location, *value.value.texture);
        break;
    case uniformCurrentTexture:
        setUniformCurrentTexture(location);
        break;
    default:
        cache.set(getNativeHandle(), location, value, false);
        break;
    }
}

} // namespace kv
