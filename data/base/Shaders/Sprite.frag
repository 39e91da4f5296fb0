#version 120
// World sprites: team colour where the mask is white, worn paint, and a glint that keeps its
// direction in the world while the sprite turns.
#include "World.glsl"

uniform sampler2D texture;
uniform vec4 sideColour;     // 0..1
uniform int sideColourSwap;  // 1: masked parts take sideColour
uniform vec2 textureSize;    // pixels
uniform vec2 imageSize;      // the image's rectangle in its texture, pixels
uniform vec2 imagePos;
uniform int hasMaskTexture;
uniform sampler2D maskTexture; // laid out like texture: white = team colour, alpha = coverage
uniform vec2 screenSize;
uniform float renderScale;
uniform vec2 mapScroll;
uniform float time;
uniform int grimeEnabled;
uniform int shineEnabled;
uniform float angle;         // degrees
uniform int objectID;

varying vec2 texelPos;
varying vec2 targetPos;

void main()
{
    vec4 base = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    vec3 colour = base.rgb;
    vec2 local = (texelPos - imagePos) / max(imageSize, vec2(1.0));
    float id = float(objectID);

    if (sideColourSwap != 0 && hasMaskTexture != 0) {
        vec4 mask = texture2D(maskTexture, texelPos / max(textureSize, vec2(1.0)));
        float amount = mask.a * luminance(mask.rgb);
        vec3 team = sideColour.rgb * (0.3 + 0.95 * luminance(base.rgb));
        colour = mix(colour, clamp(team, 0.0, 1.0), amount);
    }
    if (grimeEnabled != 0) {
        vec2 world = mapScroll + targetPos / renderScale;
        float dirt = layeredNoise(local * 7.0 + vec2(id * 3.17, id * 1.91)) * 0.7 + valueNoise(world / 60.0) * 0.3;
        colour *= 1.0 - 0.18 * smoothstep(0.5, 0.85, dirt);
    }
    if (shineEnabled != 0) {
        float a = radians(angle);
        vec2 d = local - 0.5;
        vec2 inWorld = vec2(d.x * cos(a) - d.y * sin(a), d.x * sin(a) + d.y * cos(a));
        vec2 screen = targetPos / screenSize;
        float sweep = glint(dot(inWorld, vec2(0.7, 0.7)) * 6.0 + time * 1.5 + id * 1.7 + screen.x * 2.0, 16.0);
        colour += vec3(0.22 * sweep);
    }
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), base.a);
}
