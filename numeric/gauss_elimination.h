#pragma once
// The one Gaussian elimination behind the public solvers of complex_system.h
// and gauss_solve.h, which differ only in scalar type, pivot floor and whether
// rows are exchanged. Not part of the public interface.

#include <algorithm>
#include <cmath>
#include <complex>
#include <type_traits>

#include "numeric/smith_division.h"

namespace vorenta::detail {

template <class Scalar>
struct RealOf {
  using type = Scalar;
};
template <class Real>
struct RealOf<std::complex<Real>> {
  using type = Real;
};

template <class Scalar>
Scalar Quotient(Scalar a, Scalar b) {
  if constexpr (std::is_floating_point_v<Scalar>) {
    return a / b;
  } else {
    return SmithDivide(a, b);
  }
}

// Replaces a pivot smaller in modulus than `floor` by the real value `floor`.
template <class Scalar>
void FloorPivot(Scalar& pivot, typename RealOf<Scalar>::type floor) {
  if (std::abs(pivot) < floor) pivot = Scalar(floor);
}

enum class Pivoting { kNone, kPartial };

// Solves a * x = b in place: a (n row pointers) and b are overwritten.
template <class Scalar>
void GaussEliminate(int n, Scalar* const* a, Scalar* b, Scalar* x, typename RealOf<Scalar>::type floor,
                    Pivoting pivoting) {
  for (int q = 0; q + 1 < n; ++q) {
    if (pivoting == Pivoting::kPartial) {
      // Compared with the current pivot row, so after the sweep the largest
      // modulus of the column sits in row q.
      for (int j = q + 1; j < n; ++j) {
        if (std::abs(a[j][q]) > std::abs(a[q][q])) {
          std::swap_ranges(a[q], a[q] + n, a[j]);
          std::swap(b[q], b[j]);
        }
      }
    }
    FloorPivot(a[q][q], floor);
    const Scalar pivot = a[q][q];
    const Scalar* pivotRow = a[q];
    for (int j = q + 1; j < n; ++j) {
      Scalar* row = a[j];
      const Scalar factor = Quotient(row[q], pivot);
      // Column q of the rows below is never read again.
      for (int c = q + 1; c < n; ++c) row[c] -= factor * pivotRow[c];
      b[j] -= factor * b[q];
    }
  }
  for (int i = n - 1; i >= 0; --i) {
    Scalar sum = b[i];
    for (int c = i + 1; c < n; ++c) sum -= a[i][c] * x[c];
    FloorPivot(a[i][i], floor);
    x[i] = Quotient(sum, a[i][i]);
  }
}

}  // namespace vorenta::detail
