// freeglut on the desktop, X11 and Windows alike: its loop, and drawing with the classic immediate
// mode of desktop GL.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "render/frame_capture.h"
#include "render/render.h"
#include "render/window_system.h"

void* const CaptionFont = GLUT_BITMAP_HELVETICA_18;
void* const LabelFont = GLUT_BITMAP_HELVETICA_12;
void* const SmallFont = GLUT_BITMAP_HELVETICA_10;

namespace {

constexpr int CaptionFontHeight = 18; // pixels
constexpr int LabelFontHeight = 12;   // pixels
constexpr int SmallFontHeight = 10;   // pixels

void writeCharacters(void* font, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    }
}

// The back buffer, read before the swap: exactly the frame about to be shown, whatever covers
// the window on the screen.
void readFramePixels(int* width, int* height, std::vector<unsigned char>* rgb) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    *width = viewport[2];
    *height = viewport[3];
    const std::size_t row = static_cast<std::size_t>(*width) * 3;
    std::vector<unsigned char> bottomUp(row * static_cast<std::size_t>(*height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, *width, *height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    rgb->resize(bottomUp.size());
    for (int y = 0; y < *height; ++y) {
        std::copy_n(&bottomUp[row * static_cast<std::size_t>(*height - 1 - y)], row,
                    &(*rgb)[row * static_cast<std::size_t>(y)]);
    }
}

} // namespace

// The projection stays the identity.
void fitViewport(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void endFrame() {
    glFlush();
    if (captureAsked()) {
        int width = 0;
        int height = 0;
        std::vector<unsigned char> rgb;
        readFramePixels(&width, &height, &rgb);
        keepCapturedFrame(width, height, &rgb);
    }
    glutSwapBuffers();
}

// Lighting is on between primitives and no light is enabled, so the raster position takes the
// unlit default material's colour, a grey of 0.04: the captions come out near-black whatever was
// drawn before them.
void drawText(float x, float y, void* font, const char* text) {
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    writeCharacters(font, text);
    glPopAttrib();
}

// The raster position takes the current colour while lighting is off.
void drawColouredText(float x, float y, void* font, const float* colour, const char* text) {
    glPushAttrib(GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    setColour(colour);
    glRasterPos2f(x, y);
    glEnable(GL_LIGHTING);
    writeCharacters(font, text);
    glPopAttrib();
}

void textPixels(double* width, double* height) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    *width = viewport[2];
    *height = viewport[3];
}

int fontHeight(void* font) {
    if (font == CaptionFont) {
        return CaptionFontHeight;
    }
    return font == LabelFont ? LabelFontHeight : SmallFontHeight;
}

int textWidth(void* font, const char* text) {
    return glutBitmapLength(font, reinterpret_cast<const unsigned char*>(text));
}

void lightingOff() {
    glDisable(GL_LIGHTING);
}

void lightingOn() {
    glEnable(GL_LIGHTING);
}

void setColour(const float* rgba) {
    glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void setLineWidth(float pixels) {
    glLineWidth(pixels);
}

void beginShape(Shape shape) {
    switch (shape) {
    case Shape::Lines:
        glBegin(GL_LINES);
        break;
    case Shape::LineStrip:
        glBegin(GL_LINE_STRIP);
        break;
    case Shape::TriangleStrip:
        glBegin(GL_TRIANGLE_STRIP);
        break;
    case Shape::Triangles:
        glBegin(GL_TRIANGLES);
        break;
    }
}

void vertex(double x, double y) {
    glVertex2d(x, y);
}

void endShape() {
    glEnd();
}

void moveOrigin(double x, double y) {
    glPushMatrix();
    glTranslated(x, y, 0.0);
}

void restoreOrigin() {
    glPopMatrix();
}

void ignoreKeyRepeat(bool ignore) {
    glutIgnoreKeyRepeat(ignore ? 1 : 0);
}

void registerWindowStatus(void (*callback)(int state)) {
    glutWindowStatusFunc(callback);
}

void enterWindowLoop() {
    glutMainLoop();
}

// The console's reads wait inside the keyboard callback itself.
bool passToMainLoop(unsigned char) {
    return false;
}

unsigned char nextKeyForMainLoop() {
    return 0;
}

void endProgram(int status) {
    std::exit(status);
}

void tellPlaying(bool) {}

void describeFrame(const FrameDescription&) {}
