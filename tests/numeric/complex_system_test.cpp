#include "numeric/complex_system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "tests/numeric/row_matrix.h"

namespace vorenta {
namespace {

using Extended = long double;
using Complex = std::complex<Extended>;
using Matrix = testing::RowMatrix<Complex>;

constexpr Extended kEpsilon = std::numeric_limits<Extended>::epsilon();

std::vector<Complex> Solve(Matrix a, std::vector<Complex> b) {
  std::vector<Complex> x(b.size(), Complex(-99, -99));
  SolveComplexSystem(a.Rows(), a.RowPointers(), b.data(), x.data());
  return x;
}

Extended MaxDistance(const std::vector<Complex>& x, const std::vector<Complex>& y) {
  Extended worst = 0;
  for (std::size_t i = 0; i < x.size(); ++i) worst = std::max(worst, std::abs(x[i] - y[i]));
  return worst;
}

TEST(SolveComplexSystem, ZeroLeadingPivotIsHandledByExchangingRows) {
  // Without row exchanges the zero pivot would turn this permutation system
  // into the wrong answer (0, 1).
  Matrix a(2, 2);
  a(0, 1) = 1;
  a(1, 0) = 1;
  const std::vector<Complex> x = Solve(a, {1, 2});
  EXPECT_EQ(x[0], Complex(2));
  EXPECT_EQ(x[1], Complex(1));
}

struct SystemCase {
  int n;
  bool hermitianGram;  // X^H X, as the least-squares normal equations
};

class KnownSolution : public ::testing::TestWithParam<SystemCase> {};

TEST_P(KnownSolution, IsRecoveredToExtendedPrecision) {
  const auto [n, gram] = GetParam();
  const unsigned seed = 31u * n + gram;
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal;
  auto draw = [&] { return Complex(normal(random), normal(random)); };
  Matrix a(n, n);
  if (gram) {
    Matrix x(3 * n, n);
    for (int i = 0; i < 3 * n; ++i) {
      for (int j = 0; j < n; ++j) x(i, j) = draw();
    }
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        for (int r = 0; r < 3 * n; ++r) a(i, j) += std::conj(x(r, i)) * x(r, j);
      }
    }
  } else {
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) a(i, j) = draw();
    }
  }
  std::vector<Complex> solution(n);
  for (Complex& s : solution) s = draw();
  std::vector<Complex> b(n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) b[i] += a(i, j) * solution[j];
  }
  // Random matrices of these sizes have condition numbers well below 1e4.
  EXPECT_LT(MaxDistance(Solve(a, b), solution), 1e4L * n * kEpsilon);
}

INSTANTIATE_TEST_SUITE_P(Sizes, KnownSolution,
                         ::testing::Values(SystemCase{1, false}, SystemCase{2, false}, SystemCase{7, false},
                                           SystemCase{40, false}, SystemCase{5, true}, SystemCase{60, true}));

TEST(SolveComplexSystem, SingularSystemsGiveFiniteNumbersThroughThePivotFloor) {
  // Zero matrix: every pivot becomes 1e-100.
  const std::vector<Complex> zero = Solve(Matrix(2, 2), {1, Complex(0, 2)});
  EXPECT_LT(std::abs(zero[1] - Complex(0, 2e100L)), 4 * kEpsilon * 2e100L);
  EXPECT_LT(std::abs(zero[0] - Complex(1e100L)), 4 * kEpsilon * 1e100L);
  // Rank one, consistent right-hand side: the free unknown comes out 0.
  Matrix a(2, 2);
  a(0, 0) = a(0, 1) = a(1, 0) = a(1, 1) = 1;
  const std::vector<Complex> x = Solve(a, {3, 3});
  EXPECT_EQ(x[1], Complex(0));
  EXPECT_EQ(x[0], Complex(3));
}

}  // namespace
}  // namespace vorenta
