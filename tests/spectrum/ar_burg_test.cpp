#include "spectrum/ar_burg.h"

#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::ComplexLong;

// Textbook Burg recursion in long double with fresh error arrays per stage:
// returns the filter (1, a_1 .. a_p) and the final error power.
struct BurgReference {
  std::vector<ComplexLong> filter;
  long double errorPower = 0;
};

BurgReference NaiveBurg(const std::vector<std::complex<double>>& x, int order) {
  const int n = static_cast<int>(x.size());
  std::vector<ComplexLong> f(x.begin(), x.end());
  std::vector<ComplexLong> b = f;
  BurgReference result{{ComplexLong(1)}, 0};
  for (int m = 0; m < order; ++m) {
    ComplexLong numerator = 0;
    long double denominator = 0;
    for (int i = m + 1; i < n; ++i) {
      numerator += f[i] * std::conj(b[i - 1]);
      denominator += std::norm(f[i]) + std::norm(b[i - 1]);
    }
    const ComplexLong k = -2.0L * numerator / denominator;
    std::vector<ComplexLong> nextF(n, 0), nextB(n, 0);
    for (int i = m + 1; i < n; ++i) {
      nextF[i] = f[i] + k * b[i - 1];
      nextB[i] = b[i - 1] + std::conj(k) * f[i];
    }
    std::vector<ComplexLong> next(m + 2, 0);
    for (int j = 0; j <= m + 1; ++j) {
      const ComplexLong current = j <= m ? result.filter[j] : ComplexLong(0);
      const ComplexLong mirrored = (m + 1 - j) <= m ? result.filter[m + 1 - j] : ComplexLong(0);
      next[j] = current + k * std::conj(mirrored);
    }
    result.filter = next;
    long double power = 0;
    for (int i = m + 1; i < n; ++i) power += std::norm(nextF[i]) + std::norm(nextB[i]);
    result.errorPower = power / n / 2;
    f = nextF;
    b = nextB;
  }
  return result;
}

class BurgTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetResultModel(); }
  static SpectrumRunReport Run(int order) {
    return RunArBurg(test::WholeSelection(order));
  }
};

TEST_F(BurgTest, MarpleSignalOrderFifteenMatchesADirectComputationAndResolvesThePair) {
  const auto x = test::ReadComplexColumns(std::string(VORENTA_SHARED_DATA_DIR) + "/marple64.txt");
  ASSERT_EQ(x.size(), 64u);
  test::LoadSignal(x);
  ASSERT_TRUE(Run(15).Computed);

  const BurgReference reference = NaiveBurg(x, 15);
  std::vector<long double> spectrum(kSpectrumBins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    spectrum[k] = reference.errorPower / std::max(test::FilterMagnitude(reference.filter, k, kSpectrumBins), 1e-15L);
  }
  const std::vector<long double> expected = test::ReferenceDecibels(spectrum);
  for (int k = 0; k < kSpectrumBins; ++k) ASSERT_NEAR(SpectrumDb[k], expected[k], 1e-7) << "bin " << k;

  // Forecast: x_n = -sum a_m x_{n-m} from the reference filter.
  std::vector<ComplexLong> extended(x.begin(), x.end());
  for (int n = 64; n < 64 + 101; ++n) {
    ComplexLong prediction = 0;
    for (int m = 1; m <= 15; ++m) prediction -= reference.filter[m] * extended[n - m];
    extended.push_back(prediction);
    ASSERT_NEAR(SampleBuffer[n].re, static_cast<double>(prediction.real()), 1e-8 * (1 + std::abs(prediction)));
    ASSERT_NEAR(SampleBuffer[n].im, static_cast<double>(prediction.imag()), 1e-8 * (1 + std::abs(prediction)));
  }

  // Two separate peaks near 0.2 and 0.21 with a dip between them.
  test::ExpectMarplePairResolved();
}

struct ExactCase {
  const char* name;
  std::complex<double> step;  // x_n = step^n, exact in binary
  int peakBin;
};

class BurgExactPredictionTest : public BurgTest, public ::testing::WithParamInterface<ExactCase> {};

// These exponentials are exact in binary, so order 1 cancels every error and
// the error power is exactly 0: the spectrum must still show the line.
TEST_P(BurgExactPredictionTest, ShowsTheLine) {
  std::vector<std::complex<double>> x(64, 1.0);
  for (std::size_t n = 1; n < x.size(); ++n) x[n] = x[n - 1] * GetParam().step;
  test::LoadSignal(x);
  const SpectrumRunReport report = Run(1);
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(SpectrumDb[GetParam().peakBin], 0.0);
  EXPECT_LT(SpectrumDb[(GetParam().peakBin + 5000) % kSpectrumBins], -50.0);
}

INSTANTIATE_TEST_SUITE_P(Lines, BurgExactPredictionTest,
                         ::testing::Values(ExactCase{"Constant", {1.0, 0.0}, 0},
                                           ExactCase{"QuarterRate", {0.0, 1.0}, 2500},
                                           ExactCase{"HalfRate", {-1.0, 0.0}, 5000}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(BurgTest, OrderAboveTheSelectionRunsWithLengthMinusOne) {
  test::LoadSignal(test::ComplexExponentials(20, {{1.0, 0.1}}, 0.2, 4));
  const SpectrumRunReport report = Run(1000);
  EXPECT_TRUE(report.Computed);
  EXPECT_EQ(report.MainParameterUsed, 19);
  EXPECT_EQ(ComponentCount, 19);
}

TEST(BurgKernelTest, RefusesArgumentsItCannotUse) {
  std::vector<ComplexSample> segment(8, ComplexSample{1.0, 0.0});
  std::vector<double> output(16, -1.0);
  for (int order : {0, -1, 8}) {
    EXPECT_EQ(BurgSpectrum(segment.data(), 8, 8, order, output.data(), 16), burg_failure::kInvalidArguments);
  }
  std::vector<ComplexSample> zeros(8);
  EXPECT_EQ(BurgSpectrum(zeros.data(), 8, 8, 2, output.data(), 16), burg_failure::kZeroSegment);
  EXPECT_EQ(output[0], -1.0);
}

}  // namespace
}  // namespace vorenta
