// The window in a browser: GLUT's canvas (#canvas), which takes the keys and gives the window its
// size, and a 2-D canvas over it (#captions) where the page draws each frame, its shapes
// (shapes_web.cpp) and its captions. The page's side is springChain, in web/page.js.
#include <GL/freeglut_std.h>
#include <GL/gl.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "render/frame_capture.h"
#include "render/render.h"
#include "render/shapes_web.h"
#include "render/window_system.h"

namespace {

// clang-format off
EM_JS(void, setTitle, (const char* text, int length), {
    document.title = new TextDecoder().decode(HEAPU8.subarray(text, text + length));
});

// GLUT listens for keys, the mouse and touches on the whole page, which would take the console's
// keys too, and its touch handler would call preventDefault in listeners that browsers make
// passive: the page hands GLUT's key handlers to the canvas alone (springChain.takeKeys), and the
// program, which has no mouse, listens to neither.
EM_JS(void, keysToTheCanvas, (), { springChain.takeKeys(GLUT); });

// The canvas and the captions over it, as the student sees them, RGBA from the top row.
EM_JS(void, composePicture, (unsigned char* rgba, int width, int height), {
    HEAPU8.set(springChain.picture(width, height), rgba);
});

EM_JS(void, frameShown, (double milliseconds), { springChain.frameDrawn(milliseconds); });
EM_JS(void, describe, (double seconds, int masses, int largestMass, double largest, int mode,
                      double share, int panelShown, double energy, double drift), {
    springChain.describe({seconds: seconds, masses: masses, largestMass: largestMass,
                          largest: largest, mode: mode, share: share, panelShown: panelShown != 0,
                          energy: energy, drift: drift});
});
EM_JS(void, programEnds, (), { springChain.ending(); });
EM_JS(void, writeCaption, (float x, float y, const char* text, int length, int size,
                          const char* colour), {
    springChain.caption(x, y, UTF8ToString(text, length), size, UTF8ToString(colour));
});
EM_JS(int, measureText, (const char* text, int length, int size), {
    return springChain.textWidth(UTF8ToString(text, length), size);
});
// Clears the captions and reads the canvas's size as shown (CSS pixels), once a frame.
EM_JS(void, clearCaptions, (double* size), {
    const shown = springChain.clearCaptions();
    HEAPF64[size >> 3] = shown[0];
    HEAPF64[(size >> 3) + 1] = shown[1];
});
EM_JS(void, showPlaying, (int playing), { springChain.showPlaying(playing != 0); });
EM_JS(void, passKey, (int key), { springChain.passKey(key); });
EM_ASYNC_JS(int, awaitPassedKey, (), { return await springChain.nextPassedKey(); });
// clang-format on

GLint Viewport[4] = {0, 0, 800, 800};
double FrameBegan = 0.0; // ms, the page's clock
// The canvas's size as shown (CSS pixels, width then height), asked of the page once a frame: the
// asking makes the browser lay the page out.
double Shown[2] = {800.0, 800.0};

// The picture as drawn, at the size of GLUT's window.
void readFramePixels(std::vector<unsigned char>* rgb) {
    const std::size_t pixels =
        static_cast<std::size_t>(Viewport[2]) * static_cast<std::size_t>(Viewport[3]);
    std::vector<unsigned char> rgba(pixels * 4);
    composePicture(rgba.data(), Viewport[2], Viewport[3]);
    rgb->resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) {
        std::copy_n(&rgba[4 * i], 3, &(*rgb)[3 * i]);
    }
}

} // namespace

// The page's text is in the page's own Helvetica; a font is its size in CSS pixels.
int CaptionPixels = 18;
int LabelPixels = 12;
int SmallPixels = 11;
void* const CaptionFont = &CaptionPixels;
void* const LabelFont = &LabelPixels;
void* const SmallFont = &SmallPixels;

int fontHeight(void* font) {
    return *static_cast<const int*>(font);
}

int textWidth(void* font, const char* text) {
    return measureText(text, static_cast<int>(std::strlen(text)), fontHeight(font));
}

void textPixels(double* width, double* height) {
    *width = Shown[0];
    *height = Shown[1];
}

void prepareForGlut() {}

bool displayAvailable(int, char**) {
    return true;
}

void nameWindow(const char* title) {
    setTitle(title, static_cast<int>(std::strlen(title)));
}

// Nobody but the page can take its canvas away.
void watchWindow() {}
void stopWatchingWindow() {}

int windowEndDescriptor() {
    return -1;
}

bool windowEnded() {
    return false;
}

bool displayLost() {
    return false;
}

// Keys pressed on the canvas while the console waits are dropped as they come.
void consoleWaits(bool) {}

// A browser repeats a held key as presses without releases in between: the space bar's own
// guard takes care of them.
void ignoreKeyRepeat(bool) {}

void registerWindowStatus(void (*)(int)) {}

// As GLUT's loop starts: the canvas's size to the reshape callback, then the first frame.
void enterWindowLoop() {
    keysToTheCanvas();
    glutReshapeWindow(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

bool passToMainLoop(unsigned char key) {
    passKey(key);
    return true;
}

unsigned char nextKeyForMainLoop() {
    return static_cast<unsigned char>(awaitPassedKey());
}

// A plain exit would wait for main, which waits for the page: the runtime is ended regardless.
// The page keeps the last picture, dimmed, and takes its own title back.
void endProgram(int status) {
    programEnds();
    emscripten_force_exit(status);
}

void describeFrame(const FrameDescription& d) {
    describe(d.seconds, d.masses, d.largestMass, d.largest, d.dominantMode, d.share,
             d.panelShown ? 1 : 0, d.energy, d.drift);
}

void tellPlaying(bool playing) {
    showPlaying(playing ? 1 : 0);
}

// The page draws in window units itself: GL only keeps the size.
void fitViewport(int width, int height) {
    glViewport(0, 0, width, height);
}

void beginFrame() {
    FrameBegan = emscripten_get_now();
    clearCaptions(Shown);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    startShapes(Viewport);
}

void endFrame() {
    if (captureAsked()) {
        std::vector<unsigned char> rgb;
        readFramePixels(&rgb);
        keepCapturedFrame(Viewport[2], Viewport[3], &rgb);
    }
    frameShown(emscripten_get_now() - FrameBegan);
}

// The captions' near-black, the unlit grey of 0.04 that the desktop's raster position takes.
void drawText(float x, float y, void* font, const char* text) {
    writeCaption(x, y, text, static_cast<int>(std::strlen(text)), fontHeight(font),
                 "rgb(10, 10, 10)");
}

void drawColouredText(float x, float y, void* font, const float* colour, const char* text) {
    char css[48];
    std::snprintf(css, sizeof css, "rgb(%d, %d, %d)", static_cast<int>(colour[0] * 255.0f + 0.5f),
                  static_cast<int>(colour[1] * 255.0f + 0.5f),
                  static_cast<int>(colour[2] * 255.0f + 0.5f));
    writeCaption(x, y, text, static_cast<int>(std::strlen(text)), fontHeight(font), css);
}
