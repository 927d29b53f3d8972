#include "numeric/complex_svd.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/failure.h"

namespace vorenta {
namespace {

using Complex = std::complex<double>;

constexpr double kZeroNormThreshold = 2.4e-32;
constexpr double kRelativePrecision = 1.2e-7;
constexpr int kMaxSweepsPerValue = 75;

// Plain products for the inner loops: the library operators check every
// product for NaN, which keeps them from vectorising.
inline Complex Times(Complex a, Complex b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}
inline Complex ConjTimes(Complex a, Complex b) {  // conj(a) * b
  return {a.real() * b.real() + a.imag() * b.imag(), a.real() * b.imag() - a.imag() * b.real()};
}
inline double SquaredModulus(Complex a) { return a.real() * a.real() + a.imag() * a.imag(); }

Complex UnitPhase(Complex a) {
  const double size = std::abs(a);
  return size == 0 ? Complex(1) : a / size;
}

// One Householder reflector H = I - w w^H / beta (H is Hermitian and
// unitary). `lead` is the element the reflector maps onto the axis; it is
// replaced by phase * (|lead| + norm), the first entry of w.
struct Reflector {
  double norm = 0;  // the length of the reduced vector; 0 when it was skipped
  double beta = 0;  // w^H w / 2 = norm * (|lead| + norm)
  Complex phase = 1;
};

Reflector MakeReflector(Complex& lead, double sumOfSquares) {
  Reflector h;
  if (sumOfSquares <= kZeroNormThreshold) return h;
  h.norm = std::sqrt(sumOfSquares);
  const double size = std::abs(lead);
  h.phase = UnitPhase(lead);
  lead = h.phase * (size + h.norm);
  h.beta = h.norm * (size + h.norm);
  return h;
}

// Left reduction of column k (rows k .. m-1) of the working matrix a; leaves
// the real diagonal element |.| = norm in the bidiagonal form (row k is
// multiplied by -conj(phase)) and the reflector vector in column k.
Reflector ReduceColumn(Complex* const* a, int m, int n, int k, Complex* dots) {
  double sum = 0;
  for (int i = k; i < m; ++i) sum += SquaredModulus(a[i][k]);
  const Reflector h = MakeReflector(a[k][k], sum);
  if (h.norm == 0 || k + 1 == n) return h;
  std::fill(dots + k + 1, dots + n, Complex(0));
  for (int i = k; i < m; ++i) {
    const Complex w = a[i][k];
    const Complex* row = a[i];
    for (int t = k + 1; t < n; ++t) dots[t] += ConjTimes(w, row[t]);
  }
  for (int t = k + 1; t < n; ++t) dots[t] /= h.beta;
  for (int i = k; i < m; ++i) {
    const Complex w = a[i][k];
    Complex* row = a[i];
    for (int t = k + 1; t < n; ++t) row[t] -= Times(dots[t], w);
  }
  const Complex toReal = -std::conj(h.phase);
  for (int t = k + 1; t < n; ++t) a[k][t] = Times(a[k][t], toReal);
  return h;
}

// Right reduction of row k (columns k+1 .. n-1), k < n-1; leaves the real
// superdiagonal element and the reflector vector in row k, and multiplies
// column k+1 by -conj(phase).
Reflector ReduceRow(Complex* const* a, int m, int n, int k) {
  Complex* vector = a[k];
  double sum = 0;
  for (int j = k + 1; j < n; ++j) sum += SquaredModulus(vector[j]);
  const Reflector h = MakeReflector(vector[k + 1], sum);
  if (h.norm == 0) return h;
  const Complex toReal = -std::conj(h.phase);
  for (int i = k + 1; i < m; ++i) {
    Complex* row = a[i];
    Complex dot = 0;
    for (int j = k + 1; j < n; ++j) dot += ConjTimes(vector[j], row[j]);
    dot /= h.beta;
    for (int j = k + 1; j < n; ++j) row[j] -= Times(dot, vector[j]);
    row[k + 1] = Times(row[k + 1], toReal);
  }
  return h;
}

// Real n x n matrix accumulating plane rotations, stored by columns so that
// rotating two columns runs over contiguous memory.
class RotationAccumulator {
 public:
  void Reset(int n, bool active) {
    n_ = active ? n : 0;
    columns_.assign(static_cast<std::size_t>(n_) * n_, 0.0);
    for (int i = 0; i < n_; ++i) At(i, i) = 1;
  }
  // Columns i, j <- (c*col_i + s*col_j, c*col_j - s*col_i).
  void Rotate(int i, int j, double c, double s) {
    double* x = Column(i);
    double* y = Column(j);
    for (int r = 0; r < n_; ++r) {
      const double xr = x[r];
      const double yr = y[r];
      x[r] = xr * c + yr * s;
      y[r] = yr * c - xr * s;
    }
  }
  void Negate(int j) {
    double* x = Column(j);
    for (int r = 0; r < n_; ++r) x[r] = -x[r];
  }
  void Swap(int i, int j) {
    if (n_ > 0) std::swap_ranges(Column(i), Column(i) + n_, Column(j));
  }
  double& At(int row, int column) { return columns_[static_cast<std::size_t>(column) * n_ + row]; }

 private:
  double* Column(int j) { return columns_.data() + static_cast<std::size_t>(j) * n_; }
  int n_ = 0;
  std::vector<double> columns_;
};

// Golub-Reinsch implicit-shift QR on the real bidiagonal with diagonal q and
// superdiagonal e (e[i] couples q[i-1] and q[i]; e[0] = 0); left rotations go
// into left, right rotations into right. Returns false when some value did not
// converge within the sweep limit.
bool DiagonaliseBidiagonal(int n, double* q, double* e, RotationAccumulator& left, RotationAccumulator& right) {
  double range = 0;
  for (int i = 0; i < n; ++i) range = std::max(range, q[i] + e[i]);
  const double negligible = kRelativePrecision * range;
  bool converged = true;

  for (int k = n - 1; k >= 0; --k) {
    for (int sweep = 0;; ++sweep) {
      int l = k;
      bool cancel = false;
      for (; l > 0; --l) {
        if (std::fabs(e[l]) <= negligible) break;
        if (std::fabs(q[l - 1]) <= negligible) {
          cancel = true;
          break;
        }
      }
      if (cancel) {
        // q[l-1] is negligible: chase e[l] out from the left.
        double c = 0;
        double s = 1;
        for (int i = l; i <= k; ++i) {
          const double f = s * e[i];
          e[i] *= c;
          if (std::fabs(f) <= negligible) break;
          const double g = q[i];
          const double h = std::hypot(f, g);
          q[i] = h;
          c = g / h;
          s = -f / h;
          left.Rotate(l - 1, i, c, s);
        }
      }
      double z = q[k];
      if (l == k) {
        if (z < 0) {
          q[k] = -z;
          right.Negate(k);
        }
        break;
      }
      if (sweep >= kMaxSweepsPerValue) {
        converged = false;
        break;
      }
      // Shift from the trailing 2 x 2 block.
      double x = q[l];
      double y = q[k - 1];
      double g = e[k - 1];
      double h = e[k];
      double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2 * h * y);
      g = std::hypot(f, 1.0);
      f = ((x - z) * (x + z) + h * (y / (f + (f >= 0 ? g : -g)) - h)) / x;
      // Chase the bulge from l to k.
      double c = 1;
      double s = 1;
      for (int i = l + 1; i <= k; ++i) {
        g = e[i];
        y = q[i];
        h = s * g;
        g = c * g;
        z = std::hypot(f, h);
        e[i - 1] = z;
        c = f / z;
        s = h / z;
        f = x * c + g * s;
        g = g * c - x * s;
        h = y * s;
        y = y * c;
        right.Rotate(i - 1, i, c, s);
        z = std::hypot(f, h);
        q[i - 1] = z;
        if (z != 0) {  // otherwise any rotation will do: keep the last one
          c = f / z;
          s = h / z;
        }
        f = c * g + s * y;
        x = c * y - s * g;
        left.Rotate(i - 1, i, c, s);
      }
      e[l] = 0;
      e[k] = f;
      q[k] = x;
    }
  }
  return converged;
}

// Non-increasing order, first of equal values kept first; the rotation
// columns follow their values.
void SortDescending(int n, double* q, RotationAccumulator& left, RotationAccumulator& right) {
  for (int i = 0; i < n; ++i) {
    int largest = i;
    for (int j = i + 1; j < n; ++j) {
      if (q[j] > q[largest]) largest = j;
    }
    if (largest != i) {
      std::swap(q[i], q[largest]);
      left.Swap(i, largest);
      right.Swap(i, largest);
    }
  }
}

// u <- (product of the left reflectors and phases) * (first nu columns of the
// left rotations, padded with zero rows to m).
void BuildLeftVectors(Complex* const* a, int m, int n, int nu, const std::vector<Reflector>& reflectors,
                      RotationAccumulator& rotations, Complex* const* u, Complex* dots) {
  for (int i = 0; i < m; ++i) {
    for (int t = 0; t < nu; ++t) u[i][t] = i < n ? Complex(rotations.At(i, t)) : Complex(0);
  }
  for (int k = n - 1; k >= 0; --k) {
    const Reflector& h = reflectors[k];
    if (h.norm == 0) continue;
    const Complex fromReal = -h.phase;
    for (int t = 0; t < nu; ++t) u[k][t] = Times(u[k][t], fromReal);
    std::fill(dots, dots + nu, Complex(0));
    for (int i = k; i < m; ++i) {
      const Complex w = a[i][k];
      for (int t = 0; t < nu; ++t) dots[t] += ConjTimes(w, u[i][t]);
    }
    for (int t = 0; t < nu; ++t) dots[t] /= h.beta;
    for (int i = k; i < m; ++i) {
      const Complex w = a[i][k];
      for (int t = 0; t < nu; ++t) u[i][t] -= Times(dots[t], w);
    }
  }
}

// v <- (product of the right reflectors and phases) * (first nv columns of the
// right rotations).
void BuildRightVectors(Complex* const* a, int n, int nv, const std::vector<Reflector>& reflectors,
                       RotationAccumulator& rotations, Complex* const* v, Complex* dots) {
  for (int i = 0; i < n; ++i) {
    for (int t = 0; t < nv; ++t) v[i][t] = Complex(rotations.At(i, t));
  }
  for (int k = n - 2; k >= 0; --k) {
    const Reflector& h = reflectors[k];
    if (h.norm == 0) continue;
    const Complex* vector = a[k];
    const Complex fromReal = -std::conj(h.phase);
    for (int t = 0; t < nv; ++t) v[k + 1][t] = Times(v[k + 1][t], fromReal);
    std::fill(dots, dots + nv, Complex(0));
    for (int j = k + 1; j < n; ++j) {
      for (int t = 0; t < nv; ++t) dots[t] += Times(vector[j], v[j][t]);
    }
    for (int t = 0; t < nv; ++t) dots[t] /= h.beta;
    for (int j = k + 1; j < n; ++j) {
      const Complex w = std::conj(vector[j]);
      for (int t = 0; t < nv; ++t) v[j][t] -= Times(dots[t], w);
    }
  }
}

bool AllFinite(const Complex* const* a, int m, int n) {
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < n; ++j) {
      if (!std::isfinite(a[i][j].real()) || !std::isfinite(a[i][j].imag())) return false;
    }
  }
  return true;
}

}  // namespace

void ComplexSvd(std::complex<double>* const* a, int m, int n, int nu, int nv, double* sigma,
                std::complex<double>* const* u, std::complex<double>* const* v, int& failure) {
  const int codeOnEntry = failure;
  if (n < 1 || m < n || nu < 0 || nu > n || nv < 0 || nv > n) {
    failure = ReportFailure(codeOnEntry, 1, "");
    return;
  }
  if (!AllFinite(a, m, n)) {
    failure = ReportFailure(codeOnEntry, 2, "");
    return;
  }

  std::vector<Reflector> leftReflectors(n);
  std::vector<Reflector> rightReflectors(n);
  std::vector<double> superdiagonal(n, 0.0);
  std::vector<Complex> dots(n);
  for (int k = 0; k < n; ++k) {
    leftReflectors[k] = ReduceColumn(a, m, n, k, dots.data());
    sigma[k] = leftReflectors[k].norm;
    if (k + 1 < n) {
      rightReflectors[k] = ReduceRow(a, m, n, k);
      superdiagonal[k + 1] = rightReflectors[k].norm;
    }
  }

  RotationAccumulator leftRotations;
  RotationAccumulator rightRotations;
  leftRotations.Reset(n, nu > 0);
  rightRotations.Reset(n, nv > 0);
  const bool converged = DiagonaliseBidiagonal(n, sigma, superdiagonal.data(), leftRotations, rightRotations);
  SortDescending(n, sigma, leftRotations, rightRotations);

  if (nu > 0) BuildLeftVectors(a, m, n, nu, leftReflectors, leftRotations, u, dots.data());
  if (nv > 0) BuildRightVectors(a, n, nv, rightReflectors, rightRotations, v, dots.data());

  const bool finite = std::all_of(sigma, sigma + n, [](double s) { return std::isfinite(s); });
  const int error = !finite ? 2 : !converged ? 3 : 0;
  failure = error == 0 ? 0 : ReportFailure(codeOnEntry, error, "");
}

}  // namespace vorenta
