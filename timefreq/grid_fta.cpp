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

double GridFTA::StoreBins(int column, const double* power, double frequencyScale, double floor) {
  const int n = FftSize;
  if (static_cast<int>(rowFrequencies_.size()) != n || rowFrequencyScale_ != frequencyScale) {
    rowFrequencies_.resize(n);
    for (int j = 0; j < n; ++j) rowFrequencies_[RowOfBin(j, n)] = BinFrequency(j, n, frequencyScale);
    rowFrequencyScale_ = frequencyScale;
  }
  // Bins (n+1)/2 .. n-1 are rows 0 .., bins 0 .. (n+1)/2-1 the rows after.
  const int positive = (n + 1) / 2;
  double* powerColumn = PowerMatrix.Column(column);
  std::copy(power + positive, power + n, powerColumn);
  std::copy(power, power + positive, powerColumn + (n - positive));
  std::copy(rowFrequencies_.begin(), rowFrequencies_.end(), FrequencyMatrix.Column(column));
  double maximum = floor;
  for (int j = 0; j < n; ++j) maximum = std::max(maximum, power[j]);
  return maximum;
}

void GridFTA::NormaliseColumn(int column, double maximum, bool square) {
  if (maximum == 0.0) throw std::domain_error("empty window");
  double* powerColumn = PowerMatrix.Column(column);
  for (int r = 0; r < FftSize; ++r) {
    const double v = powerColumn[r] / maximum;
    powerColumn[r] = square ? v * v : v;
  }
}

}  // namespace vorenta
