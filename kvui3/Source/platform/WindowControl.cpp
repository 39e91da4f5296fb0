#include "platform/WindowControl.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace kv {

namespace {

bool windowManagerRuns(Display* display, int screen)
{
    // A running window manager owns the WM_Sn selection of its screen.
    char selection[32];
    std::snprintf(selection, sizeof selection, "WM_S%d", screen);
    return XGetSelectionOwner(display, XInternAtom(display, selection, False)) != None;
}

bool xErrorSeen = false;

int recordXError(Display*, XErrorEvent*)
{
    xErrorSeen = true;
    return 0;
}

} // namespace

bool minimiseWindow(unsigned long x11WindowHandle)
{
    if (x11WindowHandle == 0)
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int screen = DefaultScreen(display);
    bool sent = windowManagerRuns(display, screen) &&
                XIconifyWindow(display, static_cast<Window>(x11WindowHandle), screen) != 0;
    XFlush(display);
    XCloseDisplay(display);
    return sent;
}

bool windowIsMinimised(unsigned long x11WindowHandle)
{
    if (x11WindowHandle == 0)
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    bool iconic = false;
    if (windowManagerRuns(display, DefaultScreen(display))) {
        // A stale handle must not end the program through Xlib's default error handler.
        xErrorSeen = false;
        XErrorHandler previous = XSetErrorHandler(recordXError);
        Atom wmState = XInternAtom(display, "WM_STATE", False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        int status = XGetWindowProperty(display, static_cast<Window>(x11WindowHandle), wmState, 0, 2,
                                        False, wmState, &type, &format, &count, &after, &data);
        XSync(display, False);
        XSetErrorHandler(previous);
        if (status == Success && !xErrorSeen && data && format == 32 && count >= 1)
            iconic = reinterpret_cast<long*>(data)[0] == IconicState;
        if (data)
            XFree(data);
    }
    XCloseDisplay(display);
    return iconic;
}

} // namespace kv
