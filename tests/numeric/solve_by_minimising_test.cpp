#include "numeric/solve_by_minimising.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "numeric/fp_guard.h"

namespace vorenta {
namespace {

// The normal-equations solution (A^T A) x = A^T b by Gaussian elimination
// with partial pivoting in long double: the independent oracle.
std::vector<long double> NormalEquationsSolution(int rows, int columns,
                                                 const std::vector<double>& a,
                                                 const std::vector<double>& b) {
  std::vector<std::vector<long double>> m(columns, std::vector<long double>(columns + 1, 0.0L));
  for (int i = 0; i < columns; ++i) {
    for (int k = 0; k < rows; ++k) {
      for (int j = 0; j < columns; ++j)
        m[i][j] += (long double)a[k * columns + i] * a[k * columns + j];
      m[i][columns] += (long double)a[k * columns + i] * b[k];
    }
  }
  for (int c = 0; c < columns; ++c) {
    int pivot = c;
    for (int r = c + 1; r < columns; ++r) {
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    }
    std::swap(m[c], m[pivot]);
    for (int r = c + 1; r < columns; ++r) {
      const long double factor = m[r][c] / m[c][c];
      for (int j = c; j <= columns; ++j) m[r][j] -= factor * m[c][j];
    }
  }
  std::vector<long double> x(columns);
  for (int c = columns - 1; c >= 0; --c) {
    long double sum = m[c][columns];
    for (int j = c + 1; j < columns; ++j) sum -= m[c][j] * x[j];
    x[c] = sum / m[c][c];
  }
  return x;
}

TEST(SolveByMinimising, SquareTwoByTwoSystem) {
  // x0 + x1 = 3, x0 - x1 = 1.
  const std::vector<double> a{1.0, 1.0, 1.0, -1.0}, b{3.0, 1.0};
  std::vector<double> s(2, 0.0);
  SolveByMinimising(2, 2, a.data(), b.data(), s.data());
  EXPECT_NEAR(s[0], 2.0, 1e-12);
  EXPECT_NEAR(s[1], 1.0, 1e-12);
}

struct SystemShape {
  int rows, columns;
  unsigned seed;
};

class SolveByMinimisingShapes : public ::testing::TestWithParam<SystemShape> {};

TEST_P(SolveByMinimisingShapes, MatchesTheNormalEquations) {
  const SystemShape shape = GetParam();
  std::mt19937 random(shape.seed);
  std::uniform_real_distribution<double> entry(-2.0, 2.0);
  std::vector<double> a(static_cast<size_t>(shape.rows * shape.columns)),
      b(static_cast<size_t>(shape.rows));
  for (double& v : a) v = entry(random);
  for (double& v : b) v = entry(random);
  // Diagonal emphasis keeps the square cases well conditioned.
  for (int i = 0; i < std::min(shape.rows, shape.columns); ++i) a[i * shape.columns + i] += 4.0;
  std::vector<double> s(static_cast<size_t>(shape.columns));
  SolveByMinimising(shape.rows, shape.columns, a.data(), b.data(), s.data());
  const std::vector<long double> expected =
      NormalEquationsSolution(shape.rows, shape.columns, a, b);
  for (int j = 0; j < shape.columns; ++j) {
    EXPECT_NEAR(s[j], (double)expected[j], 1e-10 * std::fmax(1.0, std::fabs((double)expected[j])))
        << "seed " << shape.seed << " x" << j;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, SolveByMinimisingShapes,
                         ::testing::Values(SystemShape{5, 2, 7u}, SystemShape{5, 2, 8u},
                                           SystemShape{4, 4, 9u}, SystemShape{12, 12, 10u}));

TEST(SolveByMinimising, RankDeficientSystemEndsAtAMinimiser) {
  // Second column is twice the first: any s with s0 + 2 s1 = least-squares
  // value of the one-column problem minimises.
  const std::vector<double> a{1.0, 2.0, 2.0, 4.0, -1.0, -2.0}, b{1.0, 3.0, 0.5};
  std::vector<double> s(2);
  const FloatingPointGuard guard;
  SolveByMinimising(3, 2, a.data(), b.data(), s.data());
  EXPECT_FALSE(guard.Faulted());
  const double oneColumn = (1.0 * 1.0 + 2.0 * 3.0 - 1.0 * 0.5) / (1.0 + 4.0 + 1.0);
  EXPECT_NEAR(s[0] + 2.0 * s[1], oneColumn, 1e-8);
}

}  // namespace
}  // namespace vorenta
