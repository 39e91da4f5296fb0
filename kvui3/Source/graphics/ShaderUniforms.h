#pragma once
// The interface of the framework's GLSL programs (data kvui3/Shaders/): each program's files and
// the uniforms it accepts, with their GLSL types. Draw code takes uniform names from here, and a
// display test compiles every program and checks its active uniforms against these lists, so a
// renamed or retyped uniform fails a test instead of silently drawing wrong.
#include <cstddef>
#include <cstdint>

namespace kv {

enum class UniformType : uint8_t { Float, Vec2, Vec3, Vec4, Int, Sampler2D };

struct UniformInfo {
    const char* name;
    UniformType type;
};

struct ProgramInfo {
    const char* name;         // for messages and tests
    const char* vertexFile;   // file names inside kvui3/Shaders/
    const char* fragmentFile;
    const UniformInfo* uniforms;
    size_t uniformCount;
};

namespace shaderUniforms {

// A sprite's silhouette as a translucent shadow; "texture" is the sprite's current texture.
namespace SpriteShadow {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo all[] = {texture};
} // namespace SpriteShadow

// Repaints the light, unsaturated parts of a sprite (all channels >= minMatchColour) in
// teamColour. Colours are four floats, byte / 255.
namespace TeamColour {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo teamColour{"teamColour", UniformType::Vec4};
inline constexpr UniformInfo minMatchColour{"minMatchColour", UniformType::Vec4};
inline constexpr UniformInfo all[] = {texture, teamColour, minMatchColour};
} // namespace TeamColour

// Maps brightness to a heat palette. useThermalAlpha 0 draws opaque, else keeps the source alpha.
namespace ThermalImaging {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo useThermalAlpha{"useThermalAlpha", UniformType::Int};
inline constexpr UniformInfo all[] = {texture, useThermalAlpha};
} // namespace ThermalImaging

// Button and menu icons: darkTheme (0/1) lightens grey strokes, enabled 0 greys the icon out.
namespace UiIcon {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo darkTheme{"darkTheme", UniformType::Int};
inline constexpr UniformInfo enabled{"enabled", UniformType::Int};
inline constexpr UniformInfo all[] = {texture, darkTheme, enabled};
} // namespace UiIcon

// Writes lightLevel (0..1 grey) wherever a replayed layer has coverage, so objects above a
// light group mask the lights below them.
namespace Lighting {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo lightLevel{"lightLevel", UniformType::Float};
inline constexpr UniformInfo all[] = {texture, lightLevel};
} // namespace Lighting

// One light's quad, drawn additively. Positions and sizes in target pixels (lightSize is the
// half extent), lightAngle in degrees, windowHeight the view height (to flip gl_FragCoord),
// lightType 0 round / 1 beam, lightEmission 0..1 whitens the core.
namespace Light {
inline constexpr UniformInfo windowHeight{"windowHeight", UniformType::Float};
inline constexpr UniformInfo lightPos{"lightPos", UniformType::Vec2};
inline constexpr UniformInfo lightAngle{"lightAngle", UniformType::Float};
inline constexpr UniformInfo lightSize{"lightSize", UniformType::Vec2};
inline constexpr UniformInfo lightType{"lightType", UniformType::Int};
inline constexpr UniformInfo lightEmission{"lightEmission", UniformType::Float};
inline constexpr UniformInfo lightColour{"lightColour", UniformType::Vec4};
inline constexpr UniformInfo all[] = {windowHeight, lightPos,      lightAngle, lightSize,
                                      lightType,    lightEmission, lightColour};
} // namespace Light

template <size_t N>
constexpr ProgramInfo program(const char* name, const char* vertexFile, const char* fragmentFile,
                              const UniformInfo (&uniforms)[N])
{
    return ProgramInfo{name, vertexFile, fragmentFile, uniforms, N};
}

// The framework's programs in registration order (the order of the ids in graphics/Shaders.h).
inline constexpr ProgramInfo frameworkPrograms[] = {
    program("SpriteShadow", "SpriteShadow.vert", "SpriteShadow.frag", SpriteShadow::all),
    program("TeamColour", "SpriteShadow.vert", "TeamColour.frag", TeamColour::all),
    program("ThermalImaging", "ThermalImaging.vert", "ThermalImaging.frag", ThermalImaging::all),
    program("uiIcon", "uiIcon.vert", "uiIcon.frag", UiIcon::all),
    program("Lighting", "Lighting.vert", "Lighting.frag", Lighting::all),
    program("Light", "Light.vert", "Light.frag", Light::all),
};

} // namespace shaderUniforms
} // namespace kv
