#include "timefreq/analysis_parameters.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vorenta {
namespace {

struct ClampCase {
  int method;
  AnalysisFields fields;
  int shownExponents;  // what the upper field shows afterwards
  int used;            // the value the estimator gets
  int AnalysisParameters::*member;
};

class AnalysisClamps : public ::testing::TestWithParam<ClampCase> {};

TEST_P(AnalysisClamps, ClampTheUpperFieldPerMethod) {
  const ClampCase& c = GetParam();
  const AnalysisParameters p = ReadAnalysisParameters(c.method, c.fields);
  EXPECT_EQ(p.shown.exponents, c.shownExponents);
  EXPECT_EQ(p.*(c.member), c.used);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnalysisClamps,
    ::testing::Values(
        ClampCase{kTfPronyModified, {80, 100, 2000, 1, 1}, 66, 33, &AnalysisParameters::storedExponents},
        ClampCase{kTfPronyModified, {80, 100, 2000, 1, 1}, 66, 66, &AnalysisParameters::exponents},
        ClampCase{kTfArBurg, {150, 100, 2000, 1, 1}, 99, 99, &AnalysisParameters::order},
        ClampCase{kTfArBurg, {20, 100, 2000, 1, 1}, 20, 20, &AnalysisParameters::order},
        ClampCase{kTfArCovar, {150, 100, 2000, 1, 1}, 66, 66, &AnalysisParameters::order},
        ClampCase{kTfMusic, {1, 100, 2000, 3, 1}, 2, 2, &AnalysisParameters::eigenDimension},
        ClampCase{kTfWvMusic, {80, 100, 2000, 3, 1}, 50, 50, &AnalysisParameters::eigenDimension},
        ClampCase{kTfMusic, {10, 100, 2000, 3, 1}, 10, 3, &AnalysisParameters::signalSpace},
        ClampCase{kTfSymplex, {4, 100, 2000, 1, 7}, 4, 7, &AnalysisParameters::iterations}));

TEST(AnalysisParameters, FftSizeIsRaisedToTheWindowForEveryMethod) {
  for (int method = 0; method < 9; ++method) {
    const AnalysisParameters p = ReadAnalysisParameters(method, {2, 500, 100, 1, 1});
    EXPECT_EQ(p.fftSize, 500) << method;
    EXPECT_EQ(p.shown.fftSize, 500) << method;
  }
  // 101 is prime: the next length the FFT accepts is 102 = 2 * 3 * 17.
  EXPECT_EQ(ReadAnalysisParameters(kTfFourier, {2, 101, 0, 1, 1}).fftSize, 102);
}

TEST(AnalysisParameters, RefusesAnUnknownMethod) {
  EXPECT_THROW(ReadAnalysisParameters(9, {}), std::out_of_range);
  EXPECT_THROW(ReadAnalysisParameters(-1, {}), std::out_of_range);
}

}  // namespace
}  // namespace vorenta
