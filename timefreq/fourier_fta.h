#pragma once
// "Fourier": the short-time Fourier spectrum of a rectangular window, zero
// padded to FftSize; each column is (|X_j| / max|X|)^2, values in 0 .. 1.

#include "timefreq/grid_fta.h"

namespace vorenta {

class FourierFTA : public GridFTA {
 public:
  explicit FourierFTA(int fftSize) : GridFTA(fftSize) {}
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;
};

}  // namespace vorenta
