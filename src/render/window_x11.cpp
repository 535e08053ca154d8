// The window under X11: the title in UTF-8, the display probed before the dialogue, and keys
// typed into the window while the console waited taken out of Xlib's queue.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <initializer_list>

#include "render/render.h"
#include "render/window_system.h"

// GLUT hands X11 the title as a Latin-1 WM_NAME, which shows UTF-8 as mojibake. The EWMH names
// (and WM_NAME itself) are set again as UTF8_STRING so that window managers and tools show the
// Japanese characters.
void nameWindow(const char* title) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(title);
    const int length = static_cast<int>(std::strlen(title));
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME", "WM_NAME", "WM_ICON_NAME"}) {
        XChangeProperty(display, window, XInternAtom(display, name, False), utf8, 8,
                        PropModeReplace, bytes, length);
    }
    XFlush(display);
}

bool displayAvailable(int argc, char** argv) {
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) {
            name = argv[i + 1];
        }
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

// Keys typed into the window while the console waited are in Xlib's queue or on their way from
// the server; one round trip brings them all in, and they leave the queue unseen by GLUT.
void discardKeysPressedMeanwhile() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;
    }
    XSync(display, False);
    XEvent event;
    while (XCheckTypedEvent(display, KeyPress, &event) ||
           XCheckTypedEvent(display, KeyRelease, &event)) {
    }
}
