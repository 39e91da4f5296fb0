#version 120
// Repaints the light, grey parts of a sprite (every channel at least minMatchColour) in the
// team's colour, keeping their shading.
#include "Colour.glsl"

uniform sampler2D texture;
uniform vec4 teamColour;
uniform vec4 minMatchColour;

void main()
{
    vec4 c = texture2D(texture, gl_TexCoord[0].xy);
    if (all(greaterThanEqual(c, minMatchColour)) && saturation(c.rgb) < 0.1)
        c.rgb = teamColour.rgb * min(luminance(c.rgb) * 1.25, 1.0);
    gl_FragColor = c * gl_Color;
}
