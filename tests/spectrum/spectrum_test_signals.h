#pragma once
// Synthesised test signals for the spectrum tests: components with known
// frequencies written straight into the signal store, plus independent
// reference computations in long double.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/signal_store.h"
#include "spectrum/result_model.h"
#include "spectrum/spectrum_run.h"

namespace vorenta::test {

using ComplexLong = std::complex<long double>;

struct Exponential {
  double amplitude;
  double frequency;  // cycles per sample
  double phase = 0.0;
};

// Sum of complex exponentials plus complex white Gaussian noise of standard
// deviation `noise` per part (seeded).
inline std::vector<std::complex<double>> ComplexExponentials(int length, const std::vector<Exponential>& parts,
                                                             double noise = 0.0, std::uint32_t seed = 1) {
  std::mt19937 generator(seed);
  std::normal_distribution<double> gauss(0.0, 1.0);
  std::vector<std::complex<double>> x(length);
  for (int n = 0; n < length; ++n) {
    long double re = 0, im = 0;
    for (const Exponential& e : parts) {
      const long double angle = 2 * std::numbers::pi_v<long double> * e.frequency * n + e.phase;
      re += e.amplitude * std::cos(angle);
      im += e.amplitude * std::sin(angle);
    }
    x[n] = {static_cast<double>(re) + noise * gauss(generator), static_cast<double>(im) + noise * gauss(generator)};
  }
  return x;
}

// The 64-sample example of the sinusoid fits: two exponentials plus a
// constant.
inline std::vector<std::complex<double>> TwoExponentialsAndConstant(int length) {
  std::vector<std::complex<double>> x = ComplexExponentials(length, {{1.5, 0.1, 0.3}, {0.7, -0.23, -1.0}});
  for (auto& v : x) v += std::complex<double>(0.2, 0.1);
  return x;
}

// Replaces the store's content by `x` and selects all of it.
inline void LoadSignal(const std::vector<std::complex<double>>& x) {
  ResetSignalStore();
  const auto n = static_cast<std::int32_t>(x.size());
  Channel1.Resize(n);
  Channel2.Resize(n);
  TimeBase.Resize(n);
  for (std::int32_t i = 0; i < n; ++i) {
    Channel1.Set(i, x[i].real());
    Channel2.Set(i, x[i].imag());
    TimeBase.Set(i, i);
  }
  TimeBase.UpdateStep();
  SignalLength = static_cast<std::uint32_t>(n);
  CropStart = 0;
  CropEnd = n - 1;
  SelectionStart = 0;
  SelectionEnd = n - 1;
}

// A run request over the store's current selection, other fields default.
inline SpectrumRunRequest WholeSelection() {
  SpectrumRunRequest request;
  request.SelectionStart = SelectionStart;
  request.SelectionEnd = SelectionEnd;
  return request;
}

inline SpectrumRunRequest WholeSelection(int mainParameter) {
  SpectrumRunRequest request = WholeSelection();
  request.MainParameter = mainParameter;
  return request;
}

inline std::vector<std::complex<double>> ReadComplexColumns(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::complex<double>> x;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    double re = 0, im = 0;
    if (fields >> re >> im) x.emplace_back(re, im);
  }
  return x;
}

// Signed bin offset of bin k from bin `target` on the 10000-bin circle.
inline int CircularBinDistance(int k, int target) {
  int d = (k - target) % kSpectrumBins;
  if (d > kSpectrumBins / 2) d -= kSpectrumBins;
  if (d < -kSpectrumBins / 2) d += kSpectrumBins;
  return d;
}

// Index of the component table entry whose frequency is closest to f.
inline int NearestEntry(double f) {
  int best = 0;
  for (int i = 1; i < ComponentCount; ++i) {
    if (std::abs(ComponentTable.Frequency[i] - f) < std::abs(ComponentTable.Frequency[best] - f)) best = i;
  }
  return best;
}

// The two close lines of the Marple signal near 0.2 and 0.21 cycles per
// sample must show in SpectrumDb as separate peaks with a dip of more than
// 3 dB between them.
inline void ExpectMarplePairResolved() {
  int peak020 = 1950, peak021 = 2060;
  for (int k = 1950; k < 2050; ++k) if (SpectrumDb[k] > SpectrumDb[peak020]) peak020 = k;
  for (int k = 2060; k < 2160; ++k) if (SpectrumDb[k] > SpectrumDb[peak021]) peak021 = k;
  double dip = 0;
  for (int k = peak020; k <= peak021; ++k) dip = std::min(dip, SpectrumDb[k]);
  EXPECT_GT(peak020, 1950);
  EXPECT_LT(peak021, 2159);
  EXPECT_LT(dip, std::min(SpectrumDb[peak020], SpectrumDb[peak021]) - 3.0);
}

// Indices of local maxima of a circular curve, highest first.
inline std::vector<int> PeaksByHeight(const double* curve, int length) {
  std::vector<int> peaks;
  for (int k = 0; k < length; ++k) {
    const double left = curve[(k + length - 1) % length];
    const double right = curve[(k + 1) % length];
    if (curve[k] > left && curve[k] >= right) peaks.push_back(k);
  }
  std::sort(peaks.begin(), peaks.end(), [&](int a, int b) { return curve[a] > curve[b]; });
  return peaks;
}

// 20*log10 of v relative to the peak of `values`, floored at -100 dB: the
// display rule, applied to a reference curve.
inline std::vector<long double> ReferenceDecibels(const std::vector<long double>& values) {
  long double peak = 0;
  for (long double v : values) peak = std::max(peak, v);
  std::vector<long double> db(values.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    db[k] = 20 * std::log10(std::max(values[k] / peak, 1e-5L));
  }
  return db;
}

// |A(e^{2 pi i k / L})| / sqrt(L) of the filter (1, a_1, ..., a_p) by direct
// summation, the reference of an AR spectrum.
inline long double FilterMagnitude(const std::vector<ComplexLong>& filter, int k, int length) {
  ComplexLong sum = 0;
  for (std::size_t m = 0; m < filter.size(); ++m) {
    const long double angle = -2 * std::numbers::pi_v<long double> * static_cast<long double>(k) *
                              static_cast<long double>(m) / length;
    sum += filter[m] * ComplexLong(std::cos(angle), std::sin(angle));
  }
  return std::abs(sum) / std::sqrt(static_cast<long double>(length));
}

}  // namespace vorenta::test
