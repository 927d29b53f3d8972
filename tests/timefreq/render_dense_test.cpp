// The dense renderer against a straightforward cell-by-cell rendering that
// visits the matrix row by row, on random matrices and rasters wider and
// narrower than the matrix: the bytes must agree exactly.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

#include "tf_test_support.h"
#include "timefreq/image_fta.h"

namespace vorenta {
namespace {

using testing::FixedFTA;

// Every matrix row s from trunc(ymin) to ymax (skipping s < 0 and s > Rows),
// every column j from trunc(xmin) to xmax: darken the cell's pixel, then
// interpolate along the row back to the previous column pixel o, along the
// column down to the previous row pixel r, and the interior as the mean of
// both.
std::vector<std::uint8_t> ReferenceRender(const FTA& analysis, const Scale& map, const GreyMapping& grey) {
  const int width = map.Width();
  const int height = map.Height();
  std::vector<std::uint8_t> image(static_cast<std::size_t>(width) * height, 255);
  if (analysis.Columns == 0) return image;
  auto B = [&](int row, int x) -> std::uint8_t& { return image[static_cast<std::size_t>(row) * width + x]; };
  auto V = [&](int row, int x) { return static_cast<double>(B(row, x)); };  // "/" divides reals
  auto cell = [&](int s, int j) {
    if (s < 0 || s >= analysis.Rows || j < 0 || j >= analysis.Columns) return 0.0;
    return analysis.PowerMatrix(s, j);
  };
  auto trunc8 = [](double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); };
  int r = std::clamp(map.Row(map.YMin()), 0, height - 1);
  for (int s = TruncToInt(map.YMin()); s <= map.YMax(); ++s) {
    if (s < 0 || s > analysis.Rows) continue;
    const int p = map.Row(s);
    int o = std::clamp(map.Column(map.XMin()), 0, width - 1);
    bool stopped = false;
    for (int j = TruncToInt(map.XMin()); j <= map.XMax(); ++j) {
      const int x = map.Column(j);
      if (x < 0 || x >= width) continue;
      if (p < 0 || p >= height) {
        stopped = true;
        break;
      }
      B(p, x) = std::min(B(p, x), grey.Level(cell(s, j)));
      for (int i = x; i > o; --i) B(p, i) = trunc8(V(p, o) * (i - x) / (o - x) + V(p, x) * (o - i) / (o - x));
      for (int i = p; i < r; ++i) B(i, x) = trunc8(V(r, x) * (i - p) / (r - p) + V(p, x) * (r - i) / (r - p));
      for (int k = x - 1; k > o; --k)
        for (int i = p + 1; i < r; ++i)
          B(i, k) = trunc8(0.5 * (V(i, o) * (k - x) / (o - x) + V(i, x) * (o - k) / (o - x) +
                                  V(r, k) * (i - p) / (r - p) + V(p, k) * (r - i) / (r - p)));
      o = x;
    }
    if (!stopped && p >= 0 && p < height) r = p;
  }
  return image;
}

struct RenderCase {
  int rows, columns;            // matrix
  int width, height;            // raster
  double x1, y1, x2, y2;        // visible cell range
  GreyMapping grey;
  bool withNan;                 // one NaN cell (drawn black by the grey mapping)
};

void PrintTo(const RenderCase& c, std::ostream* out) {
  *out << c.rows << "x" << c.columns << " matrix into " << c.width << "x" << c.height << " pixels over (" << c.x1
       << ", " << c.y1 << ") .. (" << c.x2 << ", " << c.y2 << ")" << (c.withNan ? " with a NaN" : "");
}

class RenderDenseAgainstReference : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderDenseAgainstReference, BytesAgree) {
  const RenderCase& c = GetParam();
  FixedFTA analysis(c.rows, c.columns);
  std::mt19937 generator(static_cast<unsigned>(c.rows * 7919 + c.columns * 31 + c.width));
  std::uniform_real_distribution<double> uniform(-0.2, 1.2);  // some cells beyond both clip levels
  for (int j = 0; j < c.columns; ++j)
    for (int s = 0; s < c.rows; ++s) analysis.PowerMatrix(s, j) = uniform(generator);
  if (c.withNan) analysis.PowerMatrix(c.rows / 2, c.columns / 2) = std::numeric_limits<double>::quiet_NaN();
  Scale map;
  map.SetWidth(c.width);
  map.SetHeight(c.height);
  map.SetRanges(c.x1, c.y1, c.x2, c.y2);

  ImageFTA image;
  RenderDense(analysis, map, c.grey, image);
  const std::vector<std::uint8_t> expected = ReferenceRender(analysis, map, c.grey);
  ASSERT_EQ(image.Width(), c.width);
  ASSERT_EQ(image.Height(), c.height);
  int mismatches = 0;
  for (int row = 0; row < c.height; ++row)
    for (int x = 0; x < c.width; ++x)
      if (image[row][x] != expected[static_cast<std::size_t>(row) * c.width + x] && ++mismatches <= 5)
        ADD_FAILURE() << "pixel (" << row << ", " << x << "): " << int{image[row][x]} << " instead of "
                      << int{expected[static_cast<std::size_t>(row) * c.width + x]};
  EXPECT_EQ(mismatches, 0);
}

const GreyMapping kDefault{};
const GreyMapping kShifted{0.9, 0.1, 40, 14};
const GreyMapping kInverted{0.2, 0.8, 0, 10};  // Amax below Amin
const GreyMapping kNegativeContrast{1.0, 0.0, -30, -8};

INSTANTIATE_TEST_SUITE_P(
    Shapes, RenderDenseAgainstReference,
    ::testing::Values(
        // Narrower and lower than the matrix: many cells per pixel both ways.
        RenderCase{300, 2000, 160, 90, 0, 0, 1999, 299, kDefault, false},
        RenderCase{300, 2000, 160, 90, 0, 0, 1999, 299, kShifted, true},
        RenderCase{300, 2000, 160, 90, 0, 0, 1999, 299, kNegativeContrast, true},
        // Wider and taller: interpolated rows, columns and interiors.
        RenderCase{7, 11, 300, 200, 0, 0, 10, 6, kDefault, false},
        RenderCase{7, 11, 300, 200, 0, 0, 10, 6, kInverted, false},
        // Wider than the matrix but lower, and the other way round.
        RenderCase{500, 13, 400, 60, 0, 0, 12, 499, kShifted, false},
        RenderCase{9, 700, 50, 333, 0, 0, 699, 8, kDefault, true},
        // Zoomed in, zoomed out past the matrix (cells outside read 0), and
        // fractional ends.
        RenderCase{64, 64, 257, 129, 10.5, 20.25, 30.75, 40.5, kDefault, false},
        RenderCase{40, 80, 120, 100, -25, -7, 110, 52, kShifted, false},
        RenderCase{130, 90, 77, 66, -3.5, -2.5, 95.5, 135.5, kNegativeContrast, false},
        // One column or one row of the matrix and one-pixel rasters.
        RenderCase{50, 1, 30, 40, 0, 0, 0, 49, kDefault, false},
        RenderCase{1, 50, 30, 40, 0, 0, 49, 0, kDefault, false},
        RenderCase{20, 30, 1, 1, 0, 0, 29, 19, kDefault, false}));

}  // namespace
}  // namespace vorenta
