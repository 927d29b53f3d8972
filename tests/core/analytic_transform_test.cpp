#include "core/analytic_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "core/error.h"

namespace vorenta {
namespace {

using LongComplex = std::complex<long double>;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The discrete analytic signal of x zero-padded to n, by direct DFTs in long
// double: positive frequencies doubled, DC and Nyquist kept, negative ones
// dropped.
std::vector<LongComplex> AnalyticOracle(const std::vector<double>& x, int n) {
  std::vector<LongComplex> spectrum(n);
  for (int k = 0; k < n; ++k) {
    for (std::size_t j = 0; j < x.size(); ++j) spectrum[k] += static_cast<long double>(x[j]) * std::polar(1.0L, -2 * kPi * k * j / n);
  }
  for (int k = 1; k < n; ++k) {
    if (2 * k < n) spectrum[k] *= 2.0L;
    if (2 * k > n) spectrum[k] = 0.0L;
  }
  std::vector<LongComplex> z(x.size());
  for (std::size_t j = 0; j < x.size(); ++j) {
    for (int k = 0; k < n; ++k) z[j] += spectrum[k] * std::polar(1.0L, 2 * kPi * k * j / n);
    z[j] /= n;
  }
  return z;
}

AnalyticSignalClass OneColumnSignal(const std::vector<double>& x, bool inSecondChannel) {
  AnalyticSignalClass signal;
  const auto count = static_cast<std::int32_t>(x.size());
  signal.Channel1.Resize(count);
  signal.Channel2.Resize(count);
  signal.TimeBase.Resize(count);
  for (std::int32_t j = 0; j < count; ++j) (inSecondChannel ? signal.Channel2 : signal.Channel1).Set(j, x[j]);
  return signal;
}

ReaderDatas ColumnsReading(std::int16_t column1, std::int16_t column2) {
  ReaderDatas columns;
  columns.ColumnCount = 1;
  columns.SetColumn1(column1);
  columns.SetColumn2(column2);
  return columns;
}

TEST(AnalyticTransformTest, CosineBecomesCosinePlusISine) {
  constexpr int kCount = 100;
  constexpr double kPhase = 0.3;
  std::vector<double> x(kCount);
  for (int j = 0; j < kCount; ++j) x[j] = std::cos(2 * M_PI * 5 * j / kCount + kPhase);
  AnalyticSignalClass signal = OneColumnSignal(x, false);
  ReaderDatas columns = ColumnsReading(1, 0);
  ASSERT_TRUE(ApplyAnalyticTransform(signal, columns));
  const double tolerance = 16 * kCount * std::numeric_limits<double>::epsilon();
  for (int j = 0; j < kCount; ++j) {
    EXPECT_NEAR(signal.Channel1[j], x[j], tolerance) << j;
    EXPECT_NEAR(signal.Channel2[j], std::sin(2 * M_PI * 5 * j / kCount + kPhase), tolerance) << j;
  }
  EXPECT_EQ(columns.Column1, 1);
  EXPECT_EQ(columns.Column2, 101);
  EXPECT_EQ(signal.Channel1.Count(), kCount);
}

struct LengthCase {
  int count;
  int paddedLength;
};

class AnalyticOracleTest : public ::testing::TestWithParam<LengthCase> {};

// Random signals against the long-double oracle; lengths whose padding is
// even (Nyquist bin kept once) and odd (no Nyquist bin).
TEST_P(AnalyticOracleTest, MatchesDirectComputationOnPaddedLength) {
  const LengthCase& c = GetParam();
  const unsigned seed = 1000u + static_cast<unsigned>(c.count);
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss;
  std::vector<double> x(c.count);
  for (double& v : x) v = gauss(random);
  AnalyticSignalClass signal = OneColumnSignal(x, false);
  ReaderDatas columns = ColumnsReading(1, 0);
  ASSERT_TRUE(ApplyAnalyticTransform(signal, columns));
  const std::vector<LongComplex> z = AnalyticOracle(x, c.paddedLength);
  const double tolerance = 32 * c.paddedLength * std::numeric_limits<double>::epsilon();
  for (int j = 0; j < c.count; ++j) {
    EXPECT_NEAR(signal.Channel1[j], static_cast<double>(z[j].real()), tolerance) << "seed " << seed << " j " << j;
    EXPECT_NEAR(signal.Channel2[j], static_cast<double>(z[j].imag()), tolerance) << "seed " << seed << " j " << j;
  }
  EXPECT_EQ(signal.Channel1.Count(), c.count);
  EXPECT_EQ(signal.Channel2.Count(), c.count);
}

INSTANTIATE_TEST_SUITE_P(Lengths, AnalyticOracleTest,
                         ::testing::Values(LengthCase{97, 98}, LengthCase{99, 99}, LengthCase{64, 64},
                                           LengthCase{23, 24}, LengthCase{1, 2}));

TEST(AnalyticTransformTest, RealPartIsKeptWhenNyquistBinIsPresent) {
  const std::vector<double> x{1, -1, 1, -1, 1, -1};
  AnalyticSignalClass signal = OneColumnSignal(x, false);
  ReaderDatas columns = ColumnsReading(1, 0);
  ASSERT_TRUE(ApplyAnalyticTransform(signal, columns));
  for (int j = 0; j < 6; ++j) {
    EXPECT_NEAR(signal.Channel1[j], x[j], 1e-15);
    EXPECT_NEAR(signal.Channel2[j], 0.0, 1e-15);
  }
}

TEST(AnalyticTransformTest, SignalReadIntoSecondChannelIsTheRealPart) {
  std::vector<double> x(40);
  for (int j = 0; j < 40; ++j) x[j] = std::cos(2 * M_PI * 3 * j / 40);
  AnalyticSignalClass signal = OneColumnSignal(x, true);
  ReaderDatas columns = ColumnsReading(0, 1);
  ASSERT_TRUE(ApplyAnalyticTransform(signal, columns));
  for (int j = 0; j < 40; ++j) {
    EXPECT_NEAR(signal.Channel1[j], x[j], 1e-14);
    EXPECT_NEAR(signal.Channel2[j], std::sin(2 * M_PI * 3 * j / 40), 1e-14);
  }
  EXPECT_EQ(columns.Column1, 100);
  EXPECT_EQ(columns.Column2, 1);
}

TEST(AnalyticTransformTest, OverflowThrowsAndLeavesSignalUnchanged) {
  const std::vector<double> x{1e308, 1e308, 1e308, -1e308};
  AnalyticSignalClass signal = OneColumnSignal(x, false);
  ReaderDatas columns = ColumnsReading(1, 0);
  EXPECT_THROW(ApplyAnalyticTransform(signal, columns), VorentaError);
  for (int j = 0; j < 4; ++j) EXPECT_EQ(signal.Channel1[j], x[j]);
  EXPECT_EQ(signal.Channel2[0], 0.0);
  EXPECT_EQ(columns.Column2, 0);
}

}  // namespace
}  // namespace vorenta
