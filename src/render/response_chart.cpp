#include <GL/gl.h>

#include "render/render.h"

namespace {

constexpr double AxisHalfLength = 10.0;   // window units, far beyond the window
constexpr float AxisAndCurveWidth = 2.0f; // pixels
constexpr float GridWidth = 1.0f;         // pixels
constexpr double RadiansPerDegree = 0.01745329252;
const float Black[4] = {0.0f, 0.0f, 0.0f, 0.0f};

// One open polyline through samples 0 ... last, sample k at x = origin.x + k * step reached by
// repeated addition; it never wraps around the row's end. The width is set even when nothing is
// drawn, and the next frame's springs inherit it.
void drawCurve(const Point2* origin, double step, double scale, int last, const double* row,
               const float* colour) {
    glLineWidth(AxisAndCurveWidth);
    Point2 p = {origin->x, origin->y + scale * row[0]};
    for (int k = 1; k <= last; ++k) {
        const Point2 q = p;
        p = {q.x + step, origin->y + scale * row[k]};
        drawLine(&q, &p, colour);
    }
}

} // namespace

void drawAxes(const Point2* origin, double angle) {
    glDisable(GL_LIGHTING);
    glLineWidth(AxisAndCurveWidth);
    glPushMatrix();
    glColor4f(Black[0], Black[1], Black[2], Black[3]);
    glTranslated(origin->x, origin->y, 0.0);
    glRotated(angle / RadiansPerDegree, 0.0, 0.0, 1.0);
    glBegin(GL_LINES);
    glVertex2d(-AxisHalfLength, 0.0);
    glVertex2d(AxisHalfLength, 0.0);
    glVertex2d(0.0, -AxisHalfLength);
    glVertex2d(0.0, AxisHalfLength);
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void drawGrid(const Point2* centre, double angle, int n, double cellWidth, double cellHeight) {
    const double halfWidth = n * cellWidth;
    const double halfHeight = n * cellHeight;
    glDisable(GL_LIGHTING);
    glColor4f(Black[0], Black[1], Black[2], Black[3]);
    glPushMatrix();
    glLineWidth(GridWidth);
    glTranslated(centre->x, centre->y, 0.0);
    glRotated(angle / RadiansPerDegree, 0.0, 0.0, 1.0);
    for (int j = -n; j <= n; ++j) {
        glBegin(GL_LINES);
        glVertex2d(j * cellWidth, -halfHeight);
        glVertex2d(j * cellWidth, halfHeight);
        glEnd();
    }
    for (int i = -n; i <= n; ++i) {
        glBegin(GL_LINES);
        glVertex2d(-halfWidth, i * cellHeight);
        glVertex2d(halfWidth, i * cellHeight);
        glEnd();
    }
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
