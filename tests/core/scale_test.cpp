#include "core/scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace vorenta {
namespace {

Scale MakeScale(int width, int height, double x1, double x2, double y1, double y2) {
  Scale scale;
  scale.SetWidth(width);
  scale.SetHeight(height);
  scale.SetRanges(x1, y1, x2, y2);
  return scale;
}

TEST(ScaleTest, MapsTheRangeEndsOntoTheOuterPixels) {
  const Scale scale = MakeScale(101, 21, 0, 100, -1, 1);
  EXPECT_EQ(scale.Column(37), 37);
  EXPECT_EQ(scale.Column(0), 0);
  EXPECT_EQ(scale.Column(100), 100);
  EXPECT_DOUBLE_EQ(scale.XAt(50), 50);
  EXPECT_EQ(scale.Row(1), 0);
  EXPECT_EQ(scale.Row(-1), 20);
  EXPECT_EQ(scale.Row(0), 10);
  EXPECT_DOUBLE_EQ(scale.YAt(10), 0);
  EXPECT_DOUBLE_EQ(scale.YAt(0), 1);
}

TEST(ScaleTest, RangeSettersOrderTheirEnds) {
  Scale scale;
  scale.SetXRange(10, 2);
  EXPECT_EQ(scale.XMin(), 2);
  EXPECT_EQ(scale.XMax(), 10);
  scale.SetYRange(5, -5);
  EXPECT_EQ(scale.YMin(), -5);
  EXPECT_EQ(scale.YMax(), 5);
}

TEST(ScaleTest, KeepsItsInvariantAfterEverySetter) {
  Scale scale;
  scale.SetXRange(-3, 7);
  scale.SetWidth(201);
  EXPECT_DOUBLE_EQ(scale.XScale(), 200.0 / 10.0);
  scale.SetYRange(-2, 6);
  scale.SetHeight(81);
  EXPECT_DOUBLE_EQ(scale.YScale(), 80.0 / 8.0);
  EXPECT_DOUBLE_EQ(scale.YOffset(), 81 + (-2) * 10.0 - 1);
  EXPECT_EQ(scale.Row(-2), 80);
  EXPECT_EQ(scale.Row(6), 0);
}

TEST(ScaleTest, IgnoresNonPositiveSizes) {
  Scale scale = MakeScale(50, 40, 0, 1, 0, 1);
  scale.SetWidth(0);
  scale.SetHeight(-3);
  EXPECT_EQ(scale.Width(), 50);
  EXPECT_EQ(scale.Height(), 40);
}

TEST(ScaleTest, CollapsedRangeHasZeroScaleAndAFiniteInverse) {
  const Scale scale = MakeScale(100, 100, 4, 4, 2, 2);
  EXPECT_EQ(scale.XScale(), 0);
  EXPECT_EQ(scale.YScale(), 0);
  EXPECT_EQ(scale.Column(123), 0);
  EXPECT_EQ(scale.XAt(17), 4);
  EXPECT_EQ(scale.YAt(17), 2);
  EXPECT_EQ(scale.SampleAt(99), 4);
}

TEST(ScaleTest, SampleAtTruncatesTowardZero) {
  const Scale scale = MakeScale(11, 2, -5, 0, 0, 1);  // 2 pixels per sample
  EXPECT_EQ(scale.SampleAt(3), -3);                   // x = -3.5
  EXPECT_EQ(scale.SampleAt(10), 0);
}

TEST(ScaleTest, FarPointsSaturateInsteadOfOverflowing) {
  const Scale scale = MakeScale(100, 100, 0, 1, 0, 1);
  EXPECT_EQ(scale.Column(1e300), INT_MAX);
  EXPECT_EQ(scale.Column(-1e300), INT_MIN);
  EXPECT_EQ(scale.Column(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ScaleTest, LineTargetIsLimitedToTenSurfaces) {
  const Scale scale = MakeScale(100, 50, 0, 99, 0, 49);
  const PixelPoint far = scale.LineTarget(1e9, -1e9);
  EXPECT_EQ(far.column, 1001);
  EXPECT_EQ(far.row, 501);
  const PixelPoint near = scale.LineTarget(-1e9, 1e9);
  EXPECT_EQ(near.column, -1001);
  EXPECT_EQ(near.row, -501);
  const PixelPoint inside = scale.LineTarget(10, 10);
  EXPECT_EQ(inside.column, 10);
  EXPECT_EQ(inside.row, 39);
}

TEST(ScaleTest, MoveTargetLimitsColumnsAsymmetrically) {
  const Scale scale = MakeScale(100, 50, 0, 99, 0, 49);
  EXPECT_EQ(scale.MoveTarget(1e9, 0).column, 1000);
  EXPECT_EQ(scale.MoveTarget(-1e9, 0).column, -1001);
  EXPECT_EQ(scale.MoveTarget(0, 1e9).row, -501);
  EXPECT_EQ(scale.MoveTarget(0, -1e9).row, 501);
}

}  // namespace
}  // namespace vorenta
