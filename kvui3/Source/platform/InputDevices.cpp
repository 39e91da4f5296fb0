#include "platform/InputDevices.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace kv {

namespace {

// X key symbols in SFML's key order.
constexpr KeySym keySymbols[inputKeyCount] = {
    XK_a, XK_b, XK_c, XK_d, XK_e, XK_f, XK_g, XK_h, XK_i, XK_j, XK_k, XK_l, XK_m, XK_n, XK_o,
    XK_p, XK_q, XK_r, XK_s, XK_t, XK_u, XK_v, XK_w, XK_x, XK_y, XK_z,
    XK_0, XK_1, XK_2, XK_3, XK_4, XK_5, XK_6, XK_7, XK_8, XK_9,
    XK_Escape, XK_Control_L, XK_Shift_L, XK_Alt_L, XK_Super_L, XK_Control_R, XK_Shift_R,
    XK_Alt_R, XK_Super_R, XK_Menu, XK_bracketleft, XK_bracketright, XK_semicolon, XK_comma,
    XK_period, XK_apostrophe, XK_slash, XK_backslash, XK_grave, XK_equal, XK_minus, XK_space,
    XK_Return, XK_BackSpace, XK_Tab, XK_Prior, XK_Next, XK_End, XK_Home, XK_Insert, XK_Delete,
    XK_KP_Add, XK_KP_Subtract, XK_KP_Multiply, XK_KP_Divide, XK_Left, XK_Right, XK_Up, XK_Down,
    XK_KP_Insert, XK_KP_End, XK_KP_Down, XK_KP_Next, XK_KP_Left, XK_KP_Begin, XK_KP_Right,
    XK_KP_Home, XK_KP_Up, XK_KP_Prior,
    XK_F1, XK_F2, XK_F3, XK_F4, XK_F5, XK_F6, XK_F7, XK_F8, XK_F9, XK_F10, XK_F11, XK_F12,
    XK_F13, XK_F14, XK_F15, XK_Pause};

struct Connection {
    Display* display = nullptr;
    KeyCode keyCodes[inputKeyCount] = {};
    bool tried = false;
};

Connection& connection()
{
    static Connection c;
    if (!c.tried) {
        c.tried = true;
        c.display = XOpenDisplay(nullptr);
        if (c.display)
            for (int i = 0; i < inputKeyCount; i++)
                c.keyCodes[i] = XKeysymToKeycode(c.display, keySymbols[i]);
    }
    return c;
}

} // namespace

bool queryInputDevices(unsigned long x11WindowHandle, InputDeviceState& out)
{
    out = InputDeviceState();
    Connection& c = connection();
    if (!c.display || x11WindowHandle == 0)
        return false;
    char keymap[32];
    XQueryKeymap(c.display, keymap);
    for (int i = 0; i < inputKeyCount; i++) {
        const KeyCode code = c.keyCodes[i];
        if (code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0)
            out.keys.set(static_cast<size_t>(i));
    }
    Window root, child;
    int rootX, rootY, winX, winY;
    unsigned mask = 0;
    if (XQueryPointer(c.display, static_cast<Window>(x11WindowHandle), &root, &child, &rootX, &rootY,
                      &winX, &winY, &mask)) {
        out.x = winX;
        out.y = winY;
    }
    out.buttons = static_cast<uint8_t>(((mask & Button1Mask) ? 1 : 0) | ((mask & Button3Mask) ? 2 : 0)
                                       | ((mask & Button2Mask) ? 4 : 0));
    return true;
}

} // namespace kv
