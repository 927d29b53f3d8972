#include "spectrum/sinusoid_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "core/random.h"
#include "core/signal_store.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/fit_table.h"
#include "spectrum/result_model.h"
#include "spectrum/sinusoid_objective.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::TwoExponentialsAndConstant;
using test::WholeSelection;

constexpr double kTwoPi = 2 * std::numbers::pi;

class SinusoidFitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetResultModel();
    SetRandomSeed(12345);
    FillFitTable();
  }
};

TEST_F(SinusoidFitTest, QuasiNewtonFitsTheExampleFromThePeriodogramPeaks) {
  test::LoadSignal(TwoExponentialsAndConstant(64));
  int hookCalls = 0;
  SpectrumRunRequest request = WholeSelection(2);
  request.AfterPass = [&](int) {
    ++hookCalls;
    return true;  // a single pass whatever the hook says
  };
  const SpectrumRunReport report = RunQuasiNewtonFit(request);
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, result_kind::kSinusoidFit);
  EXPECT_EQ(report.PassCount, 1);
  EXPECT_EQ(hookCalls, 1);
  ASSERT_TRUE(report.RelativeError.has_value());
  EXPECT_LT(*report.RelativeError, 1e-12);
  // Ascending: -0.23 before 0.1.
  EXPECT_NEAR(FitTable[0] / kTwoPi, -0.23, 1e-7);
  EXPECT_NEAR(FitTable[1] / kTwoPi, 0.1, 1e-7);
  const std::vector<SinusoidTableRow> rows = SinusoidTableRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_NEAR(rows[0].Amplitude, 0.2236, 1e-4);
  EXPECT_NEAR(rows[0].Phase, 0.4636, 1e-4);
  EXPECT_EQ(rows[0].Frequency, 0.0);
  EXPECT_NEAR(rows[1].Amplitude, 0.7, 1e-6);
  EXPECT_NEAR(rows[1].Phase, -1.0, 1e-5);
  EXPECT_NEAR(rows[2].Amplitude, 1.5, 1e-6);
  EXPECT_NEAR(rows[2].Phase, 0.3, 1e-5);
  // The merged line spectrum: the constant term between -0.23 and 0.1, in dB.
  ASSERT_EQ(SpectrumLines.Merged.size(), 3u);
  EXPECT_NEAR(SpectrumLines.Merged[1].Frequency, 0.0, 1e-12);
  EXPECT_NEAR(SpectrumLines.Merged[2].Amplitude, 0.0, 1e-9);
  EXPECT_NEAR(SpectrumLines.Merged[0].Amplitude, 20 * std::log10(0.7 / 1.5), 1e-4);
}

TEST_F(SinusoidFitTest, SimplexPassesRunUntilTheHookSaysStopAndKeepTheBest) {
  test::LoadSignal(TwoExponentialsAndConstant(64));
  FitTable[0] = kTwoPi * -0.2299;
  FitTable[1] = kTwoPi * 0.1001;
  std::vector<double> errorsSeen;
  SpectrumRunRequest request = WholeSelection(2);
  request.AfterPass = [&](int passes) {
    double f = 0;
    EvaluateSinusoidModel(2, FitTable.data(), &f);
    errorsSeen.push_back(f);
    return passes < 4;
  };
  const SpectrumRunReport report = RunSimplexFit(request);
  EXPECT_EQ(report.PassCount, 4);
  ASSERT_EQ(errorsSeen.size(), 4u);
  EXPECT_TRUE(std::is_sorted(errorsSeen.rbegin(), errorsSeen.rend())) << "the best fit never gets worse";
  EXPECT_LT(*report.RelativeError, 1e-8);
  EXPECT_LE(FitTable[0], FitTable[1]);
  EXPECT_NEAR(FitTable[0] / kTwoPi, -0.23, 1e-5);
  EXPECT_NEAR(FitTable[1] / kTwoPi, 0.1, 1e-5);
}

TEST_F(SinusoidFitTest, SimplexWithoutAHookMakesOnePass) {
  test::LoadSignal(TwoExponentialsAndConstant(64));
  EXPECT_EQ(RunSimplexFit(WholeSelection(2)).PassCount, 1);
}

TEST_F(SinusoidFitTest, PresentationPlacesTheConstantTermWhereFrequenciesTurnPositive) {
  ComponentCount = 3;
  const std::vector<std::vector<double>> cases{{-0.2, 0.1, 0.3}, {0.1, 0.2, 0.3}};
  const std::vector<std::vector<double>> expected{{-0.2, 0.0, 0.1, 0.3}, {0.1, 0.2, 0.3}};
  for (std::size_t c = 0; c < cases.size(); ++c) {
    // Every fitted term present in the data, so that no line cancels.
    std::vector<test::Exponential> parts;
    for (int l = 0; l < 3; ++l) {
      FitTable[l] = kTwoPi * cases[c][l];
      parts.push_back({1.0 + l, cases[c][l], 0.5 * l});
    }
    std::vector<std::complex<double>> x = test::ComplexExponentials(200, parts);
    for (auto& v : x) v += 0.5;
    test::LoadSignal(x);
    PresentSinusoidFit(SelectionStart, SelectionEnd);
    ASSERT_EQ(SpectrumLines.Raw.size(), expected[c].size()) << c;
    for (std::size_t i = 0; i < expected[c].size(); ++i) {
      EXPECT_NEAR(SpectrumLines.Raw[i].Frequency, expected[c][i], 1e-12) << c << " " << i;
    }
    for (const SinModel& line : SpectrumLines.Merged) {
      EXPECT_LE(line.Amplitude, 0.0);
      EXPECT_GE(line.Amplitude, -100.0);
    }
  }
}

TEST_F(SinusoidFitTest, PresentationCutsALongSelectionToTheFitBuffers) {
  test::LoadSignal(test::ComplexExponentials(12000, {{1.0, 0.25, 0.0}}));
  ComponentCount = 1;
  FitTable[0] = kTwoPi * 0.25;
  EXPECT_LT(PresentSinusoidFit(SelectionStart, SelectionEnd), 1e-20);
  EXPECT_EQ(FitLength, kFitBufferLength);
}

struct ParameterCase {
  int requested;
  int used;
  int length;
  bool computed;
};

class SinusoidFitParameters : public SinusoidFitTest, public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(SinusoidFitParameters, GiveADefinedResult) {
  const ParameterCase& c = GetParam();
  std::mt19937 generator(static_cast<unsigned>(c.length + 7));
  std::normal_distribution<double> gauss;
  std::vector<std::complex<double>> x(c.length);
  for (auto& v : x) v = {gauss(generator), gauss(generator)};
  test::LoadSignal(x);
  SpectrumRunRequest request = WholeSelection(c.requested);
  if (c.length == 0) request.SelectionEnd = request.SelectionStart - 1;
  for (auto run : {RunQuasiNewtonFit, RunSimplexFit}) {
    const SpectrumRunReport report = run(request);
    EXPECT_EQ(report.MainParameterUsed, c.used);
    EXPECT_EQ(ComponentCount, c.used);
    EXPECT_EQ(report.Computed, c.computed);
    if (report.Computed) {
      EXPECT_TRUE(std::isfinite(*report.RelativeError));
      EXPECT_GE(*report.RelativeError, 0.0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SinusoidFitParameters,
                         ::testing::Values(ParameterCase{250, 200, 0, false}, ParameterCase{0, 0, 50, false},
                                           ParameterCase{-3, 0, 50, false}, ParameterCase{2, 2, 1, true},
                                           ParameterCase{2, 2, 2, true}, ParameterCase{2, 2, 3, true},
                                           ParameterCase{3, 3, 4, true}));

TEST_F(SinusoidFitTest, AllZeroSelectionFitsWithZeroError) {
  test::LoadSignal(std::vector<std::complex<double>>(40));
  const SpectrumRunReport report = RunQuasiNewtonFit(WholeSelection(2));
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(*report.RelativeError, 0.0);
  EXPECT_TRUE(SpectrumLines.Merged.empty());
}

}  // namespace
}  // namespace vorenta
