#pragma once
// "Prony": the selection as a sum of p damped complex exponentials
// x[n] ~ sum_i h_i * z_i^n, from forward linear prediction of order p, the
// roots of the prediction polynomial and a least-squares fit of the h_i.

#include <cstdint>

#include "spectrum/spectrum_run.h"

namespace vorenta {

// Largest order "Prony" uses for a selection of N samples:
// min(p, floor(N/2), kLargestPronyOrder), negative p gives 0.
int PronyOrder(int requested, std::int64_t selectionLength);

// One "Prony" run over the whole selection x[n], n = 0 .. N-1 (not cut to
// 10000 samples), in extended precision:
//   ResultKind := 2; p := PronyOrder(request.MainParameter, N);
//   ComponentCount := p. p = 0 (an empty or one-sample selection, or a
//   parameter <= 0) ends here with Computed = false.
//   1. Normal equations of x[n] + sum_{m=1..p} a_m x[n-m] ~ 0 over
//      n = p .. N-1: R[i][m] = sum_n conj(x[n-i]) x[n-m], b[i] = -sum_n conj(x[n-i]) x[n].
//   2. Roots z_0 .. z_{p-1} of z^p + a_1 z^(p-1) + ... + a_p.
//   3. Amplitudes h of x[n] ~ sum_j h_j z_j^n by least squares.
//   4. ComponentTable entries 0 .. p-1: f = arg(z)/(2*pi), A = |h|,
//      phi = arg h (0 when |h| <= 1e-15), alpha = ln|z| (ln 1e-10 and f = 0
//      for |z|^2 <= 1e-20), ordered by increasing |f|.
//   5. SampleBuffer: the model from the stored components for n < N and the
//      forecast n = N .. N+99 with alpha capped at 1.1, as far as the buffer
//      reaches (10000 entries).
//   6. SpectrumDb: |FFT| (10000 points) of the model over n = 0 .. 9999 with
//      every alpha capped at 0 (growing components drawn undamped), in
//      decibels by FinishSpectrum.
// Report: MainParameterUsed = p, relative error
// sum |model - x|^2 / sum |x|^2 (no square root), the decibel range.
// Throws VorentaError("Systems of Linear Equations problem solving") for an
// all-zero selection, a root search that fails, a floating-point fault (an
// overflowing model, ...) or exhausted memory; the result model then keeps
// everything except ResultKind and ComponentCount as it was.
// Cost O(p^2 N) extended-precision multiply-adds for step 1.
SpectrumRunReport RunProny(const SpectrumRunRequest& request);

}  // namespace vorenta
