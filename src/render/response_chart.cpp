#include <GL/gl.h>

#include "render/mass_colours.h"
#include "render/render.h"

namespace {

constexpr double AxisHalfLength = 10.0;   // window units, far beyond the window
constexpr float AxisAndCurveWidth = 2.0f; // pixels
constexpr float GridWidth = 1.0f;         // pixels
const float Black[4] = {0.0f, 0.0f, 0.0f, 0.0f};

// One open polyline through samples 0 ... last, sample k at x = origin.x + k * step reached by
// repeated addition; it never wraps around the row's end. The width is set even when nothing is
// drawn, and the next frame's springs inherit it. Every segment is a line of its own, as if drawn
// one by one, but all of them go to GL in one primitive: 20 curves of 500 segments each would
// otherwise cost 10,000 primitives and as many lighting switches a frame.
void drawCurve(const Point2* origin, double step, double scale, int last, const double* row,
               const float* colour) {
    glLineWidth(AxisAndCurveWidth);
    if (last < 1) {
        return;
    }
    glDisable(GL_LIGHTING);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_LINE_STRIP);
    Point2 p = {origin->x, origin->y + scale * row[0]};
    glVertex2d(p.x, p.y);
    for (int k = 1; k <= last; ++k) {
        p = {p.x + step, origin->y + scale * row[k]};
        glVertex2d(p.x, p.y);
    }
    glEnd();
    glEnable(GL_LIGHTING);
}

} // namespace

void drawAxes(const Point2* origin) {
    glDisable(GL_LIGHTING);
    glLineWidth(AxisAndCurveWidth);
    glPushMatrix();
    glColor4f(Black[0], Black[1], Black[2], Black[3]);
    glTranslated(origin->x, origin->y, 0.0);
    glBegin(GL_LINES);
    glVertex2d(-AxisHalfLength, 0.0);
    glVertex2d(AxisHalfLength, 0.0);
    glVertex2d(0.0, -AxisHalfLength);
    glVertex2d(0.0, AxisHalfLength);
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void drawGrid(const Point2* centre, int n, double cellWidth, double cellHeight) {
    const double halfWidth = n * cellWidth;
    const double halfHeight = n * cellHeight;
    glDisable(GL_LIGHTING);
    glColor4f(Black[0], Black[1], Black[2], Black[3]);
    glPushMatrix();
    glLineWidth(GridWidth);
    glTranslated(centre->x, centre->y, 0.0);
    // Each line is a segment of its own; one primitive carries them all.
    glBegin(GL_LINES);
    for (int j = -n; j <= n; ++j) {
        glVertex2d(j * cellWidth, -halfHeight);
        glVertex2d(j * cellWidth, halfHeight);
    }
    for (int i = -n; i <= n; ++i) {
        glVertex2d(-halfWidth, i * cellHeight);
        glVertex2d(halfWidth, i * cellHeight);
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Curve c is mass c+1's row in mass c+1's colour; a later curve covers an earlier one.
void drawCurves(const Point2* origin, double step, const double* scales, int count, int last,
                const double* samples, int stride) {
    for (int c = 0; c < count; ++c) {
        drawCurve(origin, step, scales[c], last, samples + c * stride, MassColor[c]);
    }
}
