#pragma once
// "MUSIC" and "WV_MUSIC": the MUSIC pseudo-spectrum of each window (of its
// Wigner-Ville lag product for WV_MUSIC) on a grid of 10000 frequencies,
// each column divided by its largest value.

#include <vector>

#include "core/signal_store.h"
#include "timefreq/grid_fta.h"

namespace vorenta {

class MUSIC_FTA : public GridFTA {
 public:
  // eigenDimension M (2 .. W/2 from the tab), signalSpace s; s >= M or
  // s < 0 writes no column.
  MUSIC_FTA(int eigenDimension, int signalSpace);
  int RowsNeeded() override { return kRows; }
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;

  static constexpr int kRows = 10000;
  int EigenDimension;
  int SignalSpace;

 protected:
  // Replaces window_ by what the pseudo-spectrum is taken of.
  virtual void TransformWindow() {}
  double frequencyScale_ = 1.0;
  std::vector<ComplexSample> window_;
  std::vector<double> spectrum_;
};

class WV_MUSIC_FTA : public MUSIC_FTA {
 public:
  WV_MUSIC_FTA(int eigenDimension, int signalSpace);

 protected:
  // y_j = x_j conj(x_{W-1-j}): conjugate-symmetric, at twice each frequency.
  void TransformWindow() override;
};

}  // namespace vorenta
