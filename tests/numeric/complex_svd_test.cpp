#include "numeric/complex_svd.h"

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
using ComplexMatrix = testing::RowMatrix<Complex>;

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// The QR iteration stops at 1.2e-7 relative to the bidiagonal's size.
constexpr double kIterationAccuracy = 1.2e-7;

ComplexMatrix RandomMatrix(int m, int n, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  ComplexMatrix a(m, n);
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < n; ++j) a(i, j) = {normal(random), normal(random)};
  }
  return a;
}

struct Decomposition {
  std::vector<double> sigma;
  ComplexMatrix u;
  ComplexMatrix v;
  int failure;
};

// Decomposes a copy, so `a` stays available as the oracle's input.
Decomposition Decompose(const ComplexMatrix& a, int nu, int nv) {
  const int m = a.Rows();
  const int n = a.Columns();
  ComplexMatrix work = a;
  Decomposition d{std::vector<double>(n, -1.0), ComplexMatrix(m, nu), ComplexMatrix(n, nv), -7};
  ComplexSvd(work.RowPointers(), m, n, nu, nv, d.sigma.data(), d.u.RowPointers(), d.v.RowPointers(), d.failure);
  return d;
}

double FrobeniusNorm(const ComplexMatrix& a) {
  double sum = 0;
  for (int i = 0; i < a.Rows(); ++i) {
    for (int j = 0; j < a.Columns(); ++j) sum += std::norm(a(i, j));
  }
  return std::sqrt(sum);
}

// Largest |(X^H X - I)_ij| over the first `columns` columns.
double OrthonormalityError(const ComplexMatrix& x, int columns) {
  double worst = 0;
  for (int s = 0; s < columns; ++s) {
    for (int t = 0; t < columns; ++t) {
      Complex dot = 0;
      for (int i = 0; i < x.Rows(); ++i) dot += std::conj(x(i, s)) * x(i, t);
      worst = std::max(worst, std::abs(dot - Complex(s == t ? 1.0 : 0.0)));
    }
  }
  return worst;
}

// |A v_j - sigma_j u_j| (or |A v_j| when u_j was not asked for).
double PairResidual(const ComplexMatrix& a, const Decomposition& d, int j, bool withLeft) {
  double sum = 0;
  for (int i = 0; i < a.Rows(); ++i) {
    Complex av = 0;
    for (int c = 0; c < a.Columns(); ++c) av += a(i, c) * d.v(c, j);
    if (withLeft) av -= d.sigma[j] * d.u(i, j);
    sum += std::norm(av);
  }
  return std::sqrt(sum);
}

void ExpectNonIncreasingAndNonNegative(const std::vector<double>& sigma) {
  for (std::size_t j = 0; j < sigma.size(); ++j) {
    EXPECT_GE(sigma[j], 0.0) << "j = " << j;
    if (j > 0) {
      EXPECT_LE(sigma[j], sigma[j - 1]) << "j = " << j;
    }
  }
}

struct Shape {
  int m, n;
};

class RandomShapes : public ::testing::TestWithParam<Shape> {};

// The decomposition properties on random matrices of the shapes the subspace
// estimators pass (2K x M, M up to 200).
TEST_P(RandomShapes, FactorsAreOrthonormalAndPairUp) {
  const auto [m, n] = GetParam();
  const unsigned seed = 1000u * m + n;
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::mt19937_64 random(seed);
  const ComplexMatrix a = RandomMatrix(m, n, random);
  const Decomposition d = Decompose(a, n, n);
  ASSERT_EQ(d.failure, 0);

  ExpectNonIncreasingAndNonNegative(d.sigma);
  const double roundoff = 50.0 * (m + n) * kEpsilon;
  EXPECT_LT(OrthonormalityError(d.u, n), roundoff);
  EXPECT_LT(OrthonormalityError(d.v, n), roundoff);
  const double scale = d.sigma[0];
  for (int j = 0; j < n; ++j) {
    EXPECT_LT(PairResidual(a, d, j, true), 4 * kIterationAccuracy * scale + roundoff * FrobeniusNorm(a)) << "j = " << j;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, RandomShapes,
                         ::testing::Values(Shape{1, 1}, Shape{2, 1}, Shape{2, 2}, Shape{5, 3}, Shape{7, 7},
                                           Shape{40, 20}, Shape{360, 20}, Shape{400, 200}));

// The first `columns` columns of a random unitary rows x rows matrix, a product
// of three Householder reflections.
ComplexMatrix RandomUnitary(int rows, int columns, std::mt19937_64& random) {
  ComplexMatrix q(rows, columns);
  for (int j = 0; j < columns; ++j) q(j, j) = 1;
  std::normal_distribution<double> normal;
  for (int reflection = 0; reflection < 3; ++reflection) {
    std::vector<Complex> w(rows);
    double norm = 0;
    for (Complex& x : w) {
      x = {normal(random), normal(random)};
      norm += std::norm(x);
    }
    for (int t = 0; t < columns; ++t) {
      Complex dot = 0;
      for (int i = 0; i < rows; ++i) dot += std::conj(w[i]) * q(i, t);
      for (int i = 0; i < rows; ++i) q(i, t) -= 2.0 / norm * w[i] * dot;
    }
  }
  return q;
}

TEST(ComplexSvd, RecoversPrescribedSingularValuesInDecreasingOrder) {
  const int m = 30;
  const int n = 6;
  std::mt19937_64 random(77);
  const ComplexMatrix p = RandomUnitary(m, n, random);
  const ComplexMatrix q = RandomUnitary(n, n, random);
  // Deliberately unsorted and with a repeated value.
  const std::vector<double> values{3.0, 10.0, 0.5, 7.0, 3.0, 1e-3};
  ComplexMatrix a(m, n);
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < n; ++j) {
      for (int k = 0; k < n; ++k) a(i, j) += p(i, k) * values[k] * std::conj(q(j, k));
    }
  }
  const Decomposition d = Decompose(a, n, n);
  ASSERT_EQ(d.failure, 0);
  const std::vector<double> expected{10.0, 7.0, 3.0, 3.0, 0.5, 1e-3};
  for (int j = 0; j < n; ++j) EXPECT_NEAR(d.sigma[j], expected[j], kIterationAccuracy * 10.0) << "j = " << j;
}

TEST(ComplexSvd, RankOneSteeringRowsLeaveOneValueAndAnExactNullSpace) {
  const int m = 24;
  const int n = 8;
  const double omega = 0.7;
  std::mt19937_64 random(5);
  std::normal_distribution<double> normal;
  ComplexMatrix a(m, n);
  double weight = 0;
  for (int i = 0; i < m; ++i) {
    const Complex c(normal(random), normal(random));
    weight += std::norm(c);
    for (int j = 0; j < n; ++j) a(i, j) = c * std::polar(1.0, -omega * j);
  }
  const Decomposition d = Decompose(a, n, n);
  ASSERT_EQ(d.failure, 0);
  const double expected = std::sqrt(weight * n);
  EXPECT_NEAR(d.sigma[0], expected, 1e-12 * expected);
  for (int j = 1; j < n; ++j) {
    EXPECT_LT(d.sigma[j], kIterationAccuracy * expected) << "j = " << j;
    EXPECT_LT(PairResidual(a, d, j, false), kIterationAccuracy * expected) << "j = " << j;
  }
  EXPECT_LT(OrthonormalityError(d.v, n), 100 * n * kEpsilon);
}

TEST(ComplexSvd, ZeroMatrixGivesZeroValuesAndIdentityVectors) {
  const int m = 5;
  const int n = 3;
  const Decomposition d = Decompose(ComplexMatrix(m, n), n, n);
  ASSERT_EQ(d.failure, 0);
  for (int j = 0; j < n; ++j) {
    EXPECT_EQ(d.sigma[j], 0.0);
    for (int i = 0; i < m; ++i) EXPECT_EQ(d.u(i, j), Complex(i == j ? 1.0 : 0.0));
    for (int i = 0; i < n; ++i) EXPECT_EQ(d.v(i, j), Complex(i == j ? 1.0 : 0.0));
  }
}

struct VectorCounts {
  int nu, nv;
};

class PartialVectors : public ::testing::TestWithParam<VectorCounts> {};

// Fewer vectors change neither the values nor the vectors that are asked for.
TEST_P(PartialVectors, GiveTheSameValuesAndLeadingPairs) {
  const auto [nu, nv] = GetParam();
  const int m = 50;
  const int n = 9;
  std::mt19937_64 random(31);
  const ComplexMatrix a = RandomMatrix(m, n, random);
  const Decomposition full = Decompose(a, n, n);
  const Decomposition fewer = Decompose(a, nu, nv);
  ASSERT_EQ(fewer.failure, 0);
  for (int j = 0; j < n; ++j) EXPECT_NEAR(fewer.sigma[j], full.sigma[j], 1e-12 * full.sigma[0]);
  EXPECT_LT(OrthonormalityError(fewer.u, nu), 100 * m * kEpsilon);
  EXPECT_LT(OrthonormalityError(fewer.v, nv), 100 * n * kEpsilon);
  for (int j = 0; j < std::min(nu, nv); ++j) {
    EXPECT_LT(PairResidual(a, fewer, j, true), 4 * kIterationAccuracy * full.sigma[0]) << "j = " << j;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, PartialVectors,
                         ::testing::Values(VectorCounts{0, 9}, VectorCounts{9, 0}, VectorCounts{0, 0},
                                           VectorCounts{4, 6}, VectorCounts{1, 1}));

TEST(ComplexSvd, HandlesColumnsBelowTheZeroNormThreshold) {
  // A column of size 1e-17 counts as zero; the rest is decomposed normally.
  const int m = 4;
  const int n = 3;
  ComplexMatrix a(m, n);
  a(0, 0) = {3, 4};
  a(1, 1) = 1e-17;
  a(2, 2) = {0, -2};
  const Decomposition d = Decompose(a, n, n);
  ASSERT_EQ(d.failure, 0);
  EXPECT_NEAR(d.sigma[0], 5.0, 1e-14);
  EXPECT_NEAR(d.sigma[1], 2.0, 1e-14);
  EXPECT_LT(d.sigma[2], 1e-16);
  EXPECT_LT(OrthonormalityError(d.u, n), 1e-14);
  EXPECT_LT(OrthonormalityError(d.v, n), 1e-14);
}

struct BadEntry {
  const char* name;
  Complex value;
};

class NonFiniteInput : public ::testing::TestWithParam<BadEntry> {};

TEST_P(NonFiniteInput, IsReportedWithoutTouchingTheOutputs) {
  const int m = 6;
  const int n = 4;
  std::mt19937_64 random(3);
  ComplexMatrix a = RandomMatrix(m, n, random);
  a(4, 2) = GetParam().value;
  const Decomposition d = Decompose(a, n, n);
  EXPECT_EQ(d.failure, 2);
  for (double s : d.sigma) EXPECT_EQ(s, -1.0);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
INSTANTIATE_TEST_SUITE_P(Entries, NonFiniteInput,
                         ::testing::Values(BadEntry{"NaNReal", {kNaN, 0}}, BadEntry{"NaNImag", {1, kNaN}},
                                           BadEntry{"Infinity", {kInf, 0}}, BadEntry{"MinusInfinityImag", {0, -kInf}}),
                         [](const ::testing::TestParamInfo<BadEntry>& entry) { return std::string(entry.param.name); });

TEST(ComplexSvd, OverflowingFiniteInputIsReportedAndEnds) {
  const int m = 6;
  const int n = 4;
  std::mt19937_64 random(4);
  ComplexMatrix a = RandomMatrix(m, n, random);
  a(1, 1) = 1e300;
  EXPECT_EQ(Decompose(a, n, n).failure, 2);
}

struct BadShape {
  int m, n, nu, nv;
};

class InvalidDimensions : public ::testing::TestWithParam<BadShape> {};

TEST_P(InvalidDimensions, AreRefusedWithFailureOne) {
  const auto [m, n, nu, nv] = GetParam();
  ComplexMatrix a(std::max(m, 1), std::max(n, 1));
  std::vector<double> sigma(std::max(n, 1), -1.0);
  ComplexMatrix u(std::max(m, 1), std::max(n, 1) + 1);
  ComplexMatrix v(std::max(n, 1), std::max(n, 1) + 1);
  int failure = 0;
  ComplexSvd(a.RowPointers(), m, n, nu, nv, sigma.data(), u.RowPointers(), v.RowPointers(), failure);
  EXPECT_EQ(failure, 1);
  EXPECT_EQ(sigma[0], -1.0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, InvalidDimensions,
                         ::testing::Values(BadShape{3, 0, 0, 0}, BadShape{2, 3, 2, 2}, BadShape{4, 3, 4, 3},
                                           BadShape{4, 3, 3, -1}));

}  // namespace
}  // namespace vorenta
