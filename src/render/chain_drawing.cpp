#include <GL/gl.h>
#include <cmath>

#include "render/render.h"

namespace {

constexpr double ChainRightEndX = 0.99; // window units
constexpr double AnchorRadius = 0.01;   // window units
constexpr double MassRadius = 0.04;     // window units
constexpr int DiscSegments = 100;       // corners of the polygon that stands for a disc
constexpr double Pi = 3.1415926536;     // the value the disc's angle step has always used

const float SpringColor[4] = {1.0f, 0.0f, 0.0f, 0.0f};

} // namespace

// Five groups of three, (1, a, 0), (0, 1, a), (a, 0, 1) for a = 0, 0.2, ..., 0.8, then two more;
// mass 1 shares the springs' red.
const float MassColor[SimulationState::MassCapacity][4] = {
    {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.2f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.2f, 0.0f}, {0.2f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.4f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.4f, 0.0f}, {0.4f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.6f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.6f, 0.0f}, {0.6f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.8f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.8f, 0.0f}, {0.8f, 0.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 0.2f, 0.0f}, {0.2f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.2f, 1.0f, 0.0f},
};

void drawLine(const Point2* a, const Point2* b, const float* colour) {
    glDisable(GL_LIGHTING);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_LINES);
    glVertex2d(a->x, a->y);
    glVertex2d(b->x, b->y);
    glEnd();
    glEnable(GL_LIGHTING);
}

void drawDisc(const Point2* centre, double radius, const float* colour) {
    const double angleStep = 2.0 * Pi / DiscSegments;
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(centre->x, centre->y, 0.0);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_POLYGON);
    for (int k = 0; k < DiscSegments; ++k) {
        glVertex2d(radius * std::cos(k * angleStep), radius * std::sin(k * angleStep));
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Without a depth test the order decides what covers what: springs lie under the ends and the
// masses, and a mass covers its lower-numbered neighbour. The x positions advance by repeated
// addition of dx, in the springs and the masses alike.
void drawChain(const Point2* leftEnd, double scale, int n, const double* y) {
    const double dx = (ChainRightEndX - leftEnd->x) / (n + 1);
    const Point2 rightEnd = {ChainRightEndX, leftEnd->y};

    Point2 p = *leftEnd;
    for (int i = 0; i < n; ++i) {
        const Point2 next = {p.x + dx, leftEnd->y + scale * y[i]};
        drawLine(&p, &next, SpringColor);
        p = next;
    }
    drawLine(&p, &rightEnd, SpringColor);

    drawDisc(leftEnd, AnchorRadius, SpringColor);
    drawDisc(&rightEnd, AnchorRadius, SpringColor);

    double x = leftEnd->x;
    for (int i = 0; i < n; ++i) {
        x += dx;
        const Point2 centre = {x, leftEnd->y + scale * y[i]};
        drawDisc(&centre, MassRadius, MassColor[i]);
    }
}
