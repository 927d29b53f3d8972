#pragma once
// The uniform shape of one spectrum method's engine call. A run does the
// computing steps of its method: record ResultKind, clamp the parameters,
// stage the selection in SampleBuffer, compute, fill the result model
// (spectrum/result_model.h) and, for a spectrum curve, FinishSpectrum. It
// reports what the view needs. Presentation (table fill, repaint, buttons)
// stays with the caller.

#include <functional>
#include <optional>

namespace vorenta {

struct SpectrumRunRequest {
  // The main parameter field as read (number of components, AR order,
  // eigenvector dimension); any int, the method clamps it. Unused by the
  // periodogram.
  int MainParameter = 2;
  // The signal-subspace dimension field ("Music", "EV" only); any int.
  int SubspaceParameter = 1;
  // The selection, inclusive sample indices into the signal store's
  // channels. End < Start is an empty selection. Reads outside the channels
  // yield 0.
  int SelectionStart = 0;
  int SelectionEnd = -1;
  // Iterative fits call this after every pass with the pass count so far;
  // returning false ends the fit after that pass (the "Stop" button). Empty:
  // run to the method's own end.
  std::function<bool(int passCount)> AfterPass;
};

struct SpectrumRunReport {
  // False when the run ended before computing (empty selection, or a main
  // parameter that clamps to 0); the result model is then unchanged except
  // ResultKind.
  bool Computed = false;
  // The clamped values the method used, to be written back into the fields.
  int MainParameterUsed = 0;
  int SubspaceParameterUsed = 0;
  // Smallest and largest decibel values of SpectrumDb after FinishSpectrum
  // (methods whose result is a spectrum curve); both 0 otherwise.
  double DbMin = 0;
  double DbMax = 0;
  // Relative error of a fitted model (sinusoid fits, Prony); empty otherwise.
  std::optional<double> RelativeError;
  // Passes of an iterative fit; 0 for the others.
  int PassCount = 0;
};

// One method's engine call. Throws VorentaError (core/error.h) carrying the
// method's message when its computation fails; what was already written into
// the result model stays.
using SpectrumRunFunction = SpectrumRunReport (*)(const SpectrumRunRequest& request);

}  // namespace vorenta
