#version 120
// The cached ground: grime varies it across the map, shiny materials catch a travelling glint.
// The ground's alpha is kept, so water, acid and conveyors show through where it is clear.
#include "World.glsl"

uniform sampler2D texture;
uniform sampler2D shineMap;  // red = shine 0..1, laid out like texture
uniform vec2 textureSize;    // the cache, pixels
uniform vec2 mapScroll;      // scroll x screenScale
uniform vec2 screenSize;     // the view, pixels
uniform vec2 screenScale;    // target pixels per world pixel
uniform vec2 worldSize;      // the map, world pixels
uniform int shineEnabled;
uniform int grimeEnabled;
uniform float time;
uniform vec2 screenOffset;   // scroll - the cache's world origin

varying vec2 texelPos; // cache pixels (world pixels from the cache's origin)

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec4 ground = texture2D(texture, uv) * gl_Color;
    vec2 scroll = mapScroll / screenScale;
    vec2 cachePixel = clamp(texelPos, vec2(0.0), textureSize);
    vec2 world = scroll - screenOffset + cachePixel;
    vec3 colour = ground.rgb;

    if (grimeEnabled != 0) {
        vec2 across = world / max(worldSize, vec2(1.0));
        float wear = 0.5 + 0.5 * sin(across.x * 9.0 + 1.3) * cos(across.y * 7.0 + 0.4);
        float dirt = layeredNoise(world / 40.0);
        colour *= 1.0 - 0.22 * smoothstep(0.45, 0.9, dirt) * (0.5 + 0.5 * wear);
    }
    if (shineEnabled != 0) {
        float shine = texture2D(shineMap, uv).r;
        vec2 screen = (world - scroll) * screenScale / screenSize;
        float sweep = glint((screen.x + screen.y) * 3.0 - time * 0.8, 6.0);
        float sparkle = glint(dot(world, vec2(0.31, 0.17)) + time * 3.0, 24.0) *
                        smoothstep(0.55, 0.85, valueNoise(world / 7.0 + time * 0.3));
        colour += shine * (0.18 * sweep + 0.25 * sparkle);
    }
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), ground.a);
}
