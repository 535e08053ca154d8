#include <GL/freeglut_std.h>
#include <algorithm>

#include "render/render.h"
#include "render/window_system.h"

namespace {

// A given size larger than the screen is cut to it: nobody sees the rest, and the frame buffers
// of a window tens of thousands of pixels wide may not even be there.
void sizeAndPlace(const WindowGeometry& g) {
    const int screenWidth = glutGet(GLUT_SCREEN_WIDTH);
    const int screenHeight = glutGet(GLUT_SCREEN_HEIGHT);
    const int width = screenWidth > 0 ? std::min(g.width, screenWidth) : g.width;
    const int height = screenHeight > 0 ? std::min(g.height, screenHeight) : g.height;
    glutInitWindowSize(width, height);
    if (g.placed) {
        glutInitWindowPosition(g.fromRight ? screenWidth - width - g.x : g.x,
                               g.fromBottom ? screenHeight - height - g.y : g.y);
    }
}

// The title is UTF-8 like every text of the program; nameWindow tells the window system so.
void createMainWindow(const char* title) {
    glutCreateWindow(title);
    nameWindow(title);
    watchWindow();
}

void setBackground() {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

} // namespace

void openWindow(int* argc, char** argv, const WindowGeometry& geometry, const char* title) {
    prepareForGlut();
    glutInit(argc, argv);
    sizeAndPlace(geometry);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    createMainWindow(title);
    setBackground();
}

// Window units are normalised device coordinates: the picture stretches with the window.
void onReshape(int width, int height) {
    fitViewport(width, height);
}
