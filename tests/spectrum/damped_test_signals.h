#pragma once
// Sums of damped complex exponentials with known parameters, the oracle of
// the Prony tests (computed in long double, then rounded once).

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta::test {

struct DampedExponential {
  double amplitude;
  double frequency;  // cycles per sample
  double phase;      // radians
  double damping;    // natural log of the per-sample growth factor
};

// x[n] = sum_k A_k exp(i phi_k) exp((alpha_k + i 2 pi f_k) n), n = 0 .. length-1.
// A named signal of damped exponentials for the recovery tables.
struct RecoveryCase {
  const char* name;
  int length;
  std::vector<DampedExponential> parts;
};

inline std::vector<std::complex<double>> DampedExponentials(int length, const std::vector<DampedExponential>& parts) {
  std::vector<std::complex<double>> x(length);
  for (int n = 0; n < length; ++n) {
    std::complex<long double> sum;
    for (const DampedExponential& e : parts) {
      const long double angle = 2 * std::numbers::pi_v<long double> * e.frequency * n + e.phase;
      sum += std::polar(e.amplitude * std::exp(static_cast<long double>(e.damping) * n), angle);
    }
    x[n] = {static_cast<double>(sum.real()), static_cast<double>(sum.imag())};
  }
  return x;
}

// The component table holds exactly `parts`, sorted by |frequency|, each
// parameter within `tolerance` (phases modulo 2 pi).
inline void ExpectTableHolds(const std::vector<DampedExponential>& parts, double tolerance) {
  ASSERT_EQ(ComponentCount, static_cast<int>(parts.size()));
  for (int i = 1; i < ComponentCount; ++i) {
    EXPECT_LE(std::abs(ComponentTable.Frequency[i - 1]), std::abs(ComponentTable.Frequency[i])) << "entry " << i;
  }
  for (const DampedExponential& part : parts) {
    const int i = NearestEntry(part.frequency);
    EXPECT_NEAR(ComponentTable.Frequency[i], part.frequency, tolerance) << "f " << part.frequency;
    EXPECT_NEAR(ComponentTable.Amplitude[i], part.amplitude, tolerance) << "f " << part.frequency;
    EXPECT_NEAR(std::remainder(ComponentTable.Phase[i] - part.phase, 2 * std::numbers::pi), 0.0, tolerance)
        << "f " << part.frequency;
    EXPECT_NEAR(ComponentTable.Damping[i], part.damping, tolerance) << "f " << part.frequency;
  }
}

}  // namespace vorenta::test
