#include "render/chain_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Springs are drawn up to 2 pixels wide: a box keeps this far clear of a spring's middle line.
constexpr double SpringClearance = 1.5; // text pixels

// A disc is an ellipse in text pixels where the window is not square: scaled to a unit circle,
// the box's nearest point to its centre decides.
bool boxTouchesDisc(const LabelBox& box, const ChainFootprint::Disc& d) {
    const double nx = (std::clamp(d.x, box.left, box.right) - d.x) / d.rx;
    const double ny = (std::clamp(d.y, box.bottom, box.top) - d.y) / d.ry;
    return nx * nx + ny * ny < 1.0;
}

// Liang and Barsky's clipping: the part of the segment a + t (b - a), 0 <= t <= 1, inside the
// box is not empty.
bool segmentCrossesBox(double ax, double ay, double bx, double by, const LabelBox& box) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - box.left, box.right - ax, ay - box.bottom, box.top - ay};
    double low = 0.0;
    double high = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) {
                return false;
            }
        } else if (p[k] < 0.0) {
            low = std::max(low, q[k] / p[k]);
        } else {
            high = std::min(high, q[k] / p[k]);
        }
    }
    return low <= high;
}

bool boxTouchesSpring(const LabelBox& box, const ChainFootprint::Segment& s) {
    const LabelBox widened = {box.left - SpringClearance, box.bottom - SpringClearance,
                              box.right + SpringClearance, box.top + SpringClearance};
    return segmentCrossesBox(s.ax, s.ay, s.bx, s.by, widened);
}

} // namespace

void massCentres(const ChainPicture& chain, Point2* centres) {
    const double dx = (ChainRightEndX - chain.leftEnd.x) / (chain.masses + 1);
    double x = chain.leftEnd.x;
    for (int i = 0; i < chain.masses; ++i) {
        x += dx;
        centres[i] = {x, chain.leftEnd.y + chain.scale * chain.displacements[i]};
    }
}

void chainFootprint(const ChainPicture& chain, double width, double height, ChainFootprint* out) {
    const auto x = [width](double windowX) { return (windowX + 1.0) / 2.0 * width; };
    const auto y = [height](double windowY) { return (windowY + 1.0) / 2.0 * height; };
    const auto disc = [&](const Point2& c, double r) {
        return ChainFootprint::Disc{x(c.x), y(c.y), r / 2.0 * width, r / 2.0 * height};
    };
    Point2 centres[MassCapacity];
    massCentres(chain, centres);
    const Point2 rightEnd = {ChainRightEndX, chain.leftEnd.y};
    out->discCount = 0;
    out->springCount = 0;
    out->discs[out->discCount++] = disc(chain.leftEnd, AnchorRadius);
    out->discs[out->discCount++] = disc(rightEnd, AnchorRadius);
    for (int i = 0; i <= chain.masses; ++i) {
        const Point2& from = i > 0 ? centres[i - 1] : chain.leftEnd;
        const Point2& to = i < chain.masses ? centres[i] : rightEnd;
        if (chain.springs[i] != 0.0) {
            out->springs[out->springCount++] = {x(from.x), y(from.y), x(to.x), y(to.y)};
        }
        if (i < chain.masses) {
            out->discs[out->discCount++] = disc(centres[i], MassRadius);
        }
    }
}

bool chainCovers(const ChainFootprint& chain, const LabelBox& box) {
    for (int k = 0; k < chain.discCount; ++k) {
        if (boxTouchesDisc(box, chain.discs[k])) {
            return true;
        }
    }
    for (int k = 0; k < chain.springCount; ++k) {
        if (boxTouchesSpring(box, chain.springs[k])) {
            return true;
        }
    }
    return false;
}
