#include "analysis/spectrum.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// KissFFT's set-up and Hann's window for one length, kept while the length stays: a spectrum is
// taken of every drawn curve at every frame while the record grows.
kiss_fftr_cfg Setup = nullptr;
int SetupLength = 0;
std::vector<double> Window;
std::vector<float> Windowed;
std::vector<kiss_fft_cpx> Bins;

bool onlyTwoThreeFive(int n) {
    for (int factor : {2, 3, 5}) {
        while (n % factor == 0) {
            n /= factor;
        }
    }
    return n == 1;
}

void prepare(int length) {
    if (length == SetupLength) {
        return;
    }
    kiss_fftr_free(Setup);
    Setup = kiss_fftr_alloc(length, 0, nullptr, nullptr);
    SetupLength = length;
    Window.resize(static_cast<std::size_t>(length));
    for (int n = 0; n < length; ++n) {
        Window[static_cast<std::size_t>(n)] = 0.5 - 0.5 * std::cos(2.0 * Pi * n / length);
    }
    Windowed.resize(static_cast<std::size_t>(length));
    Bins.resize(static_cast<std::size_t>(length / 2 + 1));
}

} // namespace

int spectrumLength(int held, int longest) {
    for (int n = std::min(held, longest) & ~1; n >= 2; n -= 2) {
        if (onlyTwoThreeFive(n)) {
            return n;
        }
    }
    return 0;
}

// KissFFT here is single precision (Debian's build): the samples are taken relative to the largest
// of them, so that no displacement a student types is lost to the float's range, and scaled back.
// The periodic Hann window sums to length / 2, so a sinusoid of amplitude A at a bin's frequency
// gives |X_k| = A length / 4; the bins at 0 and at length/2 hold no conjugate twin.
void amplitudeSpectrum(const double* samples, int length, double* amplitudes) {
    prepare(length);
    double largest = 0.0;
    for (int n = 0; n < length; ++n) {
        largest = std::max(largest, std::fabs(samples[n]));
    }
    const double unit = largest > 0.0 ? largest : 1.0;
    for (int n = 0; n < length; ++n) {
        const std::size_t i = static_cast<std::size_t>(n);
        Windowed[i] = static_cast<float>(Window[i] * samples[n] / unit);
    }
    kiss_fftr(Setup, Windowed.data(), Bins.data());
    for (int k = 0; k <= length / 2; ++k) {
        const double re = Bins[static_cast<std::size_t>(k)].r;
        const double im = Bins[static_cast<std::size_t>(k)].i;
        const double scale = (k == 0 || 2 * k == length) ? 2.0 / length : 4.0 / length;
        amplitudes[k] = scale * unit * std::sqrt(re * re + im * im);
    }
}
