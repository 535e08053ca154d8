#include "render/pixel_drawing.h"

#include <cmath>

#include "render/render.h"
#include "render/window_system.h"

namespace {

// Corners of a disc in pixels: enough that a disc of a few pixels looks round.
constexpr int DiscCorners = 24;
constexpr double Pi = 3.14159265358979323846;

struct UnitCircle {
    double cosine[DiscCorners];
    double sine[DiscCorners];
    UnitCircle() {
        for (int k = 0; k < DiscCorners; ++k) {
            cosine[k] = std::cos(2.0 * Pi * k / DiscCorners);
            sine[k] = std::sin(2.0 * Pi * k / DiscCorners);
        }
    }
};

const UnitCircle Circle;

void lines(const TextGrid& g, Shape shape, const double* xs, const double* ys, int count,
           float lineWidth, const float* colour) {
    lightingOff();
    setColour(colour);
    setLineWidth(lineWidth);
    beginShape(shape);
    for (int k = 0; k < count; ++k) {
        vertex(g.windowX(xs[k]), g.windowY(ys[k]));
    }
    endShape();
    lightingOn();
}

} // namespace

TextGrid textGrid() {
    TextGrid g = {0.0, 0.0};
    textPixels(&g.width, &g.height);
    return g;
}

const float Ink[4] = {0.04f, 0.04f, 0.04f, 0.0f};

double lineHeight(void* font) {
    return fontHeight(font) + 2.0;
}

void fillBox(const TextGrid& g, double left, double bottom, double right, double top,
             const float* colour) {
    lightingOff();
    setColour(colour);
    beginShape(Shape::TriangleStrip);
    vertex(g.windowX(left), g.windowY(bottom));
    vertex(g.windowX(right), g.windowY(bottom));
    vertex(g.windowX(left), g.windowY(top));
    vertex(g.windowX(right), g.windowY(top));
    endShape();
    lightingOn();
}

void drawPixelLine(const TextGrid& g, const double* xs, const double* ys, int count,
                   float lineWidth, const float* colour) {
    if (count >= 2) {
        lines(g, Shape::LineStrip, xs, ys, count, lineWidth, colour);
    }
}

void drawPixelSegments(const TextGrid& g, const double* xs, const double* ys, int count,
                       float lineWidth, const float* colour) {
    if (count >= 2) {
        lines(g, Shape::Lines, xs, ys, count - count % 2, lineWidth, colour);
    }
}

// Each disc a fan of triangles about its centre, all discs in one primitive.
void fillPixelDiscs(const TextGrid& g, const double* xs, const double* ys, int count, double radius,
                    const float* colour) {
    if (count < 1) {
        return;
    }
    lightingOff();
    setColour(colour);
    beginShape(Shape::Triangles);
    for (int d = 0; d < count; ++d) {
        const double cx = g.windowX(xs[d]);
        const double cy = g.windowY(ys[d]);
        const double rx = radius / g.width * 2.0;
        const double ry = radius / g.height * 2.0;
        for (int k = 0; k < DiscCorners; ++k) {
            const int next = (k + 1) % DiscCorners;
            vertex(cx, cy);
            vertex(cx + rx * Circle.cosine[k], cy + ry * Circle.sine[k]);
            vertex(cx + rx * Circle.cosine[next], cy + ry * Circle.sine[next]);
        }
    }
    endShape();
    lightingOn();
}

void writeAt(const TextGrid& g, double x, double y, void* font, const float* colour,
             const char* text) {
    drawColouredText(static_cast<float>(g.windowX(x)), static_cast<float>(g.windowY(y)), font,
                     colour, text);
}
