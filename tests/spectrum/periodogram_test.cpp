#include "spectrum/periodogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "core/error.h"
#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::ComplexExponentials;
using test::LoadSignal;
using test::WholeSelection;

class PeriodogramTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetResultModel(); }
};

struct PeakCase {
  const char* name;
  std::vector<test::Exponential> parts;
  std::vector<int> expectedPeakBins;  // all at 0 dB
};

class PeriodogramPeakTest : public PeriodogramTest, public ::testing::WithParamInterface<PeakCase> {};

TEST_P(PeriodogramPeakTest, PeaksAtTheComponentFrequencies) {
  LoadSignal(ComplexExponentials(1000, GetParam().parts));
  const SpectrumRunReport report = RunPeriodogram(WholeSelection());
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, result_kind::kPeriodogram);
  EXPECT_EQ(report.DbMax, 0.0);
  EXPECT_GE(report.DbMin, -100.0);
  for (int bin : GetParam().expectedPeakBins) EXPECT_NEAR(SpectrumDb[bin], 0.0, 1e-9) << "bin " << bin;
  const std::vector<int> peaks = test::PeaksByHeight(SpectrumDb.data(), kSpectrumBins);
  for (std::size_t i = 0; i < GetParam().expectedPeakBins.size(); ++i) {
    EXPECT_NEAR(SpectrumDb[peaks[i]], 0.0, 1e-9);
  }
}

// A real cosine is two half-amplitude exponentials at +-f.
INSTANTIATE_TEST_SUITE_P(Components, PeriodogramPeakTest,
                         ::testing::Values(PeakCase{"PositiveFrequency", {{1.0, 0.1}}, {1000}},
                                           PeakCase{"NegativeFrequency", {{1.0, -0.1}}, {9000}},
                                           PeakCase{"RealCosine", {{0.5, 0.1}, {0.5, -0.1}}, {1000, 9000}}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(PeriodogramTest, CurveMatchesADirectDft) {
  const int n = 300;
  const auto x = ComplexExponentials(n, {{1.0, 0.123}, {0.3, -0.31, 1.0}}, 0.05, 7);
  LoadSignal(x);
  RunPeriodogram(WholeSelection());

  std::vector<long double> magnitude(kSpectrumBins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    test::ComplexLong sum = 0;
    for (int j = 0; j < n; ++j) {
      const long double angle = -2 * std::numbers::pi_v<long double> * ((static_cast<long long>(j) * k) % kSpectrumBins) /
                                kSpectrumBins;
      sum += test::ComplexLong(x[j].real(), x[j].imag()) * test::ComplexLong(std::cos(angle), std::sin(angle));
    }
    magnitude[k] = std::abs(sum);
  }
  const std::vector<long double> expected = test::ReferenceDecibels(magnitude);
  // Compare as ratios to the peak, where the rounding error of the FFT is
  // bounded by a few eps * log(L) * sum|x| relative to the peak.
  const double tolerance = 1e3 * std::numeric_limits<double>::epsilon() * n;
  for (int k = 0; k < kSpectrumBins; ++k) {
    const double got = std::pow(10.0, SpectrumDb[k] / 20.0);
    const double want = std::pow(10.0L, expected[k] / 20.0L);
    ASSERT_NEAR(got, want, tolerance) << "bin " << k;
  }
}

TEST_F(PeriodogramTest, OneNonZeroSampleGivesAFlatCurve) {
  LoadSignal({{0.5, -2.0}});
  const SpectrumRunReport report = RunPeriodogram(WholeSelection());
  ASSERT_TRUE(report.Computed);
  for (double db : SpectrumDb) ASSERT_NEAR(db, 0.0, 1e-12);
}

TEST_F(PeriodogramTest, LongSelectionUsesItsFirstTenThousandSamples) {
  auto x = ComplexExponentials(kSampleBufferLength, {{1.0, 0.1}});
  const auto tail = ComplexExponentials(5000, {{1.0, 0.3}});
  x.insert(x.end(), tail.begin(), tail.end());
  LoadSignal(x);
  ASSERT_TRUE(RunPeriodogram(WholeSelection()).Computed);
  EXPECT_NEAR(SpectrumDb[1000], 0.0, 1e-9);
  // Bin 3000 is a zero of the 10000-sample rectangular window around 0.1.
  EXPECT_LT(SpectrumDb[3000], -90.0);
  EXPECT_EQ(SampleBuffer[9999].re, x[9999].real());
  EXPECT_EQ(SampleBuffer[9999].im, x[9999].imag());
}

TEST_F(PeriodogramTest, AllZeroSelectionFailsWithTheMethodMessage) {
  LoadSignal(std::vector<std::complex<double>>(64, 0.0));
  try {
    RunPeriodogram(WholeSelection());
    FAIL() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), "Periodogram method problem solving");
  }
}

TEST_F(PeriodogramTest, EmptySelectionChangesNothingButTheKind) {
  LoadSignal(ComplexExponentials(10, {{1.0, 0.1}}));
  SpectrumDb.fill(-7.0);
  SpectrumRunRequest request;
  request.SelectionStart = 5;
  request.SelectionEnd = 4;
  EXPECT_FALSE(RunPeriodogram(request).Computed);
  EXPECT_EQ(ResultKind, result_kind::kPeriodogram);
  EXPECT_EQ(SpectrumDb[123], -7.0);
}

TEST_F(PeriodogramTest, LeavesTheComponentTableAlone) {
  ComponentTable.Amplitude[3] = 42.0;
  ComponentCount = 7;
  LoadSignal(ComplexExponentials(100, {{1.0, 0.2}}));
  RunPeriodogram(WholeSelection());
  EXPECT_EQ(ComponentTable.Amplitude[3], 42.0);
  EXPECT_EQ(ComponentCount, 7);
}

}  // namespace
}  // namespace vorenta
