#include "timefreq/prony_mod_fta.h"

#include <gtest/gtest.h>

#include <numbers>

#include "tf_test_support.h"

namespace vorenta {
namespace {

TEST(PronyModFTA, AConstantSignalPeaksAtTheZeroFrequencyRow) {
  AnalyticSignalClass signal = testing::MakeSignal(200, [](int) { return std::complex<double>(2.0, 0.0); });
  PronyModFTA prony(1000, 1);
  prony.RunWindows(signal, 60, 1);
  for (int c : {50, 100, 150}) {
    EXPECT_EQ(prony.FrequencyMatrix(testing::PeakRow(prony, c), c), 0.0) << c;
    EXPECT_DOUBLE_EQ(prony.PowerMatrix(testing::PeakRow(prony, c), c), 1.0);
  }
}

TEST(PronyModFTA, TwoDampedExponentialsPeakAtTheirFrequencies) {
  AnalyticSignalClass signal = testing::MakeSignal(300, [](int k) {
    return std::polar(std::exp(-0.002 * k), 2 * std::numbers::pi * 0.12 * k) +
           0.8 * std::polar(1.0, 2 * std::numbers::pi * -0.3 * k + 0.4);
  });
  signal.RangeStart = 140;
  signal.RangeEnd = 160;
  PronyModFTA prony(2000, 1);  // Q = 1: two exponentials
  prony.RunWindows(signal, 90, 1);
  for (int c : {0, 10, 20}) {
    // The two largest local maxima of the column.
    std::vector<std::pair<double, double>> peaks;
    for (int r = 1; r + 1 < prony.Rows; ++r) {
      const double v = prony.PowerMatrix(r, c);
      if (v > prony.PowerMatrix(r - 1, c) && v >= prony.PowerMatrix(r + 1, c))
        peaks.push_back({v, prony.FrequencyMatrix(r, c)});
    }
    std::sort(peaks.rbegin(), peaks.rend());
    ASSERT_GE(peaks.size(), 2u);
    const double low = std::min(peaks[0].second, peaks[1].second);
    const double high = std::max(peaks[0].second, peaks[1].second);
    EXPECT_NEAR(low, -0.3, 0.0005) << c;
    EXPECT_NEAR(high, 0.12, 0.0005) << c;
  }
}

}  // namespace
}  // namespace vorenta
