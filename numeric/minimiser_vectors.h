#pragma once
// Dot products and norms of the short vectors inside the minimisers.

#include <cmath>

namespace vorenta {

inline double Dot(int n, const double* a, const double* b) {
  double sum = 0.0;
  for (int i = 0; i < n; ++i) sum += a[i] * b[i];
  return sum;
}

inline double Norm(int n, const double* v) { return std::sqrt(Dot(n, v, v)); }

}  // namespace vorenta
