// The dynamic matrix and the determinant-and-inverse routine, against values worked by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "chain_fixture.h"
#include "modal/chain_spectrum.h"
#include "modal/dynamic_matrix.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

void expectMatrix2(const double* a, int stride, double a00, double a01, double a10, double a11) {
    EXPECT_DOUBLE_EQ(a[0], a00);
    EXPECT_DOUBLE_EQ(a[1], a01);
    EXPECT_DOUBLE_EQ(a[stride], a10);
    EXPECT_DOUBLE_EQ(a[stride + 1], a11);
}

TEST(DynamicMatrix, StiffnessAtZeroAndMassTermOnTheDiagonal) {
    loadChain({{1, 1, 1}, {100, 100, 100, 100}});
    AssembleDynamicMatrix(Entries.chain, 0.0);
    const double expected[3][3] = {{200, -100, 0}, {-100, 200, -100}, {0, -100, 200}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(DynamicMatrix[i][j], expected[i][j]) << i << "," << j;
        }
    }
    loadChain({{1, 2}, {10, 20, 30}});
    AssembleDynamicMatrix(Entries.chain, 5.0);
    expectMatrix2(&DynamicMatrix[0][0], MassCapacity, 25, -20, -20, 40);
}

TEST(DynamicMatrix, ReassemblyClearsTheBlockAndLeavesTheRestAlone) {
    loadChain({{1, 2}, {10, 20, 30}});
    for (auto& row : DynamicMatrix) {
        for (double& v : row) {
            v = 7.0;
        }
    }
    AssembleDynamicMatrix(Entries.chain, 5.0);
    DeterminantAndInverse(2, &DynamicMatrix[0][0], MassCapacity); // leaves the inverse behind
    AssembleDynamicMatrix(Entries.chain, 5.0);
    expectMatrix2(&DynamicMatrix[0][0], MassCapacity, 25, -20, -20, 40);
    EXPECT_EQ(DynamicMatrix[0][2], 7.0);
    EXPECT_EQ(DynamicMatrix[2][0], 7.0);

    loadChain({{4}, {1, 2}});
    DynamicMatrix[0][1] = 7.0;
    AssembleDynamicMatrix(Entries.chain, 0.5);
    EXPECT_EQ(DynamicMatrix[0][0], 1.0); // K1 + K2 - lambda m1
    EXPECT_EQ(DynamicMatrix[0][1], 7.0) << "one mass has no neighbour to write";
}

TEST(Determinant, EmptyAndScalarMatrices) {
    EXPECT_EQ(DeterminantAndInverse(0, nullptr, 0), 1.0);
    double a = -4.0;
    EXPECT_EQ(DeterminantAndInverse(1, &a, 1), -4.0);
    EXPECT_EQ(a, -0.25);
}

TEST(Determinant, PivotOrderSetsTheSign) {
    double swap[4] = {0, 1, 1, 0};
    EXPECT_EQ(DeterminantAndInverse(2, swap, 2), -1.0);
    expectMatrix2(swap, 2, 0, 1, 1, 0);

    double a[4] = {2, 1, 1, 3};
    EXPECT_DOUBLE_EQ(DeterminantAndInverse(2, a, 2), 5.0);
    expectMatrix2(a, 2, 0.6, -0.2, -0.2, 0.4);

    double b[4] = {1, 3, 2, 1};
    EXPECT_DOUBLE_EQ(DeterminantAndInverse(2, b, 2), -5.0);
    expectMatrix2(b, 2, -0.2, 0.6, 0.4, -0.2);
}

TEST(Determinant, SingularAndThresholdMatricesAreLeftUnchanged) {
    double singular[4] = {1, 2, 2, 4};
    const double det = DeterminantAndInverse(2, singular, 2);
    EXPECT_EQ(det, 0.0);
    EXPECT_TRUE(std::signbit(det)); // the second row pivots first, the last pivot is -0
    expectMatrix2(singular, 2, 1, 2, 2, 4);

    double tiny = 1e-06;
    EXPECT_EQ(DeterminantAndInverse(1, &tiny, 1), 1e-06);
    EXPECT_EQ(tiny, 1e-06);

    double diagonal[4] = {0.001, 0, 0, 0.001};
    DeterminantAndInverse(2, diagonal, 2);
    expectMatrix2(diagonal, 2, 0.001, 0, 0, 0.001);
}

TEST(Determinant, InvertsABlockInsideAWiderArray) {
    double a[3 * 21];
    for (double& v : a) {
        v = 9.0;
    }
    const double block[3][3] = {{4, -1, 0}, {-1, 4, -1}, {0, -1, 4}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            a[i * 21 + j] = block[i][j];
        }
    }
    EXPECT_DOUBLE_EQ(DeterminantAndInverse(3, a, 21), 56.0);
    // The inverse times the block is the identity.
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double s = 0.0;
            for (int k = 0; k < 3; ++k) {
                s += a[i * 21 + k] * block[k][j];
            }
            EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-15);
        }
        for (int j = 3; j < 21; ++j) {
            EXPECT_EQ(a[i * 21 + j], 9.0);
        }
    }
}

// The search's determinant of the chain is the dense routine's number, bit for bit, whatever
// pivot order the elimination takes (one spring in ten is 0, which makes exact zeros and ties).
TEST(Determinant, ChainDeterminantIsTheDenseOneBitForBit) {
    unsigned long long seed = 3;
    const ChainRanges ranges = {1, 20, 0.1, 10.0, 0.01, 100.0, 0.1};
    for (int trial = 0; trial < 5000; ++trial) {
        loadChain(randomChain(&seed, ranges));
        const double lambda = std::pow(10.0, -3.0 + 6.0 * uniform01(&seed));
        AssembleDynamicMatrix(Entries.chain, lambda);
        const double dense =
            DeterminantAndInverse(Entries.chain.nfree, &DynamicMatrix[0][0], MassCapacity);
        const double banded = chainDeterminant(Entries.chain, lambda);
        ASSERT_TRUE(dense == banded || (std::isnan(dense) && std::isnan(banded)))
            << "trial " << trial << ": " << dense << " against " << banded;
    }
}

} // namespace
