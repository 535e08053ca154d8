// The window under X11: the title in UTF-8, the display asked for once, keys typed into the window
// while the console waited taken out of Xlib's queue, and the window's end watched for, also
// while the console waits.
// The standard headers come first: Xlibint.h defines min and max as macros.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include "render/window_system.h"

namespace {

// A server refused the display's first connection for a moment: this long later it is asked again.
constexpr useconds_t RetryDelay = 200000; // microseconds

// The program's own connection: opened to ask whether the display is there, kept to watch the
// window. Another program may destroy the window (xdotool windowclose, say); GLUT ignores the
// DestroyNotify that says so, and the next frame drawn into the window fails with an X error. The
// connection watches an invisible child of the window: destroying the window destroys the child,
// and that is the only event the child ever brings.
Display* Own = nullptr;
Window Watched = 0;
Atom DeleteWindow = None;

using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);
WireToEvent UsualWireToEvent = nullptr;
XErrorHandler UsualErrorHandler = nullptr;

// Once the program ends, or a window manager's close reaches GLUT, GLUT destroys the window
// itself: that is no news.
bool Ending = false;
bool Gone = false;
bool Lost = false;

void stopWatching() {
    stopWatchingWindow();
}

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

// The connection broke: the program ends with status 0, as with any end of its window, and what
// its exit handlers do on the broken connection (GLUT's closing it) ends there, unsaid.
int noticeLostDisplay(Display*) {
    if (Lost || Ending) {
        _exit(0);
    }
    Lost = true;
    std::exit(0);
}

// ---------------------------------------------------------------------------------------------
// While the console waits

// Written when the window ends while the console waits; the console's read watches the other end.
// The watch is a thread of its own, which the program may end while it runs: a pthread, which has
// nothing to destroy at the end.
int EndPipe[2] = {-1, -1};
int StopPipe[2] = {-1, -1};
pthread_t Watch;
bool Watching = false;

Bool isCloseRequest(Display*, XEvent* event, XPointer) {
    return event->type == ClientMessage && event->xclient.window == Watched &&
           static_cast<Atom>(event->xclient.data.l[0]) == DeleteWindow;
}

// The main thread is in the console's read and touches no connection until the watch is joined,
// so Xlib serves one thread at a time. A window manager's close is taken out of GLUT's queue; any
// other event stays there for GLUT.
void* watchWhileConsoleWaits(void* glutDisplay) {
    Display* display = static_cast<Display*>(glutDisplay);
    struct pollfd watched[3] = {{ConnectionNumber(display), POLLIN, 0},
                                {ConnectionNumber(Own), POLLIN, 0},
                                {StopPipe[0], POLLIN, 0}};
    for (;;) {
        if (poll(watched, 3, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return nullptr;
        }
        if (watched[2].revents != 0) {
            return nullptr;
        }
        XEvent event;
        if ((watched[0].revents != 0 && XCheckIfEvent(display, &event, isCloseRequest, nullptr)) ||
            (watched[1].revents != 0 && windowEnded())) {
            break;
        }
    }
    const char ended = 1;
    while (write(EndPipe[1], &ended, 1) < 0 && errno == EINTR) {
    }
    return nullptr;
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
    if (Own == nullptr) {
        Own = XOpenDisplay(DisplayString(display));
    }
    if (Own != nullptr) {
        const Window child = XCreateWindow(Own, Watched, 0, 0, 1, 1, 0, CopyFromParent, InputOnly,
                                           CopyFromParent, 0, nullptr);
        XSelectInput(Own, child, StructureNotifyMask);
        XSync(Own, False);
    }
    DeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (pipe(EndPipe) != 0 || pipe(StopPipe) != 0) {
        EndPipe[0] = -1;
    }
    glutCloseFunc(stopWatchingWindow);
    UsualWireToEvent = XESetWireToEvent(display, DestroyNotify, noticeDestroy);
    UsualErrorHandler = XSetErrorHandler(noticeErrorOfEndedWindow);
    XSetIOErrorHandler(noticeLostDisplay);
    // Exit handlers run last registered first: this one before GLUT's, which destroys the window.
    std::atexit(stopWatching);
}

void stopWatchingWindow() {
    Ending = true;
}

// A round trip brings every event that the end of the window caused before it.
bool windowEnded() {
    if (Own == nullptr) {
        return false;
    }
    XSync(Own, False);
    return XPending(Own) > 0;
}

void consoleWaits(bool waiting) {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || Own == nullptr || EndPipe[0] < 0) {
        return;
    }
    if (waiting) {
        Watching = pthread_create(&Watch, nullptr, watchWhileConsoleWaits, display) == 0;
        return;
    }
    if (!Watching) {
        return;
    }
    Watching = false;
    const char stop = 1;
    while (write(StopPipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    pthread_join(Watch, nullptr);
    char drained = 0;
    while (read(StopPipe[0], &drained, 1) < 0 && errno == EINTR) {
    }
    // Keys typed into the window meanwhile are in Xlib's queue or on their way from the server;
    // one round trip brings them all in, and they leave the queue unseen by GLUT.
    XSync(display, False);
    XEvent event;
    while (XCheckTypedEvent(display, KeyPress, &event) ||
           XCheckTypedEvent(display, KeyRelease, &event)) {
    }
}

int windowEndDescriptor() {
    return EndPipe[0];
}

bool displayLost() {
    return Lost;
}

bool displayAvailable(int argc, char** argv) {
    if (Own != nullptr) {
        return true;
    }
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) {
            name = argv[i + 1];
        }
    }
    Own = XOpenDisplay(name);
    if (Own == nullptr) {
        usleep(RetryDelay);
        Own = XOpenDisplay(name);
    }
    return Own != nullptr;
}
