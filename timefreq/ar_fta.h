#pragma once
// "AR Burg" and "AR Covar": an autoregressive model fitted to each window and
// its spectrum 1 / |A(f)| on the FFT grid, each column divided by its
// largest value. The error power of the model is a common factor of the
// column and cancels in that division, so it is left out: a window the model
// predicts exactly (a pure exponential) still shows its spectrum, and only a
// window of zeros becomes a zero column.

#include <complex>
#include <vector>

#include "timefreq/grid_fta.h"

namespace vorenta {

class ArGridFTA : public GridFTA {
 public:
  ArGridFTA(int fftSize, int order) : GridFTA(fftSize), Order(order) {}
  int Order;

 protected:
  // Reads the window at `offset` into window_; throws when it is all zero.
  void ReadWindow(const AnalyticSignalClass& signal, int offset);
  // Stores 1 / max(|A_j|, 1e-15) of the filter (1, a_1 .. a_order) in
  // column offset / Step and normalises it.
  void StoreFilterSpectrum(int offset, const std::complex<double>* filter, int order);
  // The order the fit runs with: an order below 1 (a field typed as 0 or
  // negative) fits no coefficient, so the filter is (1) and the column flat.
  int FitOrder() const { return Order > 0 ? Order : 0; }

  std::vector<std::complex<double>> window_;
};

// Burg's lattice recursion per window (order p < W; p >= W writes nothing).
// The recursion stops after the stage at which 1 - |k|^2 drops below 1e-10;
// the coefficients of later stages are 0 in that window.
class BurgFTA : public ArGridFTA {
 public:
  using ArGridFTA::ArGridFTA;
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;

 private:
  std::vector<std::complex<double>> forward_, backward_, filter_, previous_;
};

// The modified covariance normal equations per window, sums over
// n = p .. W-1, built and solved in extended precision.
class CovarModFTA : public ArGridFTA {
 public:
  using ArGridFTA::ArGridFTA;
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;
};

}  // namespace vorenta
