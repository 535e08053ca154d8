// The drawing sends the chain and the chart to GL in few primitives. Here every scene is drawn
// twice in one real GL context (Mesa under Xvfb): once by the program, once primitive by primitive
// as the picture is defined (a line of its own for every spring, curve segment and grid line,
// lighting switched off and on around each, every disc a 100-corner GL_POLYGON with its sines
// evaluated afresh), and the two must agree in every pixel.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "random_numbers.h"
#include "render/mass_colours.h"
#include "render/render.h"
#include "x_session.h"

namespace {

void line(const Point2& a, const Point2& b, const float* colour) {
    glDisable(GL_LIGHTING);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_LINES);
    glVertex2d(a.x, a.y);
    glVertex2d(b.x, b.y);
    glEnd();
    glEnable(GL_LIGHTING);
}

void disc(const Point2& centre, double r, const float* colour) {
    const double step = 2.0 * 3.1415926536 / 100;
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(centre.x, centre.y, 0.0);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_POLYGON);
    for (int k = 0; k < 100; ++k) {
        glVertex2d(r * std::cos(k * step), r * std::sin(k * step));
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// A spring of 0 N/m is not drawn.
void referenceChain(const Point2& left, double s, int n, const double* y, const double* springs) {
    const float red[4] = {1, 0, 0, 0};
    const double dx = (0.99 - left.x) / (n + 1);
    Point2 p = left;
    for (int i = 0; i < n; ++i) {
        const Point2 next = {p.x + dx, left.y + s * y[i]};
        if (springs[i] != 0.0) {
            line(p, next, red);
        }
        p = next;
    }
    if (springs[n] != 0.0) {
        line(p, {0.99, left.y}, red);
    }
    disc(left, 0.01, red);
    disc({0.99, left.y}, 0.01, red);
    double x = left.x;
    for (int i = 0; i < n; ++i) {
        x += dx;
        disc({x, left.y + s * y[i]}, 0.04, MassColor[i]);
    }
}

void referenceGrid(const Point2& g, int n, double w, double h) {
    glDisable(GL_LIGHTING);
    glColor4f(0, 0, 0, 0);
    glPushMatrix();
    glLineWidth(1.0f);
    glTranslated(g.x, g.y, 0.0);
    for (int j = -n; j <= n; ++j) {
        glBegin(GL_LINES);
        glVertex2d(j * w, -n * h);
        glVertex2d(j * w, n * h);
        glEnd();
    }
    for (int i = -n; i <= n; ++i) {
        glBegin(GL_LINES);
        glVertex2d(-n * w, i * h);
        glVertex2d(n * w, i * h);
        glEnd();
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void referenceCurves(const Point2& o, double d, const double* scales, int count, int last,
                     const double* samples, int stride) {
    for (int c = 0; c < count; ++c) {
        glLineWidth(2.0f);
        const double* row = samples + c * stride;
        Point2 p = {o.x, o.y + scales[c] * row[0]};
        for (int k = 1; k <= last; ++k) {
            const Point2 q = p;
            p = {q.x + d, o.y + scales[c] * row[k]};
            line(q, p, MassColor[c]);
        }
    }
}

std::vector<unsigned char> pixels() {
    glFinish();
    std::vector<unsigned char> out(800 * 800 * 4);
    glReadPixels(0, 0, 800, 800, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

struct Scene {
    int n;
    double scale;
    double y[20];
    double springs[21]; // N/m, one in four 0
    double timeScale;
    int curves;
    int last;
    double amplitude[21];
    std::vector<double> samples;
    float springWidth;
};

double uniform(unsigned long long* seed, double lo, double hi) {
    return lo + (hi - lo) * uniform01(seed);
}

Scene randomScene(unsigned long long* seed) {
    Scene s;
    s.n = 1 + static_cast<int>(uniform(seed, 0, 20));
    s.scale = uniform(seed, 0.05, 1.5);
    for (double& v : s.y) {
        v = uniform(seed, -1.5, 1.5);
    }
    for (double& k : s.springs) {
        k = uniform(seed, 0, 1) < 0.25 ? 0.0 : uniform(seed, 0.1, 100.0);
    }
    s.timeScale = uniform(seed, 0.002, 0.02);
    s.curves = static_cast<int>(uniform(seed, 0, 21));
    s.last = static_cast<int>(uniform(seed, 0, 1.0 / s.timeScale));
    for (double& a : s.amplitude) {
        a = uniform(seed, 0.0, 1.2);
    }
    s.samples.resize(21 * 501);
    double phase = uniform(seed, 0, 6);
    for (std::size_t k = 0; k < s.samples.size(); ++k) {
        s.samples[k] = std::sin(0.07 * static_cast<double>(k) + phase) * uniform(seed, 0.5, 1.0);
    }
    s.springWidth = uniform(seed, 0, 1) < 0.5 ? 1.0f : 2.0f;
    return s;
}

TEST(DrawingEquivalence, EveryPixelAsDrawnPrimitiveByPrimitive) {
    VirtualScreen screen;
    ASSERT_TRUE(screen.running());
    setenv("DISPLAY", screen.name().c_str(), 1);
    int argc = 1;
    char name[] = "render_equivalence_test";
    char* argv[] = {name, nullptr};
    glutInitWindowSize(800, 800);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("equivalence");
    glClearColor(1, 1, 1, 1);
    onReshape(800, 800);

    const int window = glutGetWindow();
    unsigned long long seed = 31;
    const Point2 chainLeft = {0.01, 0.0};
    const Point2 chartLeft = {-0.99, 0.0};
    for (int trial = 0; trial < 60; ++trial) {
        const Scene s = randomScene(&seed);
        const Point2 gridCentre = {0.01 - 600 * s.timeScale, 0.0};
        const double cellHeight = 0.2 * s.amplitude[0];

        beginFrame();
        glLineWidth(s.springWidth);
        drawChain(&chainLeft, s.scale, s.n, s.y, s.springs);
        drawGrid(&gridCentre, 30, 20 * s.timeScale, cellHeight);
        drawCurves(&chartLeft, s.timeScale, s.amplitude, s.curves, s.last, s.samples.data(), 501);
        const std::vector<unsigned char> drawn = pixels();
        GLboolean lighting = glIsEnabled(GL_LIGHTING);

        beginFrame();
        glLineWidth(s.springWidth);
        referenceChain(chainLeft, s.scale, s.n, s.y, s.springs);
        referenceGrid(gridCentre, 30, 20 * s.timeScale, cellHeight);
        referenceCurves(chartLeft, s.timeScale, s.amplitude, s.curves, s.last, s.samples.data(),
                        501);
        ASSERT_TRUE(drawn == pixels()) << "trial " << trial;
        EXPECT_TRUE(lighting) << "lighting is on between primitives";
    }
    // Leave the X server before it goes away, so GLUT has nothing to complain about.
    glutDestroyWindow(window);
    glutExit();
}

} // namespace
