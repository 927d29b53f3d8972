#include "timefreq/image_fta.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "tf_test_support.h"

namespace vorenta {
namespace {

using testing::FixedFTA;

Scale Map(double x1, double y1, double x2, double y2, int width, int height) {
  Scale map;
  map.SetWidth(width);
  map.SetHeight(height);
  map.SetRanges(x1, y1, x2, y2);
  return map;
}

TEST(GreyMapping, DefaultsMapOneToBlackZeroToWhiteAndHalfToGrey127) {
  GreyMapping grey;
  EXPECT_EQ(grey.Level(1.0), 0);
  EXPECT_EQ(grey.Level(0.0), 255);
  EXPECT_EQ(grey.Level(0.5), 127);
  EXPECT_EQ(grey.Level(7.0), 0);     // above Amax: black
  EXPECT_EQ(grey.Level(-3.0), 255);  // below Amin: white
  GreyMapping dim{1.0, 0.0, 0, 5};   // half the contrast scales around black
  EXPECT_EQ(dim.Level(0.0), 127);
  GreyMapping bright{1.0, 0.0, 100, 10};
  EXPECT_EQ(bright.Level(1.0), 100);
}

TEST(GreyMapping, EqualClipLevelsAreAnErrorNotACrash) {
  GreyMapping grey{0.5, 0.5, 0, 10};
  EXPECT_THROW(grey.Validate(), VorentaError);
  FixedFTA analysis(2, 2);
  ImageFTA image;
  EXPECT_THROW(RenderDense(analysis, Map(0, 0, 1, 1, 4, 4), grey, image), VorentaError);
}

TEST(RenderDense, WhereSeveralCellsLandOnOnePixelTheDarkestWins) {
  FixedFTA analysis(1, 8);
  analysis.PowerMatrix(0, 5) = 1.0;  // one black cell among white ones
  ImageFTA image;
  // Columns 0 .. 6 land on pixel column 0, column 7 alone on pixel column 1.
  RenderDense(analysis, Map(0, 0, 7, 1, 2, 2), GreyMapping{}, image);
  EXPECT_EQ(image[1][0], 0);  // row 0 of the matrix is the bottom pixel row
  EXPECT_EQ(image[1][1], 255);
}

TEST(RenderDense, AWideImageIsInterpolatedBetweenColumnPixels) {
  FixedFTA analysis(2, 2);
  for (int r = 0; r < 2; ++r) analysis.PowerMatrix(r, 1) = 1.0;  // column 0 white, column 1 black
  ImageFTA image;
  RenderDense(analysis, Map(0, 0, 1, 1, 11, 5), GreyMapping{}, image);
  for (int row : {0, 2, 4}) {
    EXPECT_EQ(image[row][0], 255) << row;
    EXPECT_EQ(image[row][10], 0) << row;
    for (int x = 1; x < 10; ++x) {
      EXPECT_LT(image[row][x], image[row][x - 1]) << row << "," << x;  // falls steadily, no white band
      EXPECT_NEAR(image[row][x], 255.0 * (10 - x) / 10, 1.0) << row << "," << x;
    }
  }
}

TEST(RenderDense, ATallImageIsInterpolatedBetweenRowPixels) {
  FixedFTA analysis(2, 2);
  analysis.PowerMatrix(1, 0) = analysis.PowerMatrix(1, 1) = 1.0;  // top row black, bottom white
  ImageFTA image;
  RenderDense(analysis, Map(0, 0, 1, 1, 3, 9), GreyMapping{}, image);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(image[0][x], 0);
    EXPECT_EQ(image[8][x], 255);
    for (int row = 1; row < 8; ++row) EXPECT_NEAR(image[row][x], 255.0 * row / 8, 1.0) << row << "," << x;
  }
}

TEST(RenderDense, NoColumnsLeavesAWhiteImage) {
  FixedFTA analysis(3, 0);
  ImageFTA image;
  RenderDense(analysis, Map(0, 0, 5, 5, 6, 6), GreyMapping{}, image);
  for (int row = 0; row < 6; ++row)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image[row][x], 255);
}

TEST(RenderPoints, DrawsPositiveDarkNegativeLightAndZeroNever) {
  FixedFTA analysis(3, 3);
  // Column 0: a strong component at 0.25; column 1: a negative one at -0.25;
  // column 2: an amplitude of exactly 0 at 0.
  analysis.FrequencyMatrix(0, 0) = 0.25;
  analysis.PowerMatrix(0, 0) = 1.0;
  analysis.FrequencyMatrix(0, 1) = -0.25;
  analysis.PowerMatrix(0, 1) = -0.5;
  ImageFTA image;
  const Scale cells = Map(0, 0, 2, 3, 3, 5);
  const Scale tf = Map(0, -0.5, 2, 0.5, 3, 5);
  GreyMapping grey{1.0, -1.0, 0, 10};  // background: the grey of 0, 127
  RenderPoints(analysis, cells, tf, grey, image);
  EXPECT_EQ(image[tf.Row(0.25)][0], 0);
  EXPECT_EQ(image[tf.Row(-0.25)][1], grey.Level(-0.5));
  EXPECT_GT(image[tf.Row(-0.25)][1], 127);
  // Column 2 and every other pixel keep the background: rows 1, 2 and the
  // empty row 3 of the other columns read frequency 0 and amplitude 0.
  EXPECT_EQ(image[tf.Row(0.0)][2], 127);
  EXPECT_EQ(image[tf.Row(0.0)][0], 127);
}

}  // namespace
}  // namespace vorenta
