#include "spectrum/prony.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "spectrum/prony_stages.h"
#include "spectrum/result_model.h"
#include "damped_test_signals.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::DampedExponential;
using test::DampedExponentials;
using test::ExpectTableHolds;
using test::RecoveryCase;
using test::LoadSignal;
using test::WholeSelection;

class PronyTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetResultModel(); }
};

class PronyRecovery : public PronyTest, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(PronyRecovery, ReturnsTheExponentialsOfANoiselessSum) {
  const RecoveryCase& c = GetParam();
  const std::vector<std::complex<double>> x = DampedExponentials(c.length, c.parts);
  LoadSignal(x);
  const SpectrumRunReport report = RunProny(WholeSelection(static_cast<int>(c.parts.size())));
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, result_kind::kProny);
  EXPECT_EQ(report.MainParameterUsed, static_cast<int>(c.parts.size()));
  ExpectTableHolds(c.parts, 1e-9);
  ASSERT_TRUE(report.RelativeError.has_value());
  EXPECT_LT(*report.RelativeError, 1e-18);
  EXPECT_EQ(report.DbMax, 0.0);
  EXPECT_GE(report.DbMin, -100.0);

  // The model reproduces the data, and the forecast continues it (all
  // dampings here are below the forecast cap).
  const std::vector<std::complex<double>> continued = DampedExponentials(c.length + 100, c.parts);
  for (int n = 0; n < c.length + 100; ++n) {
    const std::complex<double> model(SampleBuffer[n].re, SampleBuffer[n].im);
    EXPECT_LT(std::abs(model - continued[n]), 1e-8 * std::max(1.0, std::abs(continued[n]))) << "n " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Signals, PronyRecovery,
    ::testing::Values(
        RecoveryCase{"Undamped", 64, {{1.5, 0.1, 0.3, 0.0}, {0.7, -0.23, -1.0, 0.0}, {0.4, 0.37, 2.5, 0.0}}},
        RecoveryCase{"Damped", 100,
                     {{1.0, 0.1, 0.3, -0.01}, {0.5, -0.23, -1.0, -0.02}, {0.8, 0.31, 2.0, 0.005}}},
        RecoveryCase{"RealCosine", 50, {{1.0, 0.15, 0.7, 0.0}, {1.0, -0.15, -0.7, 0.0}}},
        RecoveryCase{"Short", 6, {{2.0, -0.05, 1.0, -0.1}, {1.0, 0.2, -2.0, 0.02}, {0.5, 0.45, 0.0, 0.0}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(PronyTest, ForecastContinuesFastGrowthWithTheCappedDamping) {
  LoadSignal(DampedExponentials(10, {{1.0, 0.1, 0.0, 2.0}}));
  ASSERT_TRUE(RunProny(WholeSelection(1)).Computed);
  EXPECT_NEAR(ComponentTable.Damping[0], 2.0, 1e-10);
  for (int n : {10, 50, 109}) {
    const std::complex<double> expected = std::exp(std::complex<double>(1.1 * n, 2 * std::numbers::pi * 0.1 * n));
    const std::complex<double> model(SampleBuffer[n].re, SampleBuffer[n].im);
    EXPECT_LT(std::abs(model / expected - 1.0), 1e-8) << "n " << n;
  }
}

TEST_F(PronyTest, SpectrumDrawsGrowingComponentsUndamped) {
  LoadSignal(DampedExponentials(20, {{1.0, 0.1, 0.0, 0.3}}));
  ASSERT_TRUE(RunProny(WholeSelection(1)).Computed);
  EXPECT_NEAR(ComponentTable.Damping[0], 0.3, 1e-10);
  // An undamped tone on bin 1000: one line at 0 dB, the floor elsewhere.
  EXPECT_EQ(SpectrumDb[1000], 0.0);
  EXPECT_EQ(*std::max_element(SpectrumDb.begin() + 1010, SpectrumDb.end()), -100.0);
}

TEST_F(PronyTest, OrderIsLimitedByHalfTheSelectionAndTheRootFinder) {
  EXPECT_EQ(PronyOrder(5, 7), 3);
  EXPECT_EQ(PronyOrder(5000, 100000), kLargestPronyOrder);
  EXPECT_EQ(PronyOrder(1000, 2000), kLargestPronyOrder);
  EXPECT_EQ(PronyOrder(0, 100), 0);
  EXPECT_EQ(PronyOrder(-4, 100), 0);
  EXPECT_EQ(PronyOrder(3, 1), 0);

  LoadSignal(DampedExponentials(7, {{1.0, 0.1, 0.0, 0.0}, {0.5, -0.3, 1.0, 0.0}}));
  const SpectrumRunReport report = RunProny(WholeSelection(5));
  EXPECT_TRUE(report.Computed);
  EXPECT_EQ(report.MainParameterUsed, 3);
  EXPECT_EQ(ComponentCount, 3);
}

TEST_F(PronyTest, NothingIsComputedForAnEmptySelectionOrANonPositiveOrder) {
  LoadSignal(DampedExponentials(32, {{1.0, 0.1, 0.0, 0.0}}));
  SampleBuffer[0] = ComplexSample{7.0, 7.0};
  for (int parameter : {0, -5}) {
    const SpectrumRunReport report = RunProny(WholeSelection(parameter));
    EXPECT_FALSE(report.Computed);
    EXPECT_EQ(report.MainParameterUsed, 0);
    EXPECT_EQ(ComponentCount, 0);
  }
  SpectrumRunRequest empty = WholeSelection(4);
  empty.SelectionEnd = empty.SelectionStart - 1;
  EXPECT_FALSE(RunProny(empty).Computed);
  EXPECT_EQ(SampleBuffer[0].re, 7.0);
}

// Marks the result model so that a run that must not write can be caught.
void MarkResultModel() {
  ComponentTable.Amplitude.fill(-1.0);
  SpectrumDb.fill(-7.0);
  for (ComplexSample& s : SampleBuffer) s = ComplexSample{-3.0, -3.0};
}

void ExpectResultModelMarked() {
  EXPECT_TRUE(std::all_of(ComponentTable.Amplitude.begin(), ComponentTable.Amplitude.end(),
                          [](double a) { return a == -1.0; }));
  EXPECT_TRUE(std::all_of(SpectrumDb.begin(), SpectrumDb.end(), [](double v) { return v == -7.0; }));
  EXPECT_TRUE(std::all_of(SampleBuffer.begin(), SampleBuffer.end(),
                          [](const ComplexSample& s) { return s.re == -3.0 && s.im == -3.0; }));
}

void ExpectPronyFailure(int parameter) {
  try {
    RunProny(WholeSelection(parameter));
    ADD_FAILURE() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), "Systems of Linear Equations problem solving");
  }
}

TEST_F(PronyTest, AllZeroSelectionFailsWithTheMessageAndLeavesTheModelUsable) {
  LoadSignal(std::vector<std::complex<double>>(40));
  MarkResultModel();
  ExpectPronyFailure(3);
  ExpectResultModelMarked();

  LoadSignal(DampedExponentials(40, {{1.0, 0.2, 0.5, 0.0}}));
  EXPECT_TRUE(RunProny(WholeSelection(1)).Computed);
  EXPECT_NEAR(ComponentTable.Frequency[0], 0.2, 1e-10);
}

TEST_F(PronyTest, OverflowingForecastFailsWithTheMessageAndWritesNothing) {
  // Grows by e^0.5 per sample up to 1e300: the forecast leaves the double range.
  std::vector<std::complex<double>> x(1000);
  for (int n = 0; n < 1000; ++n) x[n] = 1e300 * std::exp(0.5 * (n - 999));
  LoadSignal(x);
  MarkResultModel();
  ExpectPronyFailure(1);
  ExpectResultModelMarked();
}

TEST_F(PronyTest, SelectionLongerThanTheSampleBufferUsesAllSamplesAndStaysInBounds) {
  const std::vector<DampedExponential> parts{{1.0, 0.01, 0.0, 0.0}, {0.5, -0.2, 1.0, 0.0}};
  const int length = 10050;
  const std::vector<std::complex<double>> x = DampedExponentials(length, parts);
  LoadSignal(x);
  const SpectrumRunReport report = RunProny(WholeSelection(2));
  ASSERT_TRUE(report.Computed);
  ExpectTableHolds(parts, 1e-9);
  EXPECT_LT(*report.RelativeError, 1e-18);
  const std::complex<double> last(SampleBuffer[kSampleBufferLength - 1].re, SampleBuffer[kSampleBufferLength - 1].im);
  EXPECT_LT(std::abs(last - x[kSampleBufferLength - 1]), 1e-8);
}

class PronyTinySelection : public PronyTest, public ::testing::WithParamInterface<int> {};

TEST_P(PronyTinySelection, GivesADefinedResult) {
  const int length = GetParam();
  std::mt19937 generator(static_cast<unsigned>(length));
  std::normal_distribution<double> gauss;
  std::vector<std::complex<double>> x(length);
  for (auto& v : x) v = {gauss(generator), gauss(generator)};
  LoadSignal(x);
  const SpectrumRunReport report = RunProny(WholeSelection(5));
  EXPECT_EQ(report.MainParameterUsed, length / 2);
  EXPECT_EQ(report.Computed, length >= 2);
  for (int i = 0; i < ComponentCount; ++i) {
    EXPECT_TRUE(std::isfinite(ComponentTable.Frequency[i]) && std::isfinite(ComponentTable.Amplitude[i]) &&
                std::isfinite(ComponentTable.Phase[i]) && std::isfinite(ComponentTable.Damping[i]));
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, PronyTinySelection, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace vorenta
