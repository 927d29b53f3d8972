#include "timefreq/image_fta.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "core/error.h"

namespace vorenta {
namespace {

int Clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

std::uint8_t Truncate(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

double CellOrZero(const TfMatrix& matrix, const FTA& analysis, int row, int column) {
  if (row < 0 || row >= analysis.Rows || column < 0 || column >= analysis.Columns) return 0.0;
  return matrix(row, column);
}

// trunc toward zero saturated to the int range, NaN giving 0 (TruncToInt,
// inline for the per-cell grey levels).
inline int TruncSaturated(double v) {
  if (v != v) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// The grey mapping with its coefficients computed once.
class GreyScale {
 public:
  explicit GreyScale(const GreyMapping& grey)
      : amax_(grey.Amax),
        amin_(grey.Amin),
        a_(-255.0 / (grey.Amax - grey.Amin)),
        b_(-grey.Amax * a_),
        brightness_(grey.Brightness),
        contrast_(grey.Contrast * 0.1) {}

  std::uint8_t Level(double v) const {
    v = std::max(std::min(v, amax_), amin_);
    const int d = TruncSaturated(a_ * v + b_ + brightness_);
    return static_cast<std::uint8_t>(Clamp(TruncSaturated(contrast_ * d), 0, 255));
  }

 private:
  double amax_, amin_, a_, b_;
  int brightness_;
  double contrast_;
};

int ProgressPermille(double done, const Scale& map) {
  const int span = TruncToInt(map.YMax() - map.YMin() + 1);
  return span > 0 ? TruncToInt(done * 1000 / span) : 0;
}

}  // namespace

void ImageFTA::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  width_ = width;
  height_ = height;
}

void ImageFTA::Fill(std::uint8_t value) { std::fill(bytes_.begin(), bytes_.end(), value); }

void GreyMapping::Validate() const {
  if (!std::isfinite(Amax) || !std::isfinite(Amin)) throw VorentaError("Invalid floating point operation");
  if (Amax == Amin) throw VorentaError("Floating point division by zero");
}

std::uint8_t GreyMapping::Level(double v) const { return GreyScale(*this).Level(v); }

namespace {

// Consecutive visible matrix columns that land on one pixel column x of the
// raster; `first` is the first of them and `count` how many.
struct PixelRun {
  int x;
  int first;
  int count;
};

// The grey levels of one block of matrix rows, per row and pixel run: the
// level of the run's first cell and the darkest level of the others. The
// matrix is read column by column (each column is contiguous), not row by
// row with a stride of a whole column.
class RunLevels {
 public:
  RunLevels(const FTA& analysis, const std::vector<PixelRun>& runs, const GreyScale& grey)
      : analysis_(analysis), runs_(runs), grey_(grey) {}

  // Fills the levels of rows firstRow .. firstRow + rowCount - 1 (each in
  // 0 .. Rows; row Rows and columns outside the matrix read as 0).
  void Compute(int firstRow, int rowCount) {
    firstRow_ = firstRow;
    const std::size_t cells = static_cast<std::size_t>(rowCount) * runs_.size();
    firstLevels_.resize(cells);
    restLevels_.resize(cells);
    largest_.resize(rowCount);
    smallest_.resize(rowCount);
    values_.resize(rowCount);
    for (std::size_t run = 0; run < runs_.size(); ++run) {
      const PixelRun& pixelRun = runs_[run];
      ReadColumn(pixelRun.first, rowCount);
      for (int b = 0; b < rowCount; ++b) firstLevels_[b * runs_.size() + run] = grey_.Level(values_[b]);
      if (pixelRun.count == 1) continue;
      // The level is monotonic in the value, so the darkest of a run is the
      // level of its largest or of its smallest value; NaN is kept apart.
      std::fill(largest_.begin(), largest_.end(), -std::numeric_limits<double>::infinity());
      std::fill(smallest_.begin(), smallest_.end(), std::numeric_limits<double>::infinity());
      bool anyNan = false;
      for (int j = pixelRun.first + 1; j < pixelRun.first + pixelRun.count; ++j) {
        ReadColumn(j, rowCount);
        for (int b = 0; b < rowCount; ++b) {
          const double v = values_[b];
          largest_[b] = v > largest_[b] ? v : largest_[b];
          smallest_[b] = v < smallest_[b] ? v : smallest_[b];
          anyNan = anyNan || v != v;
        }
      }
      for (int b = 0; b < rowCount; ++b) {
        std::uint8_t level = std::min(grey_.Level(largest_[b]), grey_.Level(smallest_[b]));
        if (anyNan) level = std::min(level, RestLevelWithNan(pixelRun, b));
        restLevels_[b * runs_.size() + run] = level;
      }
    }
  }

  std::uint8_t First(int row, std::size_t run) const { return firstLevels_[Index(row, run)]; }
  std::uint8_t Rest(int row, std::size_t run) const { return restLevels_[Index(row, run)]; }

 private:
  std::size_t Index(int row, std::size_t run) const {
    return static_cast<std::size_t>(row - firstRow_) * runs_.size() + run;
  }

  // values_[b] := the cell (firstRow + b, column), 0 outside the matrix.
  void ReadColumn(int column, int rowCount) {
    const int inside = column >= 0 && column < analysis_.Columns
                           ? std::max(0, std::min(rowCount, analysis_.Rows - firstRow_))
                           : 0;
    if (inside > 0) {
      const double* cells = analysis_.PowerMatrix.Column(column) + firstRow_;
      std::copy(cells, cells + inside, values_.begin());
    }
    std::fill(values_.begin() + inside, values_.begin() + rowCount, 0.0);
  }

  // The darkest level of the run's cells after its first, one by one.
  std::uint8_t RestLevelWithNan(const PixelRun& run, int b) const {
    std::uint8_t level = 255;
    for (int j = run.first + 1; j < run.first + run.count; ++j)
      level = std::min(level, grey_.Level(CellOrZero(analysis_.PowerMatrix, analysis_, firstRow_ + b, j)));
    return level;
  }

  const FTA& analysis_;
  const std::vector<PixelRun>& runs_;
  const GreyScale& grey_;
  int firstRow_ = 0;
  std::vector<std::uint8_t> firstLevels_, restLevels_;
  std::vector<double> largest_, smallest_, values_;
};

// Matrix rows whose levels are computed together: 512 contiguous bytes of
// every column per block.
constexpr int kRowBlock = 64;

}  // namespace

void RenderDense(const FTA& analysis, const Scale& cellMap, const GreyMapping& grey, ImageFTA& image,
                 const RenderProgress& progress) {
  grey.Validate();
  const int width = cellMap.Width();
  const int height = cellMap.Height();
  image.Resize(width, height);
  image.Fill(255);
  if (analysis.Columns == 0) return;

  // The visible matrix columns j = trunc(xmin) .. xmax grouped by the pixel
  // column they land on; columns off the raster are dropped. Within a run
  // only the first cell moves the previous-column pixel o and interpolates
  // towards it: the later ones find o = x, so they only darken (p, x) and
  // redo the column interpolation at x.
  std::vector<PixelRun> runs;
  for (int j = TruncToInt(cellMap.XMin()), index = 0; j <= cellMap.XMax(); ++j, ++index) {
    const int x = cellMap.Column(j);
    if (x < 0 || x >= width) continue;
    if (!runs.empty() && runs.back().x == x && runs.back().first + runs.back().count == j)
      ++runs.back().count;
    else
      runs.push_back({x, j, 1});
  }
  const GreyScale greyScale(grey);
  RunLevels levels(analysis, runs, greyScale);

  auto at = [&image](int row, int x) -> std::uint8_t& { return image[row][x]; };
  // Column interpolation at x between the pixel row p and the previous one r.
  auto interpolateColumn = [&at](int p, int r, int x) {
    const double below = at(r, x);
    const double here = at(p, x);
    for (int i = p; i < r; ++i) at(i, x) = Truncate(below * (i - p) / (r - p) + here * (r - i) / (r - p));
  };
  int r = Clamp(cellMap.Row(cellMap.YMin()), 0, height - 1);
  const double yMin = cellMap.YMin();
  int blockEnd = std::numeric_limits<int>::min();
  for (int s = TruncToInt(yMin); s <= cellMap.YMax(); ++s) {
    if (s < 0 || s > analysis.Rows) continue;
    if (s >= blockEnd) {
      const int count = std::min(kRowBlock, analysis.Rows + 1 - s);
      levels.Compute(s, count);
      blockEnd = s + count;
    }
    const int p = cellMap.Row(s);
    const bool rowStopped = !runs.empty() && (p < 0 || p >= height);
    int o = Clamp(cellMap.Column(cellMap.XMin()), 0, width - 1);
    for (std::size_t run = 0; run < runs.size() && !rowStopped; ++run) {
      const int x = runs[run].x;
      at(p, x) = std::min(at(p, x), levels.First(s, run));
      if (o != x) {
        const double left = at(p, o);
        const double right = at(p, x);
        for (int i = x; i > o; --i) at(p, i) = Truncate(left * (i - x) / (o - x) + right * (o - i) / (o - x));
      }
      if (r != p) interpolateColumn(p, r, x);
      if (o != x && r != p) {
        for (int k = x - 1; k > o; --k) {
          for (int i = p + 1; i < r; ++i) {
            at(i, k) = Truncate(0.5 * (at(i, o) * static_cast<double>(k - x) / (o - x) +
                                       at(i, x) * static_cast<double>(o - k) / (o - x) +
                                       at(r, k) * static_cast<double>(i - p) / (r - p) +
                                       at(p, k) * static_cast<double>(r - i) / (r - p)));
          }
        }
      }
      if (runs[run].count > 1) {
        const std::uint8_t rest = levels.Rest(s, run);
        if (rest < at(p, x)) {
          at(p, x) = rest;
          if (r != p) interpolateColumn(p, r, x);
        }
      }
      o = x;
    }
    // A row whose pixel lies outside the raster never becomes the row that
    // the next one interpolates from.
    if (!rowStopped && p >= 0 && p < height) r = p;
    if (progress) progress(ProgressPermille(s - yMin, cellMap));
  }
}

void RenderPoints(const FTA& analysis, const Scale& cellMap, const Scale& tfMap, const GreyMapping& grey,
                  ImageFTA& image, const RenderProgress& progress) {
  grey.Validate();
  const int width = tfMap.Width();
  const int height = tfMap.Height();
  image.Resize(width, height);
  double background = 0.0;
  if (grey.Amax < background) background = grey.Amax;
  if (background < grey.Amin) background = grey.Amin;
  image.Fill(grey.Level(background));
  if (analysis.Columns == 0) return;

  for (int i = 0; i <= analysis.Rows; ++i) {
    for (int j = TruncToInt(cellMap.XMin()); j <= cellMap.XMax(); ++j) {
      const int x = tfMap.Column(j);
      const int y = tfMap.Row(CellOrZero(analysis.FrequencyMatrix, analysis, i, j));
      if (x < 0 || x >= width || y < 0 || y >= height) continue;
      const double v = std::max(std::min(CellOrZero(analysis.PowerMatrix, analysis, i, j), grey.Amax), grey.Amin);
      const std::uint8_t g = grey.Level(v);
      std::uint8_t& pixel = image[y][x];
      if ((v > 0 && g < pixel) || (v < 0 && g > pixel)) pixel = g;
    }
    if (progress) progress(ProgressPermille(i - cellMap.YMin(), cellMap));
  }
}

}  // namespace vorenta
