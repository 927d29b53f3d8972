#include "numeric/polynomial_roots.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "numeric/failure.h"
#include "numeric/smith_division.h"

namespace vorenta {
namespace {

using Extended = long double;
using Complex = std::complex<Extended>;

constexpr int kMaxCoefficients = 1000;
// Far beyond what a root ever needs (tens of evaluations); only guards
// against an endless creep of the descent.
constexpr int kMaxEvaluationsPerStart = 5000;
constexpr int kStartingPoints = 5;
// The root scale 2^halvings must stay a finite long double; a root beyond it
// is not representable anyway.
constexpr int kMaxHalvings = 16383;

// max(|re|, |im|) * sqrt(1 + (min/max)^2): the modulus without overflow.
Extended Modulus(Complex a) {
  const Extended x = std::fabs(a.real());
  const Extended y = std::fabs(a.imag());
  const Extended high = std::max(x, y);
  const Extended low = std::min(x, y);
  if (low == 0) return high;
  const Extended ratio = low / high;
  return high * std::sqrt(1 + ratio * ratio);
}

Extended SquaredModulus(Complex a) { return a.real() * a.real() + a.imag() * a.imag(); }

// Componentwise magnitudes |Re| + |Im|.
Extended OneNorm(Complex a) { return std::fabs(a.real()) + std::fabs(a.imag()); }

struct Evaluation {
  Complex value;       // P(z)
  Complex derivative;  // P'(z)
  bool converged;      // |P(z)| within the rounding-error bound (only when tested)
};

// Horner's scheme for P and P' at z over a[0 .. count-1]; with `testConvergence`
// also a running bound B on the rounding error of the value, and z counts as
// a root when |P(z)| <= B * tol * (1 + tol)^(5 count). The bound is carried in
// moduli: carried componentwise it grows like (|Re z| + |Im z|)^count instead
// of |z|^count, up to 2^(count/2) too loose, which for high degrees accepts
// points far from any root.
Evaluation Evaluate(const Complex* a, int count, Complex z, bool testConvergence, Extended tol) {
  const Extended size = Modulus(z);
  Complex p = a[0];
  Complex q = a[0];
  Extended bound = 1;
  auto advance = [&](Complex coefficient) {
    const Complex old = p;
    p = coefficient + old * z;
    if (testConvergence) bound = (bound + Modulus(old)) * size + Modulus(coefficient) + 2 * Modulus(p);
  };
  for (int k = 1; k + 1 < count; ++k) {
    advance(a[k]);
    q = p + q * z;
  }
  advance(a[count - 1]);
  Evaluation result{p, q, false};
  if (testConvergence) {
    result.converged = Modulus(p) <= bound * tol * std::pow(1 + tol, static_cast<Extended>(5 * count));
  }
  return result;
}

// Schur-Cohn test: true when the polynomial a[0 .. count-1] has a root in the
// closed unit disc. `work` and `next` hold count values each.
bool HasRootInUnitDisc(const Complex* a, int count, Complex* work, Complex* next) {
  std::copy(a, a + count, work);
  for (int d = count; d >= 2; --d) {
    const Complex last = work[d - 1];
    if (last == Complex(0)) return true;
    const Complex r = SmithDivide(work[0], std::conj(last));
    if (Modulus(r) >= 1) return true;
    // The Schur transform; its leading term cancels, one degree less.
    for (int k = 0; k + 1 < d; ++k) next[k] = work[k + 1] - r * std::conj(work[d - 2 - k]);
    std::swap(work, next);
  }
  return false;
}

// P(z) -> P(2z): every root halves.
void HalveRoots(Complex* a, int count) {
  for (int k = 0; k < count; ++k) {
    const int power = count - 1 - k;
    a[k] = Complex(std::ldexp(a[k].real(), power), std::ldexp(a[k].imag(), power));
  }
}

bool AllFinite(const Complex* a, int count) {
  return std::all_of(a, a + count, [](Complex c) { return std::isfinite(c.real()) && std::isfinite(c.imag()); });
}

// Divides the polynomial a[0 .. count] by (z - root), leaving count
// coefficients: the forward quotient (stable for the high-order end when the
// root is small) is joined to the backward quotient (stable for the low-order
// end) where the two agree best.
void Deflate(Complex* a, int count, Complex root, Extended tol, Extended tau, Complex* forward, Complex* backward) {
  const Extended cap = std::sqrt(LargestReal());
  forward[0] = a[0];
  for (int k = 1; k < count; ++k) forward[k] = a[k] + forward[k - 1] * root;

  // Once a backward value exceeds the cap, it and all of lower index hold the
  // cap: those are the unstable ones, and the join lies above them.
  int capped = count;
  if (root != Complex(0)) {
    capped = 0;
    for (int k = count - 1; k >= 0; --k) {
      backward[k] = k == count - 1 ? -SmithDivide(a[count], root) : SmithDivide(backward[k + 1] - a[k + 1], root);
      if (OneNorm(backward[k]) > cap) {
        capped = k + 1;
        break;
      }
    }
  }
  for (int k = 0; k < capped; ++k) backward[k] = Complex(cap, cap);

  int join = -1;
  Extended best = 1 / tau;
  for (int k = 0; k < count; ++k) {
    const Extended size = OneNorm(forward[k]) + OneNorm(backward[k]);
    if (size <= tol) continue;
    const Extended mismatch = OneNorm(forward[k] - backward[k]) / size;
    if (mismatch < best) {
      best = mismatch;
      join = k;
    }
  }
  for (int k = 0; k < count; ++k) {
    if (k < join) {
      a[k] = forward[k];
    } else if (k == join) {
      a[k] = (forward[k] + backward[k]) / Extended(2);
    } else {
      a[k] = backward[k];
    }
  }
}

enum class Search { kFound, kFailed };

// Damped Newton descent on |P(z)|^2 from `start`; on success `z` is a root of
// a[0 .. count-1] within the rounding-error bound. Fails where the Newton
// direction vanishes (|P'|^2 < tol^1.5 |P|^2) or no step decreases |P|.
Search Descend(const Complex* a, int count, Extended tol, Complex start, Complex& z) {
  const Extended epsilon = MachineEpsilon();
  const Extended tau = std::pow(tol, Extended(1.5));
  z = start;
  int evaluations = 1;
  Evaluation e = Evaluate(a, count, z, false, tol);
  Extended f = SquaredModulus(e.value);
  for (;;) {
    ++evaluations;
    if (SquaredModulus(e.derivative) < tau * f) return Search::kFailed;
    Complex step = -SmithDivide(e.value, e.derivative);
    Extended sufficientDecrease = 0.0002L;
    Extended length = Modulus(step);
    if (length > 1) {
      step /= length;
      sufficientDecrease /= length;
    }
    z += step;
    for (;;) {
      if (++evaluations > kMaxEvaluationsPerStart) return Search::kFailed;
      const bool testConvergence = length < 1e-5L || evaluations > 20;
      e = Evaluate(a, count, z, testConvergence, tol);
      if (testConvergence && e.converged) return Search::kFound;
      const Extended trial = SquaredModulus(e.value);
      if (f - trial >= sufficientDecrease * f) {
        f = trial;
        break;
      }
      step /= Extended(2);
      if (std::fabs(step.real()) <= epsilon * std::fabs(z.real()) &&
          std::fabs(step.imag()) <= epsilon * std::fabs(z.imag())) {
        return Search::kFailed;
      }
      length /= 2;
      sufficientDecrease /= 2;
      z -= step;
    }
  }
}

// The descent starts at 0.001 + 0.1i. Near the origin P' can vanish against
// P (for z^n - c, |P'(0.1i)| ~ n 10^(1-n)), so a failed descent is retried
// from points spiralling outwards (radii growing by 2.2, turned by about the
// golden angle) before the root counts as not found.
Search FindRoot(const Complex* a, int count, Extended tol, Complex& z) {
  const Complex first(0.001L, 0.1L);
  const Complex turn = std::polar(2.2L, 2.4L);
  Complex start = first;
  for (int attempt = 0; attempt < kStartingPoints; ++attempt, start *= turn) {
    if (Descend(a, count, tol, start, z) == Search::kFound) return Search::kFound;
  }
  return Search::kFailed;
}

}  // namespace

void PolynomialRoots(long double* re, long double* im, int m, long double* rootRe, long double* rootIm, long double tol,
                     int& failure) {
  const int codeOnEntry = failure;
  if (m < 2 || m > kMaxCoefficients || (re[0] == 0 && im[0] == 0)) {
    failure = ReportFailure(codeOnEntry, 1, "");
    return;
  }
  std::vector<Complex> storage(4 * static_cast<std::size_t>(m));
  Complex* a = storage.data();
  Complex* work = a + m;
  Complex* next = work + m;
  Complex* backward = next + m;
  for (int k = 0; k < m; ++k) a[k] = Complex(re[k], im[k]);
  if (!AllFinite(a, m)) {
    failure = ReportFailure(codeOnEntry, 1, "");
    return;
  }
  tol = std::max<Extended>(tol, MachineEpsilon());
  const Extended tau = std::pow(tol, Extended(1.5));

  auto store = [&](int slot, Complex root) {
    rootRe[slot] = root.real();
    rootIm[slot] = root.imag();
  };
  auto finish = [&](int code) {
    for (int k = 0; k < m; ++k) {
      re[k] = a[k].real();
      im[k] = a[k].imag();
    }
    failure = code == 0 ? 0 : ReportFailure(codeOnEntry, code, "");
  };

  Extended scale = 1;  // the roots of the working polynomial are the true roots / scale
  while (m > 2 && a[m - 1] == Complex(0)) {
    store(m - 2, Complex(0));
    --m;
  }

  if (m > 2) {
    // Balance the coefficient sizes by a power of two; the roots do not move.
    // Coefficients below 1e-5 are left out of the balance unless all are.
    Extended largest = 0;
    for (int k = 0; k < m; ++k) largest = std::max(largest, Modulus(a[k]));
    const Extended counted = largest >= 1e-5L ? 1e-5L : 0;
    Extended logSum = 0;
    for (int k = 0; k < m; ++k) {
      const Extended size = Modulus(a[k]);
      if (size >= counted && size > 0) logSum += std::log(size);
    }
    const int exponent = static_cast<int>(std::trunc(0.5L + logSum / (m * std::log(Extended(2)))));
    for (int k = 0; k < m; ++k) a[k] = Complex(std::ldexp(a[k].real(), -exponent), std::ldexp(a[k].imag(), -exponent));
  }

  int halvings = 0;
  while (m > 2) {
    while (!HasRootInUnitDisc(a, m, work, next)) {
      // Bounded: a leading coefficient lost to underflow in the balance would
      // never let a root into the disc.
      if (++halvings > kMaxHalvings) {
        finish(2);
        return;
      }
      scale *= 2;
      HalveRoots(a, m);
      if (!AllFinite(a, m)) {
        finish(2);
        return;
      }
    }
    Complex z;
    if (FindRoot(a, m, tol, z) == Search::kFailed) {
      finish(2);
      return;
    }
    // Accept z, then try its conjugate on the deflated polynomial at once:
    // real polynomials have their roots in conjugate pairs.
    for (bool fromIteration = true;; fromIteration = false) {
      store(m - 2, scale * z);
      --m;
      Deflate(a, m, z, tol, tau, work, backward);
      if (m == 2 || !fromIteration) break;
      z = std::conj(z);
      if (!Evaluate(a, m, z, true, tol).converged) break;
    }
  }
  store(0, -scale * SmithDivide(a[1], a[0]));
  finish(0);
}

}  // namespace vorenta
