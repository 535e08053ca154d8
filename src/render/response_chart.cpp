#include <cmath>

#include "render/mass_colours.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double AxisHalfLength = 10.0;   // window units, far beyond the window
constexpr float AxisAndCurveWidth = 2.0f; // pixels
constexpr float GridWidth = 1.0f;         // pixels
const float Black[4] = {0.0f, 0.0f, 0.0f, 0.0f};

// Horizontal grid lines closer than this melt into a bar, or hide the curves.
constexpr double ClosestGridLines = 4.0; // text pixels
// A step of 10^8 lines: far more than the smallest reference height the keys allow (1e-6 window
// units) needs in the smallest window, and far inside an int.
constexpr int MostLineSteps = 16;

// One open polyline through samples 0 ... last, sample k at x = origin.x + k * step reached by
// repeated addition; it never wraps around the row's end. The width is set even when nothing is
// drawn, and the next frame's springs inherit it. Every segment is a line of its own, as if drawn
// one by one, but all of them go to GL in one primitive: 20 curves of 500 segments each would
// otherwise cost 10,000 primitives and as many lighting switches a frame.
void drawCurve(const Point2* origin, double step, double scale, int last, const double* row,
               const float* colour) {
    setLineWidth(AxisAndCurveWidth);
    if (last < 1) {
        return;
    }
    lightingOff();
    setColour(colour);
    beginShape(Shape::LineStrip);
    Point2 p = {origin->x, origin->y + scale * row[0]};
    vertex(p.x, p.y);
    for (int k = 1; k <= last; ++k) {
        p = {p.x + step, origin->y + scale * row[k]};
        vertex(p.x, p.y);
    }
    endShape();
    lightingOn();
}

} // namespace

void drawAxes(const Point2* origin) {
    lightingOff();
    setLineWidth(AxisAndCurveWidth);
    setColour(Black);
    moveOrigin(origin->x, origin->y);
    beginShape(Shape::Lines);
    vertex(-AxisHalfLength, 0.0);
    vertex(AxisHalfLength, 0.0);
    vertex(0.0, -AxisHalfLength);
    vertex(0.0, AxisHalfLength);
    endShape();
    restoreOrigin();
    lightingOn();
}

void drawGrid(const Point2* centre, int n, double cellWidth, double cellHeight) {
    const double halfWidth = n * cellWidth;
    const double halfHeight = n * cellHeight;
    lightingOff();
    setColour(Black);
    setLineWidth(GridWidth);
    moveOrigin(centre->x, centre->y);
    // Each line is a segment of its own; one primitive carries them all.
    beginShape(Shape::Lines);
    for (int j = -n; j <= n; ++j) {
        vertex(j * cellWidth, -halfHeight);
        vertex(j * cellWidth, halfHeight);
    }
    for (int i = -n; i <= n; ++i) {
        vertex(-halfWidth, i * cellHeight);
        vertex(halfWidth, i * cellHeight);
    }
    endShape();
    restoreOrigin();
    lightingOn();
}

// Curve c is mass c+1's row in mass c+1's colour; a later curve covers an earlier one.
void drawCurves(const Point2* origin, double step, const double* scales, int count, int last,
                const double* samples, int stride) {
    for (int c = 0; c < count; ++c) {
        drawCurve(origin, step, scales[c], last, samples + c * stride, MassColor[c]);
    }
}

void leaveChartsLineWidth(int curves) {
    setLineWidth(curves >= 1 ? AxisAndCurveWidth : GridWidth);
}

// The steps run 1, 5, 10, 50, 100, ...: cells that are still a round part of the reference.
int gridLineStep(double cellHeight) {
    double width = 0.0;
    double height = 0.0;
    textPixels(&width, &height);
    const double pixels = std::fabs(cellHeight) / 2.0 * height;
    int step = 1;
    for (int k = 0; k < MostLineSteps && !(step * pixels >= ClosestGridLines); ++k) {
        step *= k % 2 == 0 ? 5 : 2;
    }
    return step;
}
