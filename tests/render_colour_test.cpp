// The mass colour table that pairs each mass's disc with its response curve.
#include <gtest/gtest.h>

#include "render/mass_colours.h"
#include "render/render.h"

namespace {

TEST(MassColor, FiveGroupsOfThreeThenTwoMore) {
    const float steps[5] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f};
    for (int group = 0; group < 5; ++group) {
        const float a = steps[group];
        const float expected[3][4] = {{1, a, 0, 0}, {0, 1, a, 0}, {a, 0, 1, 0}};
        for (int k = 0; k < 3; ++k) {
            for (int c = 0; c < 4; ++c) {
                EXPECT_EQ(MassColor[3 * group + k][c], expected[k][c]) << 3 * group + k;
            }
        }
    }
    const float rest[6][4] = {{1, 1, 0, 0},    {0, 1, 1, 0},    {1, 0, 1, 0},
                              {1, 1, 0.2f, 0}, {0.2f, 1, 1, 0}, {1, 0.2f, 1, 0}};
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(MassColor[15 + k][c], rest[k][c]) << 15 + k;
        }
    }
}

} // namespace
