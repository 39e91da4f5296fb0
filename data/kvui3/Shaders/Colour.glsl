// Colour helpers shared by the framework's fragment programs (no #version: included only).
float luminance(vec3 c)
{
    return dot(c, vec3(0.299, 0.587, 0.114));
}

float saturation(vec3 c)
{
    return max(c.r, max(c.g, c.b)) - min(c.r, min(c.g, c.b));
}
