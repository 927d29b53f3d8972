// The parametric moving-window spectra on signals whose components are known.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tf_test_support.h"
#include "timefreq/ar_fta.h"
#include "timefreq/music_fta.h"

namespace vorenta {
namespace {

// Rows whose value exceeds both neighbours and `level`.
std::vector<double> RidgeFrequencies(const FTA& analysis, int c, double level) {
  std::vector<double> found;
  for (int r = 1; r + 1 < analysis.Rows; ++r) {
    const double v = analysis.PowerMatrix(r, c);
    if (v > level && v > analysis.PowerMatrix(r - 1, c) && v >= analysis.PowerMatrix(r + 1, c))
      found.push_back(analysis.FrequencyMatrix(r, c));
  }
  return found;
}

AnalyticSignalClass TwoExponentials(int n, double f1, double f2, double noise) {
  unsigned state = 12345;
  auto uniform = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1 << 24) - 0.5;
  };
  return testing::MakeSignal(n, [&](int k) {
    return std::polar(1.0, 2 * std::numbers::pi * f1 * k) + std::polar(1.0, 2 * std::numbers::pi * f2 * k) +
           noise * std::complex<double>(uniform(), uniform());
  });
}

TEST(BurgFTA, AnExponentialPeaksAtOneInItsRowInEveryFullWindow) {
  AnalyticSignalClass signal = testing::ComplexExponential(400, 0.1);
  BurgFTA burg(2000, 2);
  burg.RunWindows(signal, 100, 1);
  for (int c : {50, 200, 349}) {
    EXPECT_EQ(testing::PeakRow(burg, c), 1200) << c;  // bin 200
    EXPECT_DOUBLE_EQ(burg.PowerMatrix(1200, c), 1.0);
    EXPECT_NEAR(burg.FrequencyMatrix(1200, c), 0.1, 1e-12);
    EXPECT_LT(burg.PowerMatrix(1000, c), 1e-3) << c;
  }
}

TEST(ArFTA, AWindowOfZerosGivesAZeroColumn) {
  AnalyticSignalClass signal = testing::MakeSignal(300, [](int k) {
    return k < 100 ? std::polar(1.0, 2 * std::numbers::pi * 0.2 * k) : std::complex<double>(0, 0);
  });
  BurgFTA burg(256, 4);
  CovarModFTA covariance(256, 4);
  for (FTA* analysis : {static_cast<FTA*>(&burg), static_cast<FTA*>(&covariance)}) {
    analysis->RunWindows(signal, 64, 1);
    for (int r = 0; r < 256; ++r) EXPECT_EQ(analysis->PowerMatrix(r, 250), 0.0);
    EXPECT_EQ(analysis->ValueMax, 1.0);
  }
}

// An order typed as 0 or below fits no coefficient: the filter is (1), its
// spectrum flat, so every row of a non-zero window is 1 (and nothing is
// written outside the coefficient arrays).
class ArFTAWithoutOrder : public ::testing::TestWithParam<int> {};

TEST_P(ArFTAWithoutOrder, GivesAFlatColumnOfOnes) {
  AnalyticSignalClass signal = TwoExponentials(120, 0.1, -0.2, 0.01);
  BurgFTA burg(128, GetParam());
  CovarModFTA covariance(128, GetParam());
  for (FTA* analysis : {static_cast<FTA*>(&burg), static_cast<FTA*>(&covariance)}) {
    analysis->RunWindows(signal, 32, 1);
    ASSERT_EQ(analysis->Rows, 128);
    for (int c : {0, 60, 119})
      for (int r = 0; r < 128; ++r) ASSERT_DOUBLE_EQ(analysis->PowerMatrix(r, c), 1.0) << r << "," << c;
  }
}

INSTANTIATE_TEST_SUITE_P(ZeroAndNegative, ArFTAWithoutOrder, ::testing::Values(0, -1, -7));

TEST(CovarModFTA, TwoExponentialsInLightNoiseGiveTwoRidges) {
  AnalyticSignalClass signal = TwoExponentials(300, 0.1, -0.2, 0.01);
  CovarModFTA covariance(1000, 4);
  covariance.RunWindows(signal, 100, 1);
  const std::vector<double> ridges = RidgeFrequencies(covariance, 150, 0.1);
  ASSERT_EQ(ridges.size(), 2u);
  EXPECT_NEAR(ridges[0], -0.2, 0.002);
  EXPECT_NEAR(ridges[1], 0.1, 0.002);
}

TEST(MUSIC_FTA, TwoExponentialsGiveTwoRidgesAndWignerVilleFoldsTheHighOne) {
  AnalyticSignalClass signal = TwoExponentials(200, 0.1, 0.3, 0.01);
  signal.RangeStart = 98;  // three full windows around the middle
  signal.RangeEnd = 100;
  MUSIC_FTA music(10, 2);
  music.RunWindows(signal, 100, 1);
  ASSERT_EQ(music.Rows, 10000);
  std::vector<double> ridges = RidgeFrequencies(music, 1, 0.01);
  ASSERT_EQ(ridges.size(), 2u);
  EXPECT_NEAR(ridges[0], 0.1, 0.001);
  EXPECT_NEAR(ridges[1], 0.3, 0.001);

  WV_MUSIC_FTA wvMusic(10, 2);
  wvMusic.RunWindows(signal, 100, 1);
  EXPECT_EQ(wvMusic.FreqMax, 0.25);
  ridges = RidgeFrequencies(wvMusic, 1, 0.01);
  ASSERT_GE(ridges.size(), 2u);
  auto near = [&ridges](double f) {
    return std::any_of(ridges.begin(), ridges.end(), [f](double r) { return std::fabs(r - f) < 0.001; });
  };
  EXPECT_TRUE(near(0.1));
  EXPECT_TRUE(near(-0.2));
}

TEST(MUSIC_FTA, ASignalSpaceNotBelowTheEigenDimensionWritesNoColumn) {
  AnalyticSignalClass signal = testing::ComplexExponential(50, 0.1);
  MUSIC_FTA music(4, 4);
  music.RunWindows(signal, 20, 1);
  EXPECT_EQ(music.Columns, 50);
  for (int r = 0; r < 10000; r += 97) EXPECT_EQ(music.PowerMatrix(r, 25), 0.0);
}

}  // namespace
}  // namespace vorenta
