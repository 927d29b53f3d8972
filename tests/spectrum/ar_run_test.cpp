// Behaviour shared by both autoregressive methods, run through their engine calls.
#include "spectrum/ar_run.h"

#include <gtest/gtest.h>

#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "core/error.h"
#include "spectrum/ar_burg.h"
#include "spectrum/ar_covariance.h"
#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::ComplexExponentials;
using test::LoadSignal;

struct ArMethod {
  const char* name;
  SpectrumRunFunction run;
  const char* message;
  std::int32_t kind;
};

const ArMethod kBurg{"Burg", RunArBurg, "Burg method problem solving", result_kind::kArBurg};
const ArMethod kCovariance{"Covariance", RunArCovariance, "Covarience method problem solving",
                           result_kind::kArCovariance};

class ArRunTest : public ::testing::TestWithParam<ArMethod> {
 protected:
  void SetUp() override { ResetResultModel(); }
  SpectrumRunReport Run(int order) {
    return GetParam().run(test::WholeSelection(order));
  }
};

TEST_P(ArRunTest, ExponentialInLightNoisePeaksWithinOneBinAndIsForecast) {
  // Noise 40 dB below the exponential (total power 1e-4).
  const auto x = ComplexExponentials(256, {{1.0, 0.1}}, 0.01 / std::numbers::sqrt2, 11);
  LoadSignal(x);
  const SpectrumRunReport report = Run(2);
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, GetParam().kind);
  EXPECT_EQ(ComponentCount, 2);
  EXPECT_EQ(report.DbMax, 0.0);
  EXPECT_GE(report.DbMin, -100.0);
  const std::vector<int> peaks = test::PeaksByHeight(SpectrumDb.data(), kSpectrumBins);
  EXPECT_LE(std::abs(test::CircularBinDistance(peaks.front(), 1000)), 1);
  EXPECT_EQ(SpectrumDb[peaks.front()], 0.0);
  for (int j = 0; j < 10; ++j) {
    const double angle = 2 * std::numbers::pi * 0.1 * (256 + j);
    EXPECT_NEAR(SampleBuffer[256 + j].re, std::cos(angle), 0.05) << "forecast " << j;
    EXPECT_NEAR(SampleBuffer[256 + j].im, std::sin(angle), 0.05) << "forecast " << j;
  }
}

TEST_P(ArRunTest, NoiseFreeExponentialStillShowsItsLine) {
  // The model predicts this signal (almost) exactly at every order.
  LoadSignal(ComplexExponentials(100, {{1.0, 0.1}}));
  for (int order : {1, 2, 5}) {
    const SpectrumRunReport report = Run(order);
    ASSERT_TRUE(report.Computed) << "order " << order;
    const std::vector<int> peaks = test::PeaksByHeight(SpectrumDb.data(), kSpectrumBins);
    EXPECT_LE(std::abs(test::CircularBinDistance(peaks.front(), 1000)), 1) << "order " << order;
  }
}

TEST_P(ArRunTest, AllZeroSelectionFailsWithTheMethodMessage) {
  LoadSignal(std::vector<std::complex<double>>(50, 0.0));
  try {
    Run(3);
    FAIL() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_EQ(std::string(error.what()), GetParam().message);
  }
}

TEST_P(ArRunTest, OrderZeroOrNegativeComputesNothing) {
  LoadSignal(ComplexExponentials(40, {{1.0, 0.1}}));
  SpectrumDb.fill(-3.0);
  for (int order : {0, -5}) {
    const SpectrumRunReport report = Run(order);
    EXPECT_FALSE(report.Computed);
    EXPECT_EQ(report.MainParameterUsed, 0);
  }
  EXPECT_EQ(SpectrumDb[17], -3.0);
}

TEST_P(ArRunTest, TinySelectionsGiveADefinedResult) {
  const auto x = ComplexExponentials(4, {{1.0, 0.1}}, 0.1, 3);
  for (int length = 1; length <= 4; ++length) {
    LoadSignal(std::vector<std::complex<double>>(x.begin(), x.begin() + length));
    const SpectrumRunReport report = Run(1000);
    EXPECT_EQ(report.Computed, report.MainParameterUsed > 0) << "N = " << length;
    EXPECT_LT(report.MainParameterUsed, length);
    if (report.Computed) {
      EXPECT_EQ(report.DbMax, 0.0);
      EXPECT_GE(report.DbMin, -100.0);
    }
  }
}

TEST_P(ArRunTest, ForecastStopsAtTheEndOfTheSampleBuffer) {
  const auto x = ComplexExponentials(9950, {{1.0, 0.05}}, 0.01, 5);
  LoadSignal(x);
  SampleBuffer[9999] = ComplexSample{123.0, 0.0};
  ASSERT_TRUE(Run(2).Computed);
  const double angle = 2 * std::numbers::pi * 0.05 * 9999;
  EXPECT_NEAR(SampleBuffer[9999].re, std::cos(angle), 0.05);

  auto longer = ComplexExponentials(12000, {{1.0, 0.05}}, 0.01, 5);
  LoadSignal(longer);
  ASSERT_TRUE(Run(2).Computed);
  EXPECT_EQ(SampleBuffer[9999].re, longer[9999].real());
  EXPECT_EQ(SampleBuffer[9999].im, longer[9999].imag());
}

INSTANTIATE_TEST_SUITE_P(Methods, ArRunTest, ::testing::Values(kBurg, kCovariance),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace vorenta
