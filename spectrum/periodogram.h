#pragma once
// The "Periodogram" method: the magnitude of one 10000-point DFT of the
// selection, zero-padded or cut to 10000 samples, in decibels relative to its
// peak. No window, no averaging, no mean removal, no component table.

#include "core/signal_store.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

inline constexpr int kPeriodogramLength = 10000;

// magnitudes[k] := |X_k|, k = 0 .. 9999, where X is the unitary FFT
// (numeric/fft.h, negative exponent, 1/sqrt(10000) scaling) of the first
// min(count, 10000) samples, zero-padded to 10000. Bin k is the normalised
// frequency k/10000 (k < 5000) or k/10000 - 1, so exp(i*2*pi*f*n) with
// f > 0 peaks at bin f*10000. re and im are the caller's scratch of 10000
// doubles each; magnitudes must hold 10000. Returns the FFT's failure code
// (0; the length 10000 = 2^4 * 5^4 cannot fail). count <= 0 gives all zeros.
int PeriodogramMagnitudes(const ComplexSample* samples, int count, double* re, double* im, double* magnitudes);

// The run: ResultKind := periodogram; stages the selection; SpectrumDb :=
// PeriodogramMagnitudes, then FinishSpectrum. ComponentTable and
// ComponentCount are untouched; SampleBuffer entries past the staged ones
// keep their content. The parameter fields are not used and are reported back
// unchanged. Empty selection: nothing computed. Throws VorentaError "Periodogram
// method problem solving" when the spectrum has no peak (an all-zero
// selection), on a floating-point fault or on exhausted memory.
SpectrumRunReport RunPeriodogram(const SpectrumRunRequest& request);

}  // namespace vorenta
