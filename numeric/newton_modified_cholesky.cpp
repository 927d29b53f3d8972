#include "numeric/newton_modified_cholesky.h"

#include <cmath>

#include "numeric/failure.h"
#include "numeric/quasi_newton_factors.h"

namespace vorenta {

int ModifiedCholesky(int n, double* lower, double* diagonal) {
  const double eps = MachineEpsilon();
  double gamma = 0.0, xi = 0.0;
  for (int i = 0; i < n; ++i) {
    gamma = std::fmax(gamma, std::fabs(diagonal[i]));
    for (int j = 0; j < i; ++j) xi = std::fmax(xi, std::fabs(lower[PackedIndex(i, j)]));
  }
  const double beta2 = std::fmax(std::fmax(gamma, xi / n), eps);
  const double delta = std::fmax(eps, eps * std::fmax(gamma, xi));
  int raised = 0;
  double largestRaise = 0.0;
  for (int j = 0; j < n; ++j) {
    double cjj = diagonal[j];
    for (int k = 0; k < j; ++k) {
      const double ljk = lower[PackedIndex(j, k)];
      cjj -= ljk * ljk * diagonal[k];
    }
    double theta = 0.0;
    for (int i = j + 1; i < n; ++i) {
      double cij = lower[PackedIndex(i, j)];
      for (int k = 0; k < j; ++k)
        cij -= lower[PackedIndex(i, k)] * lower[PackedIndex(j, k)] * diagonal[k];
      lower[PackedIndex(i, j)] = cij;
      theta = std::fmax(theta, std::fabs(cij));
    }
    if (cjj < delta) {
      const double lifted = std::fmax(std::fabs(cjj), delta);
      if (lifted - cjj > largestRaise) {
        largestRaise = lifted - cjj;
        raised = j + 1;
      }
      cjj = lifted;
    }
    const double dj = std::fmax(cjj, theta * theta / beta2);
    diagonal[j] = dj;
    for (int i = j + 1; i < n; ++i) lower[PackedIndex(i, j)] /= dj;
  }
  return raised;
}

void NegativeCurvatureDirection(int n, const double* lower, int raised, const double* g,
                                double* p) {
  for (int i = 0; i < n; ++i) p[i] = 0.0;
  const int q = raised - 1;
  p[q] = 1.0;
  for (int i = q - 1; i >= 0; --i) {
    double sum = 0.0;
    for (int j = i + 1; j <= q; ++j) sum -= lower[PackedIndex(j, i)] * p[j];
    p[i] = sum;
  }
  double slope = 0.0;
  for (int i = 0; i < n; ++i) slope += g[i] * p[i];
  if (slope > 0.0) {
    for (int i = 0; i < n; ++i) p[i] = -p[i];
  }
}

}  // namespace vorenta
