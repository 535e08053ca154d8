#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "console/console.h"
#include "integration/integration.h"
#include "render/render.h"

namespace {

constexpr int WindowSize = 800; // pixels, both ways

// Kept in UTF-8 like every text of the program; the window system is told so.
const char* const WindowTitle =
    "n-DOF自由振動　キー=n:自由度, =m:マスばね, =j:初期条件 =c:描画曲線数　変更";

// GLUT hands X11 the title as a Latin-1 WM_NAME, which shows UTF-8 as mojibake. The EWMH names
// (and WM_NAME itself) are set again as UTF8_STRING so that window managers and tools show the
// Japanese characters.
void nameWindowInUtf8() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(WindowTitle);
    const int length = static_cast<int>(std::strlen(WindowTitle));
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME", "WM_NAME", "WM_ICON_NAME"}) {
        XChangeProperty(display, window, XInternAtom(display, name, False), utf8, 8,
                        PropModeReplace, bytes, length);
    }
    XFlush(display);
}

void createMainWindow() {
    glutCreateWindow(WindowTitle);
    nameWindowInUtf8();
}

void setBackground() {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

} // namespace

void* const CaptionFont = GLUT_BITMAP_HELVETICA_18;

void runGraphics(int* argc, char** argv) {
    glutInitWindowSize(WindowSize, WindowSize);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    createMainWindow();
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    setBackground();
    glutMainLoop();
    std::exit(0);
}

// The projection stays the identity, so window units are normalised device coordinates and the
// picture stretches with the window.
void onReshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void schedulePlayTick(int delayMs, int generation) {
    glutTimerFunc(static_cast<unsigned int>(delayMs), onPlayTick, generation);
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

void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void endFrame() {
    glFlush();
    glutSwapBuffers();
}

// Lighting is on between primitives and no light is enabled, so the raster position takes the
// unlit default material's colour, a grey of 0.04: the captions come out near-black whatever was
// drawn before them.
void drawText(float x, float y, void* font, const char* text) {
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    }
    glPopAttrib();
}
