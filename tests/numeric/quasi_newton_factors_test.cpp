#include "numeric/quasi_newton_factors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace vorenta {
namespace {

using Dense = std::vector<std::vector<long double>>;

// Random factors of order n with moderate conditioning.
struct Factors {
  int n;
  std::vector<double> lower, diagonal;

  Factors(int order, unsigned seed) : n(order), lower(PackedLength(order)), diagonal(order) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> entry(-1.0, 1.0), pivot(0.5, 3.0);
    for (int i = 0; i < n; ++i) {
      diagonal[i] = pivot(random);
      for (int j = 0; j < i; ++j) lower[PackedIndex(i, j)] = entry(random);
    }
  }

  long double L(int i, int j) const {
    if (i == j) return 1.0L;
    return j < i ? lower[PackedIndex(i, j)] : 0.0L;
  }

  Dense Product() const {
    Dense a(n, std::vector<long double>(n, 0.0L));
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        for (int k = 0; k < n; ++k) a[i][j] += L(i, k) * diagonal[k] * L(j, k);
      }
    }
    return a;
  }
};

void ExpectClose(const Dense& expected, const Factors& f, double tolerance) {
  const Dense actual = f.Product();
  for (int i = 0; i < f.n; ++i) {
    for (int j = 0; j < f.n; ++j) {
      EXPECT_NEAR(static_cast<double>(actual[i][j]), static_cast<double>(expected[i][j]), tolerance)
          << "(" << i << ", " << j << ")";
    }
  }
}

class FactorOrder : public ::testing::TestWithParam<int> {};

TEST_P(FactorOrder, SolveInvertsTheProduct) {
  const int n = GetParam();
  const Factors f(n, 11u + n);
  const Dense a = f.Product();
  std::vector<double> b(n), x(n);
  for (int i = 0; i < n; ++i) b[i] = std::sin(1.0 + i);
  SolveFactored(n, f.lower.data(), f.diagonal.data(), b.data(), x.data());
  for (int i = 0; i < n; ++i) {
    long double row = 0.0L;
    for (int j = 0; j < n; ++j) row += a[i][j] * x[j];
    EXPECT_NEAR(static_cast<double>(row), b[i], 1e-10 * n);
  }
}

TEST_P(FactorOrder, UpdateThenDowndateMatchDenseRankOne) {
  const int n = GetParam();
  Factors f(n, 23u + n);
  Dense a = f.Product();
  std::vector<double> z(n), t(n), y(n);
  for (int i = 0; i < n; ++i) y[i] = std::cos(0.3 + 2.0 * i);
  for (int sign : {+1, -1}) {
    const double sigma = 0.4 * sign;
    z = y;
    ASSERT_TRUE(ModifyFactors(n, f.lower.data(), f.diagonal.data(), 0, sigma, z.data(), t.data()));
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) a[i][j] += sigma * y[i] * y[j];
    }
    ExpectClose(a, f, 1e-11 * n);
    for (int i = 0; i < n; ++i) EXPECT_GT(f.diagonal[i], 0.0);
  }
}

TEST_P(FactorOrder, DowndateToIndefiniteFails) {
  const int n = GetParam();
  Factors f(n, 5u + n);
  std::vector<double> z(n, 0.0), t(n);
  z[n - 1] = 1e3;  // removes far more than the matrix holds along e_{n-1}
  EXPECT_FALSE(ModifyFactors(n, f.lower.data(), f.diagonal.data(), 0, -1.0, z.data(), t.data()));
}

TEST_P(FactorOrder, DeletingAVariableLeavesTheReducedMatrix) {
  const int n = GetParam();
  for (int k = 0; k < n; ++k) {
    Factors f(n, 41u + n);
    const Dense a = f.Product();
    std::vector<double> z(n), t(n);
    ASSERT_TRUE(DeleteFactorVariable(n, k, f.lower.data(), f.diagonal.data(), z.data(), t.data()));
    f.n = n - 1;
    Dense reduced;
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      std::vector<long double> row;
      for (int j = 0; j < n; ++j) {
        if (j != k) row.push_back(a[i][j]);
      }
      reduced.push_back(row);
    }
    ExpectClose(reduced, f, 1e-11 * n);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, FactorOrder, ::testing::Values(1, 2, 3, 7));

TEST(QuasiNewtonFactors, AppendedVariableIsUncoupledWithUnitPivot) {
  Factors f(3, 3u);
  f.lower.resize(PackedLength(4));
  f.diagonal.resize(4);
  const Dense before = f.Product();
  AppendFactorVariable(3, f.lower.data(), f.diagonal.data());
  f.n = 4;
  const Dense after = f.Product();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(double(after[i][j]), double(before[i][j]), 1e-15);
    EXPECT_EQ(after[3][i], 0.0L);
  }
  EXPECT_EQ(after[3][3], 1.0L);
}

TEST(QuasiNewtonFactors, ConditioningIsBroughtDownToTheLimit) {
  std::vector<double> d{1e-6, 1.0, 1e6};
  EXPECT_TRUE(LimitConditioning(3, d.data(), 1e4));
  EXPECT_NEAR(d[2] / d[0], 1e4, 1e-6);
  EXPECT_NEAR(d[1], 1.0, 1e-15);
  EXPECT_FALSE(LimitConditioning(3, d.data(), 1e5));
}

}  // namespace
}  // namespace vorenta
