#version 120
// Button and menu icons. On a dark theme the grey strokes are inverted so they stay visible;
// a disabled icon is drawn grey and faint.
#include "Colour.glsl"

uniform sampler2D texture;
uniform int darkTheme;
uniform int enabled;

void main()
{
    vec4 c = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    if (darkTheme != 0 && saturation(c.rgb) < 0.1)
        c.rgb = vec3(1.0 - luminance(c.rgb));
    if (enabled == 0)
        c = vec4(vec3(luminance(c.rgb)), c.a * 0.4);
    gl_FragColor = c;
}
