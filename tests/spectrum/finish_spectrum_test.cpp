#include "spectrum/finish_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "spectrum/result_model.h"

namespace vorenta {
namespace {

TEST(FinishSpectrumTest, DecibelsRelativeToThePeakWithAHundredDecibelFloor) {
  std::vector<double> values = {2.0, 1.0, 0.2, 0.0, 2e-6, std::numeric_limits<double>::quiet_NaN()};
  const std::optional<DecibelRange> range = FinishSpectrum(values.data(), static_cast<int>(values.size()));
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(values[0], 0.0);
  EXPECT_NEAR(values[1], 20 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(values[2], -20.0, 1e-12);
  EXPECT_NEAR(values[3], -100.0, 1e-12);
  EXPECT_NEAR(values[4], -100.0, 1e-12);
  EXPECT_NEAR(values[5], -100.0, 1e-12);
  EXPECT_EQ(range->Largest, 0.0);
  EXPECT_NEAR(range->Smallest, -100.0, 1e-12);
}

TEST(FinishSpectrumTest, RefusesASpectrumWithoutAPeak) {
  for (double peak : {0.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    std::vector<double> values = {0.0, peak, 0.0};
    EXPECT_FALSE(FinishSpectrum(values.data(), 3).has_value()) << peak;
    EXPECT_EQ(values[0], 0.0);
  }
  EXPECT_FALSE(FinishSpectrum(nullptr, 0).has_value());
}

TEST(SpectrumBinFrequencyTest, UpperHalfHoldsTheNegativeFrequencies) {
  EXPECT_EQ(SpectrumBinFrequency(0), 0.0);
  EXPECT_DOUBLE_EQ(SpectrumBinFrequency(1000), 0.1);
  EXPECT_DOUBLE_EQ(SpectrumBinFrequency(4999), 0.4999);
  EXPECT_DOUBLE_EQ(SpectrumBinFrequency(5000), -0.5);
  EXPECT_DOUBLE_EQ(SpectrumBinFrequency(9000), -0.1);
}

}  // namespace
}  // namespace vorenta
