// Preloaded into the program under test (LD_PRELOAD) so that a window test knows what the program
// has done rather than guessing it from the picture: how many keys its keyboard callback has
// finished, how many frames it has swapped to the screen and how many of its timer's ticks have
// run. The counts are published on the program's window as the property _SPRING_CHAIN_PROBE
// (three CARDINALs: keys, frames, ticks) after a round trip to the X server, so once a test reads
// a count, the pixels of that frame are in the server.
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace {

using KeyboardCallback = void (*)(unsigned char, int, int);
using TimerCallback = void (*)(int);

KeyboardCallback programKeyboard = nullptr;
TimerCallback programTimer = nullptr;
long keysHandled = 0;
long framesSwapped = 0;
long ticksRun = 0;

void publish() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    // Everything the program sent so far (the frame's image included) reaches the server before
    // the property does.
    XSync(display, False);
    const long counts[3] = {keysHandled, framesSwapped, ticksRun};
    XChangeProperty(display, window, XInternAtom(display, "_SPRING_CHAIN_PROBE", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(counts), 3);
    XSync(display, False);
}

void countedKeyboard(unsigned char key, int x, int y) {
    programKeyboard(key, x, y);
    ++keysHandled;
    publish();
}

// The program has one timer callback, play's tick.
void countedTimer(int value) {
    programTimer(value);
    ++ticksRun;
    publish();
}

template <class Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

void glutKeyboardFunc(KeyboardCallback callback) {
    static const auto real = next<void (*)(KeyboardCallback)>("glutKeyboardFunc");
    programKeyboard = callback;
    real(callback != nullptr ? countedKeyboard : nullptr);
}

void glutTimerFunc(unsigned int ms, TimerCallback callback, int value) {
    static const auto real = next<void (*)(unsigned int, TimerCallback, int)>("glutTimerFunc");
    programTimer = callback;
    real(ms, countedTimer, value);
}

void glutSwapBuffers() {
    static const auto real = next<void (*)()>("glutSwapBuffers");
    real();
    ++framesSwapped;
    publish();
}

} // extern "C"
