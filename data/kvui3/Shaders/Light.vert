#version 120
// The light's quad is drawn without a transform, so gl_Vertex is already in the target's
// coordinates, the space of lightPos; the fragment stage shapes the light from it (gl_FragCoord
// would be off whenever the view and the target's pixels differ).
varying vec2 targetPosition;

void main()
{
    targetPosition = gl_Vertex.xy;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_FrontColor = gl_Color;
}
