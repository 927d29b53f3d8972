#include "core/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace vorenta {
namespace {

// An independent model of the generator: the recurrence in 64-bit arithmetic
// reduced explicitly mod 2^32.
struct ModelGenerator {
  std::uint64_t x;
  std::uint64_t Next() {
    x = (x * 134775813ull + 1ull) % 4294967296ull;
    return x;
  }
  long double Uniform() { return static_cast<long double>(Next()) / 4294967296.0L; }
};

class RandomGenerator : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RandomGenerator, FollowsTheLinearCongruentialRecurrence) {
  SetRandomSeed(GetParam());
  ModelGenerator model{GetParam()};
  for (int i = 0; i < 1000; ++i) {
    const long double expected = model.Uniform();
    ASSERT_EQ(static_cast<long double>(RandomUniform()), expected) << "draw " << i;
    ASSERT_EQ(RandomSeed(), model.x);
  }
}

TEST_P(RandomGenerator, RandomRangeScalesTheStateIntoTheHalfOpenRange) {
  SetRandomSeed(GetParam());
  ModelGenerator model{GetParam()};
  for (int i = 0; i < 1000; ++i) {
    const auto expected = static_cast<std::int32_t>(std::floor(model.Uniform() * 1000000.0L));
    const std::int32_t value = RandomRange(0, 1000000);
    ASSERT_EQ(value, expected) << "draw " << i;
    ASSERT_GE(value, 0);
    ASSERT_LT(value, 1000000);
  }
}

TEST_P(RandomGenerator, GaussianDeviatesFollowThePolarMethodOnTheSameStream) {
  SetRandomSeed(GetParam());
  ModelGenerator model{GetParam()};
  for (int i = 0; i < 200; ++i) {
    long double u = 0, s = 0;
    do {
      u = 2 * model.Uniform() - 1;
      const long double v = 2 * model.Uniform() - 1;
      s = u * u + v * v;
    } while (s >= 1);
    const long double expected = 3 + 0.5L * u * std::sqrt(-2 * std::log(s) / s);
    const double deviate = RandomGaussian(3, 0.5);
    ASSERT_NEAR(deviate, static_cast<double>(expected), 1e-13 * (1 + std::fabs(deviate)))
        << "deviate " << i;
    ASSERT_EQ(RandomSeed(), model.x) << "the same number of draws";
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomGenerator,
                         ::testing::Values(0u, 1u, 12345u, 0x80000000u, 0xFFFFFFFFu));

TEST(RandomRange, CoversBothOrdersOfTheEnds) {
  SetRandomSeed(99);
  std::vector<int> seen(10, 0);
  for (int i = 0; i < 10000; ++i) {
    const std::int32_t forward = RandomRange(-5, 5);
    ASSERT_GE(forward, -5);
    ASSERT_LT(forward, 5);
    ++seen[static_cast<std::size_t>(forward + 5)];
    const std::int32_t backward = RandomRange(5, -5);
    ASSERT_GE(backward, -5);
    ASSERT_LT(backward, 5);
  }
  for (int count : seen) EXPECT_GT(count, 800);  // about 1000 each
  EXPECT_EQ(RandomRange(7, 7), 7);
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(RandomBelow(-3), 0);
}

TEST(RandomGaussian, HasTheRequestedMeanAndSpread) {
  SetRandomSeed(2026);
  constexpr int kCount = 200000;
  long double sum = 0, sumOfSquares = 0;
  for (int i = 0; i < kCount; ++i) {
    const long double x = RandomGaussian(-2, 3);
    sum += x;
    sumOfSquares += x * x;
  }
  const long double mean = sum / kCount;
  const long double variance = sumOfSquares / kCount - mean * mean;
  // Five standard errors: 3/sqrt(n) for the mean, about 9*sqrt(2/n) for the variance.
  EXPECT_NEAR(static_cast<double>(mean), -2, 5 * 3 / std::sqrt(kCount));
  EXPECT_NEAR(static_cast<double>(variance), 9, 5 * 9 * std::sqrt(2.0 / kCount));
}

TEST(RandomGaussian, ZeroDeviationGivesTheMeanAndStillAdvances) {
  SetRandomSeed(5);
  for (int i = 0; i < 100; ++i) {
    const std::uint32_t before = RandomSeed();
    EXPECT_EQ(RandomGaussian(1.25, 0), 1.25);
    EXPECT_NE(RandomSeed(), before);
  }
}

TEST(SeedRandomFromClock, ReplacesTheState) {
  // Two clock seeds a moment apart agree only by a 1 in 2^32 chance.
  SetRandomSeed(0);
  SeedRandomFromClock();
  const std::uint32_t first = RandomSeed();
  std::uint32_t second = first;
  for (int attempt = 0; attempt < 1000 && second == first; ++attempt) {
    SeedRandomFromClock();
    second = RandomSeed();
  }
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace vorenta
