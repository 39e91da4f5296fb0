#version 120
// One light's quad, drawn additively into the light layers. The pixel's offset from the light
// is turned into the light's own frame and scaled by its half size, so the quad's edge is 1.
uniform vec2 lightPos;
uniform float lightAngle;
uniform vec2 lightSize;
uniform int lightType;
uniform float lightEmission;
uniform vec4 lightColour;
varying vec2 targetPosition;

void main()
{
    vec2 offset = targetPosition - lightPos;
    float a = radians(lightAngle);
    float c = cos(a);
    float s = sin(a);
    vec2 local = vec2(c * offset.x + s * offset.y, c * offset.y - s * offset.x) / max(lightSize, vec2(0.001));
    float r = length(local);
    float intensity;
    if (lightType == 1) {
        // Beam: brightest along its axis, fading towards both ends and the sides.
        intensity = (1.0 - smoothstep(0.0, 1.0, abs(local.x))) * (1.0 - smoothstep(0.2, 1.0, abs(local.y)));
    } else {
        float falloff = max(1.0 - r, 0.0);
        intensity = falloff * falloff;
    }
    vec3 colour = mix(lightColour.rgb, vec3(1.0), clamp(lightEmission, 0.0, 1.0) * intensity);
    gl_FragColor = vec4(colour, lightColour.a * intensity);
}
