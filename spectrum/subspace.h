#pragma once
// "Music" and "EV": pseudo-spectra from the noise subspace of the
// forward-backward data matrix, found by a complex SVD of the matrix itself.

#include "core/signal_store.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

enum class SubspaceWeighting {
  kMusic = 0,  // every noise vector counts once
  kEv = 1,     // each noise vector weighted by 1 / its singular value
};

namespace subspace_failure {
inline constexpr int kNone = 0;
inline constexpr int kSignalDimension = 1;  // q >= M or q < 0; output untouched
inline constexpr int kMatrixShape = 2;      // M < 1 or fewer rows than columns (2(N'-M) < M); output untouched
inline constexpr int kDecomposition = 3;    // the SVD failed (non-finite data, overflow, no convergence); output untouched
inline constexpr int kTransform = 4;        // the FFT refused spectrumLength; output untouched
}  // namespace subspace_failure

// Data matrix X, 2K x M with K = N' - M: row r < K is the forward vector
// (x_{r+M-1}, ..., x_r), row K+r the backward vector
// (conj x_{r+1}, ..., conj x_{r+M}). With X = U diag(sigma) V^H (ComplexSvd),
// for the noise vectors j = q .. M-1 and V̂_j the unitary length-L FFT of v_j
// zero-padded:
//   Music: P_k = 1 / sum_j |V̂_j,k|^2
//   EV:    P_k = 1 / sum_j |V̂_j,k|^2 / max(sigma_j, 1e-16)
// into output[0 .. L-1] (index k: normalised frequency k/L, negative ones
// from L/2 on), so exp(+i*w*n) peaks at k = w*L/(2*pi). A sum that is exactly
// 0 (a noise-free exponential on a bin) is floored at the smallest normal
// double, so the peak stays finite. Failure codes above.
// Allocates X (2K x M complex), V (M x M) and two arrays of L doubles;
// cost O(K M^2) for the SVD plus M - q transforms.
void SubspaceSpectrum(SubspaceWeighting weighting, const ComplexSample* segment, int length, int vectorDimension,
                      int signalDimension, int spectrumLength, double* output, int& failure);

// The runs: ResultKind := Music/EV (for both); M and q clamped by
// ClampSubspaceDimensions (method_parameters.h) on N' = min(N, 10000);
// ComponentCount unchanged. Empty selection: nothing computed. Stages the
// selection, SubspaceSpectrum into SpectrumDb, FinishSpectrum. Throws
// VorentaError "MUSIC problem solving" for a selection of 1 to 3 samples
// (no usable dimensions), an all-zero selection, a kernel failure, a
// floating-point fault or exhausted memory.
SpectrumRunReport RunMusic(const SpectrumRunRequest& request);
SpectrumRunReport RunEv(const SpectrumRunRequest& request);

}  // namespace vorenta
