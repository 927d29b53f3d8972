#pragma once
// "Prony Modified ": the modified Prony model of each window (Q pairs of
// damped exponentials from a prediction polynomial with its centre
// coefficient fixed at 1) and the magnitude spectrum of its two-sided
// sequence on the FFT grid, each column divided by its largest value.

#include "timefreq/grid_fta.h"

namespace vorenta {

class PronyModFTA : public GridFTA {
 public:
  // pairCount Q = exponents / 2 (the exponents at most 2W/3, so 3Q <= W).
  PronyModFTA(int fftSize, int pairCount) : GridFTA(fftSize), PairCount(pairCount) {}
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;

  int PairCount;
};

}  // namespace vorenta
