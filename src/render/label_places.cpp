#include "render/label_places.h"

#include "model/capacities.h"

namespace {

// A label per disc and per curve end, and a few to spare.
constexpr int MaxLabels = 2 * MassCapacity + 8;

LabelBox Placed[MaxLabels];
int PlacedCount = 0;

bool overlap(const LabelBox& a, const LabelBox& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

bool fits(const LabelBox& box, double width, double height) {
    if (box.left < 0.0 || box.bottom < 0.0 || box.right > width || box.top > height) {
        return false;
    }
    for (int i = 0; i < PlacedCount; ++i) {
        if (overlap(box, Placed[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

void clearLabels() {
    PlacedCount = 0;
}

int placeLabel(const LabelBox* candidates, int count, double width, double height) {
    if (PlacedCount == MaxLabels) {
        return -1;
    }
    for (int k = 0; k < count; ++k) {
        if (fits(candidates[k], width, height)) {
            Placed[PlacedCount++] = candidates[k];
            return k;
        }
    }
    return -1;
}
