#version 120
// Passes the texture coordinates (through the texture matrix, which normalises them and flips
// render textures), the raw pixel coordinates and the position in the target's pixels.
varying vec2 texelPos;
varying vec2 targetPos;
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    texelPos = gl_MultiTexCoord0.xy;
    targetPos = (gl_ModelViewMatrix * gl_Vertex).xy;
}
