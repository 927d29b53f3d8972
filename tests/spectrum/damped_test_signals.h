#pragma once
// Sums of damped complex exponentials with known parameters, the oracle of
// the Prony tests (computed in long double, then rounded once).

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace vorenta::test {

struct DampedExponential {
  double amplitude;
  double frequency;  // cycles per sample
  double phase;      // radians
  double damping;    // natural log of the per-sample growth factor
};

// x[n] = sum_k A_k exp(i phi_k) exp((alpha_k + i 2 pi f_k) n), n = 0 .. length-1.
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

}  // namespace vorenta::test
