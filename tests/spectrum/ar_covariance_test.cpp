#include "spectrum/ar_covariance.h"

#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::ComplexLong;

// The forward-backward normal equations written out directly and solved by
// Gaussian elimination with partial pivoting, all in long double. Returns
// the filter (1, a_1 .. a_p).
std::vector<ComplexLong> NaiveModifiedCovariance(const std::vector<std::complex<double>>& samples, int p) {
  const std::vector<ComplexLong> x(samples.begin(), samples.end());
  const int n = static_cast<int>(x.size());
  std::vector<std::vector<ComplexLong>> system(p, std::vector<ComplexLong>(p + 1, 0));
  for (int i = 1; i <= p; ++i) {
    for (int t = p; t < n; ++t) {
      system[i - 1][p] -= x[t] * std::conj(x[t - i]) + std::conj(x[t - p]) * x[t - p + i];
      for (int j = 1; j <= p; ++j) {
        system[i - 1][j - 1] += std::conj(x[t - i]) * x[t - j] + x[t - p + i] * std::conj(x[t - p + j]);
      }
    }
  }
  for (int c = 0; c < p; ++c) {
    int pivot = c;
    for (int r = c + 1; r < p; ++r) if (std::abs(system[r][c]) > std::abs(system[pivot][c])) pivot = r;
    std::swap(system[c], system[pivot]);
    for (int r = c + 1; r < p; ++r) {
      const ComplexLong factor = system[r][c] / system[c][c];
      for (int k = c; k <= p; ++k) system[r][k] -= factor * system[c][k];
    }
  }
  std::vector<ComplexLong> filter(p + 1, 0);
  filter[0] = 1;
  for (int r = p - 1; r >= 0; --r) {
    ComplexLong sum = system[r][p];
    for (int k = r + 1; k < p; ++k) sum -= system[r][k] * filter[k + 1];
    filter[r + 1] = sum / system[r][r];
  }
  return filter;
}

class CovarianceTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetResultModel(); }
  static SpectrumRunReport Run(int order) {
    return RunArCovariance(test::WholeSelection(order));
  }
};

TEST_F(CovarianceTest, MarpleSignalOrderFifteenMatchesADirectComputationAndResolvesThePair) {
  const auto x = test::ReadComplexColumns(std::string(VORENTA_SHARED_DATA_DIR) + "/marple64.txt");
  ASSERT_EQ(x.size(), 64u);
  test::LoadSignal(x);
  ASSERT_TRUE(Run(15).Computed);

  const std::vector<ComplexLong> filter = NaiveModifiedCovariance(x, 15);
  std::vector<long double> spectrum(kSpectrumBins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    spectrum[k] = 1.0L / std::max(test::FilterMagnitude(filter, k, kSpectrumBins), 1e-15L);
  }
  const std::vector<long double> expected = test::ReferenceDecibels(spectrum);
  for (int k = 0; k < kSpectrumBins; ++k) ASSERT_NEAR(SpectrumDb[k], expected[k], 1e-6) << "bin " << k;

  test::ExpectMarplePairResolved();
}

TEST_F(CovarianceTest, OrderFiveOnSixSamplesRunsWithFour) {
  test::LoadSignal(test::ComplexExponentials(6, {{1.0, 0.1}}, 0.3, 2));
  const SpectrumRunReport report = Run(5);
  EXPECT_TRUE(report.Computed);
  EXPECT_EQ(report.MainParameterUsed, 4);
  EXPECT_EQ(ComponentCount, 4);
}

TEST(CovarianceKernelTest, RefusesOrdersItCannotUse) {
  std::vector<ComplexSample> segment(6, ComplexSample{1.0, 0.5});
  std::vector<double> output(16, -1.0);
  for (int order : {0, -2, 6}) {
    EXPECT_EQ(CovarianceSpectrum(segment.data(), 6, 6, order, output.data(), 16),
              covariance_failure::kInvalidArguments);
  }
  EXPECT_EQ(output[0], -1.0);
}

}  // namespace
}  // namespace vorenta
