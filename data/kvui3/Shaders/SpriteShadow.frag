#version 120
// The sprite's silhouette as a soft black shadow.
uniform sampler2D texture;

void main()
{
    float alpha = texture2D(texture, gl_TexCoord[0].xy).a;
    gl_FragColor = vec4(0.0, 0.0, 0.0, alpha * gl_Color.a * 0.5);
}
