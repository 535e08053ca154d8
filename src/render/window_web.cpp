// The window in a browser: a WebGL canvas (#canvas) under Emscripten's GLUT and its emulation of
// the classic immediate mode, and a 2-D canvas over it (#captions) for the captions. WebGL draws
// lines one pixel wide and takes no doubles: wider lines are drawn as thin quads, and every shape
// goes to GL as one array of floats. The page's side is springChain, in web/shell.html.
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
EM_JS(void, describe, (double seconds, int masses), { springChain.describe(seconds, masses); });
EM_JS(void, programEnds, (), { springChain.ending(); });
EM_JS(void, clearCaptions, (), { springChain.clearCaptions(); });
EM_JS(void, writeCaption, (float x, float y, const char* text, int length, int size,
                          const char* colour), {
    springChain.caption(x, y, new TextDecoder().decode(HEAPU8.subarray(text, text + length)),
                        size, UTF8ToString(colour));
});
EM_JS(int, measureText, (const char* text, int length, int size), {
    return springChain.textWidth(new TextDecoder().decode(HEAPU8.subarray(text, text + length)),
                                 size);
});
EM_JS(void, readShownSize, (double* size), {
    const shown = springChain.shownSize();
    HEAPF64[size >> 3] = shown[0];
    HEAPF64[(size >> 3) + 1] = shown[1];
});
EM_JS(void, showPlaying, (int playing), { springChain.playing = playing != 0; });
EM_JS(void, passKey, (int key), { springChain.passKey(key); });
EM_ASYNC_JS(int, awaitPassedKey, (), { return await springChain.nextPassedKey(); });
// clang-format on

std::vector<float> Vertices; // window units, x then y
std::vector<float> Wide;     // the quads of lines wider than a pixel
Shape Current = Shape::Lines;
float LineWidth = 1.0f; // pixels
GLint Viewport[4] = {0, 0, 800, 800};
double FrameBegan = 0.0; // ms, the page's clock
// The canvas's size as shown (CSS pixels, width then height), asked of the page once a frame: the
// asking makes the browser lay the page out.
double Shown[2] = {800.0, 800.0};

void drawArray(GLenum mode, const std::vector<float>& points) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, points.data());
    glDrawArrays(mode, 0, static_cast<GLsizei>(points.size() / 2));
    glDisableClientState(GL_VERTEX_ARRAY);
}

// The segment from a to b as two triangles LineWidth pixels across, its width measured in pixels
// of the viewport whatever the window's shape.
void widenSegment(const float* a, const float* b) {
    const double toPixelX = Viewport[2] / 2.0;
    const double toPixelY = Viewport[3] / 2.0;
    const double dx = (b[0] - a[0]) * toPixelX;
    const double dy = (b[1] - a[1]) * toPixelY;
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0)) {
        return;
    }
    const float nx = static_cast<float>(-dy / length * LineWidth / 2.0 / toPixelX);
    const float ny = static_cast<float>(dx / length * LineWidth / 2.0 / toPixelY);
    const float corners[12] = {a[0] + nx, a[1] + ny, a[0] - nx, a[1] - ny, b[0] + nx, b[1] + ny,
                               b[0] + nx, b[1] + ny, a[0] - nx, a[1] - ny, b[0] - nx, b[1] - ny};
    Wide.insert(Wide.end(), corners, corners + 12);
}

// Read in the same task as the drawing, before the browser shows the canvas and clears it.
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

void drawWideLines() {
    Wide.clear();
    const std::size_t points = Vertices.size() / 2;
    const std::size_t stride = Current == Shape::Lines ? 2 : 1;
    for (std::size_t i = 0; i + 1 < points; i += stride) {
        widenSegment(&Vertices[2 * i], &Vertices[2 * i + 2]);
    }
    drawArray(GL_TRIANGLES, Wide);
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

void describeFrame(double seconds, int masses) {
    describe(seconds, masses);
}

void tellPlaying(bool playing) {
    showPlaying(playing ? 1 : 0);
}

void beginFrame() {
    FrameBegan = emscripten_get_now();
    readShownSize(Shown);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    clearCaptions();
}

void endFrame() {
    glFlush();
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

// WebGL has no fixed-function lighting: there is nothing to switch.
void lightingOff() {}
void lightingOn() {}

void setColour(const float* rgba) {
    glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void setLineWidth(float pixels) {
    LineWidth = pixels;
}

void beginShape(Shape shape) {
    Current = shape;
    Vertices.clear();
}

void vertex(double x, double y) {
    Vertices.push_back(static_cast<float>(x));
    Vertices.push_back(static_cast<float>(y));
}

void endShape() {
    if (Current == Shape::TriangleStrip) {
        drawArray(GL_TRIANGLE_STRIP, Vertices);
    } else if (Current == Shape::Triangles) {
        drawArray(GL_TRIANGLES, Vertices);
    } else if (LineWidth > 1.5f) {
        drawWideLines();
    } else {
        drawArray(Current == Shape::Lines ? GL_LINES : GL_LINE_STRIP, Vertices);
    }
}

void moveOrigin(double x, double y) {
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
}

void restoreOrigin() {
    glPopMatrix();
}
