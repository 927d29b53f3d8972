#include "timefreq/fta.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tf_test_support.h"

namespace vorenta {
namespace {

// Writes the window's centre sample index (absolute) into row 0 and the sum
// of the real parts it reads into row 1; throws or produces a NaN for chosen
// offsets; can pause itself at a chosen permille report.
class ProbeFTA : public FTA {
 public:
  int RowsNeeded() override { return 2; }
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override {
    computed.push_back(offset);
    if (offset == throwAt) throw std::runtime_error("window failed");
    const int column = offset / Step;
    double sum = 0;
    const int first = AnalysisStart(signal) + offset - WindowSize / 2;
    for (int j = 0; j < WindowSize; ++j) sum += SampleAt(signal, first + j).real();
    PowerMatrix(0, column) = AnalysisStart(signal) + offset;
    PowerMatrix(1, column) = offset == nanAt ? std::nan("") : sum;
  }
  void ShowProgress(int permille, double elapsed, double remaining) override {
    reports.push_back({permille, elapsed, remaining});
    if (pauseAtPermille >= 0 && permille >= pauseAtPermille) {
      StopRequested = true;
      Resuming = true;
      pauseAtPermille = -1;
    }
  }

  struct Report {
    int permille;
    double elapsed, remaining;
  };
  std::vector<int> computed;
  std::vector<Report> reports;
  int throwAt = -1;
  int nanAt = -1;
  int pauseAtPermille = -1;
};

class FTATest : public ::testing::Test {
 protected:
  void SetUp() override {
    signal = testing::MakeSignal(50, [](int k) { return std::complex<double>(k + 1, 0); });
    probe.Now = [this] { return clock; };
  }
  AnalyticSignalClass signal;
  ProbeFTA probe;
  double clock = 0;
};

TEST_F(FTATest, ColumnCountFollowsTheStep) {
  signal.RangeStart = 10;
  signal.RangeEnd = 29;  // L = 20
  for (int step : {1, 3, 7}) {
    probe.computed.clear();
    probe.RunWindows(signal, 4, step);
    EXPECT_EQ(probe.Columns, 19 / step + 1) << step;
    EXPECT_EQ(probe.computed.back(), (19 / step) * step) << step;
    EXPECT_EQ(probe.PowerMatrix(0, probe.Columns - 1), 10 + (19 / step) * step);
  }
}

TEST_F(FTATest, RangeEndBeyondTheSignalIsCutAndWindowsReadZerosPastTheEnds) {
  signal.RangeStart = 0;
  signal.RangeEnd = 1000;
  probe.RunWindows(signal, 4, 1);
  ASSERT_EQ(probe.Columns, 50);
  EXPECT_EQ(probe.LastSample, 49);
  // Window at offset 0 covers samples -2 .. 1: values 0, 0, 1, 2.
  EXPECT_DOUBLE_EQ(probe.PowerMatrix(1, 0), 3.0);
  // Window at offset 49 covers 47 .. 50: values 48, 49, 50, 0.
  EXPECT_DOUBLE_EQ(probe.PowerMatrix(1, 49), 147.0);
}

TEST_F(FTATest, AFailingWindowBecomesAZeroColumnAndTheRunGoesOn) {
  probe.throwAt = 5;
  probe.nanAt = 7;
  probe.RunWindows(signal, 4, 1);
  EXPECT_EQ(probe.Columns, 50);
  for (int c : {5, 7}) {
    EXPECT_EQ(probe.PowerMatrix(0, c), 0.0) << c;
    EXPECT_EQ(probe.PowerMatrix(1, c), 0.0) << c;
  }
  EXPECT_EQ(probe.PowerMatrix(0, 6), 6.0);
  EXPECT_DOUBLE_EQ(probe.ValueMax, 47 + 48 + 49 + 50.0);  // window at offset 48
  EXPECT_EQ(probe.ValueMin, 0.0);                         // centre index of offset 0
}

TEST_F(FTATest, ProgressIsReportedOnlyWhenThePermilleChanges) {
  AnalyticSignalClass big = testing::MakeSignal(5000, [](int) { return std::complex<double>(1, 0); });
  probe.RunWindows(big, 2, 1);
  ASSERT_EQ(probe.reports.size(), 999u);
  for (std::size_t i = 1; i < probe.reports.size(); ++i)
    EXPECT_EQ(probe.reports[i].permille, probe.reports[i - 1].permille + 1);
}

TEST_F(FTATest, PauseStopsBeforeTheWindowAndContinueComputesFromThatColumn) {
  signal.RangeEnd = 49;  // L = 50, permille 20 per window
  probe.pauseAtPermille = 200;  // at q = 10
  clock = 1.0;
  probe.Now = [this] { return clock += 0.001; };
  probe.RunWindows(signal, 4, 1);
  EXPECT_TRUE(probe.StopRequested);
  EXPECT_TRUE(probe.Resuming);
  EXPECT_EQ(probe.Columns, 11);  // columns 0 .. 10, the last not computed yet
  EXPECT_EQ(probe.computed.back(), 9);
  EXPECT_EQ(probe.PowerMatrix(0, 10), 0.0);

  const double startBefore = probe.StartTime;
  const double pausedAt = probe.LastProgressTime;
  clock += 5.0;  // the user waits five days
  probe.computed.clear();
  probe.RunWindows(signal, 4, 1);
  EXPECT_EQ(probe.computed.front(), 10);
  EXPECT_EQ(probe.Columns, 50);
  EXPECT_EQ(probe.PowerMatrix(0, 10), 10.0);
  // The pause moved the start forward, so it does not count as elapsed.
  EXPECT_NEAR(probe.StartTime - startBefore, (pausedAt + 5.0 + 0.001) - pausedAt, 1e-9);
  EXPECT_LT(probe.reports.back().elapsed, 1.0);
}

TEST_F(FTATest, ContinuingARunThatHasNoColumnsStartsAfresh) {
  probe.Resuming = true;
  probe.RunWindows(signal, 4, 1);
  EXPECT_EQ(probe.Columns, 50);
  EXPECT_EQ(probe.computed.front(), 0);
  EXPECT_EQ(probe.PowerMatrix(0, 49), 49.0);
}

}  // namespace
}  // namespace vorenta
