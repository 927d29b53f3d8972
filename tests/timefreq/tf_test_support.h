#pragma once
// Signals, a hand-filled estimator and column read-outs for the time-frequency tests.

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

#include "core/signal_store.h"
#include "timefreq/fta.h"

namespace vorenta::testing {

// n samples of f(k), the analysed range the whole signal.
inline AnalyticSignalClass MakeSignal(int n, const std::function<std::complex<double>(int)>& f) {
  AnalyticSignalClass signal;
  signal.Channel1.Resize(n);
  signal.Channel2.Resize(n);
  signal.TimeBase.Resize(n);
  for (int k = 0; k < n; ++k) {
    const std::complex<double> x = f(k);
    signal.Channel1.Set(k, x.real());
    signal.Channel2.Set(k, x.imag());
    signal.TimeBase.Set(k, k);
  }
  signal.RangeStart = 0;
  signal.RangeEnd = n - 1;
  return signal;
}

// exp(2*pi*i*f*k) for k = 0 .. n-1.
inline AnalyticSignalClass ComplexExponential(int n, double f) {
  return MakeSignal(n, [f](int k) { return std::polar(1.0, 2 * std::numbers::pi * f * k); });
}

// An estimator whose matrices the test fills by hand.
class FixedFTA : public FTA {
 public:
  FixedFTA(int rows, int columns) {
    Rows = rows;
    Columns = columns;
    PowerMatrix.Allocate(rows, columns);
    FrequencyMatrix.Allocate(rows, columns);
  }
  int RowsNeeded() override { return Rows; }
  void ComputeWindow(const AnalyticSignalClass&, int) override {}
};

// The row of the largest value of column c (the first of equal ones).
inline int PeakRow(const FTA& analysis, int c) {
  int best = 0;
  for (int r = 1; r < analysis.Rows; ++r)
    if (analysis.PowerMatrix(r, c) > analysis.PowerMatrix(best, c)) best = r;
  return best;
}

}  // namespace vorenta::testing
