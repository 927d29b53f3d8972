#pragma once
// The moving-window analysis: a window of WindowSize samples slides along the
// analysed range RangeStart .. RangeEnd of a signal in steps of Step samples,
// and an estimator turns each window into one column of PowerMatrix and
// FrequencyMatrix. Runs can be paused (StopRequested + Resuming, set from
// inside ShowProgress) and continued from the paused column.

#include <complex>
#include <functional>

#include "core/signal_store.h"
#include "timefreq/tf_matrix.h"

namespace vorenta {

// The complex sample k of `signal`: Channel1[k] + i*Channel2[k], each part 0
// where k lies outside that channel.
inline std::complex<double> SampleAt(const AnalyticSignalClass& signal, int k) {
  return {signal.Channel1[k], signal.Channel2[k]};
}

// First sample of the analysed range: min(RangeStart, RangeEnd).
inline int AnalysisStart(const AnalyticSignalClass& signal) {
  return signal.RangeStart < signal.RangeEnd ? signal.RangeStart : signal.RangeEnd;
}

class FTA {
 public:
  FTA() = default;
  FTA(const FTA&) = delete;
  FTA& operator=(const FTA&) = delete;
  virtual ~FTA() = default;

  // How many matrix rows the estimator fills.
  virtual int RowsNeeded() = 0;
  // Estimates the window centred `offset` samples after the first sample of
  // the range and writes column offset / Step of both matrices. May throw;
  // RunWindows then stores a zero column.
  virtual void ComputeWindow(const AnalyticSignalClass& signal, int offset) = 0;
  // Progress hook: permille 0..1000, elapsed and remaining in days. Called
  // only when the permille changes; a display overrides it to show progress
  // and let the user pause.
  virtual void ShowProgress(int permille, double elapsed, double remaining);

  // The moving-window loop: a fresh run when Resuming is false (new matrices,
  // value range reset), otherwise the continuation of a paused run from its
  // last (not yet computed) column. Throws VorentaError("Недостаточно памяти")
  // when the matrices cannot be allocated. Leaves Columns, Rows, both
  // matrices, ValueMax and ValueMin for the image.
  void RunWindows(const AnalyticSignalClass& signal, int windowSize, int step);

  TfMatrix PowerMatrix;
  TfMatrix FrequencyMatrix;
  double FreqMax = 0.5;
  double FreqMin = -0.5;
  double ValueMax = -1e300;
  double ValueMin = 1e300;
  bool StopRequested = false;
  bool Resuming = false;
  int Columns = 0;
  int Rows = 0;
  int Step = 1;
  int FirstSample = 0;
  int LastSample = 0;
  double StartTime = 0.0;
  double LastProgressTime = 0.0;
  int WindowSize = 0;

  // The clock of the progress times, in days; replaceable for tests.
  std::function<double()> Now;

 private:
  void StartFreshRun(const AnalyticSignalClass& signal, int windowSize, int step);
  void ComputeColumn(const AnalyticSignalClass& signal, int offset);
};

}  // namespace vorenta
