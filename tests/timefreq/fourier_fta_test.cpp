#include "timefreq/fourier_fta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tf_test_support.h"

namespace vorenta {
namespace {

// |DFT_k|^2 of the window at `first`, in long double.
long double DirectPower(const AnalyticSignalClass& signal, int first, int w, int n, int k) {
  std::complex<long double> sum = 0;
  for (int j = 0; j < w; ++j) {
    const std::complex<double> x = SampleAt(signal, first + j);
    const long double angle = -2 * std::numbers::pi_v<long double> * j * k / n;
    sum += std::complex<long double>(x.real(), x.imag()) * std::polar(1.0L, angle);
  }
  return std::norm(sum);
}

TEST(FourierFTA, AComplexExponentialPeaksAtOneInItsBinInEveryFullWindow) {
  const double f = 0.123;
  AnalyticSignalClass signal = testing::ComplexExponential(3000, f);
  FourierFTA fourier(1000);
  fourier.RunWindows(signal, 1000, 1);
  const int peakRow = GridFTA::RowOfBin(static_cast<int>(std::lround(f * 1000)), 1000);
  for (int c : {500, 1500, 2499}) {
    EXPECT_DOUBLE_EQ(fourier.PowerMatrix(peakRow, c), 1.0);
    EXPECT_NEAR(fourier.FrequencyMatrix(peakRow, c), 0.123, 1e-12);
    for (int r = 0; r < 1000; ++r) {
      if (r != peakRow) {
        EXPECT_LT(fourier.PowerMatrix(r, c), 1.0) << r;
      }
    }
  }
}

TEST(FourierFTA, AColumnIsTheNormalisedSquaredDftOfItsZeroPaddedWindow) {
  AnalyticSignalClass signal = testing::MakeSignal(
      300, [](int k) { return std::complex<double>(std::cos(0.3 * k) + 0.1 * (k % 7), std::sin(0.05 * k * k)); });
  FourierFTA fourier(250);  // 150 zeros of padding
  fourier.RunWindows(signal, 100, 1);
  const int c = 120;
  const int first = c - 50;
  long double maximum = 0;
  for (int k = 0; k < 250; ++k) maximum = std::max(maximum, DirectPower(signal, first, 100, 250, k));
  for (int k = 0; k < 250; ++k) {
    const int row = GridFTA::RowOfBin(k, 250);
    EXPECT_NEAR(fourier.PowerMatrix(row, c), static_cast<double>(DirectPower(signal, first, 100, 250, k) / maximum),
                1e-12)
        << k;
  }
}

TEST(FourierFTA, RowsRunFromTheMostNegativeFrequencyUpwards) {
  for (int n : {8, 15, 1000, 1001}) {
    AnalyticSignalClass signal = testing::ComplexExponential(10, 0.1);
    FourierFTA fourier(n);
    fourier.RunWindows(signal, 4, 1);
    ASSERT_EQ(fourier.Rows, n);
    const double lowest = n % 2 == 0 ? -0.5 : -(n - 1) / (2.0 * n);
    EXPECT_DOUBLE_EQ(fourier.FrequencyMatrix(0, 3), lowest) << n;
    for (int r = 1; r < n; ++r) EXPECT_GT(fourier.FrequencyMatrix(r, 3), fourier.FrequencyMatrix(r - 1, 3));
  }
  EXPECT_EQ(GridFTA::RowOfBin(3, 5), 0);
  EXPECT_EQ(GridFTA::RowOfBin(0, 5), 2);
}

TEST(FourierFTA, FftSizeIsRaisedToTheWindowAndToAnAcceptedLength) {
  AnalyticSignalClass signal = testing::ComplexExponential(10, 0.1);
  FourierFTA small(50);
  small.RunWindows(signal, 100, 1);
  EXPECT_EQ(small.FftSize, 100);
  EXPECT_EQ(small.Rows, 100);
  FourierFTA prime(23);  // 23 has a prime factor above 19
  EXPECT_EQ(prime.FftSize, 24);
}

TEST(FourierFTA, AWindowOfZerosGivesAZeroColumnNotNaN) {
  AnalyticSignalClass signal = testing::MakeSignal(40, [](int k) { return std::complex<double>(k < 20, 0); });
  FourierFTA fourier(16);
  fourier.RunWindows(signal, 8, 1);
  for (int r = 0; r < 16; ++r) EXPECT_EQ(fourier.PowerMatrix(r, 35), 0.0);
  EXPECT_EQ(fourier.ValueMax, 1.0);
  EXPECT_GE(fourier.ValueMin, 0.0);
}

}  // namespace
}  // namespace vorenta
