#version 120
// Writes the light level wherever the replayed layer has coverage, so what stands above a
// group of lights covers the light that falls below it.
uniform sampler2D texture;
uniform float lightLevel;

void main()
{
    float alpha = texture2D(texture, gl_TexCoord[0].xy).a;
    gl_FragColor = vec4(vec3(lightLevel), alpha * gl_Color.a);
}
