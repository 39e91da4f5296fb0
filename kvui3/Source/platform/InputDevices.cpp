#include "platform/InputDevices.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace kv {

namespace {

// X key symbols in SFML's key order.
constexpr uint32_t keySymbols[inputKeyCount] = {
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
    xcb_connection_t* xcb = nullptr;
    uint8_t keyCodes[inputKeyCount] = {}; // 0: the keyboard has no such key
};

// Each key symbol's key code, as Xlib maps it.
void mapKeyCodes(Connection& c)
{
    const xcb_setup_t* setup = xcb_get_setup(c.xcb);
    const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        c.xcb, xcb_get_keyboard_mapping(c.xcb, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    if (!mapping)
        return;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
    const int total = xcb_get_keyboard_mapping_keysyms_length(mapping);
    for (int key = 0; key < inputKeyCount; key++)
        c.keyCodes[key] = firstKeyCode(symbols, total, mapping->keysyms_per_keycode, first, keySymbols[key]);
    std::free(mapping);
}

Connection* connection()
{
    static Connection c;
    static bool tried = false;
    if (!tried) {
        tried = true;
        c.xcb = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c.xcb)) {
            xcb_disconnect(c.xcb);
            c.xcb = nullptr;
        } else {
            mapKeyCodes(c);
        }
    }
    return c.xcb ? &c : nullptr;
}

} // namespace

uint8_t firstKeyCode(const uint32_t* symbols, int total, int perCode, int firstCode, uint32_t keySymbol)
{
    if (perCode <= 0)
        return 0;
    // Column by column: a symbol a key only reaches with a modifier loses to a key that has it
    // unshifted, whatever their order.
    for (int column = 0; column < perCode; column++)
        for (int i = column; i < total; i += perCode)
            if (symbols[i] == keySymbol)
                return static_cast<uint8_t>(firstCode + i / perCode);
    return 0;
}

bool queryInputDevices(unsigned long x11WindowHandle, InputDeviceState& out)
{
    out = InputDeviceState();
    Connection* c = connection();
    if (!c || x11WindowHandle == 0)
        return false;
    const xcb_window_t window = static_cast<xcb_window_t>(x11WindowHandle);
    // All three requests are sent before the first answer is awaited.
    const xcb_get_input_focus_cookie_t focusCookie = xcb_get_input_focus(c->xcb);
    const xcb_query_keymap_cookie_t keymapCookie = xcb_query_keymap(c->xcb);
    const xcb_query_pointer_cookie_t pointerCookie = xcb_query_pointer(c->xcb, window);
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(c->xcb, focusCookie, nullptr);
    xcb_query_keymap_reply_t* keymap = xcb_query_keymap_reply(c->xcb, keymapCookie, nullptr);
    xcb_query_pointer_reply_t* pointer = xcb_query_pointer_reply(c->xcb, pointerCookie, nullptr);
    const bool answered = focus && keymap && pointer;
    if (answered) {
        out.focus = focus->focus == window;
        for (int key = 0; key < inputKeyCount; key++) {
            const uint8_t code = c->keyCodes[key];
            if (code != 0 && (keymap->keys[code / 8] & (1 << (code % 8))) != 0)
                out.keys.set(static_cast<size_t>(key));
        }
        if (pointer->same_screen) {
            out.x = pointer->win_x;
            out.y = pointer->win_y;
        }
        const uint16_t mask = pointer->mask;
        out.buttons = static_cast<uint8_t>(((mask & XCB_BUTTON_MASK_1) ? 1 : 0) | ((mask & XCB_BUTTON_MASK_3) ? 2 : 0)
                                           | ((mask & XCB_BUTTON_MASK_2) ? 4 : 0));
    }
    std::free(focus);
    std::free(keymap);
    std::free(pointer);
    return answered;
}

} // namespace kv
