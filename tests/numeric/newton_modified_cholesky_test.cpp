#include "numeric/newton_modified_cholesky.h"

#include <gtest/gtest.h>

#include <vector>

#include "numeric/quasi_newton_factors.h"

namespace vorenta {
namespace {

struct Symmetric {
  int n;
  std::vector<double> lower, diagonal;
  double At(int i, int j) const {
    if (i == j) return diagonal[i];
    return i > j ? lower[PackedIndex(i, j)] : lower[PackedIndex(j, i)];
  }
};

// (L·D·L^T)_ij of factors held in the same storage.
long double Product(const Symmetric& f, int i, int j) {
  long double sum = 0.0L;
  for (int k = 0; k <= std::min(i, j); ++k) {
    const long double lik = k == i ? 1.0L : f.lower[PackedIndex(i, k)];
    const long double ljk = k == j ? 1.0L : f.lower[PackedIndex(j, k)];
    sum += lik * f.diagonal[k] * ljk;
  }
  return sum;
}

TEST(ModifiedCholesky, PositiveDefiniteMatrixIsFactorisedUnchanged) {
  // Rows of the packed lower triangle: (1,0); (2,0) (2,1).
  const Symmetric h{3, {1.0, 0.5, -0.3}, {4.0, 3.0, 2.0}};
  Symmetric f = h;
  EXPECT_EQ(ModifiedCholesky(3, f.lower.data(), f.diagonal.data()), 0);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(double(Product(f, i, j)), h.At(i, j), 1e-14);
  }
}

TEST(ModifiedCholesky, IndefiniteMatrixGetsANonNegativeDiagonalShift) {
  const Symmetric h{3, {2.0, 0.5, 1.0}, {1.0, 1.0, -2.0}};
  Symmetric f = h;
  EXPECT_GT(ModifiedCholesky(3, f.lower.data(), f.diagonal.data()), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_GT(f.diagonal[i], 0.0);
    EXPECT_GE(double(Product(f, i, i)), h.At(i, i) - 1e-14);
    for (int j = 0; j < i; ++j) EXPECT_NEAR(double(Product(f, i, j)), h.At(i, j), 1e-13);
  }
}

TEST(ModifiedCholesky, NegativeCurvatureDirectionHasNegativeCurvature) {
  const Symmetric h{2, {0.0}, {1.0, -1.0}};
  Symmetric f = h;
  const int raised = ModifiedCholesky(2, f.lower.data(), f.diagonal.data());
  ASSERT_EQ(raised, 2);
  const std::vector<double> g{0.0, 1e-3};
  std::vector<double> p(2);
  NegativeCurvatureDirection(2, f.lower.data(), raised, g.data(), p.data());
  const double curvature =
      p[0] * p[0] * h.At(0, 0) + 2 * p[0] * p[1] * h.At(1, 0) + p[1] * p[1] * h.At(1, 1);
  EXPECT_LT(curvature, 0.0);
  EXPECT_LE(g[0] * p[0] + g[1] * p[1], 0.0);
}

}  // namespace
}  // namespace vorenta
