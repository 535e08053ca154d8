// The window under X11: the title in UTF-8, the display probed before the dialogue, keys typed into
// the window while the console waited taken out of Xlib's queue, and the window's end watched for.
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "render/window_system.h"

namespace {

// Another program may destroy the window (xdotool windowclose, say). GLUT ignores the
// DestroyNotify that says so, and the next frame drawn into the window fails with an X error. A
// connection of the program's own watches an invisible child of the window: destroying the window
// destroys the child, and that is the only event the child ever brings, so the connection's
// descriptor turns readable exactly when the window is gone, also while GLUT is not running.
Display* Watcher = nullptr;
Window Watched = 0;

using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);
WireToEvent UsualWireToEvent = nullptr;
XErrorHandler UsualErrorHandler = nullptr;

// Once the program ends, or a window manager's close reaches GLUT, GLUT destroys the window
// itself: that is no news.
bool Ending = false;

void stopWatching() {
    stopWatchingWindow();
}

bool Gone = false;

void leaveWithoutWindow(int) {
    std::exit(0);
}

// Xlib holds the display while it converts events and reports errors, and GLUT's exit handler
// needs it: the program ends as soon as GLUT has control again.
void endSoon() {
    if (!Gone && !Ending) {
        Gone = true;
        glutTimerFunc(0, leaveWithoutWindow, 0);
    }
}

// GLUT reads the window's DestroyNotify from the wire: that is where it is seen.
Bool noticeDestroy(Display* display, XEvent* event, xEvent* wire) {
    const Bool converted = UsualWireToEvent(display, event, wire);
    if (event->type == DestroyNotify && event->xdestroywindow.window == Watched) {
        endSoon();
    }
    return converted;
}

// A frame drawn into a window destroyed a moment ago fails, and so does GLUT's destroying it again
// as the program ends: the window's end is no error.
int noticeErrorOfEndedWindow(Display* display, XErrorEvent* error) {
    if (Gone || windowEnded()) {
        endSoon();
        return 0;
    }
    return UsualErrorHandler != nullptr ? UsualErrorHandler(display, error) : 0;
}

} // namespace

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

void prepareForGlut() {}

void watchWindow() {
    Display* display = glXGetCurrentDisplay();
    Watched = glXGetCurrentDrawable();
    if (display == nullptr || Watched == 0) {
        return;
    }
    Watcher = XOpenDisplay(DisplayString(display));
    if (Watcher != nullptr) {
        const Window child = XCreateWindow(Watcher, Watched, 0, 0, 1, 1, 0, CopyFromParent,
                                           InputOnly, CopyFromParent, 0, nullptr);
        XSelectInput(Watcher, child, StructureNotifyMask);
        XSync(Watcher, False);
    }
    glutCloseFunc(stopWatchingWindow);
    UsualWireToEvent = XESetWireToEvent(display, DestroyNotify, noticeDestroy);
    UsualErrorHandler = XSetErrorHandler(noticeErrorOfEndedWindow);
    // Exit handlers run last registered first: this one before GLUT's, which destroys the window.
    std::atexit(stopWatching);
}

void stopWatchingWindow() {
    Ending = true;
}

int windowEndDescriptor() {
    return Watcher != nullptr ? ConnectionNumber(Watcher) : -1;
}

// A round trip brings every event that the end of the window caused before it.
bool windowEnded() {
    if (Watcher == nullptr) {
        return false;
    }
    XSync(Watcher, False);
    return XPending(Watcher) > 0;
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
