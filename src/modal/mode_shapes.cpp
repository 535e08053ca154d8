#include <cfloat>
#include <cmath>

#include "app/simulation_state.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

// A zero spring between two masses cuts the chain into blocks that vibrate independently; every
// mode moves the masses of one block only.
struct Block {
    int first;
    int count;
};

struct Root {
    double lambda; // 1/s^2
    Block block;
};

int findBlocks(Block* blocks) {
    int nblocks = 0;
    int first = 0;
    for (int i = 1; i <= nfree; ++i) {
        if (i == nfree || K[i] == 0.0) {
            blocks[nblocks++] = {first, i - first};
            first = i;
        }
    }
    return nblocks;
}

// Every root of every block, ascending over the whole chain; equal roots keep block order.
void collectRoots(Root* roots) {
    Block blocks[MassCapacity];
    const int nblocks = findBlocks(blocks);
    int count = 0;
    for (int b = 0; b < nblocks; ++b) {
        for (int j = 0; j < blocks[b].count; ++j) {
            const Root root = {BlockEigenvalue(blocks[b].first, blocks[b].count, j), blocks[b]};
            int at = count++;
            while (at > 0 && roots[at - 1].lambda > root.lambda) {
                roots[at] = roots[at - 1];
                --at;
            }
            roots[at] = root;
        }
    }
}

double diagonal(int i, double lambda) {
    return ((-m[i]) * lambda + K[i]) + K[i + 1];
}

// A pivot within rounding of zero is moved to the rounding level of the block, which disturbs the
// vector no more than the rounding of lambda itself does.
double guarded(double pivot, double tiny) {
    if (std::fabs(pivot) < tiny) {
        return pivot < 0.0 ? -tiny : tiny;
    }
    return pivot;
}

// The null vector of the block's K - lambda M by a twisted factorisation: L D L^T from the top and
// U D U^T from the bottom meet at the mass r where the mode is least constrained (the smallest
// twist pivot), the amplitude of r is held at 1 and every other amplitude follows as a product of
// ratios outward from r. Its precision does not rest on any one mass moving much, as a solve with
// a fixed end mass would.
void blockNullVector(Block b, double lambda, double* x) {
    const int first = b.first;
    const int last = b.first + b.count - 1;
    double scale = 0.0;
    for (int i = first; i <= last; ++i) {
        scale = std::fmax(scale, std::fabs(diagonal(i, lambda)) + K[i] + K[i + 1]);
    }
    const double tiny = std::fmax(DBL_EPSILON * scale, DBL_MIN);

    double top[MassCapacity];
    double bottom[MassCapacity];
    top[first] = guarded(diagonal(first, lambda), tiny);
    for (int i = first + 1; i <= last; ++i) {
        top[i] = guarded(diagonal(i, lambda) - K[i] * K[i] / top[i - 1], tiny);
    }
    bottom[last] = guarded(diagonal(last, lambda), tiny);
    for (int i = last - 1; i >= first; --i) {
        bottom[i] = guarded(diagonal(i, lambda) - K[i + 1] * K[i + 1] / bottom[i + 1], tiny);
    }

    int twist = first;
    double smallest = INFINITY;
    for (int i = first; i <= last; ++i) {
        double gamma = diagonal(i, lambda);
        if (i > first) {
            gamma -= K[i] * K[i] / top[i - 1];
        }
        if (i < last) {
            gamma -= K[i + 1] * K[i + 1] / bottom[i + 1];
        }
        if (std::fabs(gamma) < smallest) {
            smallest = std::fabs(gamma);
            twist = i;
        }
    }

    x[twist] = 1.0;
    for (int i = twist - 1; i >= first; --i) {
        x[i] = K[i + 1] / top[i] * x[i + 1];
    }
    for (int i = twist + 1; i <= last; ++i) {
        x[i] = K[i] / bottom[i] * x[i - 1];
    }
}

// Amplitudes are kept relative to the largest one until the row is scaled to its reference mass.
void formShape(const Root& root, double* row) {
    for (int i = 0; i < nfree; ++i) {
        row[i] = 0.0;
    }
    blockNullVector(root.block, root.lambda, row);
    double largest = 0.0;
    for (int i = 0; i < nfree; ++i) {
        largest = std::fmax(largest, std::fabs(row[i]));
    }
    for (int i = 0; i < nfree; ++i) {
        row[i] /= largest;
    }
}

// Mass 1 is the reference of every mode in which it moves. Where a zero spring keeps it at rest,
// the first mass that moves takes its place, so the row stays finite.
int referenceMass(const double* row) {
    // Amplitudes this far below the largest are rounding, not motion.
    constexpr double RestFraction = 1e-150;
    for (int i = 0; i < nfree; ++i) {
        if (std::fabs(row[i]) > RestFraction) {
            return i;
        }
    }
    return 0;
}

void scaleToReference(double* row, double* maxAmplitude) {
    const int ref = referenceMass(row);
    for (int i = 0; i < nfree; ++i) {
        if (i != ref) {
            row[i] = row[i] / row[ref];
        }
    }
    row[ref] = 1.0;
    *maxAmplitude = 0.0;
    for (int i = 0; i < nfree; ++i) {
        if (row[i] == 0.0) {
            row[i] = 0.0; // a mass at rest prints as 0.000, never -0.000
        }
        if (std::fabs(row[i]) > *maxAmplitude) {
            *maxAmplitude = std::fabs(row[i]);
        }
    }
}

} // namespace

// Each mode is formed at its squared frequency polished to full precision by bisection (the
// printed frequencies keep the search's digits), then scaled so that mass 1 moves with amplitude 1.
void ComputeModeShapes() {
    Root roots[MassCapacity];
    collectRoots(roots);
    for (int k = 0; k < nfree; ++k) {
        formShape(roots[k], ModeShape[k]);
    }
    for (int k = 0; k < nfree; ++k) {
        scaleToReference(ModeShape[k], &ModeMaxAmplitude[k]);
    }
}
