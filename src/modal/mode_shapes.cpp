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

// A pivot within rounding of zero is moved to the rounding level of its own row, which disturbs
// the vector no more than the rounding of lambda itself does. The level is the row's, not the
// block's: masses and springs may differ by nine decades along one chain, and a light row's true
// pivot lies far below the rounding of a heavy one.
double rowScale(int i, double lambda) {
    return std::fabs(diagonal(i, lambda)) + K[i] + K[i + 1];
}

double guarded(double pivot, int i, double lambda) {
    const double tiny = std::fmax(DBL_EPSILON * rowScale(i, lambda), DBL_MIN);
    if (std::fabs(pivot) < tiny) {
        return pivot < 0.0 ? -tiny : tiny;
    }
    return pivot;
}

// The twisted factorisation of the block's K - lambda M: pivots of L D L^T from the top (top[i])
// and of U D U^T from the bottom (bottom[i]), and the twist pivot gamma of every mass.
struct Twisted {
    double top[MassCapacity];
    double bottom[MassCapacity];
    double gamma[MassCapacity];
};

// The pivots as the matrix holds them: top[i] = d_i - K_i^2 / top[i-1] with d_i the diagonal.
void factorFromDiagonal(Block b, double lambda, Twisted* t) {
    const int first = b.first;
    const int last = b.first + b.count - 1;
    t->top[first] = guarded(diagonal(first, lambda), first, lambda);
    for (int i = first + 1; i <= last; ++i) {
        t->top[i] = guarded(diagonal(i, lambda) - K[i] * K[i] / t->top[i - 1], i, lambda);
    }
    t->bottom[last] = guarded(diagonal(last, lambda), last, lambda);
    for (int i = last - 1; i >= first; --i) {
        t->bottom[i] =
            guarded(diagonal(i, lambda) - K[i + 1] * K[i + 1] / t->bottom[i + 1], i, lambda);
    }
    for (int i = first; i <= last; ++i) {
        double gamma = diagonal(i, lambda);
        if (i > first) {
            gamma -= K[i] * K[i] / t->top[i - 1];
        }
        if (i < last) {
            gamma -= K[i + 1] * K[i + 1] / t->bottom[i + 1];
        }
        t->gamma[i] = gamma;
    }
}

// The same pivots from the forces the springs carry, never adding a soft spring to a stiff one.
// Sweeping from the left, rho_i = f_i / x_i is the force of spring i per unit displacement of mass
// i (K_first at the wall), s_i = rho_i - lambda m_i what is left of it past mass i, and then
// top[i] = K_(i+1) + s_i and rho_(i+1) = K_(i+1) s_i / top[i]; the sweep from the right mirrors
// it, and gamma_i = s_i + sigma_i. In the diagonal's form d_i = K_i + K_(i+1) - lambda m_i a soft
// spring beside a stiff one is lost to rounding, and with it every mode that stretches only it.
void factorFromForces(Block b, double lambda, Twisted* t) {
    const int first = b.first;
    const int last = b.first + b.count - 1;
    double left[MassCapacity]; // s_i
    double rho = K[first];
    for (int i = first; i <= last; ++i) {
        left[i] = rho - lambda * m[i];
        t->top[i] = guarded(K[i + 1] + left[i], i, lambda);
        rho = K[i + 1] * (left[i] / t->top[i]);
    }
    double sigma = K[last + 1];
    for (int i = last; i >= first; --i) {
        t->gamma[i] = left[i] + sigma;
        const double right = sigma - lambda * m[i];
        t->bottom[i] = guarded(K[i] + right, i, lambda);
        sigma = K[i] * (right / t->bottom[i]);
    }
}

// The null vector of the block's K - lambda M from its twisted factorisation: the mass r where the
// mode is least constrained is held at 1 and every other amplitude follows as a product of ratios
// outward from r. Its precision does not rest on any one mass moving much, as a solve with a fixed
// end mass would. The twist pivot gamma_r is the residual of that vector in row r; divided by m_r
// it is the residual of the symmetric problem M^-1/2 K M^-1/2 - lambda I, which is what makes the
// mass with the smallest one the right place to hold, whatever the masses are.
void blockNullVector(Block b, double lambda, double* x) {
    const int first = b.first;
    const int last = b.first + b.count - 1;
    Twisted t;
    if (SpringsContrast(b.first, b.count)) {
        factorFromForces(b, lambda, &t);
    } else {
        factorFromDiagonal(b, lambda, &t);
    }

    int twist = first;
    double smallest = INFINITY;
    for (int i = first; i <= last; ++i) {
        if (std::fabs(t.gamma[i]) / m[i] < smallest) {
            smallest = std::fabs(t.gamma[i]) / m[i];
            twist = i;
        }
    }

    x[twist] = 1.0;
    for (int i = twist - 1; i >= first; --i) {
        x[i] = K[i + 1] / t.top[i] * x[i + 1];
    }
    for (int i = twist + 1; i <= last; ++i) {
        x[i] = K[i] / t.bottom[i] * x[i - 1];
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

// Mass 1 is the reference of every mode in which it moves. Where it rests, or moves by less than
// RestFraction of the largest amplitude (a nearly cut spring), the first mass that moves by more
// takes its place: then no printed amplitude exceeds 1 / RestFraction, and a start from the mode
// stays inside the displacements the dialogue accepts.
int referenceMass(const double* row) {
    constexpr double RestFraction = 1e-6; // of the largest amplitude
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
