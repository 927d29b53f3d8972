#include "numeric/gauss_solve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "tests/numeric/row_matrix.h"

namespace vorenta {
namespace {

using Complex = std::complex<double>;

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

std::vector<Complex> SolveComplex(testing::RowMatrix<Complex> r, std::vector<Complex> rhs) {
  std::vector<Complex> x(rhs.size(), Complex(-99, -99));
  ComplexGaussSolve(r.Rows(), r.RowPointers(), rhs.data(), x.data());
  return x;
}

std::vector<double> SolveReal(testing::RowMatrix<double> g, std::vector<double> b) {
  std::vector<double> s(b.size(), -99);
  RealGaussSolve(g.Rows(), g.RowPointers(), b.data(), s.data());
  return s;
}

TEST(ComplexGaussSolve, PivotingSweepSolvesAPermutedSystem) {
  // The largest entry of the first column sits in the last row; the zero
  // pivot of row 0 must not be used.
  testing::RowMatrix<Complex> r(3, 3);
  r(0, 1) = 2;
  r(0, 2) = 1;
  r(1, 0) = Complex(0, 1);
  r(1, 2) = 1;
  r(2, 0) = 3;
  r(2, 1) = 1;
  const std::vector<Complex> solution{Complex(1, -1), 2, Complex(0, 3)};
  std::vector<Complex> rhs(3);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) rhs[i] += r(i, j) * solution[j];
  }
  const std::vector<Complex> x = SolveComplex(r, rhs);
  for (int i = 0; i < 3; ++i) EXPECT_LT(std::abs(x[i] - solution[i]), 10 * kEpsilon) << "i = " << i;
}

TEST(ComplexGaussSolve, ModifiedCovarianceSystemOfAnExponentialGivesItsPredictor) {
  // For x_n = exp(i w n) the order-1 forward-backward normal equations give
  // a_1 = -exp(i w), the predictor x_n = exp(i w) x_(n-1).
  const double w = 2 * std::numbers::pi * 0.1;
  const int n = 64;
  Complex r = 0;
  Complex rhs = 0;
  auto x = [&](int k) { return std::polar(1.0, w * k); };
  for (int k = 1; k < n; ++k) {
    r += std::conj(x(k - 1)) * x(k - 1) + x(k) * std::conj(x(k));
    rhs -= x(k) * std::conj(x(k - 1)) + std::conj(x(k - 1)) * x(k);
  }
  testing::RowMatrix<Complex> matrix(1, 1);
  matrix(0, 0) = r;
  const std::vector<Complex> a = SolveComplex(matrix, {rhs});
  EXPECT_LT(std::abs(a[0] + std::polar(1.0, w)), 100 * n * kEpsilon);
}

TEST(ComplexGaussSolve, TinyPivotIsFlooredAtOneE15) {
  testing::RowMatrix<Complex> r(2, 2);
  r(0, 0) = 1;
  r(1, 1) = Complex(1e-20, 1e-20);
  const std::vector<Complex> x = SolveComplex(r, {2, 3});
  EXPECT_EQ(x[0], Complex(2));
  EXPECT_DOUBLE_EQ(x[1].real(), 3e15);
  EXPECT_EQ(x[1].imag(), 0.0);
}

// The sinusoid fit's Gram system [[C, S], [S^T, -C]]: symmetric, indefinite,
// with non-vanishing leading minors, solved without row exchanges.
TEST(RealGaussSolve, SolvesTheQuasiDefiniteSinusoidSystem) {
  const int k = 3;
  const int length = 50;
  const double f[k] = {0.05, 0.13, 0.0};
  testing::RowMatrix<double> g(2 * k, 2 * k);
  for (int i = 0; i < k; ++i) {
    for (int j = 0; j < k; ++j) {
      double c = 0;
      double s = 0;
      for (int m = 0; m < length; ++m) {
        c += std::cos(2 * std::numbers::pi * (f[i] - f[j]) * m);
        s += std::sin(2 * std::numbers::pi * (f[i] - f[j]) * m);
      }
      g(i, j) = c;
      g(i, k + j) = s;
      g(k + i, j) = -s;
      g(k + i, k + j) = -c;
    }
  }
  std::mt19937_64 random(8);
  std::normal_distribution<double> normal;
  std::vector<double> solution(2 * k);
  for (double& x : solution) x = normal(random);
  std::vector<double> b(2 * k, 0.0);
  for (int i = 0; i < 2 * k; ++i) {
    for (int j = 0; j < 2 * k; ++j) b[i] += g(i, j) * solution[j];
  }
  const std::vector<double> s = SolveReal(g, b);
  for (int i = 0; i < 2 * k; ++i) EXPECT_NEAR(s[i], solution[i], 1e3 * length * kEpsilon) << "i = " << i;
}

TEST(RealGaussSolve, VanishingPivotBecomesOneE15) {
  // Two equal frequencies make the Gram system singular: the second pivot
  // vanishes and the floor yields large but finite numbers.
  testing::RowMatrix<double> g(2, 2);
  g(0, 0) = g(0, 1) = g(1, 0) = g(1, 1) = 4;
  const std::vector<double> s = SolveReal(g, {4, 8});
  EXPECT_DOUBLE_EQ(s[1], 4e15);
  EXPECT_DOUBLE_EQ(s[0], 1 - 4e15);
}

}  // namespace
}  // namespace vorenta
