// The shapes of a frame in a browser. WebGL draws lines one pixel wide and takes no doubles: wider
// lines go to GL as thin triangles, and every shape as floats. Where a browser has no GPU driver (a
// school's laptop, a headless test) its software renderer pays for every draw call and every
// vertex, and the page waits for it each frame: shapes go to GL in batches with a colour per
// vertex, one draw call for every run of shapes of the same kind in the order drawn (what is drawn
// later still covers what was drawn before), and filled shapes and wide lines as one triangle
// strip, its parts joined by degenerate triangles; a wide line strip takes two vertices a point.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/shapes_web.h"
#include "render/window_system.h"

namespace {

struct Origin {
    double x;
    double y;
};

// A mitred corner is no longer than this many half widths: a sharp turn of a curve would
// otherwise draw a spike.
constexpr double LongestMitre = 2.0;
// A point of a line strip closer than this to the line drawn without it is left out.
constexpr double Closest = 0.25; // pixels
// A chord spans at most this many points: checking every point under it costs its length.
constexpr std::size_t LongestChord = 16;

std::vector<float> Vertices; // window units, x then y: the shape being given
std::vector<float> Points;   // window units, x then y: the batch, origins applied
std::vector<float> Colours;  // RGBA of each of the batch's points
GLenum BatchMode = GL_TRIANGLE_STRIP;
Shape Current = Shape::Lines;
float LineWidth = 1.0f; // pixels
float Colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
std::vector<Origin> Origins = {{0.0, 0.0}};
double PixelsPerUnitX = 400.0; // viewport pixels per window unit
double PixelsPerUnitY = 400.0;

void add(double x, double y) {
    Points.push_back(static_cast<float>(x + Origins.back().x));
    Points.push_back(static_cast<float>(y + Origins.back().y));
    Colours.insert(Colours.end(), Colour, Colour + 4);
}

void repeatLast() {
    Points.insert(Points.end(), Points.end() - 2, Points.end());
    Colours.insert(Colours.end(), Colours.end() - 4, Colours.end());
}

void useMode(GLenum mode) {
    if (mode != BatchMode) {
        flushShapes();
        BatchMode = mode;
    }
}

// A strip of `count` points (x then y) joined to the batch's strip by degenerate triangles.
void addStrip(const double* xy, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (!Points.empty()) {
        repeatLast();
        add(xy[0], xy[1]);
    }
    for (std::size_t k = 0; k < count; ++k) {
        add(xy[2 * k], xy[2 * k + 1]);
    }
}

// The unit normal (in pixels) of the segment from point a to point b; zero for no segment.
void normalOf(const float* a, const float* b, double* nx, double* ny) {
    const double dx = (b[0] - a[0]) * PixelsPerUnitX;
    const double dy = (b[1] - a[1]) * PixelsPerUnitY;
    const double length = std::hypot(dx, dy);
    *nx = length > 0.0 ? -dy / length : 0.0;
    *ny = length > 0.0 ? dx / length : 0.0;
}

// The two sides of a point, half a line width off along the normal n (pixels), back in window
// units.
void sides(const float* p, double nx, double ny, double* xy) {
    const double hx = nx * LineWidth / 2.0 / PixelsPerUnitX;
    const double hy = ny * LineWidth / 2.0 / PixelsPerUnitY;
    const double out[4] = {p[0] + hx, p[1] + hy, p[0] - hx, p[1] - hy};
    std::copy(out, out + 4, xy);
}

// Each segment a strip of its own (Lines), LineWidth pixels across.
void addWideSegments() {
    for (std::size_t i = 0; i + 3 < Vertices.size(); i += 4) {
        double nx = 0.0;
        double ny = 0.0;
        normalOf(&Vertices[i], &Vertices[i + 2], &nx, &ny);
        double xy[8];
        sides(&Vertices[i], nx, ny, xy);
        sides(&Vertices[i + 2], nx, ny, xy + 4);
        addStrip(xy, 4);
    }
}

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

// The whole line strip as one triangle strip, each corner mitred along the mean of its two
// segments' normals.
void addWideStrip() {
    thinStrip();
    const std::size_t points = Vertices.size() / 2;
    std::vector<double> xy(4 * points);
    double inX = 0.0;
    double inY = 0.0;
    for (std::size_t k = 0; k < points; ++k) {
        double outX = 0.0;
        double outY = 0.0;
        if (k + 1 < points) {
            normalOf(&Vertices[2 * k], &Vertices[2 * k + 2], &outX, &outY);
        }
        const double sumX = (k > 0 ? inX : outX) + (k + 1 < points ? outX : inX);
        const double sumY = (k > 0 ? inY : outY) + (k + 1 < points ? outY : inY);
        const double squared = sumX * sumX + sumY * sumY;
        // The mean normal, lengthened so the strip keeps its width across a corner.
        const double scale =
            squared > 0.0 ? std::min(4.0 / squared, 2.0 * LongestMitre / std::sqrt(squared)) : 0.0;
        sides(&Vertices[2 * k], sumX / 2.0 * scale, sumY / 2.0 * scale, &xy[4 * k]);
        inX = outX;
        inY = outY;
    }
    addStrip(xy.data(), 2 * points);
}

} // namespace

void startShapes(const GLint* viewport) {
    PixelsPerUnitX = viewport[2] / 2.0;
    PixelsPerUnitY = viewport[3] / 2.0;
}

void flushShapes() {
    if (Points.empty()) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, Points.data());
    glColorPointer(4, GL_FLOAT, 0, Colours.data());
    glDrawArrays(BatchMode, 0, static_cast<GLsizei>(Points.size() / 2));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    Points.clear();
    Colours.clear();
}

// WebGL has no fixed-function lighting: there is nothing to switch.
void lightingOff() {}
void lightingOn() {}

void setColour(const float* rgba) {
    std::copy(rgba, rgba + 4, Colour);
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
    const std::size_t points = Vertices.size() / 2;
    const bool filled = Current == Shape::TriangleStrip || Current == Shape::Triangles;
    if (!filled && !(LineWidth > 1.5f)) {
        useMode(GL_LINES);
        const std::size_t stride = Current == Shape::Lines ? 2 : 1;
        for (std::size_t i = 0; i + 1 < points; i += stride) {
            add(Vertices[2 * i], Vertices[2 * i + 1]);
            add(Vertices[2 * i + 2], Vertices[2 * i + 3]);
        }
        return;
    }
    useMode(GL_TRIANGLE_STRIP);
    if (Current == Shape::Triangles) {
        for (std::size_t k = 0; k + 2 < points; k += 3) {
            const double xy[6] = {Vertices[2 * k],     Vertices[2 * k + 1], Vertices[2 * k + 2],
                                  Vertices[2 * k + 3], Vertices[2 * k + 4], Vertices[2 * k + 5]};
            addStrip(xy, 3);
        }
    } else if (Current == Shape::TriangleStrip) {
        const std::vector<double> xy(Vertices.begin(), Vertices.end());
        addStrip(xy.data(), points);
    } else if (Current == Shape::Lines) {
        addWideSegments();
    } else {
        addWideStrip();
    }
}

void moveOrigin(double x, double y) {
    Origins.push_back({Origins.back().x + x, Origins.back().y + y});
}

void restoreOrigin() {
    if (Origins.size() > 1) {
        Origins.pop_back();
    }
}
