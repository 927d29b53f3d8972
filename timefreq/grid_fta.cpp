#include "timefreq/grid_fta.h"

#include <algorithm>
#include <stdexcept>

#include "numeric/fft.h"

namespace vorenta {

GridFTA::GridFTA(int fftSize) : FftSize(NextFftLength(std::max(fftSize, 2))) {}

void GridFTA::PrepareBuffers(int windowSize) {
  FftSize = NextFftLength(std::max(FftSize, windowSize));
  if (static_cast<int>(re_.size()) != FftSize) {
    re_.assign(FftSize, 0.0);
    im_.assign(FftSize, 0.0);
  }
}

namespace {

// out[i] := (values[i] / maximum)^2 or values[i] / maximum, i < count.
void Normalise(const double* values, int count, double maximum, bool square, double* out) {
  if (square) {
    for (int i = 0; i < count; ++i) {
      const double v = values[i] / maximum;
      out[i] = v * v;
    }
  } else {
    for (int i = 0; i < count; ++i) out[i] = values[i] / maximum;
  }
}

// The largest of floor and values[0 .. count-1] (NaN never wins), in four
// lanes so that the comparisons do not wait for each other. Only the sign of
// a zero maximum could depend on the order, and a zero maximum fails anyway.
double Largest(const double* values, int count, double floor) {
  double lanes[4] = {floor, floor, floor, floor};
  int j = 0;
  for (; j + 4 <= count; j += 4)
    for (int l = 0; l < 4; ++l) lanes[l] = std::max(lanes[l], values[j + l]);
  for (; j < count; ++j) lanes[0] = std::max(lanes[0], values[j]);
  return std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
}

}  // namespace

void GridFTA::StoreNormalisedBins(int column, const double* values, double frequencyScale, double floor,
                                  bool square) {
  const int n = FftSize;
  if (static_cast<int>(rowFrequencies_.size()) != n || rowFrequencyScale_ != frequencyScale) {
    rowFrequencies_.resize(n);
    for (int j = 0; j < n; ++j) rowFrequencies_[RowOfBin(j, n)] = BinFrequency(j, n, frequencyScale);
    rowFrequencyScale_ = frequencyScale;
  }
  std::copy(rowFrequencies_.begin(), rowFrequencies_.end(), FrequencyMatrix.Column(column));
  const double maximum = Largest(values, n, floor);
  if (maximum == 0.0) throw std::domain_error("empty window");
  // Bins (n+1)/2 .. n-1 are rows 0 .., bins 0 .. (n+1)/2-1 the rows after.
  const int positive = (n + 1) / 2;
  double* powerColumn = PowerMatrix.Column(column);
  Normalise(values + positive, n - positive, maximum, square, powerColumn);
  Normalise(values, positive, maximum, square, powerColumn + (n - positive));
}

}  // namespace vorenta
