// The window under Windows: the title through the wide API, the desktop probed for windows, and
// keys typed into the window while the console waited taken out of the thread's message queue.
#include <windows.h>

#include <GL/freeglut.h>
#include <cstdlib>
#include <string>

#include "base/wide_text.h"
#include "render/window_system.h"

namespace {

// freeglut's window procedure is an ANSI one: SetWindowTextW would reach it converted to the ANSI
// code page and lose the Japanese characters. The default procedure stores the text as it is.
void setTitle(HWND window, const std::wstring& wide) {
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

} // namespace

// freeglut takes the environment's DISPLAY for a Windows display device, and warns on standard
// error at every start that it cannot open it: the DISPLAY that Wine hands on from X11 is none.
void prepareForGlut() {
    SetEnvironmentVariableW(L"DISPLAY", nullptr);
    _putenv("DISPLAY=");
}

void nameWindow(const char* title) {
    const HWND window = WindowFromDC(wglGetCurrentDC());
    if (window != nullptr) {
        setTitle(window, widen(title));
    }
}

// A desktop can refuse windows (a service's session; Wine without an X display): a window that
// nobody sees tells.
bool displayAvailable(int, char**) {
    const HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    if (probe == nullptr) {
        return false;
    }
    DestroyWindow(probe);
    return true;
}

// Only the program's own thread can destroy its window on Windows; a close asked for from outside
// reaches GLUT as a message, which ends the program.
void watchWindow() {
    glutCloseFunc(stopWatchingWindow);
}

void stopWatchingWindow() {}

int windowEndDescriptor() {
    return -1;
}

bool windowEnded() {
    return false;
}

// Keys typed into the window while the console waited are in the thread's message queue.
void consoleWaits(bool waiting) {
    if (waiting) {
        return;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

// Windows tells a window of its end by messages, which GLUT takes.
bool displayLost() {
    return false;
}
