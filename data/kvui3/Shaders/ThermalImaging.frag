#version 120
// Thermal view: brightness read as heat, from cold blue through red and yellow to white.
#include "Colour.glsl"

uniform sampler2D texture;
uniform int useThermalAlpha;

vec3 heat(float t)
{
    vec3 cold = vec3(0.0, 0.0, 0.25);
    vec3 cool = vec3(0.45, 0.0, 0.6);
    vec3 warm = vec3(0.95, 0.25, 0.0);
    vec3 hot = vec3(1.0, 0.9, 0.2);
    if (t < 0.33)
        return mix(cold, cool, t / 0.33);
    if (t < 0.66)
        return mix(cool, warm, (t - 0.33) / 0.33);
    if (t < 0.9)
        return mix(warm, hot, (t - 0.66) / 0.24);
    return mix(hot, vec3(1.0), (t - 0.9) / 0.1);
}

void main()
{
    vec4 c = texture2D(texture, gl_TexCoord[0].xy);
    float alpha = useThermalAlpha != 0 ? c.a : 1.0;
    gl_FragColor = vec4(heat(clamp(luminance(c.rgb), 0.0, 1.0)), alpha * gl_Color.a);
}
