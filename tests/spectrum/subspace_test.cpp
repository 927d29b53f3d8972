#include "spectrum/subspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "core/error.h"
#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::ComplexExponentials;
using test::LoadSignal;

struct SubspaceMethod {
  const char* name;
  SpectrumRunFunction run;
};

class SubspaceRunTest : public ::testing::TestWithParam<SubspaceMethod> {
 protected:
  void SetUp() override { ResetResultModel(); }
  SpectrumRunReport Run(int vectorDimension, int signalDimension) {
    SpectrumRunRequest request = test::WholeSelection(vectorDimension);
    request.SubspaceParameter = signalDimension;
    return GetParam().run(request);
  }
};

TEST_P(SubspaceRunTest, TwoExponentialsPeakAtTheirBins) {
  LoadSignal(ComplexExponentials(200, {{1.0, 0.1}, {1.0, 0.2, 0.7}}, 0.01, 21));
  ComponentCount = 13;
  const SpectrumRunReport report = Run(20, 2);
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, result_kind::kSubspace);
  EXPECT_EQ(ComponentCount, 13);
  EXPECT_EQ(report.DbMax, 0.0);
  EXPECT_GE(report.DbMin, -100.0);
  const std::vector<int> peaks = test::PeaksByHeight(SpectrumDb.data(), kSpectrumBins);
  ASSERT_GE(peaks.size(), 2u);
  const int low = std::min(peaks[0], peaks[1]);
  const int high = std::max(peaks[0], peaks[1]);
  EXPECT_LE(std::abs(low - 1000), 1);
  EXPECT_LE(std::abs(high - 2000), 1);
  EXPECT_EQ(SpectrumDb[peaks[0]], 0.0);
}

TEST_P(SubspaceRunTest, SingleNoiseVectorMatchesTheClosedForm) {
  // Noise-free exp(i w n) with M = 2: the noise vector is (e^{-iw}, -1)/sqrt2,
  // so P_k = 2L / |1 - e^{i(w - 2 pi k / L)}|^2, proportional to
  // 1 / (1 - cos(w - 2 pi k / L)).
  const double frequency = 0.1234;
  LoadSignal(ComplexExponentials(50, {{1.0, frequency}}));
  ASSERT_TRUE(Run(2, 1).Computed);
  std::vector<long double> pseudo(kSpectrumBins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    const long double offset = 2 * std::numbers::pi_v<long double> * (frequency - static_cast<long double>(k) / kSpectrumBins);
    pseudo[k] = 1.0L / std::max(1.0L - std::cos(offset), 1e-300L);
  }
  const std::vector<long double> expected = test::ReferenceDecibels(pseudo);
  // The decomposition is accurate to about 1e-7 of the largest singular
  // value; away from the line that is far below 1e-3 dB.
  for (int k = 0; k < kSpectrumBins; ++k) {
    if (std::abs(test::CircularBinDistance(k, 1234)) < 100) continue;
    ASSERT_NEAR(SpectrumDb[k] - SpectrumDb[1234], static_cast<double>(expected[k] - expected[1234]), 1e-3)
        << "bin " << k;
  }
}

TEST_P(SubspaceRunTest, AllZeroSelectionFailsWithTheMethodMessage) {
  LoadSignal(std::vector<std::complex<double>>(40, 0.0));
  try {
    Run(4, 1);
    FAIL() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), "MUSIC problem solving");
  }
}

TEST_P(SubspaceRunTest, SelectionsBelowFourSamplesFailWithTheMethodMessage) {
  const auto x = ComplexExponentials(4, {{1.0, 0.1}}, 0.1, 8);
  for (int length = 1; length <= 3; ++length) {
    LoadSignal(std::vector<std::complex<double>>(x.begin(), x.begin() + length));
    EXPECT_THROW(Run(2, 1), VorentaError) << "N = " << length;
  }
  LoadSignal(x);
  const SpectrumRunReport report = Run(2, 1);
  EXPECT_TRUE(report.Computed);
  EXPECT_EQ(report.MainParameterUsed, 2);
}

TEST_P(SubspaceRunTest, ReportsTheClampedDimensions) {
  LoadSignal(ComplexExponentials(30, {{1.0, 0.1}}, 0.1, 6));
  const SpectrumRunReport report = Run(4, 5);
  EXPECT_EQ(report.MainParameterUsed, 4);
  EXPECT_EQ(report.SubspaceParameterUsed, 3);
  const SpectrumRunReport raised = Run(1, 0);
  EXPECT_EQ(raised.MainParameterUsed, 2);
  EXPECT_EQ(raised.SubspaceParameterUsed, 1);
}

TEST_P(SubspaceRunTest, EmptySelectionComputesNothing) {
  LoadSignal(ComplexExponentials(30, {{1.0, 0.1}}));
  SpectrumRunRequest request;
  request.SelectionStart = 10;
  request.SelectionEnd = 3;
  EXPECT_FALSE(GetParam().run(request).Computed);
}

INSTANTIATE_TEST_SUITE_P(Methods, SubspaceRunTest,
                         ::testing::Values(SubspaceMethod{"Music", RunMusic}, SubspaceMethod{"Ev", RunEv}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(SubspaceComparisonTest, LastVectorAloneGivesTheSameCurveForBothWeightings) {
  ResetResultModel();
  LoadSignal(ComplexExponentials(120, {{1.0, 0.15}, {0.5, -0.3}}, 0.05, 17));
  SpectrumRunRequest request = test::WholeSelection(8);
  request.SubspaceParameter = 7;
  RunMusic(request);
  const auto music = SpectrumDb;
  RunEv(request);
  for (int k = 0; k < kSpectrumBins; ++k) ASSERT_NEAR(SpectrumDb[k], music[k], 1e-9) << "bin " << k;
}

TEST(SubspaceKernelTest, SignalDimensionOutsideTheVectorFails) {
  std::vector<ComplexSample> segment(20, ComplexSample{1.0, 0.0});
  std::vector<double> output(16, -1.0);
  for (int q : {-1, 4, 5}) {
    int failure = 0;
    SubspaceSpectrum(SubspaceWeighting::kMusic, segment.data(), 20, 4, q, 16, output.data(), failure);
    EXPECT_EQ(failure, subspace_failure::kSignalDimension);
  }
  int failure = 0;
  SubspaceSpectrum(SubspaceWeighting::kEv, segment.data(), 5, 4, 1, 16, output.data(), failure);
  EXPECT_EQ(failure, subspace_failure::kMatrixShape);
  EXPECT_EQ(output[0], -1.0);
}

}  // namespace
}  // namespace vorenta
