#pragma once
// "AR Burg": an autoregressive model fitted by Burg's lattice recursion on
// forward and backward prediction errors, its spectrum and its forecast.

#include "core/signal_store.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

namespace burg_failure {
inline constexpr int kNone = 0;
inline constexpr int kInvalidArguments = 1;  // length < 2, order outside 1 .. length-1, or capacity < length
inline constexpr int kZeroSegment = 2;       // all samples zero: no reflection coefficient exists
inline constexpr int kTransform = 3;         // the FFT refused spectrumLength
}  // namespace burg_failure

// Complex Burg recursion of order p over x = segment[0 .. length-1]
// (N' = length), stage m = 0 .. p-1, sums over n = m+1 .. N'-1:
//   k_m = -2 * sum f_n conj(b_{n-1}) / sum (|f_n|^2 + |b_{n-1}|^2),
//   f_n += k_m b_{n-1},  b_n := b_{n-1} + conj(k_m) f_n(old)   (n descending),
//   a_j += k_m conj(a_{m+1-j}) (j = 1 .. m),  a_{m+1} := k_m,
//   P := (sum |f_n|^2 + sum |b_n|^2) / N' / 2   over the updated errors.
// A later stage whose denominator is 0 (the errors already vanished) takes
// k_m = 0. Then the forecast of ForecastArModel (ar_model.h) into
// segment[length .. min(length+100, capacity-1)] and
// output := PredictionErrorSpectrum(1, a_1 .. a_p; gain P). An error power P
// below the smallest normal double (a segment the model predicts exactly)
// is replaced by the gain 1: the normalisation to the peak removes the gain
// anyway, and the filter still shows the spectrum.
// Failure codes above; on any failure segment and output are untouched.
// Allocates O(N' + p) complex values and two arrays of spectrumLength doubles.
int BurgSpectrum(ComplexSample* segment, int capacity, int length, int order, double* output, int spectrumLength);

// The run: ResultKind := AR Burg; p := ClampBurgOrder(MainParameter, N')
// becomes ComponentCount; p = 0 (this includes selections of one sample) or
// an empty selection: nothing computed. Otherwise stages the selection,
// BurgSpectrum into SpectrumDb with the forecast after the staged samples,
// FinishSpectrum. Throws VorentaError "Burg method problem solving" for an
// all-zero selection, a floating-point fault or exhausted memory.
SpectrumRunReport RunArBurg(const SpectrumRunRequest& request);

}  // namespace vorenta
