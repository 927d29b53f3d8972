#include "numeric/quasi_newton_factors.h"

#include <cmath>

namespace vorenta {

void ResetFactors(int n, double* lower, double* diagonal) {
  for (int i = 0; i < PackedLength(n); ++i) lower[i] = 0.0;
  for (int i = 0; i < n; ++i) diagonal[i] = 1.0;
}

void SolveFactored(int n, const double* lower, const double* diagonal, const double* b, double* x) {
  for (int i = 0; i < n; ++i) {
    double sum = b[i];
    for (int j = 0; j < i; ++j) sum -= lower[PackedIndex(i, j)] * x[j];
    x[i] = sum;
  }
  for (int i = 0; i < n; ++i) x[i] /= diagonal[i];
  for (int i = n - 1; i >= 0; --i) {
    double sum = x[i];
    for (int j = i + 1; j < n; ++j) sum -= lower[PackedIndex(j, i)] * x[j];
    x[i] = sum;
  }
}

bool ModifyFactors(int n, double* lower, double* diagonal, int first, double sigma, double* z,
                   double* t) {
  if (sigma == 0.0 || first >= n) return true;
  double previous = 1.0 / sigma;
  // t[j] holds 1/sigma + sum_{k<=j} p_k^2/d_k, where L·p = z. For a
  // downdate these sums are negative and are formed from the far end so
  // that no cancellation occurs.
  if (sigma < 0.0) {
    for (int j = first; j < n; ++j) t[j] = z[j];
    for (int j = first; j < n; ++j) {
      for (int i = j + 1; i < n; ++i) t[i] -= lower[PackedIndex(i, j)] * t[j];
    }
    double total = 1.0 / sigma;
    for (int j = first; j < n; ++j) total += t[j] * t[j] / diagonal[j];
    if (!(total < 0.0)) return false;
    for (int j = n - 1; j >= first; --j) {
      const double p = t[j];
      t[j] = total;
      total -= p * p / diagonal[j];
    }
    previous = total;
  }
  for (int j = first; j < n; ++j) {
    const double p = z[j];
    const double current = sigma < 0.0 ? t[j] : previous + p * p / diagonal[j];
    const double newDiagonal = diagonal[j] * current / previous;
    const double beta = p / (diagonal[j] * current);
    if (!(newDiagonal > 0.0) || !std::isfinite(newDiagonal) || !std::isfinite(beta)) return false;
    diagonal[j] = newDiagonal;
    for (int i = j + 1; i < n; ++i) {
      double& l = lower[PackedIndex(i, j)];
      z[i] -= p * l;
      l += beta * z[i];
      if (!std::isfinite(l)) return false;
    }
    previous = current;
  }
  return true;
}

bool DeleteFactorVariable(int n, int k, double* lower, double* diagonal, double* z, double* t) {
  const double removedDiagonal = diagonal[k];
  for (int i = k + 1; i < n; ++i) z[i - 1] = lower[PackedIndex(i, k)];
  // Close the gap: row i > k loses entry (i, k) and moves up to row i-1.
  for (int i = k + 1; i < n; ++i) {
    for (int j = 0; j < i; ++j) {
      if (j == k) continue;
      lower[PackedIndex(i - 1, j < k ? j : j - 1)] = lower[PackedIndex(i, j)];
    }
    diagonal[i - 1] = diagonal[i];
  }
  return ModifyFactors(n - 1, lower, diagonal, k, removedDiagonal, z, t);
}

void AppendFactorVariable(int n, double* lower, double* diagonal) {
  for (int j = 0; j < n; ++j) lower[PackedIndex(n, j)] = 0.0;
  diagonal[n] = 1.0;
}

bool LimitConditioning(int n, double* diagonal, double limit) {
  if (n < 1) return false;
  double largest = diagonal[0], smallest = diagonal[0];
  for (int i = 1; i < n; ++i) {
    largest = std::fmax(largest, diagonal[i]);
    smallest = std::fmin(smallest, diagonal[i]);
  }
  const double ratio = largest / smallest;
  if (!(ratio > limit)) return false;
  const double power = std::log(limit) / std::log(ratio);
  for (int i = 0; i < n; ++i) diagonal[i] = std::pow(diagonal[i], power);
  return true;
}

}  // namespace vorenta
