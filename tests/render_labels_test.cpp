// Where the masses' numbers go: never over one another, never outside the window.
#include <gtest/gtest.h>

#include <vector>

#include "render/label_places.h"

namespace {

bool overlap(const LabelBox& a, const LabelBox& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// Twenty discs 9.3 pixels apart on one line of a 400-pixel window (twenty masses at rest), their
// 14-pixel numbers asked above, else below: they alternate, and none covers another.
TEST(LabelPlaces, CrowdedNumbersAlternateAndNeverOverlap) {
    clearLabels();
    std::vector<LabelBox> placed;
    int below = 0;
    for (int i = 0; i < 20; ++i) {
        const double x = 202.0 + (i + 1) * 9.3;
        const LabelBox places[2] = {{x - 7, 210, x + 7, 219}, {x - 7, 181, x + 7, 190}};
        const int taken = placeLabel(places, 2, 400, 400);
        if (taken >= 0) {
            placed.push_back(places[taken]);
            below += taken;
        }
    }
    EXPECT_EQ(placed.size(), 20u);
    EXPECT_EQ(below, 10);
    for (std::size_t a = 0; a < placed.size(); ++a) {
        for (std::size_t b = a + 1; b < placed.size(); ++b) {
            EXPECT_FALSE(overlap(placed[a], placed[b])) << a << " and " << b;
        }
    }
}

TEST(LabelPlaces, OutsideTheWindowOrOverAnotherIsLeftOut) {
    clearLabels();
    const LabelBox off[1] = {{395, 10, 409, 19}};
    EXPECT_EQ(placeLabel(off, 1, 400, 400), -1);
    const LabelBox first[1] = {{100, 100, 114, 109}};
    EXPECT_EQ(placeLabel(first, 1, 400, 400), 0);
    EXPECT_EQ(placeLabel(first, 1, 400, 400), -1) << "the same place twice";
    clearLabels();
    EXPECT_EQ(placeLabel(first, 1, 400, 400), 0) << "a new frame starts afresh";
}

} // namespace
