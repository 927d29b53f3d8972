#pragma once
// "AR Covarience": an autoregressive model fitted by the modified covariance
// (forward-backward least squares) normal equations, its spectrum and its
// forecast.

#include "core/signal_store.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

namespace covariance_failure {
inline constexpr int kNone = 0;
inline constexpr int kInvalidArguments = 1;  // order outside 1 .. length-1, or capacity < length
inline constexpr int kTransform = 3;         // the FFT refused spectrumLength
}  // namespace covariance_failure

// Modified covariance method of order p over x = segment[0 .. length-1],
// sums over n = p .. N'-1, i, j = 1 .. p:
//   r_i  = -sum [ x_n conj(x_{n-i}) + conj(x_{n-p}) x_{n-p+i} ],
//   R_ij =  sum [ conj(x_{n-i}) x_{n-j} + x_{n-p+i} conj(x_{n-p+j}) ],
// R a = r solved by ComplexGaussSolve (numeric/gauss_solve.h; a singular
// system gives large coefficients, not a failure). Then the forecast of
// ForecastArModel and output := PredictionErrorSpectrum(1, a_1 .. a_p;
// gain 1). Failure codes above; on failure segment and output are untouched.
// Allocates a p x p complex matrix, two complex vectors of p and two arrays
// of spectrumLength doubles. Cost O(N' p^2 + p^3).
int CovarianceSpectrum(ComplexSample* segment, int capacity, int length, int order, double* output,
                       int spectrumLength);

// The run: ResultKind := AR Covarience; p := ClampCovarianceOrder(MainParameter,
// N') becomes ComponentCount (p = 5 on N = 6 runs with 4); p = 0 or an empty
// selection: nothing computed. Otherwise as RunArBurg with this kernel.
// Throws VorentaError "Covarience method problem solving" for an all-zero
// selection, a floating-point fault (an unstable forecast that overflows,
// say) or exhausted memory.
SpectrumRunReport RunArCovariance(const SpectrumRunRequest& request);

}  // namespace vorenta
