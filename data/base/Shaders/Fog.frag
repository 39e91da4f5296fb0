#version 120
// Fog over the world: banks of layered noise that drift with the wind, thicker towards the
// view's edges, tinted by the map's light.
#include "World.glsl"

uniform vec2 screenSize;   // the world texture, pixels
uniform float renderScale; // texture pixels per world pixel
uniform vec2 mapScroll;    // the world pixel at the top-left
uniform float lightLevel;  // 0..1
uniform vec4 lightColour;  // 0..1
uniform vec4 fogColour;    // 0..1
uniform float fogDensity;  // 0..1
uniform vec2 windVector;   // tiles per second
uniform float time;

varying vec2 targetPos;

void main()
{
    vec2 world = mapScroll + targetPos / renderScale;
    vec2 drift = windVector * 16.0 * time * 0.5;
    float banks = layeredNoise((world - drift) / 180.0);
    float wisps = valueNoise((world - drift * 1.6) / 45.0);
    float edge = clamp(length(targetPos / screenSize - 0.5) * 2.0, 0.0, 1.0);
    float alpha = clamp(fogDensity * (0.45 + 0.7 * banks + 0.2 * wisps + 0.3 * edge), 0.0, 1.0);
    vec3 light = mix(lightColour.rgb, vec3(1.0), 0.5) * (0.3 + 0.7 * clamp(lightLevel, 0.0, 1.0));
    gl_FragColor = vec4(fogColour.rgb * light, alpha * fogColour.a);
}
