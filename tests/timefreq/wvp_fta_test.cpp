#include "timefreq/wvp_fta.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tf_test_support.h"

namespace vorenta {
namespace {

struct FoldCase {
  double f, shown;
};

class WignerVillePeak : public ::testing::TestWithParam<FoldCase> {};

TEST_P(WignerVillePeak, PeaksAtTheSignalFrequencyFoldedIntoPlusMinusAQuarter) {
  AnalyticSignalClass signal = testing::ComplexExponential(600, GetParam().f);
  WVP_FTA wv(1000);
  wv.RunWindows(signal, 101, 1);
  EXPECT_EQ(wv.FreqMax, 0.25);
  EXPECT_EQ(wv.FreqMin, -0.25);
  for (int c : {100, 300, 499}) {
    EXPECT_NEAR(wv.FrequencyMatrix(testing::PeakRow(wv, c), c), GetParam().shown, 0.5 / 1000 + 1e-12) << c;
    EXPECT_DOUBLE_EQ(*std::max_element(wv.PowerMatrix.Column(c), wv.PowerMatrix.Column(c) + wv.Rows), 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Frequencies, WignerVillePeak,
                         ::testing::Values(FoldCase{0.1, 0.1}, FoldCase{-0.2, -0.2}, FoldCase{0.3, -0.2},
                                           FoldCase{0.0, 0.0}));

TEST(WVP_FTA, TheLagProductIsConjugateSymmetricSoTheDistributionIsReal) {
  // Two components: the cross term makes the column take negative values,
  // which are kept (no squaring).
  AnalyticSignalClass signal = testing::MakeSignal(200, [](int k) {
    return std::polar(1.0, 2 * std::numbers::pi * 0.05 * k) + std::polar(1.0, 2 * std::numbers::pi * 0.15 * k);
  });
  WVP_FTA wv(128);
  wv.RunWindows(signal, 64, 1);
  const int c = 100;
  double minimum = 1;
  for (int r = 0; r < wv.Rows; ++r) minimum = std::min(minimum, wv.PowerMatrix(r, c));
  EXPECT_LT(minimum, -0.1);
  EXPECT_LT(wv.ValueMin, -0.1);
}

}  // namespace
}  // namespace vorenta
