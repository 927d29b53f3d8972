#include "numeric/polynomial_roots.h"

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

using Extended = long double;
using Complex = std::complex<Extended>;

constexpr Extended kSentinel = -12345;

// Roots are accepted at a backward error of about the double epsilon, so
// well-conditioned ones come out within a few eps per unit of degree.
Extended AcceptanceAccuracy(int degree) { return 4 * degree * std::numeric_limits<double>::epsilon(); }

struct Result {
  std::vector<Complex> roots;
  int failure;
};

// Runs the kernel on copies of the coefficients (leading first); root slots
// start at kSentinel so untouched slots are visible.
Result FindRoots(const std::vector<Complex>& coefficients) {
  const int m = static_cast<int>(coefficients.size());
  std::vector<Extended> re(std::max(m, 1));
  std::vector<Extended> im(std::max(m, 1));
  for (int k = 0; k < m; ++k) {
    re[k] = coefficients[k].real();
    im[k] = coefficients[k].imag();
  }
  const std::size_t slots = std::max(m - 1, 1);
  std::vector<Extended> rootRe(slots, kSentinel);
  std::vector<Extended> rootIm(slots, kSentinel);
  Result result{{}, 0};
  PolynomialRoots(re.data(), im.data(), m, rootRe.data(), rootIm.data(), 0, result.failure);
  for (std::size_t k = 0; k < slots; ++k) result.roots.emplace_back(rootRe[k], rootIm[k]);
  return result;
}

// Coefficients of prod (z - r_k), leading first.
std::vector<Complex> FromRoots(const std::vector<Complex>& roots) {
  std::vector<Complex> c{1};
  for (const Complex& r : roots) {
    c.push_back(0);
    for (std::size_t k = c.size() - 1; k >= 1; --k) c[k] -= r * c[k - 1];
  }
  return c;
}

// Largest distance from an expected root to the computed root matched to it
// (greedy nearest matching, each computed root used once).
Extended WorstMatch(std::vector<Complex> computed, const std::vector<Complex>& expected) {
  Extended worst = 0;
  for (const Complex& e : expected) {
    auto nearest = std::min_element(computed.begin(), computed.end(), [&](const Complex& a, const Complex& b) {
      return std::abs(a - e) < std::abs(b - e);
    });
    if (nearest == computed.end()) return std::numeric_limits<Extended>::infinity();
    worst = std::max(worst, std::abs(*nearest - e));
    computed.erase(nearest);
  }
  return worst;
}

void ExpectRoots(const std::vector<Complex>& coefficients, const std::vector<Complex>& expected, Extended tolerance) {
  const Result result = FindRoots(coefficients);
  ASSERT_EQ(result.failure, 0);
  EXPECT_LE(WorstMatch(result.roots, expected), tolerance);
}

TEST(PolynomialRoots, SmallCasesComeOutExactly) {
  const Complex i(0, 1);
  ExpectRoots({1, 0, 1}, {i, -i}, 1e-18L);
  ExpectRoots({2, -4}, {2}, 0);
  ExpectRoots({Complex(0, 2), Complex(4, 2)}, {Complex(-1, 2)}, 1e-18L);
}

TEST(PolynomialRoots, ZeroRootsAreTakenWithoutIterating) {
  const Result cube = FindRoots({1, 0, 0, 0});
  ASSERT_EQ(cube.failure, 0);
  for (const Complex& r : cube.roots) EXPECT_EQ(r, Complex(0));
  // z^2 (z - 3): the zero roots fill the top slots, the last one is linear.
  const Result mixed = FindRoots({1, -3, 0, 0});
  ASSERT_EQ(mixed.failure, 0);
  EXPECT_EQ(mixed.roots[0], Complex(3));
  EXPECT_EQ(mixed.roots[1], Complex(0));
  EXPECT_EQ(mixed.roots[2], Complex(0));
}

TEST(PolynomialRoots, RealPolynomialGivesItsConjugatePairsAndRealRoots) {
  // (z - 2)(z + 0.5)(z^2 + 1)(z^2 - 2 z + 5)
  const std::vector<Complex> roots{2, -0.5L, Complex(0, 1), Complex(0, -1), Complex(1, 2), Complex(1, -2)};
  ExpectRoots(FromRoots(roots), roots, AcceptanceAccuracy(6));
}

TEST(PolynomialRoots, CoefficientScaleDoesNotMoveTheRoots) {
  const std::vector<Complex> roots{Complex(0.3L, 0.4L), Complex(-0.7L, 0.1L), Complex(0.2L, -0.9L)};
  for (Extended scale : {1e-30L, 1.0L, 1e40L}) {
    std::vector<Complex> c = FromRoots(roots);
    for (Complex& x : c) x *= scale;
    SCOPED_TRACE(::testing::Message() << "scale " << static_cast<double>(scale));
    ExpectRoots(c, roots, AcceptanceAccuracy(3));
  }
}

TEST(PolynomialRoots, RootsFarOutsideTheUnitDiscAreFound) {
  const std::vector<Complex> roots{100, Complex(0, 250), Complex(-300, 40), 1e4L};
  const Result result = FindRoots(FromRoots(roots));
  ASSERT_EQ(result.failure, 0);
  EXPECT_LE(WorstMatch(result.roots, roots), 1e-14L * 1e4L);
}

struct CircleCase {
  int degree;            // even
  Extended innerRadius;  // half of the roots lie on this circle ...
  Extended outerRadius;  // ... the other half on this one, turned half a step
};

class RootsOnCircles : public ::testing::TestWithParam<CircleCase> {};

// Equally spaced roots on one or two circles near the unit circle, as the
// Prony-type estimators meet them, up to the largest orders they use. The
// polynomial (z^h - A)(z^h - B), h = degree/2, has exact coefficients.
TEST_P(RootsOnCircles, AreRecovered) {
  const CircleCase& c = GetParam();
  const int h = c.degree / 2;
  const Extended pi = std::numbers::pi_v<Extended>;
  const Extended innerAngle = 0.3L;
  const Extended outerAngle = innerAngle + pi / h;
  const Complex inner = std::polar(std::pow(c.innerRadius, Extended(h)), h * innerAngle);
  const Complex outer = std::polar(std::pow(c.outerRadius, Extended(h)), h * outerAngle);
  std::vector<Complex> coefficients(c.degree + 1, 0);
  coefficients[0] = 1;
  coefficients[h] = -(inner + outer);
  coefficients[c.degree] = inner * outer;
  std::vector<Complex> roots;
  for (int k = 0; k < h; ++k) {
    roots.push_back(std::polar(c.innerRadius, innerAngle + 2 * pi * k / h));
    roots.push_back(std::polar(c.outerRadius, outerAngle + 2 * pi * k / h));
  }
  ExpectRoots(coefficients, roots, AcceptanceAccuracy(c.degree));
}

INSTANTIATE_TEST_SUITE_P(Degrees, RootsOnCircles,
                         ::testing::Values(CircleCase{6, 1, 1}, CircleCase{20, 1, 1}, CircleCase{20, 0.9L, 1.1L},
                                           CircleCase{50, 0.95L, 1}, CircleCase{100, 1, 1},
                                           CircleCase{100, 0.98L, 1.02L}));

TEST(PolynomialRoots, RandomWellSeparatedRootsInTheDiscAreRecovered) {
  std::mt19937_64 random(2024);
  std::uniform_real_distribution<double> uniform(-0.95, 0.95);
  std::vector<Complex> roots;
  while (roots.size() < 20) {
    const Complex r(uniform(random), uniform(random));
    const bool separated =
        std::all_of(roots.begin(), roots.end(), [&](const Complex& s) { return std::abs(r - s) > 0.15L; });
    if (std::abs(r) < 0.95L && separated) roots.push_back(r);
  }
  ExpectRoots(FromRoots(roots), roots, 1e-12L);  // clustered enough to lose digits
}

class RandomCoefficients : public ::testing::TestWithParam<int> {};

// Backward error of every root of a random complex polynomial:
// |P(r)| <= c * m * eps * sum_k |a_k| |r|^(m-1-k).
TEST_P(RandomCoefficients, EveryRootHasASmallBackwardError) {
  const int degree = GetParam();
  const unsigned seed = 900u + degree;
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal;
  std::vector<Complex> c(degree + 1);
  for (Complex& x : c) x = {normal(random), normal(random)};
  const Result result = FindRoots(c);
  ASSERT_EQ(result.failure, 0);
  const Extended epsilon = std::numeric_limits<double>::epsilon();
  for (const Complex& r : result.roots) {
    Complex value = 0;
    Extended size = 0;
    for (const Complex& a : c) {
      value = value * r + a;
      size = size * std::abs(r) + std::abs(a);
    }
    EXPECT_LE(std::abs(value), 10 * (degree + 1) * epsilon * size) << "root " << r;
  }
}

INSTANTIATE_TEST_SUITE_P(Degrees, RandomCoefficients, ::testing::Values(3, 10, 40, 100));

class InvalidInput : public ::testing::TestWithParam<std::vector<Complex>> {};

TEST_P(InvalidInput, IsRefusedWithFailureOneAndTheRootsUntouched) {
  const Result result = FindRoots(GetParam());
  EXPECT_EQ(result.failure, 1);
  for (const Complex& r : result.roots) EXPECT_EQ(r, Complex(kSentinel, kSentinel));
}

const Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
const Extended kInf = std::numeric_limits<Extended>::infinity();
INSTANTIATE_TEST_SUITE_P(Coefficients, InvalidInput,
                         ::testing::Values(std::vector<Complex>{0, 1, 2}, std::vector<Complex>{1},
                                           std::vector<Complex>{}, std::vector<Complex>(1001, 1),
                                           std::vector<Complex>{1, Complex(kNaN, 0), 1},
                                           std::vector<Complex>{1, 0, Complex(0, kInf)}));

TEST(PolynomialRoots, AcceptsTheLargestOrder) {
  // z^999 - 1/2: 999 roots on one circle.
  std::vector<Complex> c(1000, 0);
  c[0] = 1;
  c[999] = -0.5L;
  const Result result = FindRoots(c);
  ASSERT_EQ(result.failure, 0);
  const Extended radius = std::pow(0.5L, 1.0L / 999);
  for (const Complex& r : result.roots) {
    EXPECT_NEAR(static_cast<double>(std::abs(r)), static_cast<double>(radius), 1e-12);
  }
}

TEST(PolynomialRoots, SparsePolynomialWithAFlatStartIsSolved) {
  // z^40 - 1: near the descent's start 0.001 + 0.1i the derivative is about
  // 40 * 10^-39, flat against |P| = 1.
  std::vector<Complex> c(41, 0);
  c[0] = 1;
  c[40] = -1;
  std::vector<Complex> roots;
  for (int k = 0; k < 40; ++k) roots.push_back(std::polar(Extended(1), 2 * std::numbers::pi_v<Extended> * k / 40));
  ExpectRoots(c, roots, AcceptanceAccuracy(40));
}

TEST(PolynomialRoots, CoefficientsSpanningTheExponentRangeFailWithoutHanging) {
  // The balance by a power of two flushes the leading 1e-4900 to zero.
  const Result result = FindRoots({1e-4900L, 0, 1e4900L});
  EXPECT_EQ(result.failure, 2);
  EXPECT_EQ(result.roots[0], Complex(kSentinel, kSentinel));
  EXPECT_EQ(result.roots[1], Complex(kSentinel, kSentinel));
}

}  // namespace
}  // namespace vorenta
