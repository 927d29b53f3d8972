#include "timefreq/sinusoid_fta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "core/error.h"
#include "core/random.h"
#include "tf_test_support.h"
#include "timefreq/analysis_parameters.h"

namespace vorenta {
namespace {

AnalyticSignalClass TwoTones() {
  return testing::MakeSignal(400, [](int k) {
    return std::polar(1.0, 2 * std::numbers::pi * 0.1 * k + 0.3) +
           0.5 * std::polar(1.0, 2 * std::numbers::pi * -0.2 * k - 1.0);
  });
}

TEST(SimplexFTA, RecoversTheComponentsWithOneRowPerComponentAndTheConstantTerm) {
  SetRandomSeed(7);
  AnalyticSignalClass signal = TwoTones();
  signal.RangeStart = 195;
  signal.RangeEnd = 205;
  SimplexFTA fit(2, 2);
  fit.RunWindows(signal, 100, 5);
  ASSERT_EQ(fit.Rows, 3);
  ASSERT_EQ(fit.Columns, 3);
  for (int c = 0; c < 3; ++c) {
    // Rows sorted by frequency: -0.2, the constant term at 0, then 0.1.
    EXPECT_NEAR(fit.FrequencyMatrix(0, c), -0.2, 1e-6) << c;
    EXPECT_NEAR(fit.PowerMatrix(0, c), 0.5, 1e-6) << c;
    EXPECT_EQ(fit.FrequencyMatrix(1, c), 0.0) << c;
    EXPECT_NEAR(fit.PowerMatrix(1, c), 0.0, 1e-6) << c;
    EXPECT_NEAR(fit.FrequencyMatrix(2, c), 0.1, 1e-6) << c;
    EXPECT_DOUBLE_EQ(fit.PowerMatrix(2, c), 1.0) << c;
  }
}

TEST(SimplexFTA, AWindowOfZerosGivesAColumnOfZeros) {
  SetRandomSeed(7);
  AnalyticSignalClass signal = testing::MakeSignal(300, [](int k) {
    return k < 100 ? std::polar(1.0, 2 * std::numbers::pi * 0.1 * k) : std::complex<double>(0, 0);
  });
  signal.RangeStart = 250;
  signal.RangeEnd = 252;
  SimplexFTA fit(2, 1);
  fit.RunWindows(signal, 40, 1);
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) EXPECT_EQ(fit.PowerMatrix(r, c), 0.0) << r << "," << c;
}

TEST(WVS_FTA, ShowsAComponentAtItsOwnFrequencyFromTheDoubledLagProduct) {
  SetRandomSeed(7);
  AnalyticSignalClass signal = testing::ComplexExponential(400, 0.1);
  signal.RangeStart = 199;
  signal.RangeEnd = 201;
  WVS_FTA fit(1, 2);
  fit.RunWindows(signal, 100, 1);
  ASSERT_EQ(fit.Rows, 2);
  EXPECT_EQ(fit.FreqMax, 0.25);
  for (int c = 0; c < 3; ++c) {
    const double* power = fit.PowerMatrix.Column(c);
    const int strongest = static_cast<int>(std::max_element(power, power + 2) - power);
    EXPECT_DOUBLE_EQ(power[strongest], 1.0);
    EXPECT_NEAR(fit.FrequencyMatrix(strongest, c), 0.1, 1e-6) << c;
  }
}

TEST(WVS_FTA, ALagProductThatOverflowsGivesAZeroColumn) {
  SetRandomSeed(7);
  // Samples near 1e200: the lag products overflow while the window is read,
  // before any fit is tried; the window must fail, not fit infinities.
  AnalyticSignalClass signal = testing::MakeSignal(200, [](int k) {
    return (k < 100 ? 1.0 : 1e200) * std::polar(1.0, 2 * std::numbers::pi * 0.1 * k);
  });
  WVS_FTA fit(1, 2);
  fit.RunWindows(signal, 40, 1);
  ASSERT_EQ(fit.Columns, 200);
  for (int r = 0; r < 2; ++r) EXPECT_EQ(fit.PowerMatrix(r, 150), 0.0) << r;
  EXPECT_EQ(fit.ValueMax, 1.0);  // from the ordinary windows only
}

TEST(SinusoidFitParameters, WindowsBeyondTheFitBuffersAreRefusedAtTheStart) {
  EXPECT_THROW(ReadAnalysisParameters(kTfSymplex, {2, 10001, 2000, 1, 1}), VorentaError);
  EXPECT_NO_THROW(ReadAnalysisParameters(kTfSymplex, {2, 10000, 2000, 1, 1}));
  EXPECT_THROW(ReadAnalysisParameters(kTfWvs, {2, 10002, 2000, 1, 1}), VorentaError);
  EXPECT_NO_THROW(ReadAnalysisParameters(kTfWvs, {2, 10001, 2000, 1, 1}));
  EXPECT_EQ(ReadAnalysisParameters(kTfSymplex, {5000, 100, 2000, 1, 1}).exponents, 2000);
}

}  // namespace
}  // namespace vorenta
