#include "app/window_loop.h"

#include <GL/freeglut_std.h>

#include <chrono>
#include <cstdlib>

#include "app/frame.h"
#include "app/keys.h"
#include "app/play_clock.h"
#include "app/report_view.h"
#include "console/console_input.h"
#include "render/window_system.h"
#include "texts/messages.h"
#include "texts/texts.h"

namespace {

// The space bar is down: the window system's repeats of it are not presses of their own.
bool SpaceHeld = false;

// False while the window is minimised or wholly covered: nobody would see a frame.
bool WindowShown = true;

// True while a key's question waits in the console. The desktop services no callback meanwhile;
// a page does, and they neither move nor draw the half-entered model, nor take keys aimed at the
// window.
bool ConsoleWaits = false;

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void onPlayTick(int generation);

void scheduleTick(int ms) {
    glutTimerFunc(static_cast<unsigned int>(ms), onPlayTick, playGeneration());
}

// Every frame due is advanced, and only the last of them drawn, unless nobody can see it.
void onPlayTick(int generation) {
    if (ConsoleWaits) {
        return;
    }
    const PlayTick tick = playTick(generation, now());
    if (!tick.live) {
        return;
    }
    for (int frame = 0; frame < tick.frames; ++frame) {
        advanceFrame();
    }
    if (tick.frames > 0 && WindowShown) {
        drawFrame();
    }
    scheduleTick(tick.msToNext);
}

void togglePlay() {
    if (playing()) {
        stopPlay();
    } else {
        startPlay(now());
        scheduleTick(msToNextFrame(now()));
    }
    tellPlaying(playing());
}

// A repaint shows the instant the motion has reached; it never moves it on.
void onDisplay() {
    if (!ConsoleWaits) {
        drawFrame();
    }
}

// A redraw is one direct call of the frame's drawing, after the change, so the new scale or curve
// count shows at once, at the same instant of the motion. 's' steps one frame and stops play, and
// so does every key that asks in the console ('c', 'n', 'm', 'j'): those leave GLUT's loop
// waiting until the answer is in (the window system watches for the window's end meanwhile), and
// what was pressed in the window meanwhile is dropped rather than replayed.
void handleKey(unsigned char key) {
    const bool asks = keyAsksInConsole(key);
    if (key == 's' || asks) {
        stopPlay();
        tellPlaying(false);
    }
    ConsoleWaits = asks;
    if (asks) {
        consoleWaits(true);
    }
    const KeyOutcome outcome = applyKeyCommand(key);
    ConsoleWaits = false;
    if (asks) {
        consoleWaits(false);
    }
    switch (outcome) {
    case KeyOutcome::Redraw:
        drawFrame();
        break;
    case KeyOutcome::Step:
        stepFrame();
        break;
    case KeyOutcome::TogglePlay:
        togglePlay();
        break;
    case KeyOutcome::Save:
        saveForReport();
        break;
    case KeyOutcome::Quit:
        endProgram(0);
    case KeyOutcome::Nothing:
        break;
    }
}

void onKeyboard(unsigned char key, int, int) {
    if (ConsoleWaits) {
        return;
    }
    if (key == SpaceKey) {
        if (SpaceHeld) {
            return;
        }
        SpaceHeld = true;
        ignoreKeyRepeat(true);
    }
    if (keyAsksInConsole(key) && passToMainLoop(key)) {
        ConsoleWaits = true;
        return;
    }
    handleKey(key);
}

// Repeats of a held key are ignored only while the space bar is down, so 's' held down still
// steps frame after frame.
void onKeyboardUp(unsigned char key, int, int) {
    if (key == SpaceKey) {
        SpaceHeld = false;
        ignoreKeyRepeat(false);
    }
}

// Minimising and being destroyed both unmap a window: the latter ends the program.
void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN && windowEnded()) {
        endProgram(0);
    }
    WindowShown = state != GLUT_HIDDEN && state != GLUT_FULLY_COVERED;
}

// The window system ends the program when its display is lost; it is said here, as the program
// ends, in the console's language. What exit handlers are left (GLUT's) would only meet the broken
// connection, and say so in Xlib's words: the program ends here.
void sayIfDisplayLost() {
    if (displayLost()) {
        reportDisplayLost();
        std::_Exit(0);
    }
}

} // namespace

// The exit handler comes after GLUT's initialisation, so that it runs before GLUT's own, which
// would use the lost connection.
void runGraphics(int* argc, char** argv, const WindowGeometry& geometry) {
    openWindow(argc, argv, geometry, windowTitle());
    std::atexit(sayIfDisplayLost);
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    registerWindowStatus(onWindowStatus);
    endReadsWhenReadable(windowEndDescriptor());
    enterWindowLoop();
    // Only in a browser does the loop return: here, on main's stack, the console may wait.
    for (;;) {
        handleKey(nextKeyForMainLoop());
    }
}
