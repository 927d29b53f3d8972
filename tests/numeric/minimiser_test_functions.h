#pragma once
// Classic minimisation problems with known minima, in the form of the
// minimisers' objective (n, x, out f), plus a call counter shared by them.

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vorenta::testing {

inline int objectiveCalls = 0;

// sum_i (x_i - 3)^2: minimum 0 at (3, ..., 3).
inline void ShiftedParabola(int n, const double* x, double* f) {
  ++objectiveCalls;
  double sum = 0.0;
  for (int i = 0; i < n; ++i) sum += (x[i] - 3.0) * (x[i] - 3.0);
  *f = sum;
}

// Extended Rosenbrock (independent pairs, n even)
// sum_pairs 100 (x_{2i+1} - x_{2i}^2)^2 + (1 - x_{2i})^2: minimum 0 at
// (1, ..., 1) and no other local minimum.
inline void Rosenbrock(int n, const double* x, double* f) {
  ++objectiveCalls;
  double sum = 0.0;
  for (int i = 0; i + 1 < n; i += 2) {
    const double a = x[i + 1] - x[i] * x[i];
    const double b = 1.0 - x[i];
    sum += 100.0 * a * a + b * b;
  }
  *f = sum;
}

// Powell's singular function of four variables: minimum 0 at the origin,
// where its Hessian is singular.
inline void PowellSingular(int, const double* x, double* f) {
  ++objectiveCalls;
  const double a = x[0] + 10.0 * x[1];
  const double b = x[2] - x[3];
  const double c = x[1] - 2.0 * x[2];
  const double d = x[0] - x[3];
  *f = a * a + 5.0 * b * b + c * c * c * c + 10.0 * d * d * d * d;
}

// Sampled sum of two complex exponentials and the relative residual energy
// of its best least-squares fit by two exponentials of trial angular
// frequencies (amplitudes solved exactly), i.e. variable projection.
struct TwoToneSignal {
  double omega1 = 0.0, omega2 = 0.0;
  // The objective sees omega / unit: lets a test pose the problem in units
  // that suit a minimiser's fixed step sizes.
  double unit = 1.0;
  std::vector<std::complex<double>> samples;

  void Synthesise(int length, double w1, double w2, std::complex<double> a1,
                  std::complex<double> a2) {
    omega1 = w1;
    omega2 = w2;
    samples.resize(static_cast<size_t>(length));
    for (int m = 0; m < length; ++m) {
      samples[static_cast<size_t>(m)] = a1 * std::polar(1.0, w1 * m) + a2 * std::polar(1.0, w2 * m);
    }
  }

  double RelativeResidual(double w1, double w2) const {
    using C = std::complex<double>;
    C b1 = 0.0, b2 = 0.0, g12 = 0.0;
    double energy = 0.0;
    const double n = static_cast<double>(samples.size());
    for (size_t m = 0; m < samples.size(); ++m) {
      const C e1 = std::polar(1.0, w1 * static_cast<double>(m));
      const C e2 = std::polar(1.0, w2 * static_cast<double>(m));
      b1 += std::conj(e1) * samples[m];
      b2 += std::conj(e2) * samples[m];
      g12 += std::conj(e1) * e2;
      energy += std::norm(samples[m]);
    }
    // Normal equations [n g12; conj(g12) n] c = b; the projection removes
    // b^H G^-1 b of the energy.
    const double det = n * n - std::norm(g12);
    if (det <= 1e-9 * n * n) {
      return (energy - std::max(std::norm(b1), std::norm(b2)) / n) / energy;
    }
    const C c1 = (n * b1 - g12 * b2) / det;
    const C c2 = (n * b2 - std::conj(g12) * b1) / det;
    const double explained = std::real(std::conj(b1) * c1 + std::conj(b2) * c2);
    return std::max(energy - explained, 0.0) / energy;
  }
};

inline TwoToneSignal twoTone;

inline void TwoToneObjective(int, const double* x, double* f) {
  ++objectiveCalls;
  *f = twoTone.RelativeResidual(x[0] * twoTone.unit, x[1] * twoTone.unit);
}

}  // namespace vorenta::testing
