#pragma once
// Pieces shared by the autoregressive estimators: the forecast of a fitted
// model and the spectrum of its prediction-error filter
//   A(z) = 1 + sum_{m=1..p} a_m z^-m.

#include <complex>

#include "core/signal_store.h"

namespace vorenta {

// Number of samples the AR methods forecast past the segment.
inline constexpr int kArForecastLength = 101;

// filter[0] = 1, filter[m] = a_m (m = 1 .. order). Writes
//   x_n := -sum_{m=1..order} a_m * x_{n-m},  n = length .. length + 100,
// into segment[n], each new value feeding the following ones, but only while
// n < capacity (a segment near the end of SampleBuffer gets a shorter
// forecast, a full one none). Requires order < length.
void ForecastArModel(ComplexSample* segment, int capacity, int length, const std::complex<double>* filter, int order);

// output[k] := gain / max(|Â_k|, 1e-15), k = 0 .. spectrumLength-1, where Â
// is the unitary FFT (numeric/fft.h) of (filter[0 .. order], 0, ..., 0) of
// length spectrumLength, i.e. A(e^{2*pi*i*k/L}) / sqrt(L). The values are
// amplitudes (1/|A|), so 20*log10 of them is the power spectrum in dB.
// Index k is the normalised frequency k/L, negative frequencies from L/2 on.
// Allocates two arrays of spectrumLength doubles. Returns the FFT's failure
// code (0 for every length it accepts); on failure output is untouched.
// Requires order < spectrumLength.
int PredictionErrorSpectrum(const std::complex<double>* filter, int order, double gain, double* output,
                            int spectrumLength);

}  // namespace vorenta
