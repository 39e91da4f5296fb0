#pragma once
// Setting a game program's uniforms by their table entry (graphics/ShaderUniforms.h); a name
// the program does not have is skipped.
#include "graphics/CachedShader.h"
#include "graphics/ShaderUniforms.h"

#include <SFML/Graphics/Color.hpp>

namespace tvl::shaderParams {

inline void set(kv::CachedShader& shader, const kv::UniformInfo& uniform, float value)
{
    shader.setUniform1f(shader.getUniformLocation(uniform.name), value);
}
inline void set(kv::CachedShader& shader, const kv::UniformInfo& uniform, const sf::Vector2f& value)
{
    shader.setUniform2f(shader.getUniformLocation(uniform.name), value);
}
inline void set(kv::CachedShader& shader, const kv::UniformInfo& uniform, int value)
{
    shader.setUniform1i(shader.getUniformLocation(uniform.name), value);
}
// A colour as four floats, byte / 255.
inline void set(kv::CachedShader& shader, const kv::UniformInfo& uniform, const sf::Color& colour)
{
    const float v[4] = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f};
    shader.setUniform4f(shader.getUniformLocation(uniform.name), v);
}
inline void set(kv::CachedShader& shader, const kv::UniformInfo& uniform, const sf::Texture& texture)
{
    shader.setUniformTexture(shader.getUniformLocation(uniform.name), texture);
}
inline void setCurrentTexture(kv::CachedShader& shader, const kv::UniformInfo& uniform)
{
    shader.setUniformCurrentTexture(shader.getUniformLocation(uniform.name));
}

} // namespace tvl::shaderParams
