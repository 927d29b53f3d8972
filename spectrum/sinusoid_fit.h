#pragma once
// The sinusoid fits of the spectrum tab, "Simplex" and "Quasi-Newton": n
// complex exponentials with free frequencies plus a constant term, fitted to
// the first 10000 samples of the selection by minimising the relative
// residual energy over the frequencies (spectrum/sinusoid_objective.h). The
// best frequencies found are kept in FitTable (spectrum/fit_table.h), and the
// results on display are always the evaluation of FitTable (the kind-1
// presentation below).

#include <cstdint>
#include <vector>

#include "spectrum/spectrum_run.h"

namespace vorenta {

// One row of the component table of a sinusoid fit.
struct SinusoidTableRow {
  double Amplitude = 0;
  double Frequency = 0;  // cycles per sample, not divided by the time step
  double Phase = 0;      // radians
};

// The kind-1 presentation, run after every fit step and by the view:
//  1. loads the first min(N, 10000) samples of the selection start .. end
//     into the fit buffers (N' of them);
//  2. EvaluateSinusoidModel with n = ComponentCount (limited to 0 .. 200) at
//     the angular frequencies of FitTable: Frequency, Amplitude and Phase of
//     entries 0 .. n (entry n the constant term) and the model with its
//     100-sample forecast in SampleBuffer;
//  3. rebuilds SpectrumLines: for i = 0 .. n-1 the line
//       (f_i, A_i, phi_i, -A_i*f_i*sin(pi*f_i*N' + phi_i), A_i*f_i*cos(pi*f_i*N' + phi_i)),
//     preceded by the constant term's line (0, A_n, phi_n, 0, 0) where the
//     frequencies turn from non-positive to positive after the first entry;
//     both lists get the same lines;
//  4. MergeLines with distance 0.2/N' and reference time N'/2 (no lines at
//     all for an empty selection);
//  5. turns the merged amplitudes into decibels relative to the largest one,
//     20*log10(max(A/A_max, 1e-5)), so they lie in -100 .. 0.
// Returns the relative error of the evaluated fit. Throws
// VorentaError(kSinusoidFitFailureMessage) when the fit is not finite.
double PresentSinusoidFit(std::int32_t selectionStart, std::int32_t selectionEnd);

// The component table of the last presentation, in row order: first the
// constant term (frequency 0, Amplitude and Phase of entry ComponentCount),
// then entries 0 .. ComponentCount-1. ComponentCount is limited to 0 .. 200
// as in the presentation.
std::vector<SinusoidTableRow> SinusoidTableRows();

// Which minimiser a pass uses.
enum class SinusoidSearch {
  // Simplex passes (tol 1e-12, 200*n calls each) until request.AfterPass
  // returns false; the first pass starts from FitTable, each later one from
  // FitTable after a pass that improved the previous pass's error by more
  // than 0.1 %, else from random frequencies (multiples of 2*pi*1e-6 in
  // [-pi, pi), drawn from the process's generator, seeded from the clock at
  // the start of the run). A pass whose minimisation fails counts as no
  // improvement. Without AfterPass exactly one pass is made.
  kSimplex,
  // One pass of the bounded quasi-Newton minimiser within -2*pi .. 2*pi,
  // started from the n strongest peaks of the power spectrum of the fitted
  // samples zero-padded to 10000 points (left in SpectrumDb as power |X_k|^2;
  // the peak at frequency 0.5 is skipped, peaks above 0.5 start at f - 1;
  // starting values no peak supplies come from FitTable).
  kQuasiNewton,
};

// One run of a sinusoid fit (the shape of spectrum/spectrum_run.h):
//   ResultKind := 1; n := request.MainParameter limited to 0 .. 200;
//   ComponentCount := n. An empty selection or n = 0 ends here
//   (Computed = false).
//   Otherwise the fit buffers receive the selection (first 10000 samples),
//   FitTable is presented, and passes run as `search` says. After a pass
//   whose error is below the previous improvement's, the frequencies are
//   wrapped into [-pi, pi] and sorted ascending and evaluated again; when
//   that beats the best of the run, FitTable[0 .. n-1] takes them. After
//   every pass the presentation is refreshed and request.AfterPass (if set)
//   is called with the number of passes so far; for kSimplex a false answer
//   ends the run, kQuasiNewton ends after its pass in any case.
// Report: MainParameterUsed = n, RelativeError = that of the best fit
// presented, PassCount; no decibel range (the line spectrum is in
// SpectrumLines.Merged). Throws VorentaError(kSinusoidFitFailureMessage) when
// the quasi-Newton search or a presentation meets a non-finite fit; FitTable
// then keeps the best frequencies stored before.
SpectrumRunReport RunSinusoidFit(const SpectrumRunRequest& request, SinusoidSearch search);

// RunSinusoidFit with kSimplex ("Simplex") and kQuasiNewton ("Quasi-Newton"),
// as SpectrumRunFunction entries of the method registry.
SpectrumRunReport RunSimplexFit(const SpectrumRunRequest& request);
SpectrumRunReport RunQuasiNewtonFit(const SpectrumRunRequest& request);

}  // namespace vorenta
