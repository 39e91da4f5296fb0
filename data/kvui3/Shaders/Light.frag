#version 120
// Lights, drawn additively into the light layers: each pixel's place in its light's own frame
// (scaled by the light's half size, so the quad's edge is 1) gives the light's intensity there.
uniform int lightType;
uniform float lightEmission;
uniform float lightAlpha; // the share of the light's alpha this draw gives
varying vec2 local;

void main()
{
    float r = length(local);
    float intensity;
    if (lightType == 1) {
        // Beam: brightest along its axis, fading towards both ends and the sides.
        intensity = (1.0 - smoothstep(0.0, 1.0, abs(local.x))) * (1.0 - smoothstep(0.2, 1.0, abs(local.y)));
    } else {
        float falloff = max(1.0 - r, 0.0);
        intensity = falloff * falloff;
    }
    vec3 colour = mix(gl_Color.rgb, vec3(1.0), clamp(lightEmission, 0.0, 1.0) * intensity);
    gl_FragColor = vec4(colour, gl_Color.a * lightAlpha * intensity);
}
