#include "spectrum/merge_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace vorenta {
namespace {

// A line as the sinusoid presentation makes it, for reference time t0.
SinModel Line(double f, double a, double phi, double t0) {
  const double theta = 2 * std::numbers::pi * f * t0 + phi;
  return SinModel{f, a, phi, -a * f * std::sin(theta), a * f * std::cos(theta)};
}

SpectrumLineLists Lists(std::vector<SinModel> raw) { return SpectrumLineLists{std::move(raw), {}}; }

TEST(MergeLines, CloseLinesBecomeOneAtTheWeightedInstantaneousFrequency) {
  SpectrumLineLists lines = Lists({Line(0.1, 1, 0, 500), Line(0.1001, 1, 0, 500)});
  MergeLines(lines, 0.0002, 500);
  ASSERT_EQ(lines.Merged.size(), 1u);
  EXPECT_NEAR(lines.Merged[0].Frequency, 0.10005, 1e-12);
  // The two phasors are 0.1*pi apart at t0.
  EXPECT_NEAR(lines.Merged[0].Amplitude, 2 * std::cos(0.05 * std::numbers::pi), 1e-12);
  EXPECT_NEAR(lines.Merged[0].Amplitude, 1.9754, 5e-5);
}

TEST(MergeLines, DistantLinesStayApartWithTheirAmplitudes) {
  SpectrumLineLists lines = Lists({Line(0.1, 1, 0.3, 500), Line(0.2, 0.5, -1, 500)});
  MergeLines(lines, 0.0002, 500);
  ASSERT_EQ(lines.Merged.size(), 2u);
  EXPECT_NEAR(lines.Merged[0].Frequency, 0.1, 1e-12);
  EXPECT_NEAR(lines.Merged[0].Amplitude, 1.0, 1e-12);
  EXPECT_NEAR(lines.Merged[1].Frequency, 0.2, 1e-12);
  EXPECT_NEAR(lines.Merged[1].Amplitude, 0.5, 1e-12);
  // Phase equivalent modulo 2 pi.
  EXPECT_NEAR(std::remainder(lines.Merged[1].Phase + 1, 2 * std::numbers::pi), 0.0, 1e-9);
}

TEST(MergeLines, GroupsChainFromNeighbourToNeighbour) {
  // 0.1 .. 0.10015 in steps below the distance, though end to end above it.
  SpectrumLineLists lines =
      Lists({Line(0.1, 1, 0, 0), Line(0.10005, 1, 0, 0), Line(0.1001, 1, 0, 0), Line(0.10015, 1, 0, 0)});
  MergeLines(lines, 0.00006, 0);
  ASSERT_EQ(lines.Merged.size(), 1u);
  EXPECT_NEAR(lines.Merged[0].Frequency, 0.100075, 1e-12);
  EXPECT_NEAR(lines.Merged[0].Amplitude, 4.0, 1e-12);
}

TEST(MergeLines, CancellingGroupLeavesNoLine) {
  SpectrumLineLists lines = Lists({Line(0.1, 1, 0, 0), Line(0.10001, 1, std::numbers::pi, 0), Line(0.3, 1, 0, 0)});
  MergeLines(lines, 0.001, 0);
  ASSERT_EQ(lines.Merged.size(), 1u);
  EXPECT_NEAR(lines.Merged[0].Frequency, 0.3, 1e-12);
}

TEST(MergeLines, RepeatsUntilNothingMoreMerges) {
  // Two nearly opposite phasors have their instantaneous frequency far
  // outside their pair (1 - 9*0.0001 below 0.1), next to the line at 0.099:
  // the second round merges those.
  SpectrumLineLists lines =
      Lists({Line(0.099, 1, 0, 0), Line(0.1, 1, 0, 0), Line(0.1001, 0.9, std::numbers::pi, 0)});
  MergeLines(lines, 0.00011, 0);
  ASSERT_EQ(lines.Merged.size(), 1u);
  EXPECT_NEAR(lines.Merged[0].Amplitude, 1.1, 1e-12);
}

TEST(MergeLines, EmptyListStaysEmpty) {
  SpectrumLineLists lines;
  lines.Merged.push_back(Line(0.1, 1, 0, 0));
  MergeLines(lines, 0.001, 0);
  EXPECT_TRUE(lines.Merged.empty());
}

}  // namespace
}  // namespace vorenta
