#include "numeric/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace vorenta {
namespace {

using LongComplex = std::complex<long double>;

constexpr double kEps = std::numeric_limits<double>::epsilon();

struct Signal {
  std::vector<double> re;
  std::vector<double> im;
};

Signal RandomSignal(int n, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  Signal x{std::vector<double>(n), std::vector<double>(n)};
  for (int j = 0; j < n; ++j) {
    x.re[j] = uniform(generator);
    x.im[j] = uniform(generator);
  }
  return x;
}

// exp(-2*pi*i*r/n) for r = 0 .. n-1, in long double.
std::vector<LongComplex> UnitRoots(int n) {
  std::vector<LongComplex> roots(n);
  const long double pi = std::numbers::pi_v<long double>;
  for (int r = 0; r < n; ++r) roots[r] = std::polar(1.0L, -2.0L * pi * r / n);
  return roots;
}

// z_k = (1/sqrt(n)) sum_j x_j exp(-2 pi i j k / n), summed directly in long double.
LongComplex DirectBin(const Signal& x, const std::vector<LongComplex>& roots, int k) {
  const int n = static_cast<int>(x.re.size());
  LongComplex sum = 0.0L;
  long long rotation = 0;  // j*k mod n
  for (int j = 0; j < n; ++j) {
    sum += LongComplex(x.re[j], x.im[j]) * roots[rotation];
    rotation += k;
    if (rotation >= n) rotation %= n;
  }
  return sum / std::sqrt(static_cast<long double>(n));
}

std::vector<LongComplex> DirectDft(const Signal& x) {
  const int n = static_cast<int>(x.re.size());
  const auto roots = UnitRoots(n);
  std::vector<LongComplex> z(n);
  for (int k = 0; k < n; ++k) z[k] = DirectBin(x, roots, k);
  return z;
}

long double Energy(const Signal& x) {
  long double energy = 0.0L;
  for (std::size_t j = 0; j < x.re.size(); ++j) {
    energy += static_cast<long double>(x.re[j]) * x.re[j] + static_cast<long double>(x.im[j]) * x.im[j];
  }
  return energy;
}

// Sum of the prime factors of n with multiplicity: the work per element, and
// the growth of the rounding error with it.
int PrimeFactorSum(int n) {
  int sum = 0;
  for (int p = 2; n > 1; ++p) {
    while (n % p == 0) {
      sum += p;
      n /= p;
    }
  }
  return sum;
}

int Transform(Signal& x) {
  int failure = 0;
  ComplexFft(x.re.data(), x.im.data(), static_cast<int>(x.re.size()), failure);
  return failure;
}

void Conjugate(Signal& x) {
  for (double& v : x.im) v = -v;
}

// ||computed - expected||_2 / ||expected||_2.
double RelativeError(const Signal& computed, const std::vector<LongComplex>& expected) {
  long double error = 0.0L, norm = 0.0L;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    error += std::norm(LongComplex(computed.re[k], computed.im[k]) - expected[k]);
    norm += std::norm(expected[k]);
  }
  return static_cast<double>(std::sqrt(error / norm));
}

double Tolerance(int n) { return 4.0 * kEps * PrimeFactorSum(n); }

// Lengths that between them run every kernel (2, 3, 4, 5, 8, the general odd
// prime), every merge pattern of the twos, and both permutation stages.
class FftAgainstDirectDft : public ::testing::TestWithParam<int> {};

TEST_P(FftAgainstDirectDft, MatchesTheSumInLongDouble) {
  const int n = GetParam();
  const unsigned seed = 1000u + static_cast<unsigned>(n);
  SCOPED_TRACE(::testing::Message() << "n = " << n << ", seed = " << seed);
  Signal x = RandomSignal(n, seed);
  const auto expected = DirectDft(x);
  ASSERT_EQ(Transform(x), 0);
  EXPECT_LE(RelativeError(x, expected), Tolerance(n));
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftAgainstDirectDft,
                         ::testing::Values(2, 3, 4, 5, 7, 8, 11, 13, 16, 17, 19, 24, 27, 30, 32, 35, 49, 60, 64,
                                           121, 128, 169, 210, 256, 289, 360, 361, 512, 1024, 2000, 2048, 2310,
                                           4096, 5040, 9261, 10000));

TEST_P(FftAgainstDirectDft, InverseByConjugationRestoresTheInput) {
  const int n = GetParam();
  const unsigned seed = 2000u + static_cast<unsigned>(n);
  SCOPED_TRACE(::testing::Message() << "n = " << n << ", seed = " << seed);
  const Signal original = RandomSignal(n, seed);
  Signal x = original;
  ASSERT_EQ(Transform(x), 0);
  Conjugate(x);
  ASSERT_EQ(Transform(x), 0);
  Conjugate(x);
  std::vector<LongComplex> expected(n);
  for (int j = 0; j < n; ++j) expected[j] = LongComplex(original.re[j], original.im[j]);
  EXPECT_LE(RelativeError(x, expected), 2.0 * Tolerance(n));
}

class FftPins : public ::testing::TestWithParam<int> {};

TEST_P(FftPins, ImpulseAtZeroGivesTheConstantOneOverRootN) {
  const int n = GetParam();
  Signal x{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
  x.re[0] = 1.0;
  ASSERT_EQ(Transform(x), 0);
  const double level = 1.0 / std::sqrt(static_cast<double>(n));
  for (int k = 0; k < n; ++k) {
    EXPECT_NEAR(x.re[k], level, 4 * kEps * level) << "k = " << k;
    EXPECT_NEAR(x.im[k], 0.0, 4 * kEps * level) << "k = " << k;
  }
}

// exp(+2 pi i j/n) has all its energy in bin 1 only with the negative exponent.
TEST_P(FftPins, PositiveUnitRotationLandsInBinOne) {
  const int n = GetParam();
  Signal x{std::vector<double>(n), std::vector<double>(n)};
  const long double pi = std::numbers::pi_v<long double>;
  for (int j = 0; j < n; ++j) {
    x.re[j] = static_cast<double>(std::cos(2.0L * pi * j / n));
    x.im[j] = static_cast<double>(std::sin(2.0L * pi * j / n));
  }
  ASSERT_EQ(Transform(x), 0);
  const double peak = std::sqrt(static_cast<double>(n));
  const double tolerance = Tolerance(n) * peak;
  EXPECT_NEAR(x.re[1], peak, tolerance);
  EXPECT_NEAR(x.im[1], 0.0, tolerance);
  for (int k = 0; k < n; ++k) {
    if (k == 1) continue;
    EXPECT_NEAR(x.re[k], 0.0, tolerance) << "k = " << k;
    EXPECT_NEAR(x.im[k], 0.0, tolerance) << "k = " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftPins, ::testing::Values(2, 3, 8, 24, 30, 49, 361, 1000, 9261, 10000));

TEST(ComplexFft, LengthTwoIsSumAndDifferenceOverRootTwo) {
  Signal x{{3.0, 1.0}, {-2.0, 5.0}};
  ASSERT_EQ(Transform(x), 0);
  const double r = std::sqrt(0.5);
  EXPECT_NEAR(x.re[0], 4.0 * r, 4 * kEps);
  EXPECT_NEAR(x.im[0], 3.0 * r, 4 * kEps);
  EXPECT_NEAR(x.re[1], 2.0 * r, 4 * kEps);
  EXPECT_NEAR(x.im[1], -7.0 * r, 4 * kEps);
}

// Largest prime factor and number of prime factors, found independently.
int ExpectedFailure(int n) {
  int largest = 1, count = 0;
  for (int p = 2; n > 1; ++p) {
    while (n % p == 0) {
      largest = p;
      ++count;
      n /= p;
    }
  }
  if (largest > 19) return 1;
  return count > 20 ? 2 : 0;
}

// Every length up to a few thousand: accepted exactly when it should be, with
// energy preserved and a few bins equal to the direct sum.
TEST(ComplexFft, EveryLengthUpToThreeThousand) {
  int previousAccepted = 1;
  for (int n = 2; n <= 3000; ++n) {
    SCOPED_TRACE(::testing::Message() << "n = " << n << ", seed = " << n);
    Signal x = RandomSignal(n, static_cast<unsigned>(n));
    const Signal original = x;
    const int expectedFailure = ExpectedFailure(n);
    const int failure = Transform(x);
    ASSERT_EQ(failure, expectedFailure);
    if (failure != 0) {
      ASSERT_EQ(x.re, original.re);
      ASSERT_EQ(x.im, original.im);
      continue;
    }
    for (int skipped = previousAccepted + 1; skipped <= n; ++skipped) ASSERT_EQ(NextFftLength(skipped), n);
    previousAccepted = n;

    const long double energyBefore = Energy(original);
    EXPECT_NEAR(static_cast<double>(Energy(x) / energyBefore), 1.0, Tolerance(n));
    const auto roots = UnitRoots(n);
    for (int k : {0, 1, n / 3, n / 2, n - 1}) {
      const LongComplex expected = DirectBin(original, roots, k);
      const double scale = static_cast<double>(std::sqrt(energyBefore));
      EXPECT_NEAR(x.re[k], static_cast<double>(expected.real()), Tolerance(n) * scale) << "k = " << k;
      EXPECT_NEAR(x.im[k], static_cast<double>(expected.imag()), Tolerance(n) * scale) << "k = " << k;
    }
  }
}

struct FailureCase {
  int n;
  int failure;
};

class FftFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FftFailures, ReportsTheCodeAndLeavesTheArraysAlone) {
  const FailureCase c = GetParam();
  const int size = std::max(c.n, 4);
  Signal x{std::vector<double>(size), std::vector<double>(size)};
  for (int j = 0; j < size; ++j) {
    x.re[j] = j + 0.25;
    x.im[j] = -j - 0.5;
  }
  const Signal original = x;
  for (int codeOnEntry : {0, 1, -1}) {
    int failure = codeOnEntry;
    ComplexFft(x.re.data(), x.im.data(), c.n, failure);
    EXPECT_EQ(failure, c.failure) << "n = " << c.n << ", code on entry " << codeOnEntry;
  }
  EXPECT_EQ(x.re, original.re);
  EXPECT_EQ(x.im, original.im);
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftFailures,
                         ::testing::Values(FailureCase{1, 3}, FailureCase{0, 3}, FailureCase{-1, 3},
                                           FailureCase{23, 1}, FailureCase{2 * 23, 1}, FailureCase{1 << 21, 2},
                                           // 19 primes recorded, then a square would make 21.
                                           FailureCase{(1 << 19) * 9, 2}));

// Lengths too long for the full direct sum: energy, a few bins against the
// direct sum and the round trip. 2^20 has twenty prime factors; the others
// have three or more distinct square-free primes, whose reordering follows
// long cycles, some beside square factors (9240, 90090), and 1385670 with a
// square-free part above 2^20.
class FftLongLengths : public ::testing::TestWithParam<int> {};

TEST_P(FftLongLengths, MatchesDirectBinsAndRoundTrips) {
  const int n = GetParam();
  const unsigned seed = 3000u + static_cast<unsigned>(n);
  SCOPED_TRACE(::testing::Message() << "n = " << n << ", seed = " << seed);
  const Signal original = RandomSignal(n, seed);
  Signal x = original;
  const long double energyBefore = Energy(x);
  ASSERT_EQ(Transform(x), 0);
  EXPECT_NEAR(static_cast<double>(Energy(x) / energyBefore), 1.0, Tolerance(n));
  const auto roots = UnitRoots(n);
  const double scale = static_cast<double>(std::sqrt(energyBefore));
  for (int k : {0, 1, 2, 12345 % n, n / 3, n / 2 + 1, n - 1}) {
    const LongComplex expected = DirectBin(original, roots, k);
    EXPECT_NEAR(x.re[k], static_cast<double>(expected.real()), Tolerance(n) * scale) << "k = " << k;
    EXPECT_NEAR(x.im[k], static_cast<double>(expected.imag()), Tolerance(n) * scale) << "k = " << k;
  }
  Conjugate(x);
  ASSERT_EQ(Transform(x), 0);
  Conjugate(x);
  std::vector<LongComplex> expected(n);
  for (int j = 0; j < n; ++j) expected[j] = LongComplex(original.re[j], original.im[j]);
  EXPECT_LE(RelativeError(x, expected), 2.0 * Tolerance(n));
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftLongLengths,
                         ::testing::Values(1 << 20, 9240, 30030, 90090, 255255, 510510, 1385670));

std::vector<int> ListOf(const int* list) {
  std::vector<int> values;
  for (int j = 0; j < kFftFactorSlots && list[j] != 0; ++j) values.push_back(list[j]);
  return values;
}

struct FactorCase {
  int n;
  std::vector<int> passes;
  std::vector<int> permutation;
  int squareProduct;
  std::vector<int> squareFree;
};

class FftFactorLists : public ::testing::TestWithParam<FactorCase> {};

TEST_P(FftFactorLists, AreTheDocumentedOnes) {
  const FactorCase c = GetParam();
  FftFactors factors;
  int failure = 0;
  FftFactorise(c.n, kFftLargestPrime, kFftLargestPowerOfTwo, factors, failure);
  ASSERT_EQ(failure, 0);
  EXPECT_EQ(ListOf(factors.passes), c.passes);
  EXPECT_EQ(ListOf(factors.permutation), c.permutation);
  EXPECT_EQ(factors.squareProduct, c.squareProduct);
  EXPECT_EQ(ListOf(factors.squareFree), c.squareFree);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, FftFactorLists,
    ::testing::Values(FactorCase{24, {1, 4, 3, 2}, {2, 6, 2}, 2, {2, 3}},
                      FactorCase{16, {1, 1, 8, 2}, {2, 2, 2, 2}, 4, {}},
                      FactorCase{10000, {5, 5, 1, 1, 8, 2, 5, 5}, {5, 5, 2, 2, 2, 2, 5, 5}, 100, {}},
                      FactorCase{2, {2}, {2}, 1, {}},
                      FactorCase{30, {2, 3, 5}, {30}, 1, {2, 3, 5}},
                      FactorCase{9261, {7, 3, 3, 7, 3, 7}, {7, 3, 21, 3, 7}, 21, {3, 7}},
                      FactorCase{512, {1, 1, 8, 1, 1, 8, 1, 1, 8}, {2, 2, 2, 2, 2, 2, 2, 2, 2}, 16, {}},
                      FactorCase{1 << 20,
                                 {1, 1, 8, 1, 1, 8, 1, 1, 8, 1, 1, 8, 1, 1, 8, 1, 1, 8, 1, 4},
                                 std::vector<int>(20, 2), 1024, {}}));

TEST(FftFactorise, FailureLeavesTheListsAlone) {
  for (const FailureCase c : {FailureCase{23, 1}, FailureCase{1 << 21, 2}, FailureCase{(1 << 19) * 9, 2}}) {
    FftFactors factors;
    int failure = 0;
    FftFactorise(24, kFftLargestPrime, kFftLargestPowerOfTwo, factors, failure);
    FftFactorise(c.n, kFftLargestPrime, kFftLargestPowerOfTwo, factors, failure);
    EXPECT_EQ(failure, c.failure) << "n = " << c.n;
    EXPECT_EQ(ListOf(factors.passes), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_EQ(factors.squareProduct, 2);
  }
}

TEST(FftFactorise, SmallerPowerOfTwoLimitMergesLess) {
  FftFactors factors;
  int failure = 0;
  FftFactorise(64, kFftLargestPrime, 4, factors, failure);
  ASSERT_EQ(failure, 0);
  EXPECT_EQ(ListOf(factors.passes), (std::vector<int>{1, 4, 1, 4, 1, 4}));
  FftFactorise(8, kFftLargestPrime, 2, factors, failure);
  EXPECT_EQ(ListOf(factors.passes), (std::vector<int>{2, 2, 2}));
}

struct NextLengthCase {
  int n;
  int next;
};

class NextFftLengths : public ::testing::TestWithParam<NextLengthCase> {};

TEST_P(NextFftLengths, IsTheFirstAcceptedLength) { EXPECT_EQ(NextFftLength(GetParam().n), GetParam().next); }

INSTANTIATE_TEST_SUITE_P(Cases, NextFftLengths,
                         ::testing::Values(NextLengthCase{97, 98}, NextLengthCase{23, 24}, NextLengthCase{2, 2},
                                           NextLengthCase{1, 2}, NextLengthCase{0, 2}, NextLengthCase{-5, 2},
                                           NextLengthCase{361, 361}, NextLengthCase{362, 363},
                                           NextLengthCase{(1 << 20) + 1, 1049070},
                                           // 2^31 - 1 is prime: nothing accepted fits in an int.
                                           NextLengthCase{std::numeric_limits<int>::max(), 0}));

}  // namespace
}  // namespace vorenta
