// Helpers shared by the game's fragment programs (no #version: included only).

// A repeatable pseudo-random value in 0..1 for a lattice point.
float hash12(vec2 p)
{
    return fract(sin(dot(p, vec2(127.1, 311.7))) * 43758.5453);
}

// Smooth value noise in 0..1, one lattice cell per unit.
float valueNoise(vec2 p)
{
    vec2 cell = floor(p);
    vec2 f = fract(p);
    vec2 w = f * f * (3.0 - 2.0 * f);
    float a = hash12(cell);
    float b = hash12(cell + vec2(1.0, 0.0));
    float c = hash12(cell + vec2(0.0, 1.0));
    float d = hash12(cell + vec2(1.0, 1.0));
    return mix(mix(a, b, w.x), mix(c, d, w.x), w.y);
}

// Three octaves of valueNoise, 0..1.
float layeredNoise(vec2 p)
{
    return valueNoise(p) * 0.57 + valueNoise(p * 2.03 + 17.0) * 0.29 + valueNoise(p * 4.01 + 41.0) * 0.14;
}

float luminance(vec3 c)
{
    return dot(c, vec3(0.299, 0.587, 0.114));
}

// A narrow moving highlight, 0..1: bright where the travelling wave crests.
float glint(float phase, float sharpness)
{
    return pow(max(0.0, sin(phase)), sharpness);
}
