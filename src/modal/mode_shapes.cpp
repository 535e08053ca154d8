#include <algorithm>
#include <cmath>

#include "modal/chain_pivots.h"
#include "modal/chain_spectrum.h"
#include "modal/close_modes.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

namespace {

// Squared frequencies closer together than this (relative) leave a double's null vectors mixed:
// their modes are formed in Quad.
constexpr double CloseFraction = 1e-8;

// A zero spring between two masses cuts the chain into blocks that vibrate independently; every
// mode moves the masses of one block only.
struct Block {
    int first;
    int count;
};

// A mode of the chain: its squared frequency (1/s^2) and its amplitudes relative to the largest.
struct Mode {
    Extended lambda;
    double row[MassCapacity];
};

int findBlocks(const MassSpringChain& chain, Block* blocks) {
    int nblocks = 0;
    int first = 0;
    for (int i = 1; i <= chain.nfree; ++i) {
        if (i == chain.nfree || chain.K[i] == 0.0) {
            blocks[nblocks++] = {first, i - first};
            first = i;
        }
    }
    return nblocks;
}

// Amplitudes are kept relative to the largest one until the row is scaled to its reference mass.
template <class T> void storeRelative(Block b, int masses, const T* x, double* row) {
    T largest = 0;
    for (int i = b.first; i < b.first + b.count; ++i) {
        largest = larger(largest, magnitude(x[i]));
    }
    for (int i = 0; i < masses; ++i) {
        row[i] = 0.0;
    }
    for (int i = b.first; i < b.first + b.count; ++i) {
        row[i] = static_cast<double>(x[i] / largest);
    }
}

// The null vector of the block's K - lambda M from its twisted factorisation, held at the mass
// where the mode is least constrained.
template <class T> void singleMode(const MassSpringChain& masses, Block b, T lambda, double* row) {
    const ChainIn<T> chain(masses);
    TwistedPivots<T> t;
    twistedFactorisation(chain, b.first, b.count, lambda, springsContrast(masses, b.first, b.count),
                         &t);
    T x[MassCapacity];
    twistedVector(chain, b.first, b.count, t, bestTwist(chain, b.first, b.count, t), x);
    storeRelative(b, masses.nfree, x, row);
}

bool closeTogether(Extended lower, Extended upper) {
    return upper - lower < CloseFraction * upper;
}

// Every mode of one block, ascending; frequencies a double cannot tell apart go to closeModes
// together.
int blockModes(const MassSpringChain& chain, Block b, bool wide, Mode* modes) {
    Extended lambda[MassCapacity];
    for (int j = 0; j < b.count; ++j) {
        lambda[j] = blockEigenvalue(chain, b.first, b.count, j);
        modes[j].lambda = lambda[j];
    }
    for (int j = 0; j < b.count;) {
        int c = 1;
        while (j + c < b.count && closeTogether(lambda[j + c - 1], lambda[j + c])) {
            ++c;
        }
        if (c > 1) {
            double rows[MassCapacity][MassCapacity];
            closeModes(chain, b.first, b.count, j, c, lambda + j, rows);
            for (int r = 0; r < c; ++r) {
                std::copy(rows[r], rows[r] + MassCapacity, modes[j + r].row);
            }
        } else if (wide) {
            singleMode<Extended>(chain, b, lambda[j], modes[j].row);
        } else {
            singleMode<double>(chain, b, static_cast<double>(lambda[j]), modes[j].row);
        }
        j += c;
    }
    return b.count;
}

// Every mode of every block, ascending over the whole chain; equal frequencies keep block order.
void collectModes(const MassSpringChain& chain, Mode* modes) {
    Block blocks[MassCapacity];
    const int nblocks = findBlocks(chain, blocks);
    const bool wide = chainNeedsWideRange(chain);
    int count = 0;
    for (int b = 0; b < nblocks; ++b) {
        Mode found[MassCapacity];
        const int n = blockModes(chain, blocks[b], wide, found);
        for (int j = 0; j < n; ++j) {
            int at = count++;
            while (at > 0 && modes[at - 1].lambda > found[j].lambda) {
                modes[at] = modes[at - 1];
                --at;
            }
            modes[at] = found[j];
        }
    }
}

// Mass 1 is the reference of every mode in which it moves. Where it rests, or moves by less than
// RestFraction of the largest amplitude (a nearly cut spring), the first mass that moves by more
// takes its place: then no printed amplitude exceeds 1 / RestFraction, and a start from the mode
// stays inside the displacements the dialogue accepts.
int referenceMass(int masses, const double* row) {
    constexpr double RestFraction = 1e-6; // of the largest amplitude
    for (int i = 0; i < masses; ++i) {
        if (std::fabs(row[i]) > RestFraction) {
            return i;
        }
    }
    return 0;
}

void scaleToReference(int masses, double* row, double* maxAmplitude) {
    const int ref = referenceMass(masses, row);
    for (int i = 0; i < masses; ++i) {
        if (i != ref) {
            row[i] = row[i] / row[ref];
        }
    }
    row[ref] = 1.0;
    *maxAmplitude = 0.0;
    for (int i = 0; i < masses; ++i) {
        if (row[i] == 0.0) {
            row[i] = 0.0; // a mass at rest prints as 0.000, never -0.000
        }
        if (std::fabs(row[i]) > *maxAmplitude) {
            *maxAmplitude = std::fabs(row[i]);
        }
    }
}

// Each mode is formed at its squared frequency polished to full precision by bisection (the
// printed frequencies keep the search's digits, PolishedOmega all of them), then scaled so that
// mass 1 moves with amplitude 1.
void computeModes(const MassSpringChain& chain, ModalResults* results) {
    Mode modes[MassCapacity];
    collectModes(chain, modes);
    for (int k = 0; k < chain.nfree; ++k) {
        const Extended lambda = modes[k].lambda > 0 ? modes[k].lambda : 0;
        results->PolishedOmega[k] = static_cast<double>(std::sqrt(lambda));
        std::copy(modes[k].row, modes[k].row + chain.nfree, results->ModeShape[k]);
        scaleToReference(chain.nfree, results->ModeShape[k], &results->ModeMaxAmplitude[k]);
    }
}

} // namespace

void ComputeModeShapes() {
    using SimulationState::Entries;
    computeModes(Entries.chain, &Entries.modes);
}
