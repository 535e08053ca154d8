// The amplitude spectrum of a record of samples taken at equal intervals: a Hann window, a real
// FFT (KissFFT), scaled so that a sinusoid of amplitude A at a bin's frequency reads A.
#pragma once

// The transform's length for `held` samples: the largest even number made of the factors 2, 3
// and 5 alone (which KissFFT transforms fast) not above `held`, and at most `longest`; 0 below
// two samples. The spectrum is of that many newest samples: it sharpens as the record grows.
int spectrumLength(int held, int longest);

// Amplitudes of bins 0 ... length/2 of `samples` (`length` of them, oldest first), in the
// samples' unit; bin k lies at k / (length * interval) cycles per the interval's unit. The window
// is Hann's periodic one, w[n] = 0.5 - 0.5 cos(2 pi n / length).
void amplitudeSpectrum(const double* samples, int length, double* amplitudes);
