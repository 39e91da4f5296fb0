#version 120
// Passes the sprite's texture coordinates (through the texture matrix, which also flips
// render textures) and colour on to the fragment stage.
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
}
