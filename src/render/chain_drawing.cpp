#include <cmath>

#include "render/chain_layout.h"
#include "render/mass_colours.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr int DiscSegments = 100;   // corners of the polygon that stands for a disc
constexpr double Pi = 3.1415926536; // the value the disc's angle step has always used

const float SpringColor[4] = {1.0f, 0.0f, 0.0f, 0.0f};

} // namespace

// Five groups of three, (1, a, 0), (0, 1, a), (a, 0, 1) for a = 0, 0.2, ..., 0.8, then two more;
// mass 1 shares the springs' red.
const float MassColor[MassCapacity][4] = {
    {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.2f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.2f, 0.0f}, {0.2f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.4f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.4f, 0.0f}, {0.4f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.6f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.6f, 0.0f}, {0.6f, 0.0f, 1.0f, 0.0f},
    {1.0f, 0.8f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.8f, 0.0f}, {0.8f, 0.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 0.2f, 0.0f}, {0.2f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.2f, 1.0f, 0.0f},
};

namespace {

// cos and sin of the corners' angles k * 2 pi / DiscSegments, the same values for every disc.
struct UnitCircle {
    double cosine[DiscSegments];
    double sine[DiscSegments];
    UnitCircle() {
        const double angleStep = 2.0 * Pi / DiscSegments;
        for (int k = 0; k < DiscSegments; ++k) {
            cosine[k] = std::cos(k * angleStep);
            sine[k] = std::sin(k * angleStep);
        }
    }
};

const UnitCircle Circle;

// A filled polygon of DiscSegments corners, counter-clockwise from the point right of the centre,
// drawn about the centre. Lighting is left as the caller set it.
void fillDisc(const Point2* centre, double radius, const float* colour) {
    moveOrigin(centre->x, centre->y);
    setColour(colour);
    beginShape(Shape::TriangleStrip);
    vertex(radius * Circle.cosine[0], radius * Circle.sine[0]);
    for (int low = 1, high = DiscSegments - 1; low <= high; ++low, --high) {
        vertex(radius * Circle.cosine[low], radius * Circle.sine[low]);
        if (high != low) {
            vertex(radius * Circle.cosine[high], radius * Circle.sine[high]);
        }
    }
    endShape();
    restoreOrigin();
}

} // namespace

// Without a depth test the order decides what covers what: springs lie under the ends and the
// masses, and a mass covers its lower-numbered neighbour. The x positions advance by repeated
// addition of dx, in the springs and the masses alike (massCentres). Springs inherit the line
// width; they go to GL as one primitive of separate segments, and lighting stays off for the
// whole chain, which draws the same pixels as switching it for every part at a fraction of the
// cost. A spring of 0 N/m joins nothing, so it is not drawn: a cut chain or a free end looks as
// it moves.
void drawChain(const Point2* leftEnd, double scale, int n, const double* y, const double* springs) {
    Point2 centres[MassCapacity];
    massCentres({*leftEnd, scale, n, y, springs}, centres);
    const Point2 rightEnd = {ChainRightEndX, leftEnd->y};

    lightingOff();
    setColour(SpringColor);
    beginShape(Shape::Lines);
    for (int i = 0; i <= n; ++i) {
        const Point2& from = i > 0 ? centres[i - 1] : *leftEnd;
        const Point2& to = i < n ? centres[i] : rightEnd;
        if (springs[i] != 0.0) {
            vertex(from.x, from.y);
            vertex(to.x, to.y);
        }
    }
    endShape();

    fillDisc(leftEnd, AnchorRadius, SpringColor);
    fillDisc(&rightEnd, AnchorRadius, SpringColor);
    for (int i = 0; i < n; ++i) {
        fillDisc(&centres[i], MassRadius, MassColor[i]);
    }
    lightingOn();
}
