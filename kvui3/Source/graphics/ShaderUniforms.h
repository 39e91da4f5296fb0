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
    const char* vertexFile;   // file names inside kvui3/Shaders/ (base/Shaders/ for the game's)
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

// Lights, drawn additively: lightType 0 round / 1 beam, lightEmission 0..1 whitens the core.
// The program reads each light from its vertices: its colour, and as texture coordinates the
// place in the light's own frame (its edge at 1); lightAlpha is the share of the colour's alpha
// this draw gives. So one draw takes all the lights of a kind. A program without lightAlpha is
// given one light a draw instead: lightPos and lightSize (the half extent) in target
// coordinates, lightAngle in degrees, and lightColour with the share already in its alpha.
namespace Light {
inline constexpr UniformInfo lightPos{"lightPos", UniformType::Vec2};
inline constexpr UniformInfo lightAngle{"lightAngle", UniformType::Float};
inline constexpr UniformInfo lightSize{"lightSize", UniformType::Vec2};
inline constexpr UniformInfo lightType{"lightType", UniformType::Int};
inline constexpr UniformInfo lightEmission{"lightEmission", UniformType::Float};
inline constexpr UniformInfo lightColour{"lightColour", UniformType::Vec4};
inline constexpr UniformInfo lightAlpha{"lightAlpha", UniformType::Float};
inline constexpr UniformInfo all[] = {lightType, lightEmission, lightAlpha};
} // namespace Light

// --- The game's programs (files in base/Shaders/) ---
// Common terms: "mapScroll" is the world pixel at the target's top-left corner multiplied by
// "screenScale" (target pixels per world pixel), "screenOffset" the scroll minus the world pixel
// at the target's (0, 0), "screenSize" the target's size in pixels, "time" program seconds.
// The enable flags are 0 or 1.

// Water and acid under the ground tiles; type 1 water, 3 acid.
namespace Water {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo mapScroll{"mapScroll", UniformType::Vec2};
inline constexpr UniformInfo screenSize{"screenSize", UniformType::Vec2};
inline constexpr UniformInfo screenScale{"screenScale", UniformType::Vec2};
inline constexpr UniformInfo screenOffset{"screenOffset", UniformType::Vec2};
inline constexpr UniformInfo shineEnabled{"shineEnabled", UniformType::Int};
inline constexpr UniformInfo time{"time", UniformType::Float};
inline constexpr UniformInfo type{"type", UniformType::Int};
inline constexpr UniformInfo all[] = {texture, mapScroll, screenSize, screenScale, screenOffset, shineEnabled, time, type};
} // namespace Water

// The cached ground: "shineMap" red = shine 0..1 per pixel, "textureSize" the cache size,
// "worldSize" the map in world pixels. Keeps the ground's alpha (water shows through).
namespace Terrain {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo shineMap{"shineMap", UniformType::Sampler2D};
inline constexpr UniformInfo textureSize{"textureSize", UniformType::Vec2};
inline constexpr UniformInfo mapScroll{"mapScroll", UniformType::Vec2};
inline constexpr UniformInfo screenSize{"screenSize", UniformType::Vec2};
inline constexpr UniformInfo screenScale{"screenScale", UniformType::Vec2};
inline constexpr UniformInfo worldSize{"worldSize", UniformType::Vec2};
inline constexpr UniformInfo shineEnabled{"shineEnabled", UniformType::Int};
inline constexpr UniformInfo grimeEnabled{"grimeEnabled", UniformType::Int};
inline constexpr UniformInfo time{"time", UniformType::Float};
inline constexpr UniformInfo screenOffset{"screenOffset", UniformType::Vec2};
inline constexpr UniformInfo all[] = {texture,      shineMap,     textureSize, mapScroll, screenSize,  screenScale,
                                      worldSize,    shineEnabled, grimeEnabled, time,     screenOffset};
} // namespace Terrain

// World sprites: the parts white in "maskTexture" (when "hasMaskTexture") take "sideColour"
// when "sideColourSwap"; "imagePos"/"imageSize" place the image in its "textureSize" texture;
// "angle" in degrees, "objectID" varies the grime and shine per object.
namespace Sprite {
inline constexpr UniformInfo texture{"texture", UniformType::Sampler2D};
inline constexpr UniformInfo sideColour{"sideColour", UniformType::Vec4};
inline constexpr UniformInfo sideColourSwap{"sideColourSwap", UniformType::Int};
inline constexpr UniformInfo textureSize{"textureSize", UniformType::Vec2};
inline constexpr UniformInfo imageSize{"imageSize", UniformType::Vec2};
inline constexpr UniformInfo imagePos{"imagePos", UniformType::Vec2};
inline constexpr UniformInfo hasMaskTexture{"hasMaskTexture", UniformType::Int};
inline constexpr UniformInfo maskTexture{"maskTexture", UniformType::Sampler2D};
inline constexpr UniformInfo screenSize{"screenSize", UniformType::Vec2};
inline constexpr UniformInfo renderScale{"renderScale", UniformType::Float};
inline constexpr UniformInfo mapScroll{"mapScroll", UniformType::Vec2};
inline constexpr UniformInfo time{"time", UniformType::Float};
inline constexpr UniformInfo grimeEnabled{"grimeEnabled", UniformType::Int};
inline constexpr UniformInfo shineEnabled{"shineEnabled", UniformType::Int};
inline constexpr UniformInfo angle{"angle", UniformType::Float};
inline constexpr UniformInfo objectID{"objectID", UniformType::Int};
inline constexpr UniformInfo all[] = {texture,     sideColour, sideColourSwap, textureSize,  imageSize,    imagePos,
                                      hasMaskTexture, maskTexture, screenSize, renderScale, mapScroll, time,
                                      grimeEnabled, shineEnabled, angle,       objectID};
} // namespace Sprite

// Drifting fog over the world texture: "renderScale" texture pixels per world pixel,
// "mapScroll" the world pixel at the top-left (unscaled), colours byte / 255, "fogDensity"
// 0..1, "windVector" the wind in tiles per second.
namespace Fog {
inline constexpr UniformInfo screenSize{"screenSize", UniformType::Vec2};
inline constexpr UniformInfo renderScale{"renderScale", UniformType::Float};
inline constexpr UniformInfo mapScroll{"mapScroll", UniformType::Vec2};
inline constexpr UniformInfo lightLevel{"lightLevel", UniformType::Float};
inline constexpr UniformInfo lightColour{"lightColour", UniformType::Vec4};
inline constexpr UniformInfo fogColour{"fogColour", UniformType::Vec4};
inline constexpr UniformInfo fogDensity{"fogDensity", UniformType::Float};
inline constexpr UniformInfo windVector{"windVector", UniformType::Vec2};
inline constexpr UniformInfo time{"time", UniformType::Float};
inline constexpr UniformInfo all[] = {screenSize, renderScale, mapScroll,  lightLevel, lightColour,
                                      fogColour,  fogDensity,  windVector, time};
} // namespace Fog

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

// The game's programs in registration order (their files are in base/Shaders/).
inline constexpr ProgramInfo gamePrograms[] = {
    program("Water", "Water.vert", "Water.frag", Water::all),
    program("Terrain", "Terrain.vert", "Terrain.frag", Terrain::all),
    program("Sprite", "Sprite.vert", "Sprite.frag", Sprite::all),
    program("Fog", "Fog.vert", "Fog.frag", Fog::all),
};

} // namespace shaderUniforms
} // namespace kv
