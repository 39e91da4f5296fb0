#version 120
// A light's quad arrives in the target's coordinates with the light's colour, and its texture
// coordinates give each corner's place in the light's own frame (the quad's edge at 1); the
// fragment stage shapes the light from that.
varying vec2 local;

void main()
{
    local = gl_MultiTexCoord0.xy;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_FrontColor = gl_Color;
}
