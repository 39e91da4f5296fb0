#version 120
// Water (type 1) and acid (type 3) under the ground: the texture ripples and drifts, acid
// bubbles and glows, and light glints travel across the surface.
#include "World.glsl"

uniform sampler2D texture;
uniform vec2 mapScroll;    // scroll x screenScale
uniform vec2 screenSize;   // the view, pixels
uniform vec2 screenScale;  // target pixels per world pixel
uniform vec2 screenOffset; // scroll - the world pixel at the target's (0, 0)
uniform int shineEnabled;
uniform float time;
uniform int type;

varying vec2 texelPos;
varying vec2 targetPos;

void main()
{
    vec2 scroll = mapScroll / screenScale;
    vec2 world = scroll - screenOffset + targetPos / screenScale;
    vec2 screen = (world - scroll) * screenScale / screenSize;
    bool acid = type == 3;
    float speed = acid ? 0.45 : 1.0;

    vec2 uv = gl_TexCoord[0].xy;
    vec2 ripple = vec2(sin(world.y * 0.045 + time * 1.7 * speed), cos(world.x * 0.05 + time * 1.3 * speed));
    uv += ripple * 0.006 + vec2(time * 0.012, time * 0.007) * speed;
    vec4 colour = texture2D(texture, uv) * gl_Color;

    if (acid) {
        float bubbles = valueNoise(world * 0.12 + vec2(0.0, time * 0.9));
        colour.rgb *= 0.8 + 0.45 * smoothstep(0.55, 0.95, bubbles);
        colour.rgb += vec3(0.05, 0.12, 0.0) * (0.5 + 0.5 * sin(time * 2.3 + world.x * 0.02));
    } else {
        colour.rgb *= 0.9 + 0.15 * valueNoise(world * 0.03 + time * 0.2);
    }
    if (shineEnabled != 0) {
        float sparkle = glint(dot(world, vec2(0.07, 0.05)) + time * 2.0, 12.0) *
                        glint(world.x * 0.013 - time * 0.7 + screen.y * 3.0, 2.0);
        colour.rgb += vec3(sparkle * 0.35);
    }
    gl_FragColor = vec4(clamp(colour.rgb, 0.0, 1.0), colour.a);
}
