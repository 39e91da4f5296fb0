#pragma once
namespace kv {
void minimiseWindow(unsigned long x11WindowHandle);
bool windowIsMinimised(unsigned long x11WindowHandle);
}
