#pragma once
// Signals for the time-frequency tests, written into an AnalyticSignalClass.

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

#include "core/signal_store.h"

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

}  // namespace vorenta::testing
