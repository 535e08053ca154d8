#include "render/label_places.h"

#include "model/capacities.h"

namespace {

// A label per disc and per curve end, and a few to spare.
constexpr int MaxLabels = 2 * MassCapacity + 8;

// Numbers closer than this read as one number ("12" beside "15" as "1215").
constexpr double LabelSpacing = 2.0; // text pixels

LabelBox Placed[MaxLabels];
int PlacedCount = 0;

bool tooClose(const LabelBox& a, const LabelBox& b) {
    return a.left < b.right + LabelSpacing && b.left < a.right + LabelSpacing &&
           a.bottom < b.top + LabelSpacing && b.bottom < a.top + LabelSpacing;
}

bool fits(const LabelBox& box, double width, double height) {
    if (box.left < 0.0 || box.bottom < 0.0 || box.right > width || box.top > height) {
        return false;
    }
    for (int i = 0; i < PlacedCount; ++i) {
        if (tooClose(box, Placed[i])) {
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
