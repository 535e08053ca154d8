// The shapes of a frame in a browser, drawn by the page on its 2-D canvas (#captions) with the
// captions, in the order given, so that what is drawn later covers what was drawn before. GLUT's
// WebGL canvas under it takes the keys and stays blank: where a browser has no GPU driver (a
// school's laptop, a headless test) every WebGL frame is read back from its software renderer,
// and the page waited for that longer than it took to draw the whole frame.
#include <GL/gl.h>
#include <emscripten.h>

#include <cmath>
#include <vector>

#include "render/shapes_web.h"
#include "render/window_system.h"

namespace {

// clang-format off
EM_JS(void, drawShape, (int kind, const float* points, int count, float width, const float* rgba), {
    springChain.shape(kind, HEAPF32.subarray(points >> 2, (points >> 2) + 2 * count), width,
                      HEAPF32.subarray(rgba >> 2, (rgba >> 2) + 3));
});
// clang-format on

struct Origin {
    double x;
    double y;
};

// A point of a line strip closer than this to the line drawn without it is left out.
constexpr double Closest = 0.25; // pixels
// A chord spans at most this many points: checking every point under it costs its length.
constexpr std::size_t LongestChord = 16;

std::vector<float> Vertices; // window units, x then y, the origins applied
Shape Current = Shape::Lines;
float LineWidth = 1.0f; // pixels
float Colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
std::vector<Origin> Origins = {{0.0, 0.0}};
double PixelsPerUnitX = 400.0; // viewport pixels per window unit
double PixelsPerUnitY = 400.0;

// Whether every point strictly between `from` and `to` lies within Closest pixels of the chord
// between them.
bool chordHolds(std::size_t from, std::size_t to) {
    const double ax = Vertices[2 * from] * PixelsPerUnitX;
    const double ay = Vertices[2 * from + 1] * PixelsPerUnitY;
    const double dx = Vertices[2 * to] * PixelsPerUnitX - ax;
    const double dy = Vertices[2 * to + 1] * PixelsPerUnitY - ay;
    const double length = std::hypot(dx, dy);
    for (std::size_t k = from + 1; k < to; ++k) {
        const double px = Vertices[2 * k] * PixelsPerUnitX - ax;
        const double py = Vertices[2 * k + 1] * PixelsPerUnitY - ay;
        const double off =
            length > 0.0 ? std::fabs(px * dy - py * dx) / length : std::hypot(px, py);
        if (off > Closest) {
            return false;
        }
    }
    return true;
}

// Leaves out the points of a line strip that the line would pass within Closest pixels of anyway:
// a chart's curve has more samples than the chart has pixels across, and a software renderer pays
// for every triangle.
void thinStrip() {
    const std::size_t points = Vertices.size() / 2;
    std::size_t kept = 0;
    std::size_t last = 0;
    for (std::size_t k = 1; k < points; ++k) {
        if (k + 1 < points && k + 1 - last <= LongestChord && chordHolds(last, k + 1)) {
            continue;
        }
        last = k;
        ++kept;
        Vertices[2 * kept] = Vertices[2 * k];
        Vertices[2 * kept + 1] = Vertices[2 * k + 1];
    }
    Vertices.resize(points > 0 ? 2 * (kept + 1) : 0);
}

} // namespace

void startShapes(const GLint* viewport) {
    PixelsPerUnitX = viewport[2] / 2.0;
    PixelsPerUnitY = viewport[3] / 2.0;
}

// The page has no lighting: there is nothing to switch.
void lightingOff() {}
void lightingOn() {}

void setColour(const float* rgba) {
    for (int k = 0; k < 4; ++k) {
        Colour[k] = rgba[k];
    }
}

void setLineWidth(float pixels) {
    LineWidth = pixels;
}

void beginShape(Shape shape) {
    Current = shape;
    Vertices.clear();
}

void vertex(double x, double y) {
    Vertices.push_back(static_cast<float>(x + Origins.back().x));
    Vertices.push_back(static_cast<float>(y + Origins.back().y));
}

void endShape() {
    if (Current == Shape::LineStrip) {
        thinStrip();
    }
    drawShape(static_cast<int>(Current), Vertices.data(), static_cast<int>(Vertices.size() / 2),
              LineWidth, Colour);
}

void moveOrigin(double x, double y) {
    Origins.push_back({Origins.back().x + x, Origins.back().y + y});
}

void restoreOrigin() {
    if (Origins.size() > 1) {
        Origins.pop_back();
    }
}
